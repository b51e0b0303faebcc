#include "ui/win32/Subclass.h"

#include <commctrl.h>

#include <stdexcept>

#include "ui/win32/UiErrors.h"

namespace kq::ui {

WindowSubclass::WindowSubclass(HWND window, Handler handler)
    : window_(window), handler_(std::move(handler)) {
  if (!SetWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<DWORD_PTR>(this)))
    throw std::runtime_error("cannot subclass a window");
}

WindowSubclass::~WindowSubclass() {
  if (IsWindow(window_))
    RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self) {
  if (message == WM_NCDESTROY)
    RemoveWindowSubclass(window, Procedure, id);
  else {
    try {
      if (auto answer = reinterpret_cast<WindowSubclass*>(self)->handler_(message, wParam, lParam))
        return *answer;
    } catch (...) {
      HandleCurrentException();
      return 0;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kq::ui
