// The low-level keyboard hook in this process: one hook at most, the events it hands to the
// state machine, and an error inside the hook shown once the hook has returned.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "compose/HookWatchdog.h"
#include "compose/win32/KeyboardHook.h"
#include "dialogs/win32/MessageBoxes.h"
#include "errorreport/win32/ErrorEntry.h"
#include "fakes/SettingsFixture.h"
#include "platform/win32/Win32Registry.h"
#include "settings/Globals.h"
#include "support/KeyTarget.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

class KeyboardHook : public CleanProgramState, protected ProgramSettings<win::Win32Registry> {
 protected:
  struct SeenEvent {
    compose::KeyEvent event;
    compose::KeyAction action;
    DWORD thread;
  };

  void SetUp() override {
    application.SetTitle(L"Keyquill");
    // Told on the hook's thread.
    hook.SetObserver([this](const compose::KeyEvent& event, compose::KeyAction action) {
      std::lock_guard lock(seenLock);
      seen.push_back({event, action, GetCurrentThreadId()});
    });
  }
  void TearDown() override {
    hook.RemoveKeyHook();  // a sender waiting for the hook goes on
    if (sender.joinable())
      sender.join();
  }

  // Lets the hook see the keys sent so far: it runs while this thread takes its messages.
  void RunUntilSeen(std::size_t count) {
    DWORD deadline = GetTickCount() + 10000;
    ui::Timer poll(20, [] {});
    poll.SetEnabled(true);
    // Never done: when the keys are not seen in time, it closes whatever box is in the way.
    UiSteps guard({[] { return false; }}, 10000);
    application.RunUntil([&] { return Seen().size() >= count || GetTickCount() > deadline; });
  }

  std::vector<SeenEvent> Seen() {
    std::lock_guard lock(seenLock);
    return seen;
  }

  // The sender waits for the hook's answers; this thread goes on meanwhile.
  void SendFromAnotherThread(std::initializer_list<KeyStroke> strokes) {
    std::vector<KeyStroke> keys(strokes);
    sender = std::thread([keys] {
      for (const auto& key : keys)
        SendKeys({key});
    });
  }

  ui::Application application{GetModuleHandleW(nullptr)};
  win::Win32ErrorMessages reports;  // the program's own boxes show what the hook met
  win::KeyboardHook hook{shared, reports, GetModuleHandleW(nullptr)};
  std::mutex seenLock;
  std::vector<SeenEvent> seen;
  std::thread sender;
};

TEST_F(KeyboardHook, AtMostOneHookIsEverInstalled) {
  EXPECT_THROW(win::KeyboardHook(shared, reports, GetModuleHandleW(nullptr)), std::logic_error);
  hook.InstallKeyHook(application.Handle());
  ASSERT_TRUE(hook.Installed());
  const std::uintptr_t first = shared.Hook();
  EXPECT_NE(first, 0u);
  EXPECT_EQ(shared.ParentHandle(), reinterpret_cast<std::uintptr_t>(application.Handle()));
  hook.InstallKeyHook(application.Handle());  // as a pending start-up delay would
  EXPECT_EQ(shared.Hook(), first);
  hook.RemoveKeyHook();
  EXPECT_FALSE(hook.Installed());
  EXPECT_EQ(shared.Hook(), 0u);
  hook.RemoveKeyHook();  // also when none is installed
}

TEST_F(KeyboardHook, HandsPressesAndReleasesToTheStateMachine) {
  hook.InstallKeyHook(application.Handle());
  SendFromAnotherThread({Press(VK_RMENU), Release(VK_RMENU), Press('E'), Release('E')});
  RunUntilSeen(4);
  ASSERT_EQ(Seen().size(), 4u) << "the hook did not see the keys";
  const std::uint32_t keys[] = {VK_RMENU, VK_RMENU, 'E', 'E'};
  const bool downs[] = {true, false, true, false};
  const compose::KeyAction actions[] = {compose::KeyAction::Stop, compose::KeyAction::Pass,
                                        compose::KeyAction::Stop, compose::KeyAction::Pass};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(seen[i].event.code, 0) << i;
    EXPECT_EQ(seen[i].event.virtualKey, keys[i]) << i;
    EXPECT_EQ(seen[i].event.down, downs[i]) << i;
    EXPECT_EQ(seen[i].action, actions[i]) << i;
  }
  EXPECT_TRUE(hook.Machine().Current().FirstCaptured);
  EXPECT_EQ(hook.Machine().Current().FirstChar, u'e');
  // Removing the hook leaves the compose state as it is.
  hook.RemoveKeyHook();
  EXPECT_TRUE(hook.Machine().Current().ComposeActive);
}

TEST_F(KeyboardHook, AnErrorInsideTheHookIsShownAfterItAndTheKeyPasses) {
  const BYTE garbage[] = {1, 2, 3};
  WriteRaw(kSettingsKey, L"ComposeKey", REG_BINARY, garbage, sizeof garbage);
  hook.InstallKeyHook(application.Handle());
  std::vector<std::wstring> shown;
  UiSteps steps({[&] {
                  HWND box = FindThreadWindow(L"#32770", L"Keyquill");
                  if (!box)
                    return false;
                  shown = ChildTexts(box, L"Static");
                  SendMessageW(FindButton(box, L"OK"), BM_CLICK, 0, 0);
                  return true;
                }},
                20000);
  SendFromAnotherThread({Press('E'), Release('E'), Press('E'), Release('E')});
  application.RunUntil([&] { return steps.Done() || steps.TimedOut(); });
  EXPECT_FALSE(steps.TimedOut()) << "no error was shown";
  std::string texts;
  for (const auto& text : shown)
    texts += "\n  " + std::string(text.begin(), text.end());
  EXPECT_NE(std::find(shown.begin(), shown.end(), L"Invalid data type for 'ComposeKey'"),
            shown.end())
      << "shown:" << texts;
  // Releases pass before the setting is read; no press was told as decided.
  for (const auto& s : Seen())
    EXPECT_FALSE(s.event.down);
}

// Waits without taking this thread's messages, as a user-interface thread busy elsewhere.
bool WaitBlocked(const std::function<bool()>& done, DWORD limitMs = 10000) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < limitMs; Sleep(10)) {
    if (done())
      return true;
  }
  return done();
}

TEST_F(KeyboardHook, RunsOnAThreadOfItsOwnWhileThisThreadTakesNoMessages) {
  hook.InstallKeyHook(application.Handle());
  SendKeys({Press(VK_RMENU), Release(VK_RMENU)});  // waits for the hook's answers
  ASSERT_TRUE(WaitBlocked([&] { return Seen().size() >= 2; }));
  EXPECT_EQ(Seen()[0].thread, hook.ThreadId());
  EXPECT_NE(hook.ThreadId(), GetCurrentThreadId());
  EXPECT_EQ(Seen()[0].action, compose::KeyAction::Stop);
}

// Wine sets no Alt flag in low-level events, so what is seen here is the hook's own account of
// the Alt keys that passed: the left Alt before the right one, as the X keyboard gives AltGr.
TEST_F(KeyboardHook, SendsAMarkedMaskingKeystrokeWhenTheComposeKeyComesWithAltDown) {
  hook.InstallKeyHook(application.Handle());
  SendKeys({Press(VK_LMENU), Press(VK_RMENU), Release(VK_RMENU), Release(VK_LMENU)});
  ASSERT_TRUE(WaitBlocked([&] { return Seen().size() >= 6; }));
  std::vector<std::string> lines;
  for (const auto& s : Seen()) {
    lines.push_back(std::to_string(s.event.virtualKey) + (s.event.down ? " down" : " up") +
                    (s.event.extraInfo == compose::kOwnKeyMark ? " own" : "") +
                    (s.action == compose::KeyAction::Stop ? " stopped" : ""));
  }
  // Wine runs the hook for the masking keystroke from within SendInput, so it is told before
  // the compose key that caused it; what counts is that it comes before the Alt release.
  auto at = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  const auto count = static_cast<std::ptrdiff_t>(lines.size());
  ASSERT_LT(at("165 down stopped"), count);
  ASSERT_LT(at("232 down own"), count) << "no masking keystroke";
  EXPECT_LT(at("232 down own"), at("232 up own"));
  EXPECT_LT(at("232 up own"), at("164 up"));
  EXPECT_EQ(at("164 down"), 0);
}

TEST_F(KeyboardHook, TheWatchdogInstallsAHookThatWindowsDroppedAgain) {
  std::atomic<int> reinstalled = 0;
  hook.SetReinstallObserver([&] { ++reinstalled; });
  hook.InstallKeyHook(application.Handle());
  hook.DropHookUnnoticed();
  Sleep(50);  // later than the install by the millisecond clock the two are compared on
  SendKeys({Press(VK_F11), Release(VK_F11)});  // input the hook never sees
  const DWORD limit = static_cast<DWORD>(compose::kWatchdogPeriod.count()) * 2 + 1000;
  ASSERT_TRUE(WaitBlocked([&] { return reinstalled > 0; }, limit)) << "no reinstall";
  EXPECT_TRUE(Seen().empty());
  SendKeys({Press(VK_RMENU), Release(VK_RMENU)});
  ASSERT_TRUE(WaitBlocked([&] { return Seen().size() >= 2; }));
  EXPECT_EQ(Seen()[0].action, compose::KeyAction::Stop);
  EXPECT_NE(shared.Hook(), 0u);
  // Input the hook saw does not count as missed.
  Sleep(static_cast<DWORD>(compose::kWatchdogPeriod.count()) * 2);
  EXPECT_EQ(reinstalled, 1);
}

// Keys on their way to the hook when the watchdog looks are not missed input: removing and
// installing the hook again would let the next keys pass unseen.
TEST_F(KeyboardHook, TheWatchdogLeavesAHookAloneThatSeesAStreamOfKeys) {
  std::atomic<int> reinstalled = 0;
  hook.SetReinstallObserver([&] { ++reinstalled; });
  hook.InstallKeyHook(application.Handle());
  const DWORD end = GetTickCount() + static_cast<DWORD>(compose::kWatchdogPeriod.count()) * 4;
  while (GetTickCount() < end) {
    SendKeys({Press(VK_F11), Release(VK_F11)});
    Sleep(1);
  }
  EXPECT_EQ(reinstalled, 0);
}

// A task dialog runs a modal loop of its own that dispatches the hook's messages straight to
// the application window: its procedure answers them, once each.
TEST_F(KeyboardHook, ItsMessagesAreActedOnOnceWhileATaskDialogIsOpen) {
  shared.SetMessageIds(RegisterWindowMessageW(L"Keyquill ToggleIcon"),
                       RegisterWindowMessageW(L"Keyquill TranslateKeys"),
                       RegisterWindowMessageW(L"Keyquill ShowOptDlg"));
  std::vector<std::pair<UINT, WPARAM>> acted;
  application.SetMessageFilter([&](MSG& msg) {
    if (msg.message != shared.WM_ToggleIcon() && msg.message != shared.WM_TranslateKeys())
      return false;
    acted.push_back({msg.message, msg.wParam});
    return true;
  });
  hook.InstallKeyHook(application.Handle());
  win::MessageBoxes boxes{{10, 0, 19045, false}, {}};
  UiSteps steps({[] { return FindThreadWindow(L"#32770", L"Keyquill") != nullptr; }, Do([&] {
                   SendFromAnotherThread({Press(VK_RMENU), Release(VK_RMENU), Press(VK_OEM_7),
                                          Release(VK_OEM_7), Press('E'), Release('E')});
                 }),
                 [&] { return acted.size() >= 3; },
                 [] {
                   HWND box = FindThreadWindow(L"#32770", L"Keyquill");
                   HWND ok = box ? FindButton(box, L"OK") : nullptr;
                   if (ok)
                     SendMessageW(ok, BM_CLICK, 0, 0);
                   return ok != nullptr;
                 }},
                20000);
  boxes.ShowMessageDlg(u"Composing goes on.", TMsgDlgType::mtInformation, mbOK);
  EXPECT_FALSE(steps.TimedOut());
  application.ProcessMessages();  // nothing is left to be acted on a second time
  const std::vector<std::pair<UINT, WPARAM>> expected{
      {shared.WM_ToggleIcon(), 1},
      {shared.WM_ToggleIcon(), 0},
      {shared.WM_TranslateKeys(), WPARAM{'\''} | WPARAM{'e'} << 16}};
  EXPECT_EQ(acted, expected);
}

}  // namespace
}  // namespace kq::testing
