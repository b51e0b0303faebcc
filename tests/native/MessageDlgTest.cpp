// The message box's text split, the question box's answers, and the placement storage.
#include <gtest/gtest.h>

#include "dialogs/FormPlacement.h"
#include "dialogs/MessageDlg.h"
#include "fakes/RecordingPrompts.h"
#include "platform/MemoryRegistry.h"
#include "settings/Qvxinif.h"

namespace kq {
namespace {

using testing::ScriptedDialogs;

struct SplitCase {
  const char* name;
  std::u16string msg;
  std::u16string instruction;
  std::u16string content;
};

class SplitMessageTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitMessageTextTest, FirstLineIsTheInstruction) {
  TaskDialogText text = SplitMessageText(GetParam().msg);
  EXPECT_EQ(text.instruction, GetParam().instruction);
  EXPECT_EQ(text.content, GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SplitMessageTextTest,
    ::testing::Values(
        SplitCase{"OneLineIsContentOnly", u"Hook not installed.", u"", u"Hook not installed."},
        SplitCase{"QuestionEmptyLineDetail", u"Delete?\r\n\r\nThe file goes.", u"Delete?",
                  u"The file goes."},
        SplitCase{"NoEmptyLine", u"Delete?\r\nThe file goes.", u"Delete?", u"The file goes."},
        SplitCase{"OnlyOneEmptyLineDropped", u"Q\r\n\r\n\r\nD", u"Q", u"\r\nD"},
        SplitCase{"LineFeedsAlone", u"Q\n\nD\nE", u"Q", u"D\nE"},
        SplitCase{"DetailKeepsItsLines", u"Q\r\n\r\nA\r\nB", u"Q", u"A\r\nB"}),
    [](const auto& info) { return std::string(info.param.name); });

struct AskCase {
  const char* name;
  int kind;
  int answer;
  int expected;
};

class AskUserTest : public ::testing::TestWithParam<AskCase> {};

TEST_P(AskUserTest, MapsTheButtons) {
  ScriptedDialogs dialogs({GetParam().answer});
  EXPECT_EQ(AskUser(dialogs, u"Which?", GetParam().kind), GetParam().expected);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const auto& shown = dialogs.shown[0];
  EXPECT_EQ(shown.msg, u"Which?");
  EXPECT_EQ(shown.type, TMsgDlgType::mtWarning);
  if (GetParam().kind == 2) {
    EXPECT_EQ(shown.buttons, mbOK);
    EXPECT_EQ(shown.customButtons, (std::vector<std::u16string>{u"First", u"Second", u"Cancel"}));
  } else {
    EXPECT_EQ(shown.buttons, mbYes | mbNo);
    EXPECT_TRUE(shown.customButtons.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, AskUserTest,
                         ::testing::Values(AskCase{"YesNoYes", 1, mrYes, mrYes},
                                           AskCase{"YesNoNo", 1, mrNo, mrNo},
                                           AskCase{"FirstIsYes", 2, 100, mrYes},
                                           AskCase{"SecondIsNo", 2, 101, mrNo},
                                           AskCase{"ThirdIsCancel", 2, 102, mrCancel},
                                           AskCase{"OtherResultPassesThrough", 2, mrOk, mrOk}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShowInfoMessageTest, IsAnInformationBoxWithOk) {
  ScriptedDialogs dialogs({mrOk});
  ShowInfoMessage(dialogs, u"Done.");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, TMsgDlgType::mtInformation);
  EXPECT_EQ(dialogs.shown[0].buttons, mbOK);
}

class FormPlacementTest : public ::testing::Test {
 protected:
  platform::MemoryRegistry registry;
  TQvxIniFile store{registry, kSettingsKeyPath};
};

TEST_F(FormPlacementTest, RoundTripsInTheFormsOwnSubkey) {
  FormPlacementStorage storage(store, u"OptionDlg");
  EXPECT_FALSE(storage.ReadPlacement());
  WindowPlacement placement{2, -1200, 40, -700, 440, 144};
  storage.WritePlacement(placement);
  storage.WriteProperty(u"FontSize", u"12");
  EXPECT_EQ(storage.ReadPlacement(), placement);
  EXPECT_EQ(storage.ReadProperty(u"FontSize"), u"12");
  EXPECT_EQ(store.ReadInteger(u"OptionDlg", u"Left", 0), -1200);
  EXPECT_FALSE(FormPlacementStorage(store, u"CharMapDlg").ReadPlacement());
}

TEST_F(FormPlacementTest, DamagedValuesGiveNoPlacement) {
  FormPlacementStorage storage(store, u"KeyFixDlg");
  storage.WritePlacement({0, 10, 10, 300, 200, 96});
  store.WriteString(u"KeyFixDlg", u"Top", u"high");
  EXPECT_FALSE(storage.ReadPlacement());
  storage.WritePlacement({0, 300, 10, 10, 200, 96});  // right of left edge is not a window
  EXPECT_FALSE(storage.ReadPlacement());
}

}  // namespace
}  // namespace kq
