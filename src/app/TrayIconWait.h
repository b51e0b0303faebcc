#pragma once
// Adding the tray icon at start-up, when the shell may not be ready yet: the first attempt
// at once, then passes of attempts two seconds apart, each pass as long as half the start-up
// timeout, and after each failed pass the question whether to keep waiting.

#include <cstdint>

#include "platform/WindowsRelease.h"

namespace kq::app {

class TrayIconAdder {
 public:
  virtual ~TrayIconAdder() = default;
  // One attempt: add the icon, or modify it when the shell has it already.
  virtual bool TryAddIcon() = 0;
  virtual void Pause(int milliseconds) = 0;
  // The start-up timeout in seconds, read anew for each pass.
  virtual std::int32_t StartTimeout() = 0;
  // Asks whether to keep waiting (the user may change the timeout meanwhile).
  virtual bool KeepWaiting() = 0;
};

// True when the icon was added; false when the user chose to stop waiting.
bool AddTrayIconWaiting(TrayIconAdder& adder);

// The form of the shell's icon record that the release understands: the first one (before
// Windows 2000), that of Windows 2000, that of Windows XP and Server 2003, and the full one
// from Vista on. Their sizes depend on the build's pointer size (Win32 side).
enum class IconDataVersion { V1, V2, V3, Full };
IconDataVersion IconDataVersionFor(const platform::WindowsRelease& release);

}  // namespace kq::app
