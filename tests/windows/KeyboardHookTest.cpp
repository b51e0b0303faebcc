// The low-level keyboard hook in this process: one hook at most, the events it hands to the
// state machine, and an error inside the hook shown once the hook has returned.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "compose/win32/KeyboardHook.h"
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
  void SetUp() override {
    application.SetTitle(L"Keyquill");
    hook.SetObserver([this](const compose::KeyEvent& event, compose::KeyAction action) {
      seen.push_back({event, action});
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
    application.RunUntil([&] { return seen.size() >= count || GetTickCount() > deadline; });
  }

  // The hook runs on this thread, which must be free to take its messages meanwhile.
  void SendFromAnotherThread(std::initializer_list<KeyStroke> strokes) {
    std::vector<KeyStroke> keys(strokes);
    sender = std::thread([keys] {
      for (const auto& key : keys)
        SendKeys({key});
    });
  }

  struct Seen {
    compose::KeyEvent event;
    compose::KeyAction action;
  };

  ui::Application application{GetModuleHandleW(nullptr)};
  win::Win32ErrorMessages reports;  // the program's own boxes show what the hook met
  win::KeyboardHook hook{shared, reports, GetModuleHandleW(nullptr)};
  std::vector<Seen> seen;
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
  ASSERT_EQ(seen.size(), 4u) << "the hook did not see the keys";
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
  for (const auto& s : seen)
    EXPECT_FALSE(s.event.down);
}

}  // namespace
}  // namespace kq::testing
