#include "ui/win32/Controls.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "common/Numbers.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Form.h"

namespace kq::ui {

// Button

namespace {

// The system's button takes BM_CLICK as a mouse press and release inside its area, so a
// button of no size (kept out of sight but reachable through its mnemonic, which the dialog
// manager presses with BM_CLICK) would never be clicked. It is told of the click directly.
LRESULT CALLBACK ClickWithoutArea(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  if (message == BM_CLICK) {
    RECT client{};
    GetClientRect(window, &client);
    if (IsRectEmpty(&client)) {
      SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
      return 0;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

Button::Button(Container& parent, const Place& place, const std::wstring& caption, int modalResult)
    : Control(parent, place, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, caption),
      modalResult_(modalResult) {
  SetWindowSubclass(Handle(), ClickWithoutArea, 0, 0);
}

void Button::SetDefault(bool isDefault) {
  SendMessageW(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  if (Form* form = OwningForm())
    form->SetDefaultButton(isDefault ? this : nullptr);
}

void Button::SetCancel(bool isCancel) {
  if (Form* form = OwningForm())
    form->SetCancelButton(isCancel ? this : nullptr);
}

void Button::Click() {
  if (OnClick)
    OnClick();
  if (modalResult_ != 0)
    if (Form* form = OwningForm())
      form->SetModalResult(modalResult_);
}

void Button::OnCommand(WORD code) {
  if (code == BN_CLICKED)
    Click();
}

// CheckBox

CheckBox::CheckBox(Container& parent, const Place& place, const std::wstring& caption)
    : Control(parent, place, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption) {}

bool CheckBox::Checked() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::OnCommand(WORD code) {
  if (code == BN_CLICKED && OnClick)
    OnClick();
}

// Label

namespace {

DWORD LabelStyle(TextAlign align, bool wordWrap) {
  switch (align) {
    case TextAlign::Center:
      return SS_CENTER;
    case TextAlign::Right:
      return SS_RIGHT;
    case TextAlign::Left:
      break;
  }
  return wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

}  // namespace

Label::Label(Container& parent, const Place& place, const std::wstring& caption, TextAlign align,
             bool wordWrap)
    : Control(parent, place, L"STATIC", LabelStyle(align, wordWrap) | SS_NOTIFY, 0, caption),
      wordWrap_(wordWrap) {}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize)
    FitToText();
}

void Label::SetShowAccelChar(bool show) {
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = show ? (style & ~static_cast<LONG_PTR>(SS_NOPREFIX)) : (style | SS_NOPREFIX);
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::Relayout() {
  Control::Relayout();
  if (autoSize_)
    FitToText();
}

void Label::FitToText() {
  RECT r = PixelRect();
  RECT text{0, 0, wordWrap_ ? r.right - r.left : 0, 0};
  std::wstring caption = Text();
  {
    win::WindowDC dc(Handle());
    win::SelectionGuard font(dc.get(), CurrentFont());
    DrawTextW(dc.get(), caption.empty() ? L" " : caption.c_str(), -1, &text,
              DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE));
  }
  Place place = Bounds();
  UINT dpi = Dpi();
  place.height = Unscale(text.bottom, dpi) + 1;
  if (!wordWrap_)
    place.width = Unscale(text.right, dpi) + 1;
  if (place.width != Bounds().width || place.height != Bounds().height)
    SetBounds(place);
}

// Edit and Memo

Edit::Edit(Container& parent, const Place& place, const std::wstring& text)
    : Edit(parent, place, ES_AUTOHSCROLL, text) {}

Edit::Edit(Container& parent, const Place& place, DWORD style, const std::wstring& text)
    : Control(parent, place, L"EDIT", WS_TABSTOP | style, WS_EX_CLIENTEDGE, text) {}

void Edit::SetReadOnly(bool readOnly) {
  SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void Edit::SetMaxLength(int length) {
  SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0);
}

void Edit::OnCommand(WORD code) {
  if (code == EN_CHANGE && OnChange)
    OnChange();
}

namespace {

DWORD MemoStyle(ScrollBars scrollBars) {
  DWORD style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (scrollBars == ScrollBars::Vertical || scrollBars == ScrollBars::Both)
    style |= WS_VSCROLL;
  if (scrollBars == ScrollBars::Horizontal || scrollBars == ScrollBars::Both)
    style |= WS_HSCROLL | ES_AUTOHSCROLL;
  return style;
}

}  // namespace

Memo::Memo(Container& parent, const Place& place, ScrollBars scrollBars)
    : Edit(parent, place, MemoStyle(scrollBars), {}) {}

std::vector<std::wstring> Memo::Lines() const {
  std::vector<std::wstring> lines;
  std::wstring text = Text();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void Memo::SetLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i)
    text += (i ? L"\r\n" : L"") + lines[i];
  SetText(text);
}

// SpinEdit

SpinEdit::SpinEdit(Container& parent, const Place& place, int minimum, int maximum, int value,
                   TextAlign align)
    : Control(parent, place, L"EDIT",
              WS_TABSTOP | ES_AUTOHSCROLL |
                  (align == TextAlign::Right    ? ES_RIGHT
                   : align == TextAlign::Center ? ES_CENTER
                                                : ES_LEFT),
              WS_EX_CLIENTEDGE),
      minimum_(minimum),
      maximum_(maximum) {
  arrows_ =
      CreateWindowExW(0, UPDOWN_CLASSW, L"",
                      WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT |
                          UDS_NOTHOUSANDS | UDS_HOTTRACK,
                      0, 0, 0, 0, parent.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  AttachArrows();
  SetValue(value);
}

void SpinEdit::AttachArrows() {
  SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
  SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(minimum_),
               static_cast<LPARAM>(maximum_));
}

void SpinEdit::Relayout() {
  Control::Relayout();
  if (arrows_)
    AttachArrows();  // the arrows take their width from the edit's new size again
}

int SpinEdit::Value() const {
  int typed = StrToIntDef(win::Core(Text()), minimum_);
  return std::clamp(typed, minimum_, maximum_);
}

void SpinEdit::SetValue(int value) {
  value = std::clamp(value, minimum_, maximum_);
  SendMessageW(arrows_, UDM_SETPOS32, 0, value);
  SetText(std::to_wstring(value));
}

void SpinEdit::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  AttachArrows();
  SetValue(Value());
}

void SpinEdit::OnCommand(WORD code) {
  if (code == EN_KILLFOCUS && Text() != std::to_wstring(Value()))
    SetValue(Value());  // a typed value out of range, or not a number, is put right
  if (code == EN_CHANGE && OnChange)
    OnChange();
}

// ComboList

ComboList::ComboList(Container& parent, const Place& place, const std::vector<std::wstring>& items)
    : Control(parent, place, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST) {
  SetItems(items);
}

void ComboList::SetItems(const std::vector<std::wstring>& items) {
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const auto& item : items)
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboList::Count() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
}

int ComboList::ItemIndex() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void ComboList::SetDropDownCount(int count) {
  SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
}

void ComboList::SetItemIndex(int index) {
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ComboList::OnCommand(WORD code) {
  if (code == CBN_SELCHANGE && OnChange)
    OnChange();
}

// GroupBox and RadioGroup

GroupBox::GroupBox(Container& parent, const Place& place, const std::wstring& caption)
    : Container(&parent, place) {
  SetColor(parent.Color());
  CreateContainerWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                        parent.Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  frame_ = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0,
                           client.right, client.bottom, Handle(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void GroupBox::SetCaption(const std::wstring& caption) {
  SetWindowTextW(frame_, caption.c_str());
}

void GroupBox::Relayout() {
  Container::Relayout();
  RECT client;
  GetClientRect(Handle(), &client);
  SetWindowPos(frame_, HWND_BOTTOM, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
  SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

class RadioGroup::Radio : public Control {
 public:
  Radio(Container& parent, const Place& place, const std::wstring& caption, bool first,
        RadioGroup& group)
      : Control(parent, place, L"BUTTON", BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0),
                0, caption),
        group_(group) {}
  void OnCommand(WORD code) override {
    if (code == BN_CLICKED && group_.OnClick)
      group_.OnClick();
  }

 private:
  RadioGroup& group_;
};

RadioGroup::RadioGroup(Container& parent, const Place& place, const std::wstring& caption,
                       const std::vector<std::wstring>& items, int columns)
    : GroupBox(parent, place, caption) {
  columns = std::max(columns, 1);
  int count = static_cast<int>(items.size());
  int rows = std::max((count + columns - 1) / columns, 1);
  int columnWidth = (place.width - 16) / columns;
  int rowHeight = std::max((place.height - 22) / rows, 17);
  for (int i = 0; i < count; ++i) {
    Place item{8 + (i / rows) * columnWidth, 16 + (i % rows) * rowHeight, columnWidth - 4, 17};
    buttons_.push_back(&Add<Radio>(item, items[static_cast<size_t>(i)], i == 0, *this));
  }
}

int RadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (SendMessageW(buttons_[i]->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED)
      return static_cast<int>(i);
  }
  return -1;
}

void RadioGroup::SetItemIndex(int index) {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    SendMessageW(buttons_[i]->Handle(), BM_SETCHECK,
                 static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

// ProgressBar

ProgressBar::ProgressBar(Container& parent, const Place& place)
    : Control(parent, place, PROGRESS_CLASSW, 0) {
  SendMessageW(Handle(), PBM_SETRANGE32, 0, 100);
}

void ProgressBar::SetPosition(int percent) {
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(std::clamp(percent, 0, 100)), 0);
}

int ProgressBar::Position() const {
  return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

// LinkLabel

LinkLabel::LinkLabel(Container& parent, const Place& place, const std::wstring& text,
                     std::wstring target)
    : Control(parent, place, WC_LINK, WS_TABSTOP, 0, L"<a>" + text + L"</a>"),
      text_(text),
      target_(std::move(target)) {}

void LinkLabel::Open() {
  ShellExecuteW(OwningForm() ? OwningForm()->Handle() : nullptr, L"open", target_.c_str(), nullptr,
                nullptr, SW_SHOWNORMAL);
}

HBRUSH LinkLabel::OnColor(HDC dc) {
  Control::OnColor(dc);
  // Wine's link control deletes the brush it is given, which would take the container's own
  // brush with it; the stock DC brush survives that.
  SetDCBrushColor(dc, Parent()->Color());
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

void LinkLabel::CenterOnText() {
  // LM_GETIDEALSIZE, which the headers here know by its older name, LM_GETIDEALHEIGHT: from
  // Windows Vista on, with a size to fill, it lays the text out as the control draws it.
  SIZE ideal{};
  SendMessageW(Handle(), LM_GETIDEALHEIGHT, static_cast<WPARAM>(Scale(1000, Dpi())),
               reinterpret_cast<LPARAM>(&ideal));
  if (ideal.cx <= 0)
    return;
  // The text starts where it is centred and may run on to the far edge, so that a font that
  // draws wider than it measures (Wine's does) clips nothing.
  Place place = Bounds();
  const int offset = std::max(0, (place.width - Unscale(ideal.cx, Dpi())) / 2);
  place.left += offset;
  place.width -= offset;
  SetBounds(place);
}

LRESULT LinkLabel::OnNotify(NMHDR& header) {
  if (header.code == NM_CLICK || header.code == NM_RETURN) {
    if (OnClick)
      OnClick();
    else
      Open();
  }
  return 0;
}

// Image

Image::Image(Container& parent, const Place& place)
    : Control(parent, place, L"STATIC", SS_ICON | SS_CENTERIMAGE) {}

void Image::SetIcon(HICON icon) {
  SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void Image::SetIconResource(const wchar_t* name) {
  resource_ = name;
  resourceDpi_ = 0;
  Relayout();
}

void Image::Relayout() {
  Control::Relayout();
  if (!resource_ || resourceDpi_ == Dpi())
    return;
  resourceDpi_ = Dpi();
  const RECT r = PixelRect();
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  // Shared icons belong to the system's cache, which frees them with the module.
  SetIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), resource_, IMAGE_ICON, size, size, LR_SHARED)));
}

}  // namespace kq::ui
