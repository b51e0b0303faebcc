// The Options dialog of the running program: opened by a double click on the icon and by a
// second start with "/opt", never twice, and what it saves counts from the next key press.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/ProgramFixtures.h"
#include "support/UiDriver.h"

namespace kq::testing {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kOptionsCaption[] = L"Keyquill Options";

class OptionsFromTheTray : public ProgramProcessTest {
 protected:
  HWND MainWindow() const {
    return ProcessWindow(keyquill.ProcessId(), L"KeyquillContainer", false, L"Keyquill");
  }
  long Count(const std::string& line) const {
    auto lines = keyquill.TraceLines();
    return std::count(lines.begin(), lines.end(), line);
  }
  // Presses a button of the program's form, as a click would.
  static void Press(HWND form, const wchar_t* caption) {
    PostMessageW(FindButton(form, caption), BM_CLICK, 0, 0);
  }
};

TEST_F(OptionsFromTheTray, ADoubleClickOpensItAndANewComposeKeyWorksAtTheNextPress) {
  keyquill.Start();
  PostMessageW(MainWindow(), WM_USER, 1, WM_LBUTTONDBLCLK);
  HWND options = keyquill.WaitForForm(kOptionsCaption);
  ASSERT_TRUE(options) << "the double click opened no Options dialog";
  HWND list = FindWindowExW(options, nullptr, L"ComboBox", nullptr);
  ASSERT_TRUE(list);
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0) << "Right Alt is the first start's key";
  SendMessageW(list, CB_SETCURSEL, 9, 0);  // F5
  Press(options, L"OK");
  ASSERT_TRUE(keyquill.WaitForTrace("Options closed 1"));

  ASSERT_NO_FATAL_FAILURE(target.Start());
  TapKeys({VK_F5, VK_OEM_7, 'E'});
  EXPECT_TRUE(target.WaitFor("CHAR 233 1")) << "F5 did not compose";
  // Right Alt is an ordinary key now: the two keys after it arrive as typed.
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  auto received = target.ReceivedUntilNow();
  EXPECT_EQ(std::count(received.begin(), received.end(), "CHAR 233 1"), 1)
      << "Right Alt still composed";
  EXPECT_NE(std::find(received.begin(), received.end(), "CHAR 101 key"), received.end());
}

TEST_F(OptionsFromTheTray, ASecondStartWithOptOpensItOnceAndIsDroppedWhileItIsOpen) {
  keyquill.Start();
  const std::wstring second = L"\"" + KeyquillProcess::ExecutablePath() + L"\" /opt";
  EXPECT_EQ(RunToEnd(second, 10s), 0u);
  HWND options = keyquill.WaitForForm(kOptionsCaption);
  ASSERT_TRUE(options) << "/opt opened no Options dialog";
  EXPECT_EQ(RunToEnd(second, 10s), 0u);
  PostMessageW(MainWindow(), WM_USER, 1, WM_LBUTTONDBLCLK);
  // Both requests were taken from the queue once the program answers a message sent to it.
  SendMessageW(MainWindow(), WM_NULL, 0, 0);
  Sleep(300);
  EXPECT_EQ(Count("Options shown"), 1) << "a second Options dialog opened";
  EXPECT_EQ(Count("ShowOptDlg 1 0"), 1);
  Press(options, L"Cancel");
  EXPECT_TRUE(keyquill.WaitForTrace("Options closed 2"));
  // Closed, the next request opens it again.
  EXPECT_EQ(RunToEnd(second, 10s), 0u);
  ASSERT_TRUE(keyquill.WaitForForm(kOptionsCaption));
  EXPECT_EQ(Count("Options shown"), 2);
}

TEST_F(OptionsFromTheTray, AboutOpensFromTheMenuAndClosesWithOk) {
  keyquill.Start();
  PostMessageW(MainWindow(), WM_USER, 1, WM_RBUTTONDOWN);
  HWND menu = WaitForProcessWindow(keyquill.ProcessId(), L"#32768", true);
  ASSERT_TRUE(menu);
  PostMessageW(menu, WM_CHAR, L'a', 1);
  HWND about = keyquill.WaitForForm(L"Keyquill");
  ASSERT_TRUE(about) << "no About box";
  EXPECT_TRUE(keyquill.WaitForTrace("About shown"));
  Press(about, L"OK");
  for (int i = 0; i < 250 && IsWindowVisible(about); ++i)
    Sleep(20);
  EXPECT_FALSE(IsWindowVisible(about));
}

// Clearing the preferences from the About box deletes the settings key under the running
// program, which goes on composing with the defaults.
TEST_F(OptionsFromTheTray, ComposingGoesOnWithTheDefaultsAfterThePreferencesAreCleared) {
  WriteRawDWord(kSettingsKey, L"ComposeKey", 9);  // F5
  keyquill.Start();
  ASSERT_TRUE(ReadRaw(kSettingsKey, L"FirstRun2")) << "the first run writes it";
  PostMessageW(MainWindow(), WM_USER, 1, WM_RBUTTONDOWN);
  HWND menu = WaitForProcessWindow(keyquill.ProcessId(), L"#32768", true);
  ASSERT_TRUE(menu);
  PostMessageW(menu, WM_CHAR, L'a', 1);
  HWND about = keyquill.WaitForForm(L"Keyquill");
  ASSERT_TRUE(about);
  PostMessageW(about, WM_SYSCHAR, L'x', 1 << 29);  // Alt+X
  HWND clear = keyquill.WaitForForm(L"Clear user preferences");
  ASSERT_TRUE(clear) << "Alt+X did not open Clear preferences";
  Press(clear, L"C&lear preferences");
  HWND box = keyquill.WaitForDialog();
  ASSERT_TRUE(box);
  Press(box, L"OK");
  Press(clear, L"Close");
  Press(about, L"OK");
  for (int i = 0; i < 250 && (IsWindowVisible(clear) || IsWindowVisible(about)); ++i)
    Sleep(20);
  EXPECT_FALSE(ReadRaw(kSettingsKey, L"ComposeKey")) << "the key was not cleared";
  EXPECT_FALSE(ReadRaw(kSettingsKey, L"FirstRun2"));

  ASSERT_NO_FATAL_FAILURE(target.Start());
  TapKeys({VK_RMENU, VK_OEM_7, 'E'});
  EXPECT_TRUE(target.WaitFor("CHAR 233 1")) << "Right Alt, the default again, did not compose";
  // What the program writes now lands in the new key.
  WriteRawDWord(kSettingsKey, L"FakeKey", 16);
  TapKeys({VK_RMENU, 'Z', 'Q'});
  EXPECT_TRUE(target.WaitFor("KEYDOWN 16 0"));
}

}  // namespace
}  // namespace kq::testing
