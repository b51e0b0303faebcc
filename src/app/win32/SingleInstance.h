#pragma once
// One Keyquill per log-on session. The first instance holds the session mutex and publishes
// its application window; a second instance finds that window to pass a request on.

#include <windows.h>

#include <memory>

#include "platform/win32/Handles.h"

namespace kq::app {

// Security attributes whose descriptor has a present but NULL DACL, so that every account
// may open the objects created with them.
class OpenSecurityAttributes {
 public:
  OpenSecurityAttributes();  // raises the system's error when the descriptor cannot be built
  SECURITY_ATTRIBUTES* get() { return &attributes_; }

 private:
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
};

class SingleInstance {
 public:
  static constexpr wchar_t kSessionMutex[] = L"Run only one Keyquill";
  static constexpr wchar_t kGlobalMutex[] = L"Global\\Run only one Keyquill2";

  // Takes the session mutex. A mutex that cannot be created counts as a running instance.
  SingleInstance();

  bool IsFirst() const { return first_; }

  // For the first instance: the system-wide mutex, whose result is not looked at.
  void CreateGlobalMutex();
  // For the first instance: publishes the window that receives requests from later starts.
  void PublishWindow(HWND applicationWindow);

  // For a second instance: the running instance's application window, or null when there is
  // none to be found. Waits a little for an instance that is still starting.
  static HWND FindRunningInstanceWindow();

 private:
  OpenSecurityAttributes security_;
  win::UniqueHandle sessionMutex_;
  win::UniqueHandle globalMutex_;
  win::UniqueHandle published_;
  bool first_ = false;
};

}  // namespace kq::app
