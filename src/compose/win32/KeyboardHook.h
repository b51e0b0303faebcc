#pragma once
// The system-wide low-level keyboard hook and the Win32 side of the compose engine: the key
// translation, focus and posting that the portable state machine and output reach through
// their interfaces.

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <utility>

#include "common/ErrorMessages.h"
#include "compose/KeyHook.h"
#include "compose/Translation.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageThread.h"

namespace kq::win {

inline constexpr wchar_t kHookNotInstalled[] = L"Hook not installed properly.";

// GetKeyboardState and ToAscii on the hook's thread, the focus of the foreground
// application through AttachThreadInput, PostMessageW, Sleep.
class Win32KeyHookSystem : public compose::KeyHookSystem {
 public:
  compose::TypedKey TypeKey(std::uint32_t virtualKey) override;
  std::uintptr_t FocusedWindow() override;
  std::uintptr_t ForegroundWindow() override;
  void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  void Sleep(std::chrono::milliseconds duration) override;
  void SendMaskingKey() override;
};

class Win32OutputSystem : public compose::OutputSystem {
 public:
  void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  void Beep() override;
};

// The WH_KEYBOARD_LL hook with the compose state behind it. The hook runs on a thread of its
// own, which does the hook and nothing else, so that no work of the user-interface thread can
// hold up the system's keyboard or make Windows drop the hook; install and remove go through
// that thread. One object exists at a time, and it installs at most one hook; the compose state
// lives as long as the object, across removing and installing again. A watchdog on the hook's
// thread installs the hook again when the system saw input that the hook never saw.
class KeyboardHook {
 public:
  // Told of every event the state machine decided, after it decided; on the hook's thread.
  using Observer = std::function<void(const compose::KeyEvent&, compose::KeyAction)>;

  // errors shows an error met inside the hook, on the thread that made this object, once the
  // hook has returned.
  KeyboardHook(ComposeSettings& settings, ErrorMessages& errors, HINSTANCE module);
  ~KeyboardHook();
  KeyboardHook(const KeyboardHook&) = delete;
  KeyboardHook& operator=(const KeyboardHook&) = delete;

  // Makes window the receiver of the hook's messages and installs the hook unless it is
  // installed already. A refusal is shown in a message box owned by window; the program goes
  // on without a hook.
  void InstallKeyHook(HWND window);
  // Removes the hook if it is installed; the compose state stays as it is.
  void RemoveKeyHook();
  bool Installed() const { return installed_; }

  // Set before the hook is installed.
  void SetObserver(Observer observer) { observer_ = std::move(observer); }
  // Told on the hook's thread each time the watchdog installed the hook again.
  void SetReinstallObserver(std::function<void()> observer) { reinstalled_ = std::move(observer); }
  // Read while the hook is removed, or from the observer.
  const compose::KeyHook& Machine() const { return machine_; }
  DWORD ThreadId() const { return thread_.Id(); }

  // For the tests: removes the hook the way Windows does when it answers too slowly, without
  // the program knowing.
  void DropHookUnnoticed();

 private:
  static LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK WatchdogTick(HWND, UINT, UINT_PTR, DWORD);
  // On the hook's thread.
  void SetHook();
  void CheckHook();
  // An error met inside the hook is handed to the reports window, one at a time.
  void ReportLater(std::exception_ptr error);
  static LRESULT CALLBACK ReportWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  ComposeSettings& settings_;
  ErrorMessages& errors_;
  HINSTANCE module_;
  Win32KeyHookSystem system_;
  compose::KeyHook machine_;
  Observer observer_;
  std::function<void()> reinstalled_;
  // A message-only window of the thread that made this object, where errors are shown.
  UniqueWindow reportWindow_;
  // Set by the hook's thread when it hands an error over, cleared by the reports window
  // once it was shown.
  std::atomic<bool> reportPending_{false};
  std::exception_ptr pendingError_;
  // On the hook's thread only, apart from the waits of install and remove.
  UniqueHook hook_;
  bool installed_ = false;
  UINT_PTR watchdog_ = 0;
  DWORD lastSeen_ = 0;          // tick count of the last event the hook saw
  DWORD inputAtLastCheck_ = 0;  // the system's last input time at the watchdog's last look
  MessageThread thread_;        // last: it ends first, while the rest still exists
};

}  // namespace kq::win
