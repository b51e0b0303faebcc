// The compose engine of the real Keyquill.exe, typed at through the system's input with a
// window of another process in the foreground: what that window receives, and what the hook
// decided for each key as the program traced it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/KeyTarget.h"
#include "support/KeyquillProcess.h"
#include "support/RawRegistry.h"

namespace kq::testing {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

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

class ComposeEngine : public ::testing::Test {
 protected:
  void SetUp() override { DeleteRawTree(kSettingsKey); }
  void TearDown() override {
    target.Stop();
    if (keyquill.Running())
      keyquill.Stop();
    DeleteRawTree(kSettingsKey);
  }

  void StartBoth() {
    ASSERT_NO_FATAL_FAILURE(keyquill.Start());
    ASSERT_NO_FATAL_FAILURE(target.Start());
  }

  // Waits for the last character the program is to post, then returns all that arrived.
  Arrived TypedWhenArrived(const std::string& last) {
    EXPECT_TRUE(target.WaitFor(last)) << "did not arrive: " << last;
    return Split(target.ReceivedUntilNow());
  }

  // The traced lines that start with the prefix, in order. The hook's decisions and the icon
  // changes interleave either way: the icon follows the hook's messages through the loop.
  Lines Traced(const std::string& prefix) const {
    Lines lines;
    for (const auto& line : keyquill.TraceLines()) {
      if (line.rfind(prefix, 0) == 0)
        lines.push_back(line);
    }
    return lines;
  }

  KeyquillProcess keyquill;
  KeyTarget target;
};

TEST_F(ComposeEngine, AnUndefinedPairIsTypedAsItIsAndOnlyReleasesPass) {
  StartBoth();
  TapKeys({VK_RMENU, 'Z', 'Q'});
  Arrived arrived = TypedWhenArrived(Char('q'));
  EXPECT_EQ(arrived.posted, (Lines{Char('z'), Char('q')}));
  EXPECT_EQ(arrived.keyboard, Lines{}) << "a stopped key press reached the target";
  EXPECT_EQ(Traced("Key "),
            (Lines{"Key 165 down stopped", "Key 165 up passed", "Key 90 down stopped",
                   "Key 90 up passed", "Key 81 down stopped", "Key 81 up passed",
                   "Key 122 down passed", "Key 122 up passed"}));
  EXPECT_EQ(Traced("IconState "), (Lines{"IconState 0", "IconState 1"}));
}

TEST_F(ComposeEngine, ShiftHeldGivesTheShiftedCharacter) {
  StartBoth();
  TapKeys({VK_RMENU, VK_OEM_7});
  SendKeys({Press(VK_LSHIFT), Press('E'), Release('E'), Release(VK_LSHIFT)});
  Arrived arrived = TypedWhenArrived(Char('E'));
  EXPECT_EQ(arrived.posted, (Lines{Char('\''), Char('E')}));
  EXPECT_EQ(arrived.keyboard, Lines{"KEYDOWN 16 key"});
}

TEST_F(ComposeEngine, AFakeKeyWrapsEveryCharacter) {
  WriteRawDWord(kSettingsKey, L"FakeKey", 16);
  StartBoth();
  TapKeys({VK_RMENU, 'Z', 'Q'});
  // Once the last character arrived the program has posted the rest of its output, before
  // it looks at the next key.
  Arrived arrived = TypedWhenArrived(Char('q'));
  EXPECT_EQ(arrived.posted, (Lines{"KEYDOWN 16 0", Char('z'), "KEYUP 16 0", "KEYDOWN 16 0",
                                   Char('q'), "KEYUP 16 0"}));
  EXPECT_EQ(arrived.keyboard, Lines{});
}

TEST_F(ComposeEngine, TheComposeKeyPressedTwiceReachesTheTarget) {
  StartBoth();
  TapKeys({VK_RMENU, VK_RMENU, 'E'});
  ASSERT_TRUE(target.WaitFor("CHAR 101 key"));
  Arrived arrived = Split(target.ReceivedUntilNow());
  EXPECT_EQ(arrived.keyboard, (Lines{"SYSKEYDOWN 18 key", "KEYDOWN 69 key", "CHAR 101 key"}));
  EXPECT_EQ(arrived.posted, Lines{});
  EXPECT_EQ(Traced("Key 165 "), (Lines{"Key 165 down stopped", "Key 165 up passed",
                                       "Key 165 down passed", "Key 165 up passed"}));
}

}  // namespace
}  // namespace kq::testing
