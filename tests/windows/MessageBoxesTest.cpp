// The program's message box as the user sees it: the task dialog's texts and buttons, the
// classic dialog of older releases, and the question box's answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "dialogs/MessageDlg.h"
#include "dialogs/win32/MessageBoxes.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"
#include "ui/win32/Form.h"

namespace kq::testing {
namespace {

constexpr platform::WindowsRelease kWindows10{10, 0, 19045, false};
constexpr platform::WindowsRelease kXp{5, 1, 2600, false};

class MessageBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override { application.SetTitle(L"Keyquill"); }

  // The open task dialog, titled with the program's name.
  static HWND TaskDialog() { return FindThreadWindow(L"#32770", L"Keyquill"); }

  // Waits for the task dialog, records its texts, then presses the button.
  UiSteps AnswerTaskDialog(const std::wstring& button) {
    return UiSteps({[this] { return (dialog = TaskDialog()) != nullptr; },
                    Do([this] { statics = ChildTexts(dialog, L"Static"); }),
                    [this, button] {
                      HWND found = FindButton(dialog, button);
                      if (found)
                        SendMessageW(found, BM_CLICK, 0, 0);
                      return found != nullptr;
                    }});
  }

  ui::Application application{GetModuleHandleW(nullptr)};
  win::MessageBoxes boxes{kWindows10, {}};
  HWND dialog = nullptr;
  std::vector<std::wstring> statics;
};

TEST_F(MessageBoxesTest, SecondOfThreeCustomButtonsGives101) {
  UiSteps steps = AnswerTaskDialog(L"Keep");
  int result = boxes.ShowMessageDlg(u"Which one?", TMsgDlgType::mtWarning, mbOK,
                                    {u"Replace", u"Keep", u"Cancel"});
  EXPECT_FALSE(steps.TimedOut());
  EXPECT_EQ(result, 101);
  EXPECT_EQ(FindButton(dialog, L"OK"), nullptr) << "custom buttons replace the standard ones";
}

TEST_F(MessageBoxesTest, ThreeLinesShowTheQuestionAsInstructionAndOnlyTheDetailAsContent) {
  UiSteps steps = AnswerTaskDialog(L"&Yes");
  int result = boxes.ShowMessageDlg(u"Save the changes?\r\n\r\nThey are lost otherwise.",
                                    TMsgDlgType::mtConfirmation, mbYes | mbNo);
  EXPECT_EQ(result, mrYes);
  auto has = [&](const std::wstring& text) {
    return std::find(statics.begin(), statics.end(), text) != statics.end();
  };
  EXPECT_TRUE(has(L"Save the changes?"));
  EXPECT_TRUE(has(L"They are lost otherwise."));
  for (const auto& text : statics)
    EXPECT_EQ(text.find(L"\n"), std::wstring::npos) << "no text carries the line breaks";
}

TEST_F(MessageBoxesTest, OneLineIsTheContentAlone) {
  UiSteps steps = AnswerTaskDialog(L"OK");
  boxes.ShowMessageDlg(u"Hook not installed properly.", TMsgDlgType::mtError, mbOK);
  EXPECT_EQ(statics, std::vector<std::wstring>{L"Hook not installed properly."});
}

TEST_F(MessageBoxesTest, AbortIsShownAsCloseAndAnswersAbort) {
  UiSteps steps = AnswerTaskDialog(L"&Close");
  EXPECT_EQ(boxes.ShowMessageDlg(u"Stop?", TMsgDlgType::mtWarning, mbAbort | mbRetry), mrAbort);
}

struct AskCase {
  const char* name;
  int kind;
  const wchar_t* press;
  int expected;
};

class AskUserOnScreen : public MessageBoxesTest, public ::testing::WithParamInterface<AskCase> {};

TEST_P(AskUserOnScreen, ReturnsTheAnswer) {
  UiSteps steps = AnswerTaskDialog(GetParam().press);
  EXPECT_EQ(AskUser(boxes, u"Duplicate sequences found", GetParam().kind), GetParam().expected);
  EXPECT_FALSE(steps.TimedOut());
}

INSTANTIATE_TEST_SUITE_P(Kinds, AskUserOnScreen,
                         ::testing::Values(AskCase{"Yes", 1, L"&Yes", mrYes},
                                           AskCase{"No", 1, L"&No", mrNo},
                                           AskCase{"First", 2, L"First", mrYes},
                                           AskCase{"Second", 2, L"Second", mrNo},
                                           AskCase{"Cancel", 2, L"Cancel", mrCancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageBoxesTest, BeforeVistaTheClassicDialogShowsTheButtonSet) {
  win::MessageBoxes classic{kXp, {}};
  std::vector<std::wstring> buttons;
  UiSteps steps({[&] { return (dialog = FindThreadWindow(L"KeyquillContainer", L"Confirm")); },
                 Do([&] { buttons = ChildTexts(dialog, L"Button"); }),
                 Do([&] { SendMessageW(FindButton(dialog, L"&No"), BM_CLICK, 0, 0); })});
  int result = classic.ShowMessageDlg(u"Replace the file?", TMsgDlgType::mtConfirmation,
                                      mbYes | mbNo | mbCancel, {u"Ignored"});
  EXPECT_FALSE(steps.TimedOut());
  EXPECT_EQ(result, mrNo);
  EXPECT_EQ(buttons, (std::vector<std::wstring>{L"&Yes", L"&No", L"Cancel"}));
}

TEST_F(MessageBoxesTest, FocusComesBackToTheWindowThatHadIt) {
  ui::Form form(L"Owner");
  form.Show();
  SetFocus(form.Handle());
  HWND before = GetFocus();
  UiSteps steps = AnswerTaskDialog(L"OK");
  ShowInfoMessage(boxes, u"Done.");
  EXPECT_EQ(GetFocus(), before);
  form.Hide();
}

}  // namespace
}  // namespace kq::testing
