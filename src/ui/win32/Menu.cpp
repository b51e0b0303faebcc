#include "ui/win32/Menu.h"

namespace kq::ui {

namespace {

// Command ids of menu items, above the ids of controls.
UINT NextCommandId() {
  static UINT next = 40000;
  return next++;
}

}  // namespace

Menu::Menu(Kind kind)
    : owned_(kind == Kind::Main ? CreateMenu() : CreatePopupMenu()), menu_(owned_.get()) {}

UINT Menu::AddItem(const std::wstring& caption, std::function<void()> onClick) {
  UINT id = NextCommandId();
  AppendMenuW(menu_, MF_STRING, id, caption.c_str());
  items_[id] = std::move(onClick);
  return id;
}

void Menu::AddSeparator() {
  AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
}

Menu& Menu::AddSubmenu(const std::wstring& caption) {
  // The parent menu's handle owns the submenu's from here on.
  HMENU handle = CreatePopupMenu();
  AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(handle), caption.c_str());
  auto submenu = std::unique_ptr<Menu>(new Menu(handle, Borrowed{}));
  Menu& added = *submenu;
  submenus_[handle] = std::move(submenu);
  return added;
}

std::wstring Menu::Caption(UINT id) const {
  wchar_t caption[256] = {};
  GetMenuStringW(menu_, id, caption, 256, MF_BYCOMMAND);
  return caption;
}

void Menu::SetCaption(UINT id, const std::wstring& caption) {
  ModifyMenuW(menu_, id, MF_BYCOMMAND | MF_STRING, id, caption.c_str());
}

void Menu::SetEnabled(UINT id, bool enabled) {
  EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Menu::SetChecked(UINT id, bool checked) {
  CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Menu::SetDefault(UINT id) {
  SetMenuDefaultItem(menu_, id, FALSE);
}

bool Menu::Invoke(UINT id) {
  auto found = items_.find(id);
  if (found != items_.end()) {
    if (found->second)
      found->second();
    return true;
  }
  for (auto& [handle, submenu] : submenus_) {
    if (submenu->Invoke(id))
      return true;
  }
  return false;
}

void Menu::Popup(HWND owner, POINT at) {
  SetForegroundWindow(owner);
  UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen)
    Invoke(chosen);
}

}  // namespace kq::ui
