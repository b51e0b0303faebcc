#include "compose/win32/KeyboardHook.h"

#include <stdexcept>
#include <utility>

#include "common/Product.h"
#include "compose/HookWatchdog.h"
#include "platform/win32/Wide.h"

namespace kq::win {

namespace {

KeyboardHook* theHook = nullptr;

constexpr wchar_t kReportWindowClass[] = L"KeyquillHookReports";
constexpr UINT kShowPendingError = WM_APP + 1;

INPUT MaskingInput(bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(compose::kMaskingKey);
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  input.ki.dwExtraInfo = compose::kOwnKeyMark;
  return input;
}

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

void Win32KeyHookSystem::SendMaskingKey() {
  INPUT keys[] = {MaskingInput(true), MaskingInput(false)};
  SendInput(2, keys, sizeof(INPUT));
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
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ReportWindowProc;
  windowClass.hInstance = module;
  windowClass.lpszClassName = kReportWindowClass;
  RegisterClassExW(&windowClass);
  reportWindow_.reset(CreateWindowExW(0, kReportWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, module, nullptr));
  if (!reportWindow_)
    throw std::runtime_error("cannot create the hook's report window");
  theHook = this;
}

KeyboardHook::~KeyboardHook() {
  RemoveKeyHook();
  theHook = nullptr;
}

void KeyboardHook::InstallKeyHook(HWND window) {
  thread_.Invoke([&] {
    settings_.SetParentHandle(reinterpret_cast<std::uintptr_t>(window));
    if (installed_)
      return;
    SetHook();
    installed_ = static_cast<bool>(hook_);
    if (installed_)
      watchdog_ =
          SetTimer(nullptr, 0, static_cast<UINT>(compose::kWatchdogPeriod.count()), WatchdogTick);
  });
  if (!installed_)
    MessageBoxW(window, kHookNotInstalled, Wide(kProductName).c_str(), MB_OK);
}

void KeyboardHook::RemoveKeyHook() {
  thread_.Invoke([&] {
    if (watchdog_)
      KillTimer(nullptr, watchdog_);
    watchdog_ = 0;
    hook_.reset();
    installed_ = false;
    settings_.SetHook(0);
  });
}

void KeyboardHook::DropHookUnnoticed() {
  thread_.Invoke([&] { UnhookWindowsHookEx(hook_.get()); });
}

void KeyboardHook::SetHook() {
  // Never two at once: the old hook goes before the new one comes.
  hook_.reset();
  hook_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, module_, 0));
  settings_.SetHook(reinterpret_cast<std::uintptr_t>(hook_.get()));
  lastSeen_ = GetTickCount();
  inputAtLastCheck_ = lastSeen_;
}

void KeyboardHook::CheckHook() {
  LASTINPUTINFO lastInput{sizeof lastInput, 0};
  if (!installed_ || !GetLastInputInfo(&lastInput))
    return;
  // Input of the last moment may still be on its way to the hook: only input that the system
  // had seen at the check before and the hook has not seen since counts as missed. A stream
  // of keys then never makes the watchdog remove a working hook, letting keys pass meanwhile.
  const DWORD inputBefore = std::exchange(inputAtLastCheck_, lastInput.dwTime);
  if (!compose::HookMissedInput(inputBefore, lastSeen_))
    return;
  SetHook();
  if (reinstalled_)
    reinstalled_();
}

void CALLBACK KeyboardHook::WatchdogTick(HWND, UINT, UINT_PTR, DWORD) {
  if (theHook)
    theHook->CheckHook();
}

LRESULT CALLBACK KeyboardHook::KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && theHook) {
    const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    // Seen now, or at the event's own time when that is later: Wine stamps injected events a
    // few milliseconds behind the clock GetLastInputInfo reports on, which would make the
    // watchdog count a key the hook saw as missed. Never backwards.
    DWORD seen = GetTickCount();
    if (compose::HookMissedInput(record->time, seen))
      seen = record->time;
    if (compose::HookMissedInput(seen, theHook->lastSeen_))
      theHook->lastSeen_ = seen;
    const compose::KeyEvent event{code, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN,
                                  record->vkCode, record->flags, record->dwExtraInfo};
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
  if (reportPending_.exchange(true))
    return;
  pendingError_ = std::move(error);
  PostMessageW(reportWindow_.get(), kShowPendingError, 0, 0);
}

LRESULT CALLBACK KeyboardHook::ReportWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message != kShowPendingError || !theHook)
    return DefWindowProcW(window, message, wParam, lParam);
  try {
    std::rethrow_exception(theHook->pendingError_);
  } catch (const std::exception& error) {
    theHook->errors_.ReportException(error);
  }
  theHook->pendingError_ = nullptr;
  theHook->reportPending_ = false;
  return 0;
}

}  // namespace kq::win
