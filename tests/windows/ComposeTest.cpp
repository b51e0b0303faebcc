// The compose engine of the real Keyquill.exe, typed at through the system's input with a
// window of another process in the foreground: what that window receives, and what the hook
// decided for each key as the program traced it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/KeyTarget.h"
#include "support/KeyquillProcess.h"
#include "support/ProgramFiles.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"

namespace kq::testing {
namespace {

using namespace std::chrono_literals;

// What came from the keyboard and what the program posted, each in its order; the two
// streams may interleave either way, since a window takes posted messages first.
struct Arrived {
  Lines keyboard;
  Lines posted;
};

Arrived Split(const Lines& received) {
  Arrived arrived;
  for (const auto& line : received) {
    bool fromKeyboard = line.size() > 4 && line.compare(line.size() - 4, 4, " key") == 0;
    (fromKeyboard ? arrived.keyboard : arrived.posted).push_back(line);
  }
  return arrived;
}

std::string Char(int code) {
  return "CHAR " + std::to_string(code) + " 1";
}

// A first start: no settings, and the default sequences written anew.
class ComposeEngine : public ProgramProcessTest {
 protected:
  void StartBoth() {
    ASSERT_NO_FATAL_FAILURE(keyquill.Start());
    ASSERT_NO_FATAL_FAILURE(target.Start());
  }

  // Waits for the last character the program is to post, then returns all that arrived.
  Arrived TypedWhenArrived(const std::string& last) {
    EXPECT_TRUE(target.WaitFor(last)) << "did not arrive: " << last;
    return Split(target.ReceivedUntilNow());
  }

  // The hook's decisions and the icon changes interleave either way in the traced lines: the
  // icon follows the hook's messages through the loop.
};

TEST_F(ComposeEngine, ApostropheAndEGiveOneCharacterAndOnlyTheReleasesPass) {
  StartBoth();
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  Arrived arrived = TypedWhenArrived(Char(0xE9));
  EXPECT_EQ(arrived.posted, Lines{Char(0xE9)});
  EXPECT_EQ(arrived.keyboard, Lines{}) << "a stopped key press reached the target";
  EXPECT_EQ(Traced("Key "),
            (Lines{"Key 165 down stopped", "Key 165 up passed", "Key 222 down stopped",
                   "Key 222 up passed", "Key 69 down stopped", "Key 69 up passed",
                   "Key 122 down passed", "Key 122 up passed"}));
  // The tray's thread traces each state once the icon shows it, after the output.
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 1"));
  EXPECT_EQ(Traced("IconState "), (Lines{"IconState 0", "IconState 1"}));
}

TEST_F(ComposeEngine, ShiftHeldGivesTheCapital) {
  StartBoth();
  TapKeys({VK_RMENU, VK_OEM_7});
  SendKeys({Press(VK_LSHIFT), Press('E'), Release('E'), Release(VK_LSHIFT)});
  Arrived arrived = TypedWhenArrived(Char(0xC9));
  EXPECT_EQ(arrived.posted, Lines{Char(0xC9)});
  EXPECT_EQ(arrived.keyboard, Lines{"KEYDOWN 16 key"});
}

TEST_F(ComposeEngine, AnUndefinedPairIsTypedAsItIs) {
  StartBoth();
  TapKeys({VK_RMENU, 'Z', 'Q'});
  Arrived arrived = TypedWhenArrived(Char('q'));
  EXPECT_EQ(arrived.posted, (Lines{Char('z'), Char('q')}));
  EXPECT_EQ(arrived.keyboard, Lines{});
}

TEST_F(ComposeEngine, TheAddressTextArrivesWithCarriageReturnsOnly) {
  StartBoth();
  TapKeys({VK_RMENU, 'A', 'D'});
  Lines expected;
  for (char c : std::string("My name\rMy address\rMy city\rMy postcode\rMy country"))
    expected.push_back(Char(c));
  // The hook's thread passes the next key while the output is still being posted: wait for
  // all of it.
  for (int i = 0; i < 500 && Split(target.Received()).posted.size() < expected.size(); ++i)
    Sleep(20);
  Arrived arrived = Split(target.ReceivedUntilNow());
  EXPECT_EQ(arrived.posted, expected);
}

TEST_F(ComposeEngine, AFakeKeyWrapsEveryCharacter) {
  StartBoth();
  // After the start, which sets no fake key on a first run; the key is read for every output.
  WriteRawDWord(kSettingsKey, L"FakeKey", 16);
  TapKeys({VK_RMENU, VK_OEM_7, 'E', VK_RMENU, 'Z', 'Q'});
  // Once the last character arrived the program has posted the rest of its output, before
  // it looks at the next key.
  Arrived arrived = TypedWhenArrived(Char('q'));
  EXPECT_EQ(arrived.posted,
            (Lines{"KEYDOWN 16 0", Char(0xE9), "KEYUP 16 0", "KEYDOWN 16 0", Char('z'),
                   "KEYUP 16 0", "KEYDOWN 16 0", Char('q'), "KEYUP 16 0"}));
  EXPECT_EQ(arrived.keyboard, Lines{});
}

TEST_F(ComposeEngine, ReverseOrderMatchesThePairTypedTheOtherWayRound) {
  WriteRawString(kSettingsKey, L"IgnoreOrder", L"1");
  StartBoth();
  TapKeys({VK_RMENU, 'E', VK_OEM_7, VK_RMENU, VK_OEM_7, 'E'});
  Arrived arrived = TypedWhenArrived(Char('e'));
  EXPECT_EQ(arrived.posted, (Lines{Char(0xE9), Char('\''), Char('e')}));
}

// Wine sets no Alt flag (LLKHF_ALTDOWN) in low-level keyboard events, so the choices that
// need Alt (Alt+F5 and the like) compose only on Windows; the machine's tests cover them.
TEST_F(ComposeEngine, AComposeKeyChangedInTheRegistryCountsAtTheNextKeyPress) {
  StartBoth();
  WriteRawDWord(kSettingsKey, L"ComposeKey", 9);  // F5, with or without Alt
  TapKeys({VK_RMENU, VK_F5, VK_OEM_7, 'E'});
  Arrived arrived = TypedWhenArrived(Char(0xE9));
  EXPECT_EQ(arrived.posted, Lines{Char(0xE9)});
  EXPECT_EQ(arrived.keyboard, Lines{"SYSKEYDOWN 18 key"}) << "the right Alt is a plain key now";

  // The left Alt held around the stopped F5 gets the masking keystroke between its press and
  // its release, so that the target does not enter its menu.
  SendKeys({Press(VK_LMENU), Press(VK_F5), Release(VK_F5), Release(VK_LMENU)});
  TapKeys({'Z', 'Q'});
  arrived = TypedWhenArrived(Char('q'));
  EXPECT_EQ(arrived.posted, (Lines{Char('z'), Char('q')}));
  EXPECT_EQ(arrived.keyboard, (Lines{"SYSKEYDOWN 18 key", "SYSKEYDOWN 232 key"}));

  WriteRawDWord(kSettingsKey, L"ComposeKey", 20);  // Alt+F5 only
  TapKeys({VK_F5, VK_OEM_7});
  ASSERT_TRUE(target.WaitFor("CHAR 39 key"));
  arrived = Split(target.ReceivedUntilNow());
  EXPECT_EQ(arrived.keyboard, (Lines{"KEYDOWN 116 key", "KEYDOWN 222 key", "CHAR 39 key"}));
  EXPECT_EQ(arrived.posted, Lines{});
}

TEST_F(ComposeEngine, TheComposeKeyPressedTwiceReachesTheTarget) {
  StartBoth();
  TapKeys({VK_RMENU, VK_RMENU, 'E'});
  ASSERT_TRUE(target.WaitFor("CHAR 101 key"));
  Arrived arrived = Split(target.ReceivedUntilNow());
  EXPECT_EQ(arrived.keyboard, (Lines{"SYSKEYDOWN 18 key", "KEYDOWN 69 key", "CHAR 101 key"}));
  EXPECT_EQ(arrived.posted, Lines{});
  EXPECT_EQ(TracedOnceThereAre("Key 165 ", 4), (Lines{"Key 165 down stopped", "Key 165 up passed",
                                                      "Key 165 down passed", "Key 165 up passed"}));
  // The tray's thread traces each state once the icon shows it, after the output.
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 1"));
  EXPECT_EQ(Traced("IconState "), (Lines{"IconState 0", "IconState 1"}));
}

TEST_F(ComposeEngine, StoredDisabledStartsWithoutTheHook) {
  WriteRawString(kSettingsKey, L"Disabled", L"1");
  StartBoth();
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  ASSERT_TRUE(target.WaitFor("CHAR 101 key"));
  Arrived arrived = Split(target.ReceivedUntilNow());
  EXPECT_EQ(arrived.keyboard, (Lines{"SYSKEYDOWN 18 key", "KEYDOWN 222 key", "CHAR 39 key",
                                     "KEYDOWN 69 key", "CHAR 101 key"}));
  EXPECT_EQ(arrived.posted, Lines{});
  EXPECT_EQ(Traced("Key "), Lines{});
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 2"));
  EXPECT_EQ(Traced("IconState "), Lines{"IconState 2"});
}

TEST_F(ComposeEngine, ADelayedHookIsInstalledWhenTheDelayHasPassed) {
  WriteRawDWord(kSettingsKey, L"DelayHook", 1);
  StartBoth();
  // The ready icon is shown first, the hook installed right after it.
  ASSERT_TRUE(keyquill.WaitForTrace("Hook installed"));
  ASSERT_TRUE(keyquill.WaitForTrace("IconState 1"));
  EXPECT_EQ(Traced("IconState "), (Lines{"IconState 2", "IconState 1"}));
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  Arrived arrived = TypedWhenArrived(Char(0xE9));
  EXPECT_EQ(arrived.posted, Lines{Char(0xE9)});
  EXPECT_EQ(arrived.keyboard, Lines{});
}

// The program with its test seams answered: the hook removed behind its back, and its
// user-interface thread held busy.
class ComposeUnderStrain : public ComposeEngine {
 protected:
  ComposeUnderStrain() { SetEnvironmentVariableW(L"KEYQUILL_TEST_SEAMS", L"1"); }
  ~ComposeUnderStrain() override { SetEnvironmentVariableW(L"KEYQUILL_TEST_SEAMS", nullptr); }

  void Seam(const wchar_t* name, WPARAM wParam = 0) {
    PostMessageW(keyquill.ApplicationWindow(), RegisterWindowMessageW(name), wParam, 0);
  }
};

TEST_F(ComposeUnderStrain, AHookDroppedByTheSystemIsBackWithinTheWatchdogsPeriod) {
  StartBoth();
  Seam(L"Keyquill TestDropHook");
  ASSERT_TRUE(keyquill.WaitForTrace("Hook dropped"));
  Sleep(50);
  EXPECT_EQ(Split(target.ReceivedUntilNow()).keyboard, Lines{});  // the sentinel, unseen
  ASSERT_TRUE(keyquill.WaitForTrace("Watchdog installed the hook again", 5s));
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  Arrived arrived = TypedWhenArrived(Char(0xE9));
  EXPECT_EQ(arrived.posted, Lines{Char(0xE9)});
  EXPECT_EQ(arrived.keyboard, Lines{});
}

TEST_F(ComposeUnderStrain, PlainKeysPassWhileTheWindowThreadIsBusyAndASequenceFollowsIt) {
  StartBoth();
  Seam(L"Keyquill TestHoldBusy", 2000);
  ASSERT_TRUE(keyquill.WaitForTrace("Busy"));
  const DWORD start = GetTickCount();
  TapKeys({'X'});
  ASSERT_TRUE(target.WaitFor("CHAR 120 key"));
  EXPECT_LT(GetTickCount() - start, 1000u) << "the plain key waited for the busy thread";
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  Arrived arrived = TypedWhenArrived(Char(0xE9));
  EXPECT_TRUE(keyquill.WaitForTrace("Free", 0ms)) << "the output came before the thread was free";
  EXPECT_EQ(arrived.posted, Lines{Char(0xE9)});
  EXPECT_EQ(arrived.keyboard, (Lines{"KEYDOWN 88 key", "CHAR 120 key"}));
}

// Pairs typed at full speed, with no wait between them; the longer run is in the benchmark.
TEST_F(ComposeUnderStrain, FiveHundredPairsAtFullSpeedAllArriveInOrder) {
  StartBoth();
  constexpr int kPairs = 500;
  Lines expected;
  for (int i = 0; i < kPairs; ++i) {
    const WORD letter = i % 2 ? 'A' : 'E';
    SendKeys({Press(VK_RMENU), Release(VK_RMENU), Press(VK_OEM_7), Release(VK_OEM_7), Press(letter),
              Release(letter)});
    expected.push_back(Char(i % 2 ? 0xE1 : 0xE9));
  }
  ASSERT_TRUE(target.WaitFor(Char(0xE1), 60s));
  for (int i = 0; i < 600 && Split(target.Received()).posted.size() < expected.size(); ++i)
    Sleep(100);
  Arrived arrived = Split(target.ReceivedUntilNow());
  EXPECT_EQ(arrived.posted, expected);
  EXPECT_EQ(arrived.keyboard, Lines{}) << "a key press of a sequence leaked";
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN})
    EXPECT_EQ(GetAsyncKeyState(key) & 0x8000, 0) << "still down: " << key;
}

}  // namespace
}  // namespace kq::testing
