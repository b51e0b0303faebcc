// Waiting for the shell to take the tray icon: how many attempts each pass makes, and what
// the user's answers do.
#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>

#include "app/TrayIconWait.h"

namespace kq::app {
namespace {

// A shell that refuses a number of attempts, and a user who answers from a script. The log
// shows attempts as "a", pauses as "p" and questions as "?".
class ScriptedShell : public TrayIconAdder {
 public:
  ScriptedShell(int refusals, std::int32_t timeout, std::deque<bool> answers)
      : refusals_(refusals), timeout_(timeout), answers_(std::move(answers)) {}
  bool TryAddIcon() override {
    log += "a";
    return refusals_-- <= 0;
  }
  void Pause(int milliseconds) override {
    EXPECT_EQ(milliseconds, 2000);
    log += "p";
  }
  std::int32_t StartTimeout() override { return timeout_; }
  bool KeepWaiting() override {
    log += "?";
    bool answer = !answers_.empty() && answers_.front();
    if (!answers_.empty())
      answers_.pop_front();
    return answer;
  }
  std::string log;

 private:
  int refusals_;
  std::int32_t timeout_;
  std::deque<bool> answers_;
};

// The log of the first attempt followed by passes of n attempts, each pass but the last
// one ended by a question; a negative count marks a pass that is also asked about.
std::string Log(std::initializer_list<int> passes) {
  std::string log = "a";
  for (int n : passes) {
    for (int i = 0; i < (n < 0 ? -n : n); ++i)
      log.append("pa");
    if (n < 0)
      log.append("?");
  }
  return log;
}

struct WaitCase {
  const char* name;
  int refusals;
  std::int32_t timeout;
  std::deque<bool> answers;
  bool added;
  std::string log;
};

class TrayIconWait : public ::testing::TestWithParam<WaitCase> {};

TEST_P(TrayIconWait, MakesItsAttemptsAndAsks) {
  ScriptedShell shell(GetParam().refusals, GetParam().timeout, GetParam().answers);
  EXPECT_EQ(AddTrayIconWaiting(shell), GetParam().added);
  EXPECT_EQ(shell.log, GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, TrayIconWait,
    ::testing::Values(
        WaitCase{"TakenAtOnce", 0, 30, {}, true, Log({})},
        WaitCase{"TakenOnTheThirdAttempt", 2, 30, {}, true, Log({2})},
        WaitCase{"DefaultTimeoutMakesFourteenAttemptsAPass", 99, 30, {false}, false, Log({-14})},
        WaitCase{"TimeoutOneStillMakesOneAttempt", 99, 1, {false}, false, Log({-1})},
        WaitCase{"TimeoutZeroStillMakesOneAttempt", 99, 0, {false}, false, Log({-1})},
        WaitCase{"OkStartsAnotherPass", 99, 4, {true, false}, false, Log({-1, -1})},
        WaitCase{"TakenInTheSecondPass", 2, 4, {true}, true, Log({-1, 1})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IconDataVersion, FollowsTheRelease) {
  struct Case {
    platform::WindowsRelease release;
    IconDataVersion version;
  };
  for (auto [release, version] : {Case{{10, 0, 19045, false}, IconDataVersion::Full},
                                  Case{{6, 0, 6002, false}, IconDataVersion::Full},
                                  Case{{5, 2, 3790, true}, IconDataVersion::V3},
                                  Case{{5, 1, 2600, false}, IconDataVersion::V3},
                                  Case{{5, 0, 2195, false}, IconDataVersion::V2},
                                  Case{{4, 0, 1381, false}, IconDataVersion::V1}})
    EXPECT_EQ(IconDataVersionFor(release), version) << release.major << "." << release.minor;
}

}  // namespace
}  // namespace kq::app
