#pragma once
// Controls and the windows that hold them. A control owns its window; positions and sizes
// are in 96-dpi units relative to the container's client area and follow the container's
// dpi. A container (a form or a panel) owns its controls and routes their notifications.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "ui/win32/Font.h"

namespace kq::ui {

class Container;
class Form;

enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum class Align { None, Top, Bottom, Left, Right, Client };

// Where a control sits, at 96 dpi; anchored left and top unless told otherwise. With no
// anchors at all it keeps its relative place when the container is resized.
struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  unsigned anchors = akLeft | akTop;
};

// How a control's font differs from its container's.
struct FontChange {
  bool bold = false;
  bool underline = false;
  int pointSize = 0;
  std::optional<std::wstring> face = std::nullopt;
};

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return window_; }
  // The control that owns the window, or null for a window the program did not create as a
  // control (a list view's header, a combo box's edit, a common dialog's child). The window
  // carries its object under a property of the program's own atom, never in a slot that other
  // code may fill.
  static Control* FromWindow(HWND window);
  Container* Parent() const { return parent_; }
  Form* OwningForm() const;
  int Id() const { return id_; }
  UINT Dpi() const;

  std::wstring Text() const;
  void SetText(const std::wstring& text);
  bool Enabled() const { return IsWindowEnabled(window_) != FALSE; }
  void SetEnabled(bool enabled) { EnableWindow(window_, enabled); }
  bool Visible() const { return IsWindowVisible(window_) != FALSE; }
  void SetVisible(bool visible) { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
  void SetFocus() { ::SetFocus(window_); }
  bool Focused() const { return GetFocus() == window_; }

  const Place& Bounds() const { return place_; }
  void SetBounds(const Place& place);
  void SetAlign(Align align);
  // A text colour of its own (CLR_INVALID: the system's).
  void SetTextColor(COLORREF colour);
  COLORREF TextColor() const { return textColour_; }
  void SetFont(const FontChange& change);
  // The help topic F1 opens while the control has the focus; 0 for its container's.
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int context) { helpContext_ = context; }

  // The container's messages about this control.
  virtual void OnCommand(WORD /*code*/) {}
  // Also for notifications from windows inside this control that are not ours (a header,
  // an edit box), which reach the container.
  virtual LRESULT OnNotify(NMHDR& /*header*/) { return 0; }
  virtual void OnScroll(WORD /*code*/) {}
  // The brush for WM_CTLCOLORSTATIC and WM_CTLCOLORBTN: by default the container's colour
  // behind the text.
  virtual HBRUSH OnColor(HDC dc);
  // The brush for WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX and WM_CTLCOLORSCROLLBAR; null for the
  // system's.
  virtual HBRUSH OnFieldColor(HDC /*dc*/) { return nullptr; }
  // Owner drawing; true when the control drew or measured.
  virtual bool OnDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
  // The context menu asked for over the control (at -1, -1 from the keyboard); true when shown.
  virtual bool OnContextMenu(POINT /*screen*/) { return false; }

  // Moves the control to its place for the container's size and dpi, and sets its font.
  virtual void Relayout();

 protected:
  // A control of a system window class, created at once in the container.
  Control(Container& parent, const Place& place, const wchar_t* windowClass, DWORD style,
          DWORD exStyle = 0, const std::wstring& text = {});
  // A container creates its window itself.
  Control(Container* parent, const Place& place);

  void AttachWindow(HWND window);
  void DetachWindow();
  HFONT CurrentFont() const;
  // The control's place in pixels for the current container size and dpi.
  RECT PixelRect() const;

 private:
  friend class Container;
  void ApplyFont();

  Container* parent_;
  HWND window_ = nullptr;
  int id_ = 0;
  Place place_;
  Align align_ = Align::None;
  // The container's client size at 96 dpi when the place was set, for the anchors.
  SIZE designContainer_{};
  COLORREF textColour_ = CLR_INVALID;
  int helpContext_ = 0;
  std::optional<FontChange> fontChange_;
  win::UniqueFont ownFont_;
  UINT ownFontDpi_ = 0;
  HFONT appliedFont_ = nullptr;  // the font the window was last given
};

// A window of our own that holds controls: the base of forms and panels.
class Container : public Control {
 public:
  ~Container() override;

  template <typename T, typename... Args>
  T& Add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& added = *control;
    controls_.push_back(std::move(control));
    return added;
  }

  static const wchar_t* ContainerClassName();

  COLORREF Color() const { return colour_; }
  void SetColor(COLORREF colour);
  HBRUSH Brush() const { return brush_.get(); }
  // The font of the controls without one of their own; a panel uses its container's.
  virtual const FontSpec& Font() const;
  virtual HFONT FontHandle() const;
  virtual UINT ContainerDpi() const;
  // The client size at 96 dpi.
  SIZE DesignClientSize() const;

  void Relayout() override;

 protected:
  Container(Container* parent, const Place& place);
  void CreateContainerWindow(DWORD style, DWORD exStyle, HWND parentWindow);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  void RelayoutControls();
  // F1: the topic of the control that asked, or of the nearest container that has one.
  bool OpenHelpFor(HWND window);
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  // Ids are unique within the form, so the dialog manager's commands find their control.
  int NextControlId();
  Control* FindControl(int id) const;

 private:
  friend class Control;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The nearest control of ours that is the window or holds it, below this container (a button
  // in a panel answers for itself; a header in a list view of ours finds the list view); null
  // when none does.
  Control* OwnControlAt(HWND window) const;

  std::vector<std::unique_ptr<Control>> controls_;
  COLORREF colour_;
  win::UniqueBrush brush_;
  int nextId_ = 1000;
};

// A borderless area of the container's colour, holding controls of its own.
class Panel : public Container {
 public:
  Panel(Container& parent, const Place& place, bool bevel = false);
};

}  // namespace kq::ui
