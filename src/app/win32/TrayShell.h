#pragma once
// The shell's notification area as the main window uses it: one call a change of the icon.
// Every call is traced (see Trace.h). For the tests, the environment variable
// KEYQUILL_TRAY_REFUSE=n makes the first n calls fail as they do while the shell is not
// ready; the program never sets it.

#include <windows.h>

#include <shellapi.h>

#include <string_view>

namespace kq::app {

class TrayShell {
 public:
  TrayShell();

  // Shell_NotifyIconW; iconName names the icon the record carries, for the trace.
  bool Notify(DWORD message, NOTIFYICONDATAW& data, std::wstring_view iconName);

 private:
  int refusalsLeft_ = 0;
};

}  // namespace kq::app
