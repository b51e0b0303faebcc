#pragma once
// Menus: a form's main menu or a popup menu, with items that run a callback.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/win32/Handles.h"

namespace kq::ui {

class Menu {
 public:
  enum class Kind { Main, Popup };
  explicit Menu(Kind kind = Kind::Popup);
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  HMENU Handle() const { return menu_; }

  // Adds an item ("&" marks the mnemonic) and returns its command id.
  UINT AddItem(const std::wstring& caption, std::function<void()> onClick);
  void AddSeparator();
  // Adds a submenu, which this menu owns from then on.
  Menu& AddSubmenu(const std::wstring& caption);

  std::wstring Caption(UINT id) const;
  void SetCaption(UINT id, const std::wstring& caption);
  void SetEnabled(UINT id, bool enabled);
  void SetChecked(UINT id, bool checked);
  void SetDefault(UINT id);  // shown in bold; what a double click does

  // Runs the item's callback; false when the id is not one of this menu's.
  bool Invoke(UINT id);

  // Tracks a popup menu at a screen point for the owner window and runs the chosen item.
  // The owner is brought to the foreground first, so that the menu closes when the user
  // clicks elsewhere.
  void Popup(HWND owner, POINT at);

 private:
  struct Borrowed {};
  Menu(HMENU menu, Borrowed) : menu_(menu) {}

  win::UniqueMenu owned_;
  HMENU menu_;
  std::map<UINT, std::function<void()>> items_;
  std::map<HMENU, std::unique_ptr<Menu>> submenus_;
};

}  // namespace kq::ui
