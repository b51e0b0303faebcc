// The start-up wait dialog: it shows the start-up timeout and saves a new one only with OK.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/NewWaitDlg.h"
#include "fakes/SettingsFixture.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

class WaitDialog : public CleanProgramState, protected ProgramSettings<win::Win32Registry> {
 protected:
  // Shows the dialog, types text over the timeout, presses the button; the shown value.
  int ShowTypeAndPress(const std::wstring& typed, bool ok) {
    app::TWaitingTooLongDlg dialog(shared, {&store, win::QueryWindowsRelease()}, nullptr);
    int shown = -1;
    UiSteps steps({Do([&] { shown = dialog.StartTimeout->Value(); }),
                   Do([&] { dialog.StartTimeout->SetText(typed); }),
                   Do([&] { (ok ? dialog.OKBtn : dialog.CancelBtn)->Click(); })});
    EXPECT_EQ(dialog.ShowModal(), ok ? mrOk : mrCancel);
    EXPECT_FALSE(steps.TimedOut());
    return shown;
  }

  ui::Application application{GetModuleHandleW(nullptr)};
};

TEST_F(WaitDialog, ShowsTheTimeoutAndSavesATypedOneWithOk) {
  EXPECT_EQ(ShowTypeAndPress(L"45", true), 30);
  EXPECT_EQ(ReadRaw(kSettingsKey, L"StartTimeout")->Number(), 45u);
  EXPECT_EQ(ShowTypeAndPress(L"250", true), 45);
  EXPECT_EQ(shared.StartTimeout(), 100) << "typed values are kept to 0 to 100";
}

TEST_F(WaitDialog, CancelKeepsTheTimeout) {
  shared.SetStartTimeout(12);
  EXPECT_EQ(ShowTypeAndPress(L"60", false), 12);
  EXPECT_EQ(shared.StartTimeout(), 12);
}

}  // namespace
}  // namespace kq::testing
