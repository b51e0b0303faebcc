// The tray icon's mouse actions inside the program's own process: which menu a right click
// opens while a dialog of the main window is open, and that a double click then does nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/Keyquillfrm.h"
#include "app/win32/ProgramGlobals.h"
#include "support/ProgramFiles.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

class TrayMenus : public CleanProgramState {
 protected:
  // A later run with a sequence file in place, so that the start shows nothing.
  void SetUp() override {
    WriteRawString(kSettingsKey, L"FirstRun2", L"0");
    WriteFileBytes(SequenceFilePath(), "\xEF\xBB\xBF\xC3\xA9\t'e\r\n");
  }

  // Right-clicks the icon and returns the number of items of the menu that opened.
  int ItemsOfTheMenuARightClickOpens(app::TKeyquillForm& form) {
    int items = -1;
    UiSteps steps({Do([&] { PostMessageW(form.Handle(), WM_USER, 1, WM_RBUTTONDOWN); }), [&] {
                     HWND menu = FindThreadWindow(L"#32768", L"");
                     if (!menu)
                       return false;
                     auto handle = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
                     items = GetMenuItemCount(handle);
                     EndMenu();
                     return true;
                   }});
    application.RunUntil([&] { return steps.Done(); });
    EXPECT_FALSE(steps.TimedOut());
    return items;
  }

  ui::Application application{GetModuleHandleW(nullptr)};
};

TEST_F(TrayMenus, ARightClickWhileADialogIsOpenOffersOnlyClose) {
  app::ProgramObjects objects;
  app::TKeyquillForm form(application, objects);
  EXPECT_EQ(ItemsOfTheMenuARightClickOpens(form), 7) << "six commands and a separator";
  form.DialogOpen = true;
  EXPECT_EQ(ItemsOfTheMenuARightClickOpens(form), 1);
  EXPECT_EQ(form.CloseOnlyPopupMenu.Caption(form.MenuItem8), L"&Close");
}

TEST_F(TrayMenus, ADoubleClickDoesNothingWhileADialogIsOpen) {
  app::ProgramObjects objects;
  app::TKeyquillForm form(application, objects);
  form.DialogOpen = true;
  SendMessageW(form.Handle(), WM_USER, 1, WM_LBUTTONDBLCLK);
  // The Options command would have cleared the flag when its dialog closed.
  EXPECT_TRUE(form.DialogOpen) << "the double click ran the Options command";
}

}  // namespace
}  // namespace kq::testing
