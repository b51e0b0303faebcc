#include "ui/win32/CustomControl.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Handles.h"

namespace kq::ui {
namespace {

SCROLLINFO ScrollInfo(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  return info;
}

}  // namespace

CustomControl::CustomControl(Container& parent, const Place& place, DWORD style, DWORD exStyle)
    : Container(&parent, place) {
  SetColor(GetSysColor(COLOR_WINDOW));
  CreateContainerWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, exStyle, parent.Handle());
}

SIZE CustomControl::ClientSize() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return {client.right, client.bottom};
}

void CustomControl::PaintBuffered() {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(Handle(), &paint);
  const RECT& dirty = paint.rcPaint;
  const int width = dirty.right - dirty.left;
  const int height = dirty.bottom - dirty.top;
  if (width > 0 && height > 0) {
    win::UniqueDC memory(CreateCompatibleDC(screen));
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    {
      win::SelectionGuard selected(memory.get(), bitmap.get());
      // The buffer's origin is the dirty rectangle's corner; the control draws in client
      // coordinates.
      SetViewportOrgEx(memory.get(), -dirty.left, -dirty.top, nullptr);
      FillRect(memory.get(), &dirty, Brush());
      Paint(memory.get(), dirty);
      BitBlt(screen, dirty.left, dirty.top, width, height, memory.get(), dirty.left, dirty.top,
             SRCCOPY);
    }
  }
  EndPaint(Handle(), &paint);
}

void CustomControl::SetScrollRange(int bar, int last, int page) {
  SCROLLINFO info = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
  info.nMin = 0;
  info.nMax = std::max(0, last);
  info.nPage = static_cast<UINT>(std::max(0, page));
  SetScrollInfo(Handle(), bar, &info, TRUE);
}

int CustomControl::ScrollPosition(int bar) const {
  SCROLLINFO info = ScrollInfo(SIF_POS);
  GetScrollInfo(Handle(), bar, &info);
  return info.nPos;
}

bool CustomControl::ScrollTo(int bar, int position) {
  const int before = ScrollPosition(bar);
  SCROLLINFO info = ScrollInfo(SIF_POS);
  info.nPos = position;
  SetScrollInfo(Handle(), bar, &info, TRUE);
  if (ScrollPosition(bar) == before)
    return false;
  OnScrolled(bar);
  return true;
}

void CustomControl::Scroll(int bar, WORD request) {
  SCROLLINFO info = ScrollInfo(SIF_ALL);
  GetScrollInfo(Handle(), bar, &info);
  int position = info.nPos;
  const int page = std::max(1, static_cast<int>(info.nPage));
  switch (request) {
    case SB_LINEUP:
      position -= 1;
      break;
    case SB_LINEDOWN:
      position += 1;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = info.nMin;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  ScrollTo(bar, position);
}

LRESULT CustomControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintBuffered();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the whole client area is painted from the buffer
    case WM_GETDLGCODE:
      return WantedKeys();
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      if (GetFocus() != Handle())
        ::SetFocus(Handle());
      OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocusChanged(message == WM_SETFOCUS);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam == 0) {  // the window's own bar, not a scroll bar control inside it
        Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      ScrollTo(SB_VERT, ScrollPosition(SB_VERT) - 3 * notches);
      return 0;
    }
    case WM_SIZE:
      OnSized();
      Invalidate();
      break;
  }
  return Container::HandleMessage(message, wParam, lParam);
}

}  // namespace kq::ui
