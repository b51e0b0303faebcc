#pragma once
// The shell's notification area as the main window uses it: one call a change of the icon.
// The calls cross to the shell's process and can take long, so they run on a thread of their
// own, in the order asked for: the compose-mode icon never holds up the output of a pair on
// the user-interface thread. Every call is traced (see Trace.h). For the tests, the environment
// variable KEYQUILL_TRAY_REFUSE=n makes the first n calls fail as they do while the shell is not
// ready; the program never sets it.

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string_view>

#include "platform/win32/MessageThread.h"

namespace kq::app {

class TrayShell {
 public:
  TrayShell();

  // Shell_NotifyIconW on the tray's thread, waited for; iconName names the icon the record
  // carries, for the trace.
  bool Notify(DWORD message, NOTIFYICONDATAW& data, std::wstring_view iconName);
  // Runs the work on the tray's thread without waiting, after every call asked for before it.
  // The work must not throw.
  void Later(std::function<void()> work) { thread_.Post(std::move(work)); }

 private:
  bool Call(DWORD message, NOTIFYICONDATAW& data, std::wstring_view iconName);

  int refusalsLeft_ = 0;       // on the tray's thread only
  win::MessageThread thread_;  // last: it ends first, while the rest still exists
};

}  // namespace kq::app
