// The tray main window of the real Keyquill.exe: the icon it gives the shell in each state,
// the wait while the shell refuses the icon, the tray menu's Disable and Enable, the start-up
// delay, the shell's restart, and the first run. The icon is seen through the calls the
// program makes to the shell (its trace), not through pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>

#include "support/KeyTarget.h"
#include "support/KeyquillProcess.h"
#include "support/ProgramFiles.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"

namespace kq::testing {
namespace {

using namespace std::chrono_literals;

class TrayWindow : public ProgramProcessTest {
 protected:
  void TearDown() override { SetEnvironmentVariableW(L"KEYQUILL_TRAY_REFUSE", nullptr); }

  // The hidden main window, which owns the tray icon.
  HWND MainWindow() const {
    return ProcessWindow(keyquill.ProcessId(), L"KeyquillContainer", false);
  }

  // Right-clicks the tray icon and types the mnemonic into the menu that opens; returns
  // which menu it was.
  std::string ChooseFromTrayMenu(wchar_t mnemonic) {
    size_t before = Traced("Popup ").size();
    PostMessageW(MainWindow(), WM_USER, 1, WM_RBUTTONDOWN);
    for (int i = 0; i < 500 && Traced("Popup ").size() == before; ++i)
      Sleep(20);
    Lines popups = Traced("Popup ");
    EXPECT_GT(popups.size(), before) << "no menu opened";
    HWND menu = WaitForProcessWindow(keyquill.ProcessId(), L"#32768", true);
    EXPECT_TRUE(menu) << "the menu window did not show";
    PostMessageW(menu, WM_CHAR, mnemonic, 1);
    return popups.empty() ? "" : popups.back();
  }
};

TEST_F(TrayWindow, StartsReadyWithTheIconAdded) {
  keyquill.Start();
  EXPECT_EQ(Traced("Tray "), Lines{"Tray ADD flags=7 icon=LETTERRED ok"});
  EXPECT_TRUE(Traced("IconState ").empty());
  EXPECT_EQ(Traced("Hook "), Lines{"Hook installed"});
}

TEST_F(TrayWindow, StoredDisabledStartsOffWithEnableInTheMenu) {
  WriteRawString(kSettingsKey, L"Disabled", L"1");
  WriteRawString(kSettingsKey, L"ShowBalloon", L"0");
  keyquill.Start();
  // The tray's thread traces the state once the icon shows it.
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 2"));
  EXPECT_EQ(Traced("Tray "), (Lines{"Tray ADD flags=7 icon=LETTERRED ok",
                                    "Tray MODIFY flags=7 icon=XLETTERBLACK ok"}));
  EXPECT_EQ(Traced("Disable1 "), Lines{"Disable1 Ena&ble"});
  EXPECT_EQ(Traced("Hook "), (Lines{"Hook installed", "Hook removed"}));
}

TEST_F(TrayWindow, ABalloonTellsOfComposeModeWhenBalloonsAreOn) {
  WriteRawString(kSettingsKey, L"ShowBalloon", L"1");
  keyquill.Start();
  target.Start();
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  ASSERT_TRUE(target.WaitFor("CHAR 233 1"));
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 1"));
  EXPECT_EQ(TracedOnceThereAre("Tray MODIFY", 4),
            (Lines{"Tray MODIFY flags=7 icon=LETTERGREEN ok",
                   "Tray MODIFY flags=16 info=\"Compose mode on\" ok",
                   "Tray MODIFY flags=7 icon=LETTERRED ok", "Tray MODIFY flags=16 info=\"\" ok"}));
}

TEST_F(TrayWindow, AStartUpDelayShowsOffThenReady) {
  WriteRawDWord(kSettingsKey, L"DelayHook", 5);
  keyquill.Start();
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 2"));
  EXPECT_EQ(Traced("IconState "), Lines{"IconState 2"});
  EXPECT_EQ(Traced("Disable1 "), Lines{"Disable1 Ena&ble"});
  EXPECT_TRUE(Traced("Hook ").empty()) << "no hook while the delay runs";
  ASSERT_TRUE(keyquill.WaitForTrace("Hook installed", 10s));
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 1"));
  EXPECT_EQ(Traced("IconState "), (Lines{"IconState 2", "IconState 1"}));
  EXPECT_EQ(Traced("Disable1 "), (Lines{"Disable1 Ena&ble", "Disable1 Disa&ble"}));
}

TEST_F(TrayWindow, EnableDuringTheDelayInstallsTheHookOnceAndEndsTheDelay) {
  WriteRawDWord(kSettingsKey, L"DelayHook", 2);
  keyquill.Start();
  EXPECT_EQ(ChooseFromTrayMenu(L'b'), "Popup MainPopupMenu");
  ASSERT_TRUE(keyquill.WaitForTrace("Hook installed"));
  std::this_thread::sleep_for(3s);  // past the end of the delay
  EXPECT_EQ(Traced("Hook "), Lines{"Hook installed"});
  EXPECT_EQ(Traced("IconState "), (Lines{"IconState 2", "IconState 1"}));
}

TEST_F(TrayWindow, DisableStopsComposingAndEnableStartsItAgain) {
  keyquill.Start();
  target.Start();
  ChooseFromTrayMenu(L'b');
  ASSERT_TRUE(keyquill.WaitForTrace("Hook removed"));
  // The menu made the program's window the foreground one, as on Windows; the user comes
  // back to a window to type in.
  target.Stop();
  target.Start();
  EXPECT_EQ(Traced("Disable1 "), Lines{"Disable1 Ena&ble"});
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  Lines received = target.ReceivedUntilNow();
  EXPECT_TRUE(std::find(received.begin(), received.end(), "CHAR 101 key") != received.end())
      << "with compose off, e arrives as typed";
  EXPECT_TRUE(std::find(received.begin(), received.end(), "CHAR 233 1") == received.end());

  ChooseFromTrayMenu(L'b');
  ASSERT_TRUE(keyquill.WaitForTrace("Disable1 Disa&ble"));
  target.Stop();
  target.Start();
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  EXPECT_TRUE(target.WaitFor("CHAR 233 1"));
}

TEST_F(TrayWindow, AShellRestartAddsTheIconAgainInTheReadyState) {
  WriteRawString(kSettingsKey, L"Disabled", L"1");
  keyquill.Start();
  size_t before = Traced("Tray ").size();
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  // Where the shell still has the icon, the add is refused first and a modify follows: wait
  // for the call that settles it.
  auto settled = [&] {
    Lines tray = Traced("Tray ");
    return tray.size() > before && tray.back().ends_with(" ok");
  };
  for (int i = 0; i < 250 && !settled(); ++i)
    Sleep(20);
  Lines tray = Traced("Tray ");
  ASSERT_GT(tray.size(), before);
  // Added anew, or modified where the shell still had it: the ready icon either way.
  EXPECT_TRUE(tray.back() == "Tray ADD flags=7 icon=LETTERRED ok" ||
              tray.back() == "Tray MODIFY flags=7 icon=LETTERRED ok")
      << tray.back();
}

TEST_F(TrayWindow, TheFirstRunSwitchesOnTheStartAndOpensTheWelcomeTopic) {
  keyquill.Start();
  EXPECT_EQ(ReadRaw(kSettingsKey, L"FirstRun2")->Text(), L"0");
  EXPECT_EQ(ReadRaw(kSettingsKey, L"FakeKey")->Number(), 255u);
  ASSERT_TRUE(ReadRaw(kRunKey, L"Keyquill"));
  EXPECT_EQ(ReadRaw(kRunKey, L"Keyquill")->Text(),
            L"\"" + KeyquillProcess::ExecutablePath() + L"\"");
  EXPECT_EQ(Traced("HelpContext "), Lines{"HelpContext 1"});
  keyquill.Stop();

  // The next run: the start-at-log-on entry is brought up to date, nothing else changes.
  WriteRawDWord(kSettingsKey, L"FakeKey", 16);
  WriteRawString(kRunKey, L"Keyquill", L"\"C:\\Old place\\Keyquill.exe\"");
  keyquill.Start();
  EXPECT_TRUE(Traced("HelpContext ").empty());
  EXPECT_EQ(ReadRaw(kSettingsKey, L"FakeKey")->Number(), 16u);
  EXPECT_EQ(ReadRaw(kRunKey, L"Keyquill")->Text(),
            L"\"" + KeyquillProcess::ExecutablePath() + L"\"");
}

TEST_F(TrayWindow, AnEarlierVersionsUserKeepsTheStartAtLogOnChoice) {
  WriteRawString(kSettingsKey, L"FirstRun", L"0");
  keyquill.Start();
  EXPECT_FALSE(ReadRaw(kRunKey, L"Keyquill")) << "start at log-on stays off";
  EXPECT_TRUE(Traced("HelpContext ").empty());
  EXPECT_EQ(ReadRaw(kSettingsKey, L"FakeKey")->Number(), 255u);
}

struct WaitCase {
  const char* name;
  int timeout;
  int refusals;
  bool keepWaiting;
  int refusedCalls;  // before the dialog
};

class TrayIconWait : public TrayWindow, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(TrayIconWait, AsksAfterAPassAndGoesOnOrEnds) {
  WriteRawDWord(kSettingsKey, L"StartTimeout", static_cast<DWORD>(GetParam().timeout));
  SetEnvironmentVariableW(L"KEYQUILL_TRAY_REFUSE", std::to_wstring(GetParam().refusals).c_str());
  keyquill.Launch();
  ASSERT_TRUE(keyquill.WaitForTrace("WaitingTooLong", 40s)) << "the program did not ask";
  HWND dialog = WaitForProcessWindow(keyquill.ProcessId(), L"KeyquillContainer", true);
  ASSERT_TRUE(dialog) << "the wait dialog did not show";
  EXPECT_EQ(Traced("WaitingTooLong").size(), 1u);
  Lines refused = Traced("Tray ");
  EXPECT_EQ(static_cast<int>(refused.size()), GetParam().refusedCalls);
  EXPECT_TRUE(std::all_of(refused.begin(), refused.end(), [](const std::string& line) {
    return line.size() > 8 && line.compare(line.size() - 8, 8, " refused") == 0;
  }));
  bool clicked = false;
  for (int i = 0; i < 250 && !clicked; ++i) {
    clicked = ClickButton(dialog, GetParam().keepWaiting ? L"OK" : L"Cancel");
    if (!clicked)
      Sleep(20);
  }
  ASSERT_TRUE(clicked);
  if (GetParam().keepWaiting) {
    ASSERT_TRUE(keyquill.WaitForTrace("Ready", 15s));
    EXPECT_EQ(Traced("Tray ").back(), "Tray ADD flags=7 icon=LETTERRED ok");
  } else {
    ASSERT_TRUE(keyquill.WaitForTrace("Closed", 15s)) << "Cancel ends the program";
  }
}

// Each attempt asks the shell to add the icon and then to modify it: two refused calls.
INSTANTIATE_TEST_SUITE_P(Timeouts, TrayIconWait,
                         ::testing::Values(WaitCase{"ThirtySecondsThenCancel", 30, 99, false, 30},
                                           WaitCase{"OneSecondThenOk", 1, 4, true, 4},
                                           WaitCase{"ZeroSecondsThenCancel", 0, 99, false, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kq::testing
