#pragma once
// A window procedure put in front of a window's own for as long as the object lives: the way
// an in-place editor (an edit box over a list cell) takes Enter, Escape and the loss of focus
// before the edit box acts on them.

#include <windows.h>

#include <functional>
#include <optional>

namespace kq::ui {

class WindowSubclass {
 public:
  // The handler's answer ends the message there; no answer passes it on to the window.
  using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM, LPARAM)>;

  WindowSubclass(HWND window, Handler handler);
  ~WindowSubclass();
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  HWND window_;
  Handler handler_;
};

}  // namespace kq::ui
