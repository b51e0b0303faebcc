#include "compose/win32/KeyboardHook.h"

#include <stdexcept>

#include "common/Product.h"
#include "platform/win32/Wide.h"

namespace kq::win {

namespace {

KeyboardHook* theHook = nullptr;
std::exception_ptr pendingError;
ErrorMessages* pendingReporter = nullptr;

}  // namespace

compose::TypedKey Win32KeyHookSystem::TypeKey(std::uint32_t virtualKey) {
  // Reading one key's state first brings the thread's key state up to date with the input
  // that went to other threads.
  GetKeyState(VK_SHIFT);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  WORD buffer = 0;
  const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  const int result = ToAscii(virtualKey, scanCode, keys, &buffer, 0);
  if (result < 0)
    return {true, 0};
  // A stored dead key that does not combine gives two bytes, the first in the low byte.
  return {false, result == 0 ? std::uint16_t{0} : static_cast<std::uint16_t>(buffer)};
}

std::uintptr_t Win32KeyHookSystem::FocusedWindow() {
  const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD own = GetCurrentThreadId();
  // The program's thread joins the foreground thread's input, not the other way round: Wine
  // gives the thread named first a fresh input state when they part, and that must not be
  // the foreground thread, whose keyboard input would then go nowhere.
  AttachThreadInput(own, foreground, TRUE);
  HWND focus = GetFocus();
  AttachThreadInput(own, foreground, FALSE);
  return reinterpret_cast<std::uintptr_t>(focus);
}

std::uintptr_t Win32KeyHookSystem::ForegroundWindow() {
  return reinterpret_cast<std::uintptr_t>(GetForegroundWindow());
}

void Win32KeyHookSystem::Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
  PostMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

void Win32KeyHookSystem::Sleep(std::chrono::milliseconds duration) {
  ::Sleep(static_cast<DWORD>(duration.count()));
}

void Win32OutputSystem::Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
  PostMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

void Win32OutputSystem::Beep() {
  MessageBeep(0xFFFFFFFF);
}

KeyboardHook::KeyboardHook(ComposeSettings& settings, ErrorMessages& errors, HINSTANCE module)
    : settings_(settings), errors_(errors), module_(module), machine_(settings, system_) {
  if (theHook)
    throw std::logic_error("a keyboard hook exists already");
  theHook = this;
}

KeyboardHook::~KeyboardHook() {
  RemoveKeyHook();
  theHook = nullptr;
}

void KeyboardHook::InstallKeyHook(HWND window) {
  settings_.SetParentHandle(reinterpret_cast<std::uintptr_t>(window));
  if (hook_)
    return;
  hook_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, module_, 0));
  settings_.SetHook(reinterpret_cast<std::uintptr_t>(hook_.get()));
  if (!hook_)
    MessageBoxW(window, kHookNotInstalled, Wide(kProductName).c_str(), MB_OK);
}

void KeyboardHook::RemoveKeyHook() {
  hook_.reset();
  settings_.SetHook(0);
}

LRESULT CALLBACK KeyboardHook::KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && theHook) {
    const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const compose::KeyEvent event{code, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN,
                                  record->vkCode, record->flags};
    try {
      const compose::KeyAction action = theHook->machine_.KeyboardHook(event);
      if (theHook->observer_)
        theHook->observer_(event, action);
      if (action == compose::KeyAction::Stop)
        return 1;
    } catch (const std::exception&) {
      theHook->ReportLater(std::current_exception());
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void KeyboardHook::ReportLater(std::exception_ptr error) {
  // One report at a time: while it waits or is shown, later errors pass unreported.
  if (pendingError)
    return;
  pendingError = std::move(error);
  pendingReporter = &errors_;
  SetTimer(nullptr, 0, 0, ReportPending);
}

void CALLBACK KeyboardHook::ReportPending(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  try {
    std::rethrow_exception(pendingError);
  } catch (const std::exception& error) {
    pendingReporter->ReportException(error);
  }
  pendingError = nullptr;
  pendingReporter = nullptr;
}

}  // namespace kq::win
