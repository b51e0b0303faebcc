#include "ui/win32/Control.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>

#include "ui/win32/Application.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Form.h"
#include "ui/win32/UiErrors.h"

namespace kq::ui {

namespace {

constexpr wchar_t kContainerClass[] = L"KeyquillContainer";

// The property under which a window of ours carries its control. The atom's name is the
// program's own, so no other code sets it on a window.
const wchar_t* ControlProperty() {
  static const ATOM atom = GlobalAddAtomW(L"Keyquill.Control.7C1E5B2A-4F0D-4C61-9A4E-2D38F5B0C6A1");
  return MAKEINTATOM(atom);
}

SIZE PixelClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

}  // namespace

// Control

Control::Control(Container& parent, const Place& place, const wchar_t* windowClass, DWORD style,
                 DWORD exStyle, const std::wstring& text)
    : parent_(&parent), id_(parent.NextControlId()), place_(place) {
  designContainer_ = parent.DesignClientSize();
  RECT r = PixelRect();
  HWND window = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, parent.Handle(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                GetModuleHandleW(nullptr), nullptr);
  if (!window)
    throw std::runtime_error("cannot create a control window");
  AttachWindow(window);
  ApplyFont();
}

Control::Control(Container* parent, const Place& place) : parent_(parent), place_(place) {
  if (parent) {
    id_ = parent->NextControlId();
    designContainer_ = parent->DesignClientSize();
  }
}

Control::~Control() {
  if (window_ && IsWindow(window_)) {
    DetachWindow();
    DestroyWindow(window_);
  }
}

void Control::AttachWindow(HWND window) {
  window_ = window;
  if (!SetPropW(window, ControlProperty(), this))
    throw std::runtime_error("cannot bind a control to its window");
}

void Control::DetachWindow() {
  RemovePropW(window_, ControlProperty());
}

Control* Control::FromWindow(HWND window) {
  return window ? static_cast<Control*>(GetPropW(window, ControlProperty())) : nullptr;
}

Form* Control::OwningForm() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (auto* form = dynamic_cast<const Form*>(c))
      return const_cast<Form*>(form);
  }
  return nullptr;
}

UINT Control::Dpi() const {
  return parent_ ? parent_->ContainerDpi() : DpiOfWindow(window_);
}

std::wstring Control::Text() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Control::SetText(const std::wstring& text) {
  SetWindowTextW(window_, text.c_str());
}

void Control::SetBounds(const Place& place) {
  place_ = place;
  if (parent_)
    designContainer_ = parent_->DesignClientSize();
  Relayout();
}

void Control::SetAlign(Align align) {
  align_ = align;
  Relayout();
}

void Control::SetTextColor(COLORREF colour) {
  textColour_ = colour;
  InvalidateRect(window_, nullptr, TRUE);
}

void Control::SetFont(const FontChange& change) {
  fontChange_ = change;
  ownFont_.reset();
  appliedFont_ = nullptr;  // a new font may reuse the old one's handle value
  ApplyFont();
}

HFONT Control::CurrentFont() const {
  return ownFont_ ? ownFont_.get() : (parent_ ? parent_->FontHandle() : nullptr);
}

void Control::ApplyFont() {
  if (fontChange_ && parent_ && (!ownFont_ || ownFontDpi_ != Dpi())) {
    FontSpec spec = parent_->Font();
    spec.bold = spec.bold || fontChange_->bold;
    spec.underline = spec.underline || fontChange_->underline;
    if (fontChange_->pointSize)
      spec.pointSize = fontChange_->pointSize;
    if (fontChange_->face)
      spec.face = *fontChange_->face;
    ownFont_ = CreateFontFor(spec, Dpi());
    ownFontDpi_ = Dpi();
  }
  HFONT font = CurrentFont();
  if (font && font != appliedFont_) {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    appliedFont_ = font;
  }
}

HBRUSH Control::OnColor(HDC dc) {
  if (textColour_ != CLR_INVALID)
    ::SetTextColor(dc, textColour_);
  if (!parent_)
    return nullptr;
  SetBkColor(dc, parent_->Color());
  return parent_->Brush();
}

RECT Control::PixelRect() const {
  if (!parent_)
    return {};
  UINT dpi = Dpi();
  SIZE client = PixelClientSize(parent_->Handle());
  // One axis in pixels: the far edge of a control anchored there keeps its designed distance
  // to the container's far edge, measured at the current dpi.
  auto axis = [dpi](int pos, int size, bool nearEdge, bool farEdge, int designed,
                    int now) -> std::pair<int, int> {
    int start, end;
    int farDistance = Scale(designed - pos - size, dpi);
    if (farEdge) {
      end = now - farDistance;
      start = nearEdge ? Scale(pos, dpi) : end - Scale(size, dpi);
    } else if (!nearEdge && designed > 0) {
      int centre = MulDiv(Scale(2 * pos + size, dpi), now, 2 * Scale(designed, dpi));
      start = centre - Scale(size, dpi) / 2;
      end = start + Scale(size, dpi);
    } else {
      start = Scale(pos, dpi);
      end = start + Scale(size, dpi);
    }
    return {start, end};
  };
  RECT r{};
  const Place& p = place_;
  switch (align_) {
    case Align::None: {
      auto [left, right] = axis(p.left, p.width, p.anchors & akLeft, p.anchors & akRight,
                                designContainer_.cx, client.cx);
      auto [top, bottom] = axis(p.top, p.height, p.anchors & akTop, p.anchors & akBottom,
                                designContainer_.cy, client.cy);
      r = {left, top, right, bottom};
      break;
    }
    case Align::Top:
      r = {0, 0, client.cx, Scale(p.height, dpi)};
      break;
    case Align::Bottom:
      r = {0, client.cy - Scale(p.height, dpi), client.cx, client.cy};
      break;
    case Align::Left:
      r = {0, 0, Scale(p.width, dpi), client.cy};
      break;
    case Align::Right:
      r = {client.cx - Scale(p.width, dpi), 0, client.cx, client.cy};
      break;
    case Align::Client:
      r = {0, 0, client.cx, client.cy};
      break;
  }
  return r;
}

void Control::Relayout() {
  if (!parent_)
    return;
  RECT r = PixelRect();
  SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyFont();
}

// Container

Container::Container(Container* parent, const Place& place)
    : Control(parent, place), colour_(GetSysColor(COLOR_BTNFACE)) {
  brush_.reset(CreateSolidBrush(colour_));
}

Container::~Container() {
  // The window goes first, taking the control windows with it; then the control objects.
  if (Handle() && IsWindow(Handle()))
    DestroyWindow(Handle());
  controls_.clear();
}

void Container::CreateContainerWindow(DWORD style, DWORD exStyle, HWND parentWindow) {
  static const ATOM registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    // Forms use the dialog manager's default handling (focus, default button, mnemonics).
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kContainerClass;
    return RegisterClassExW(&windowClass);
  }();
  (void)registered;
  RECT r = PixelRect();
  HMENU id = Parent() ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id())) : nullptr;
  HWND window =
      CreateWindowExW(exStyle, kContainerClass, L"", style, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parentWindow, id, GetModuleHandleW(nullptr), this);
  if (!window)
    throw std::runtime_error("cannot create a window");
}

const wchar_t* Container::ContainerClassName() {
  return kContainerClass;
}

const FontSpec& Container::Font() const {
  return Parent()->Font();
}

HFONT Container::FontHandle() const {
  return Parent()->FontHandle();
}

UINT Container::ContainerDpi() const {
  return Parent() ? Parent()->ContainerDpi() : DpiOfWindow(Handle());
}

SIZE Container::DesignClientSize() const {
  SIZE pixels = PixelClientSize(Handle());
  UINT dpi = ContainerDpi();
  return {Unscale(pixels.cx, dpi), Unscale(pixels.cy, dpi)};
}

void Container::SetColor(COLORREF colour) {
  colour_ = colour;
  brush_.reset(CreateSolidBrush(colour));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Container::Relayout() {
  Control::Relayout();
  RelayoutControls();
}

void Container::RelayoutControls() {
  for (auto& control : controls_)
    control->Relayout();
}

int Container::NextControlId() {
  return Parent() ? Parent()->NextControlId() : nextId_++;
}

Control* Container::FindControl(int id) const {
  for (auto& control : controls_) {
    if (control->Id() == id)
      return control.get();
    if (auto* inner = dynamic_cast<const Container*>(control.get()))
      if (Control* found = inner->FindControl(id))
        return found;
  }
  return nullptr;
}

bool Container::OpenHelpFor(HWND window) {
  Control* asking = window == Handle() ? this : FindControl(GetDlgCtrlID(window));
  for (Control* c = asking; c; c = c->Parent()) {
    if (c->HelpContext() != 0) {
      if (auto* application = Application::Current())
        application->ShowHelpContext(c->HelpContext());
      return true;
    }
  }
  return false;
}

Control* Container::OwnControlAt(HWND window) const {
  for (HWND w = window; w && w != Handle(); w = GetAncestor(w, GA_PARENT)) {
    if (Control* control = FromWindow(w))
      return control;
  }
  return nullptr;
}

LRESULT Container::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(Handle(), message, wParam, lParam);
}

LRESULT Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Control* control = OwnControlAt(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Control* control = OwnControlAt(header->hwndFrom))
        return control->OnNotify(*header);
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Control* control = OwnControlAt(reinterpret_cast<HWND>(lParam))) {
        control->OnScroll(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Control* control = OwnControlAt(reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(control->OnColor(reinterpret_cast<HDC>(wParam)));
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      if (Control* control = OwnControlAt(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = control->OnFieldColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU)
        if (Control* control = OwnControlAt(item->hwndItem); control && control->OnDrawItem(*item))
          return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU)
        if (Control* control = FindControl(static_cast<int>(item->CtlID));
            control && control->OnMeasureItem(*item))
          return TRUE;
      break;
    }
    case WM_CONTEXTMENU:
      if (Control* control = OwnControlAt(reinterpret_cast<HWND>(wParam));
          control && control->OnContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return 0;
      break;
    case WM_HELP: {
      auto* info = reinterpret_cast<HELPINFO*>(lParam);
      if (info->iContextType == HELPINFO_WINDOW &&
          OpenHelpFor(static_cast<HWND>(info->hItemHandle)))
        return TRUE;
      break;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(Brush());
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush());
      return 1;
    }
    case WM_SIZE:
      RelayoutControls();
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Container::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* container =
        static_cast<Container*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    container->AttachWindow(window);
  }
  auto* container = static_cast<Container*>(FromWindow(window));
  if (!container)
    return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    LRESULT result = container->DefaultHandling(message, wParam, lParam);
    container->DetachWindow();
    return result;
  }
  try {
    return container->HandleMessage(message, wParam, lParam);
  } catch (...) {
    HandleCurrentException();
    return 0;
  }
}

// Panel

Panel::Panel(Container& parent, const Place& place, bool bevel) : Container(&parent, place) {
  SetColor(parent.Color());
  CreateContainerWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                        WS_EX_CONTROLPARENT | (bevel ? WS_EX_STATICEDGE : 0), parent.Handle());
}

}  // namespace kq::ui
