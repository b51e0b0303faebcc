#include "app/win32/Keyquillfrm.h"

#include <string>

#include "app/win32/Trace.h"
#include "common/Errors.h"
#include "common/Text.h"
#include "common/win32/Files.h"
#include "errorreport/win32/ErrorEntry.h"

namespace kq::app {

namespace {

constexpr char16_t kNoSection[] = u"";

// What the hook decided, for the tests that watch the program from another process.
void TraceKey(const compose::KeyEvent& event, compose::KeyAction action) {
  Trace(u"Key " + IntToStr(event.virtualKey) + (event.down ? u" down " : u" up ") +
        (action == compose::KeyAction::Stop ? u"stopped" : u"passed"));
}

// The folder of the running executable, with its trailing backslash.
std::u16string ExecutableFolder() {
  std::u16string path = win::ExecutablePath();
  return path.substr(0, path.find_last_of(u'\\') + 1);
}

}  // namespace

TKeyquillForm::TKeyquillForm(ui::Application& application, ProgramObjects& objects)
    : application_(application),
      objects_(objects),
      hook_(*SharedData, application.Module()),
      composeOutput_(
          *SharedData, objects.CodePage(),
          [](const TSeqType& sequence) { return SequenceList->TranslateSeq(sequence); }, output_) {
  hook_.SetObserver(TraceKey);
  SharedData->SetDefaultKey(0);
  try {
    SequenceList->InitList(*SettingsStore, win::GetAppDataFolder(), ExecutableFolder());
  } catch (const Error& error) {
    // The program goes on with what the list holds; the hook is installed all the same.
    win::ReportException(error);
  }
  application_.SetMessageFilter([this](MSG& msg) { return AppMessage(msg); });
  const std::int32_t delay = SharedData->DelayHook();
  if (delay <= 0) {
    hook_.InstallKeyHook(application_.Handle());
    if (SettingsStore->ReadBool(kNoSection, u"Disabled", false)) {
      Disabled = false;
      Disable1Click();
    }
  } else {
    SetIconState(kIconOff);
    const UINT milliseconds = delay >= static_cast<std::int32_t>(USER_TIMER_MAXIMUM / 1000)
                                  ? USER_TIMER_MAXIMUM
                                  : static_cast<UINT>(delay) * 1000;
    delayTimerRunning_ = SetTimer(application_.Handle(), kDelayTimer, milliseconds, nullptr) != 0;
    Disabled = true;
  }
}

TKeyquillForm::~TKeyquillForm() {
  StopDelayTimer();
  application_.SetMessageFilter(nullptr);
  objects_.FreeSettingsStore();
  hook_.RemoveKeyHook();
}

bool TKeyquillForm::AppMessage(MSG& msg) {
  if (msg.message == SharedData->WM_ToggleIcon()) {
    SetIconState(msg.wParam == 1 ? kIconCompose : kIconReady);
    return true;
  }
  if (msg.message == SharedData->WM_TranslateKeys()) {
    TranslateKeys(static_cast<std::uint16_t>(msg.wParam & 0xFFFF),
                  static_cast<std::uint16_t>((msg.wParam >> 16) & 0xFFFF),
                  reinterpret_cast<HWND>(msg.lParam));
    return true;
  }
  if (msg.message == SharedData->WM_ShowOptDlg()) {
    if (!DialogOpen) {
      Trace(u"ShowOptDlg " + IntToStr(static_cast<long long>(msg.wParam)) + u" " +
            IntToStr(static_cast<long long>(msg.lParam)));
    }
    return true;
  }
  if (msg.message == WM_TIMER && msg.hwnd == application_.Handle() && msg.wParam == kDelayTimer) {
    DelayTimerTimer();
    return true;
  }
  return false;
}

void TKeyquillForm::TranslateKeys(std::uint16_t char1, std::uint16_t char2, HWND wnd) {
  composeOutput_.TranslateKeys(char1, char2, reinterpret_cast<std::uintptr_t>(wnd));
}

void TKeyquillForm::SetIconState(int state) {
  iconState_ = state;
  Trace(u"IconState " + IntToStr(state));
}

void TKeyquillForm::Disable1Click() {
  if (Disabled) {
    // Enabling ends a start-up delay that is still running: the hook is there now.
    StopDelayTimer();
    hook_.InstallKeyHook(application_.Handle());
    Disabled = false;
    SetIconState(kIconReady);
  } else {
    hook_.RemoveKeyHook();
    Disabled = true;
    SetIconState(kIconOff);
  }
}

void TKeyquillForm::DelayTimerTimer() {
  SetIconState(kIconReady);
  StopDelayTimer();
  hook_.InstallKeyHook(application_.Handle());
  Disabled = false;
}

void TKeyquillForm::StopDelayTimer() {
  if (delayTimerRunning_)
    KillTimer(application_.Handle(), kDelayTimer);
  delayTimerRunning_ = false;
}

}  // namespace kq::app
