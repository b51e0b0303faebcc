#include "charmap/win32/CharGrid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/win32/Dpi.h"

namespace kq::win {

namespace {
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr int kHintDelayMs = 1000;
}  // namespace

CharGrid::CharGrid(ui::Container& parent, const ui::Place& place)
    : CustomControl(parent, place, WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE) {
  CreateTooltip();
}

CharGrid::~CharGrid() {
  if (accessible_) {
    accessible_->Disconnect();
    accessible_->Release();
  }
}

long CharGrid::SelectedIndex() const {
  auto index = geometry_.IndexOf(column_, row_);
  return index ? static_cast<long>(*index) : -1;
}

RECT CharGrid::CellScreenRect(long index) const {
  const int column = geometry_.ColumnOf(static_cast<std::size_t>(index));
  const int row = geometry_.RowOf(static_cast<std::size_t>(index)) - TopRow();
  RECT r{column * cellPixels_, row * cellPixels_, (column + 1) * cellPixels_,
         (row + 1) * cellPixels_};
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LRESULT CharGrid::AnswerGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT)
    return DefWindowProcW(Handle(), WM_GETOBJECT, wParam, lParam);
  if (!accessible_) {
    accessible_ = GridAccessible::Create(
        Handle(), {.Count = [this] { return static_cast<long>(characters_.size()); },
                   .Focused = [this] { return SelectedIndex(); },
                   .Name =
                       [this](long index) {
                         const char16_t c = characters_[static_cast<std::size_t>(index)];
                         return std::wstring(1, static_cast<wchar_t>(c)) + L" " +
                                (HintOf ? HintOf(c) : std::wstring());
                       },
                   .ScreenRect = [this](long index) { return CellScreenRect(index); }});
    if (!accessible_)
      return DefWindowProcW(Handle(), WM_GETOBJECT, wParam, lParam);
  }
  return LresultFromObject(__uuidof(IAccessible), wParam, accessible_);
}

void CharGrid::CreateTooltip() {
  tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_BALLOON | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!tooltip_)
    return;  // no hints, the grid works without them
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Handle());
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, kHintDelayMs);
  SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

POINT CharGrid::CellAt(POINT client) const {
  if (client.x < 0 || client.y < 0 || cellPixels_ <= 0 || client.x / cellPixels_ >= Columns())
    return {-1, -1};
  return {client.x / cellPixels_, TopRow() + client.y / cellPixels_};
}

LRESULT CharGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETOBJECT:
      return AnswerGetObject(wParam, lParam);
    case WM_MOUSEMOVE: {
      POINT cell = CellAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (cell.x != hovered_.x || cell.y != hovered_.y) {
        hovered_ = cell;
        // A new cell: the shown balloon goes, and the next one asks for this cell's text.
        SendMessageW(tooltip_.get(), TTM_POP, 0, 0);
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tooltip_.get() && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        const char16_t c = hovered_.x >= 0 ? CellCharacter(hovered_.x, hovered_.y) : 0;
        hint_ = c != 0 && HintOf ? HintOf(c) : std::wstring();
        info->lpszText = hint_.data();
        return 0;
      }
      break;
    }
  }
  return CustomControl::HandleMessage(message, wParam, lParam);
}

void CharGrid::SetCellFont(const std::wstring& face, int pointSize) {
  face_ = face;
  pointSize_ = std::max(1, pointSize);
  const UINT dpi = Dpi();
  fontDpi_ = dpi;
  cellPixels_ = MulDiv(2 * pointSize_, static_cast<int>(dpi), 96);
  font_.reset(CreateFontW(-MulDiv(pointSize_, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, 0, 0,
                          0, DEFAULT_CHARSET, 0, 0, 0, 0, face_.c_str()));
}

void CharGrid::SetCharacters(std::vector<char16_t> characters) {
  characters_ = std::move(characters);
  RECT window{};
  GetWindowRect(Handle(), &window);
  // The whole width, scroll bar included, sets the column count.
  geometry_ = kq::GridGeometry(window.right - window.left, cellPixels_, characters_.size());
  column_ = row_ = 0;
  UpdateScrollBar();
  ScrollTo(SB_VERT, 0);
  Invalidate();
}

int CharGrid::VisibleRows() const {
  return std::max(1, static_cast<int>(ClientSize().cy) / std::max(1, cellPixels_));
}

void CharGrid::UpdateScrollBar() {
  SetScrollRange(SB_VERT, std::max(0, Rows() - 1), VisibleRows());
}

void CharGrid::OnSized() {
  UpdateScrollBar();
}

void CharGrid::Relayout() {
  CustomControl::Relayout();
  if (fontDpi_ != 0 && Dpi() != fontDpi_) {
    const int column = column_, row = row_, top = TopRow();
    SetCellFont(face_, pointSize_);
    SetCharacters(std::move(characters_));
    column_ = column;
    row_ = row;
    SetTopRow(top);
  }
}

int CharGrid::TopRow() const {
  return ScrollPosition(SB_VERT);
}

void CharGrid::SetTopRow(int row) {
  ScrollTo(SB_VERT, row);
}

char16_t CharGrid::CellCharacter(int column, int row) const {
  auto index = geometry_.IndexOf(column, row);
  return index ? characters_[*index] : 0;
}

bool CharGrid::CellDimmed(int column, int row) const {
  char16_t c = CellCharacter(column, row);
  return c != 0 && IsDimmed(c);
}

void CharGrid::SelectCell(int column, int row) {
  if (Rows() == 0)
    return;
  column_ = std::clamp(column, 0, Columns() - 1);
  row_ = std::clamp(row, 0, Rows() - 1);
  MakeSelectionVisible();
  Invalidate();
  // Screen readers follow the focus from cell to cell.
  if (const long index = SelectedIndex(); index >= 0)
    NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, index + 1);
  if (OnSelectCell)
    OnSelectCell(column_, row_);
}

void CharGrid::MakeSelectionVisible() {
  if (row_ < TopRow())
    SetTopRow(row_);
  else if (row_ >= TopRow() + VisibleRows())
    SetTopRow(row_ - VisibleRows() + 1);
}

void CharGrid::OnKeyDown(UINT key) {
  switch (key) {
    case VK_LEFT:
      SelectCell(column_ - 1, row_);
      break;
    case VK_RIGHT:
      SelectCell(column_ + 1, row_);
      break;
    case VK_UP:
      SelectCell(column_, row_ - 1);
      break;
    case VK_DOWN:
      SelectCell(column_, row_ + 1);
      break;
    case VK_PRIOR:
      SelectCell(column_, row_ - VisibleRows());
      break;
    case VK_NEXT:
      SelectCell(column_, row_ + VisibleRows());
      break;
    case VK_HOME:
      SelectCell(0, GetKeyState(VK_CONTROL) < 0 ? 0 : row_);
      break;
    case VK_END:
      SelectCell(Columns() - 1, GetKeyState(VK_CONTROL) < 0 ? Rows() - 1 : row_);
      break;
  }
}

void CharGrid::OnMouseDown(POINT client) {
  POINT cell = CellAt(client);
  if (cell.x >= 0)
    SelectCell(cell.x, cell.y);
}

void CharGrid::OnDoubleClick(POINT client) {
  OnMouseDown(client);
  if (OnDblClick)
    OnDblClick();
}

void CharGrid::Paint(HDC dc, const RECT& dirty) {
  if (Rows() == 0)
    return;
  SelectionGuard font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  HPEN gridPen = static_cast<HPEN>(GetStockObject(DC_PEN));
  SetDCPenColor(dc, GetSysColor(COLOR_BTNFACE));
  SelectionGuard pen(dc, gridPen);
  const int top = TopRow();
  const int firstRow = top + static_cast<int>(dirty.top) / cellPixels_;
  const int lastRow = std::min(Rows() - 1, top + static_cast<int>(dirty.bottom) / cellPixels_);
  const int lastColumn = std::min(Columns() - 1, static_cast<int>(dirty.right) / cellPixels_);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = static_cast<int>(dirty.left) / cellPixels_; column <= lastColumn; ++column) {
      RECT cell{column * cellPixels_, (row - top) * cellPixels_, (column + 1) * cellPixels_,
                (row - top + 1) * cellPixels_};
      const bool selected = column == column_ && row == row_;
      if (selected)
        FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
      MoveToEx(dc, cell.right - 1, cell.top, nullptr);
      LineTo(dc, cell.right - 1, cell.bottom - 1);
      LineTo(dc, cell.left - 1, cell.bottom - 1);
      if (wchar_t c = CellCharacter(column, row)) {
        ::SetTextColor(dc, selected      ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                           : IsDimmed(c) ? kSilver
                                         : GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, &c, 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
    }
  }
}

}  // namespace kq::win
