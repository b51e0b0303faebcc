#include "ui/win32/Form.h"

#include <algorithm>
#include <stdexcept>

#include "ui/win32/Application.h"
#include "ui/win32/BusyCursor.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Menu.h"

namespace kq::ui {

namespace {

RECT WorkAreaNear(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  HMONITOR nearest = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                            : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  GetMonitorInfoW(nearest, &monitor);
  return monitor.rcWork;
}

}  // namespace

Form::Form(std::wstring name, HWND owner)
    : Container(nullptr, Place{}), name_(std::move(name)), dpi_(SystemDpi()) {
  if (!owner && Application::Current())
    owner = Application::Current()->Handle();
  fontHandle_ = CreateFontFor(font_, dpi_);
  CreateContainerWindow(Style(), ExStyle(), owner);
  dpi_ = DpiOfWindow(Handle());
  fontHandle_ = CreateFontFor(font_, dpi_);
  SetCaption(L"Dialog");
  ApplyClientSize();
}

Form* Form::FromHandle(HWND window) {
  wchar_t className[32];
  if (!GetClassNameW(window, className, 32) || lstrcmpW(className, ContainerClassName()) != 0)
    return nullptr;
  return dynamic_cast<Form*>(FromWindow(window));
}

Form::~Form() {
  if (modal_)
    modalResult_ = mrCancel;
}

DWORD Form::Style() const {
  switch (border_) {
    case BorderKind::Dialog:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    case BorderKind::Single:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case BorderKind::Sizeable:
      return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    case BorderKind::ToolWindow:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  }
  return WS_POPUP;
}

DWORD Form::ExStyle() const {
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (border_ == BorderKind::Dialog)
    exStyle |= WS_EX_DLGMODALFRAME;
  if (border_ == BorderKind::ToolWindow)
    exStyle |= WS_EX_TOOLWINDOW;
  return exStyle;
}

void Form::SetBorder(BorderKind border) {
  border_ = border;
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(Style()));
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyle()));
  ApplyClientSize();
}

void Form::SetClientSize(int width, int height) {
  clientSize_ = {width, height};
  ApplyClientSize();
}

void Form::SetDesignedOrigin(int left, int top) {
  origin_ = {left, top};
}

void Form::SetMinClientSize(int width, int height) {
  minClientSize_ = {width, height};
}

void Form::SetFormFont(const FontSpec& font) {
  font_ = font;
  fontHandle_ = CreateFontFor(font_, dpi_);
  RelayoutControls();
}

void Form::SetDefaultButton(Button* button) {
  defaultButton_ = button;
  SendMessageW(Handle(), DM_SETDEFID, button ? button->Id() : IDOK, 0);
}

void Form::SetMenu(Menu* menu) {
  menu_ = menu;
  ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
  ApplyClientSize();
}

void Form::ApplyClientSize() {
  RECT client{0, 0, Scale(clientSize_.cx, dpi_), Scale(clientSize_.cy, dpi_)};
  RECT outer = WindowRectForClient(client, Style(), ExStyle(), menu_ != nullptr, dpi_);
  SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HWND Form::Owner() const {
  return GetWindow(Handle(), GW_OWNER);
}

void Form::PlaceOnFirstShow() {
  placed_ = true;
  RECT window;
  GetWindowRect(Handle(), &window);
  int width = window.right - window.left, height = window.bottom - window.top;
  RECT area = WorkAreaNear(Owner());
  HWND centreOn = nullptr;
  if (position_ == Position::OwnerCenter)
    centreOn = Owner();
  if (position_ == Position::MainFormCenter && Application::Current() &&
      Application::Current()->MainForm())
    centreOn = Application::Current()->MainForm()->Handle();
  if (centreOn && IsWindowVisible(centreOn))
    GetWindowRect(centreOn, &area);
  int left, top;
  if (position_ == Position::Designed) {
    left = area.left + Scale(origin_.x, dpi_);
    top = area.top + Scale(origin_.y, dpi_);
  } else {
    left = area.left + (area.right - area.left - width) / 2;
    top = area.top + (area.bottom - area.top - height) / 2;
  }
  // Keep the whole form on the monitor it lands on.
  RECT work = WorkAreaNear(Handle());
  left =
      std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
  top = std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show() {
  if (!placed_)
    PlaceOnFirstShow();
  DoShow();
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  // The focus starts on the first control that takes it, as in any dialog.
  if (!IsChild(Handle(), GetFocus())) {
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE))
      ::SetFocus(first);
  }
}

void Form::Hide() {
  ShowWindow(Handle(), SW_HIDE);
}

int Form::ShowModal() {
  auto* application = Application::Current();
  if (!application)
    throw std::logic_error("a modal form needs the application");
  HWND owner = Owner();
  bool disabledOwner = owner && IsWindowEnabled(owner);
  if (disabledOwner)
    EnableWindow(owner, FALSE);
  modal_ = true;
  modalResult_ = mrNone;
  try {
    Show();
    application->RunUntil([this] { return modalResult_ != mrNone; });
  } catch (...) {
    modal_ = false;
    if (disabledOwner)
      EnableWindow(owner, TRUE);
    Hide();
    throw;
  }
  if (modalResult_ == mrNone)
    modalResult_ = mrCancel;  // the program is ending
  modal_ = false;
  // The owner is enabled before the form hides, so that it, not another program, is
  // activated next.
  if (disabledOwner)
    EnableWindow(owner, TRUE);
  Hide();
  return modalResult_;
}

bool Form::CloseWith(int result) {
  // The close query sees the result the form is closing with; the loop looks at it only
  // after this returns.
  modalResult_ = result;
  if (!DoCloseQuery()) {
    modalResult_ = mrNone;
    return false;
  }
  DoClose();
  return true;
}

void Form::SetModalResult(int result) {
  if (!modal_) {
    modalResult_ = result;
    return;
  }
  if (result != mrNone)
    CloseWith(result);
}

void Form::Close() {
  if (modal_) {
    CloseWith(mrCancel);
  } else if (DoCloseQuery()) {
    DoClose();
    Hide();
  }
}

void Form::RescaleTo(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  fontHandle_ = CreateFontFor(font_, dpi_);
  if (suggested) {
    SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RelayoutControls();
  // Controls that moved and grew leave pieces of their old look behind otherwise.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT Form::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcW(Handle(), message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        WORD id = LOWORD(wParam);
        if (HIWORD(wParam) == 0 && menu_ && menu_->Invoke(id))
          return 0;
        if (id == IDCANCEL) {
          // Esc: the cancel button's click, when the form has one.
          if (cancelButton_)
            cancelButton_->Click();
          return 0;
        }
        if (Control* control = FindControl(id))
          control->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_GETMINMAXINFO:
      if (minClientSize_.cx || minClientSize_.cy) {
        RECT outer = WindowRectForClient(
            {0, 0, Scale(minClientSize_.cx, dpi_), Scale(minClientSize_.cy, dpi_)}, Style(),
            ExStyle(), menu_ != nullptr, dpi_);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
        return 0;
      }
      break;
    case WM_EXITSIZEMOVE:
      DoExitSizeMove();
      break;
    case WM_DPICHANGED:
      RescaleTo(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETCURSOR:
      if (BusyLevel() > 0 && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
  }
  return Container::HandleMessage(message, wParam, lParam);
}

}  // namespace kq::ui
