// The status controls: nesting of the busy state, cancelling, progress and the message line.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "dialogs/Statctrl.h"
#include "fakes/RecordingPrompts.h"

namespace kq {
namespace {

using testing::ScriptedDialogs;

class FakeLine : public StatusLine {
 public:
  std::u16string Text() const override { return text; }
  void SetText(const std::u16string& value) override { text = value; }
  std::u16string text;
};

class FakeGauge : public StatusGauge {
 public:
  void SetPercent(int value) override { percent = value; }
  int percent = -1;
};

class FakeAbort : public StatusAbortButton {
 public:
  void SetEnabled(bool value) override { enabled = value; }
  bool MouseOver() const override { return mouseOver; }
  bool enabled = false;
  bool mouseOver = false;
};

class FakeHost : public StatusHost {
 public:
  HintHandler CurrentHintHandler() const override { return hint; }
  void SetHintHandler(HintHandler handler) override { hint = std::move(handler); }
  void SetHourglass(bool value) override { hourglass = value; }
  void ProcessMessages() override { ++processed; }
  HintHandler hint = [](const std::u16string&) {};
  bool hourglass = false;
  int processed = 0;
};

class StatusCtrlsTest : public ::testing::Test {
 protected:
  FakeHost host;
  BusyCounter busy;
  ScriptedDialogs dialogs;
  FakeLine helpLine, modiLine;
  FakeGauge gauge;
  FakeAbort abortButton;
  int menuUpdates = 0;
  TStatusCtrls status{host,      busy,   dialogs,      &helpLine,
                      &modiLine, &gauge, &abortButton, [this] { ++menuUpdates; }};
};

TEST_F(StatusCtrlsTest, NestedAnalysingEndsWithTheLastFalse) {
  status.SetAnalysing(true);
  status.SetAnalysing(true);
  EXPECT_FALSE(host.hint);  // hints are off while busy
  EXPECT_TRUE(abortButton.enabled);
  EXPECT_EQ(busy.Level(), 1);
  EXPECT_EQ(menuUpdates, 1);
  status.SetAnalysing(false);
  EXPECT_TRUE(status.Analysing());
  EXPECT_EQ(busy.Level(), 1);
  status.SetAnalysing(false);
  EXPECT_FALSE(status.Analysing());
  EXPECT_EQ(busy.Level(), 0);
  EXPECT_TRUE(host.hint);
  EXPECT_FALSE(abortButton.enabled);
  EXPECT_EQ(menuUpdates, 2);
  status.SetAnalysing(false);  // while idle: nothing
  EXPECT_EQ(busy.Level(), 0);
  EXPECT_EQ(menuUpdates, 2);
}

TEST_F(StatusCtrlsTest, ConfirmedAbortRaisesOnceAtTheNextGasp) {
  status.SetAnalysing(true);
  status.SetMaxTicks(10);
  status.SetCurTick(5);
  dialogs.answers = {mrYes};
  status.AskAbort();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].msg, u"Cancel current operation?");
  EXPECT_EQ(dialogs.shown[0].type, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(helpLine.text, u"Aborting...");
  EXPECT_EQ(gauge.percent, 0);
  EXPECT_EQ(status.CurTick(), 0);
  EXPECT_TRUE(status.AnalyAborted());
  EXPECT_THROW(status.Gasp(), Abort);
  EXPECT_NO_THROW(status.Gasp());
}

TEST_F(StatusCtrlsTest, AbortAnsweredNoChangesNothing) {
  status.SetAnalysing(true);
  dialogs.answers = {mrNo};
  status.AskAbort();
  EXPECT_TRUE(status.Analysing());
  EXPECT_FALSE(status.AnalyAborted());
  EXPECT_EQ(helpLine.text, u"");
  EXPECT_NO_THROW(status.Gasp());
}

TEST_F(StatusCtrlsTest, GaspShowsTheHourglassUnlessOverTheAbortButton) {
  status.SetAnalysing(true);
  status.Gasp();
  EXPECT_TRUE(host.hourglass);
  abortButton.mouseOver = true;
  status.Gasp();
  EXPECT_FALSE(host.hourglass);
  EXPECT_EQ(host.processed, 2);
}

struct TickCase {
  const char* name;
  std::int64_t maxTicks;
  std::int64_t tick;
  std::int64_t expectedTick;
  int expectedPercent;
};

class TicksTest : public StatusCtrlsTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TicksTest, GaugeFollowsTheTicks) {
  status.SetMaxTicks(GetParam().maxTicks);
  status.SetCurTick(GetParam().tick);
  EXPECT_EQ(status.CurTick(), GetParam().expectedTick);
  EXPECT_EQ(gauge.percent, GetParam().expectedPercent);
  EXPECT_GE(host.processed, 1);  // every tick gasps
}

INSTANTIATE_TEST_SUITE_P(Progress, TicksTest,
                         ::testing::Values(TickCase{"Half", 100, 50, 50, 50},
                                           TickCase{"TruncatesTowardZero", 3, 2, 2, 66},
                                           TickCase{"AtMostHundred", 100, 150, 150, 100},
                                           TickCase{"NoMaximumLeavesAll", 0, 40, 0, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatusCtrlsTest, SettingTheMaximumUpdatesTheGauge) {
  status.SetMaxTicks(200);
  status.SetCurTick(50);
  status.SetMaxTicks(100);
  EXPECT_EQ(gauge.percent, 50);
  status.IncTicks(25);
  EXPECT_EQ(gauge.percent, 75);
}

TEST_F(StatusCtrlsTest, MessagesStackTheirPredecessors) {
  status.SetMsg(u"Loading");
  status.SetMsg(u"Sorting");
  EXPECT_EQ(helpLine.text, u"Sorting");
  status.ClearMsg();
  EXPECT_EQ(helpLine.text, u"Loading");
  status.ClearMsg();
  EXPECT_EQ(helpLine.text, u"");
  status.ClearMsg();
  EXPECT_EQ(helpLine.text, u"");
}

TEST(StatusCtrlsWithoutControls, WorkWithNothingAttached) {
  FakeHost host;
  BusyCounter busy;
  ScriptedDialogs dialogs({mrYes});
  TStatusCtrls status(host, busy, dialogs, nullptr, nullptr, nullptr, nullptr, {});
  status.SetAnalysing(true);
  status.SetMsg(u"x");
  status.ClearMsg();
  status.SetMaxTicks(4);
  status.SetCurTick(2);
  status.AskAbort();
  EXPECT_THROW(status.Gasp(), Abort);
  EXPECT_FALSE(status.Analysing());
}

TEST(StatusCtrlsCreation, EmptiesTheModificationLine) {
  FakeHost host;
  BusyCounter busy;
  ScriptedDialogs dialogs;
  FakeLine modi;
  modi.text = u"Modified";
  TStatusCtrls status(host, busy, dialogs, nullptr, &modi, nullptr, nullptr, {});
  EXPECT_EQ(modi.text, u"");
}

}  // namespace
}  // namespace kq
