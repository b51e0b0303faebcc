#pragma once
// The system-wide low-level keyboard hook and the Win32 side of the compose engine: the key
// translation, focus and posting that the portable state machine and output reach through
// their interfaces.

#include <windows.h>

#include <exception>
#include <functional>
#include <utility>

#include "common/ErrorMessages.h"
#include "compose/KeyHook.h"
#include "compose/Translation.h"
#include "platform/win32/Handles.h"

namespace kq::win {

inline constexpr wchar_t kHookNotInstalled[] = L"Hook not installed properly.";

// GetKeyboardState and ToAscii on the program's own thread, the focus of the foreground
// application through AttachThreadInput, PostMessageW, Sleep.
class Win32KeyHookSystem : public compose::KeyHookSystem {
 public:
  compose::TypedKey TypeKey(std::uint32_t virtualKey) override;
  std::uintptr_t FocusedWindow() override;
  std::uintptr_t ForegroundWindow() override;
  void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  void Sleep(std::chrono::milliseconds duration) override;
};

class Win32OutputSystem : public compose::OutputSystem {
 public:
  void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  void Beep() override;
};

// The WH_KEYBOARD_LL hook with the compose state behind it. One object exists at a time, and
// it installs at most one hook; the compose state lives as long as the object, across
// removing and installing again.
class KeyboardHook {
 public:
  // Told of every event the state machine decided, after it decided.
  using Observer = std::function<void(const compose::KeyEvent&, compose::KeyAction)>;

  // errors shows an error met inside the hook, once the hook has returned.
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
  bool Installed() const { return static_cast<bool>(hook_); }

  void SetObserver(Observer observer) { observer_ = std::move(observer); }
  const compose::KeyHook& Machine() const { return machine_; }

 private:
  static LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
  // An error met inside the hook is shown once the hook has returned, from the message loop.
  void ReportLater(std::exception_ptr error);
  static void CALLBACK ReportPending(HWND, UINT, UINT_PTR timer, DWORD);

  ComposeSettings& settings_;
  ErrorMessages& errors_;
  HINSTANCE module_;
  Win32KeyHookSystem system_;
  compose::KeyHook machine_;
  Observer observer_;
  UniqueHook hook_;
};

}  // namespace kq::win
