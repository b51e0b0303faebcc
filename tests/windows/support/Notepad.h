#pragma once
// Wine's Notepad, an application nobody here wrote, driven from the test process: started in
// the test's Wine session, brought to the foreground, and read back through its edit control
// with WM_GETTEXT, as another process reads any window.

#include <windows.h>

#include <chrono>
#include <string>

#include "platform/win32/Handles.h"

namespace kq::testing {

class Notepad {
 public:
  Notepad() = default;
  ~Notepad();  // ends Notepad without asking to save
  Notepad(const Notepad&) = delete;
  Notepad& operator=(const Notepad&) = delete;

  // Starts C:\windows\system32\notepad.exe and waits until its window is in the foreground
  // with the focus in its edit control.
  void Start();
  HWND Window() const { return window_; }

  // The edit control's whole text.
  std::wstring Text() const;
  // Empties the edit control.
  void Clear() const;
  // Waits until the text is exactly that; false when it was not in time.
  bool WaitForText(const std::wstring& text,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  // A visible popup menu window (class "#32768") of any process: Notepad's menu mode shows
  // one as soon as a character opens a menu.
  static bool MenuOpen();

 private:
  win::UniqueHandle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

}  // namespace kq::testing
