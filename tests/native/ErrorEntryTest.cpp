// Which box shows an error, by Windows release and error report dialog, and what happens to
// the busy cursor.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/Errors.h"
#include "errorreport/ErrorEntry.h"
#include "fakes/RecordingPrompts.h"

namespace kq {
namespace {

using testing::ScriptedDialogs;

class RecordingBoxes : public StandardBoxes {
 public:
  void ShowPlainMessage(const std::u16string& msg) override { shown.push_back(u"plain:" + msg); }
  void ShowExceptionMessage(const std::u16string& msg) override {
    shown.push_back(u"exception:" + msg);
  }
  void SetDefaultCursor() override { ++defaultCursors; }
  std::vector<std::u16string> shown;
  int defaultCursors = 0;
};

class FakeReportDialog : public ErrorReportDialog {
 public:
  bool OnScreen() const override { return onScreen; }
  void ShowMessage(const std::u16string& msg, bool showDetails) override {
    shown.push_back((showDetails ? u"report:" : u"dialog:") + msg);
  }
  void ShowInTemporaryDialog(const std::u16string& msg) override {
    shown.push_back(u"temporary:" + msg);
  }
  bool onScreen = false;
  std::vector<std::u16string> shown;
};

constexpr platform::WindowsRelease kXp{5, 1, 2600, false};
constexpr platform::WindowsRelease kWindows10{10, 0, 19045, false};

struct RouteCase {
  const char* name;
  platform::WindowsRelease release;
  bool reportDialog;
  bool onScreen;
  std::u16string boxShown;  // in the standard boxes or the report dialog
  bool messageBox;          // in the program's message box instead
};

class ShowErrorMsgRoute : public ::testing::TestWithParam<RouteCase> {};

TEST_P(ShowErrorMsgRoute, ShowsInTheRightBox) {
  BusyCounter busy;
  ScriptedDialogs dialogs({mrOk});
  RecordingBoxes boxes;
  FakeReportDialog report;
  report.onScreen = GetParam().onScreen;
  ErrorEntryPoints entry(busy, GetParam().release, dialogs, boxes, [&]() -> ErrorReportDialog* {
    return GetParam().reportDialog ? &report : nullptr;
  });
  entry.ShowErrorMsg(u"Disk full");
  if (GetParam().messageBox) {
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].msg, u"Disk full");
    EXPECT_EQ(dialogs.shown[0].type, TMsgDlgType::mtInformation);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(report.shown.empty());
  } else {
    EXPECT_TRUE(dialogs.shown.empty());
    std::vector<std::u16string> all = boxes.shown;
    all.insert(all.end(), report.shown.begin(), report.shown.end());
    EXPECT_EQ(all, std::vector<std::u16string>{GetParam().boxShown});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Releases, ShowErrorMsgRoute,
    ::testing::Values(
        RouteCase{"VistaAndLaterAlwaysMessageBox", kWindows10, true, true, u"", true},
        RouteCase{"VistaWithoutReportDialog", kWindows10, false, false, u"", true},
        RouteCase{"XpWithoutReportDialog", kXp, false, false, u"plain:Disk full", false},
        RouteCase{"XpReportDialogIdle", kXp, true, false, u"dialog:Disk full", false},
        RouteCase{"XpReportDialogOnScreen", kXp, true, true, u"temporary:Disk full", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorEntryBusy, ShowErrorMsgEndsOneLevelReportExceptionAll) {
  BusyCounter busy;
  ScriptedDialogs dialogs({mrOk});
  RecordingBoxes boxes;
  ErrorEntryPoints entry(busy, kWindows10, dialogs, boxes, [] { return nullptr; });
  busy.Begin();
  busy.Begin();
  entry.ShowErrorMsg(u"one");
  EXPECT_EQ(busy.Level(), 1);
  busy.Begin();
  entry.ReportException(std::runtime_error("two"));
  EXPECT_EQ(busy.Level(), 0);
  EXPECT_EQ(boxes.defaultCursors, 1);
}

TEST(ErrorEntryReport, UsesTheReportDialogWithDetailsOrTheExceptionBox) {
  BusyCounter busy;
  ScriptedDialogs dialogs;
  RecordingBoxes boxes;
  FakeReportDialog report;
  bool created = false;
  ErrorEntryPoints entry(busy, kWindows10, dialogs, boxes,
                         [&]() -> ErrorReportDialog* { return created ? &report : nullptr; });
  entry.ReportException(FileError(u"Cannot write Keyquill2.dat", 5));
  EXPECT_EQ(boxes.shown, std::vector<std::u16string>{u"exception:Cannot write Keyquill2.dat"});
  created = true;
  entry.ReportException(std::runtime_error("late"));
  EXPECT_EQ(report.shown, std::vector<std::u16string>{u"report:late"});
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace kq
