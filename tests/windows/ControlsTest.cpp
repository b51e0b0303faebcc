// The standard controls as a dialog's code uses them, on real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "dialogs/win32/BaseDlg.h"
#include "platform/win32/Win32Registry.h"
#include "settings/Qvxinif.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Font.h"
#include "ui/win32/Form.h"
#include "ui/win32/Menu.h"

namespace kq::testing {
namespace {

using ui::Place;

class ControlsTest : public ::testing::Test {
 protected:
  ui::Application application{GetModuleHandleW(nullptr)};
  ui::Form form{L"Controls"};
};

TEST_F(ControlsTest, SpinEditClampsTypedValues) {
  auto& spin = form.Add<ui::SpinEdit>(Place{10, 10, 80, 22}, 0, 30, 5);
  EXPECT_EQ(spin.Value(), 5);
  struct Typed {
    const wchar_t* text;
    int value;
  };
  for (auto [text, value] : {Typed{L"12", 12}, Typed{L"99", 30}, Typed{L"-4", 0}, Typed{L"x", 0}}) {
    spin.SetText(text);
    EXPECT_EQ(spin.Value(), value) << text;
  }
  spin.SetText(L"99");
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(spin.Id(), EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(spin.Handle()));
  EXPECT_EQ(spin.Text(), L"30") << "leaving the field puts the value right";
  HWND arrows = GetWindow(spin.Handle(), GW_HWNDNEXT);
  SendMessageW(arrows, UDM_SETPOS32, 0, 7);
  EXPECT_EQ(spin.Value(), 7) << "the arrows write into the edit";
}

TEST_F(ControlsTest, RadioGroupComboAndCheckBoxReportTheirChoice) {
  auto& radio = form.Add<ui::RadioGroup>(Place{10, 10, 200, 80}, L"Key",
                                         std::vector<std::wstring>{L"One", L"Two", L"Three"}, 2);
  int clicks = 0;
  radio.OnClick = [&] { ++clicks; };
  EXPECT_EQ(radio.ItemIndex(), -1);
  SendMessageW(radio.Item(2).Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(radio.ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  radio.SetItemIndex(0);
  EXPECT_EQ(radio.ItemIndex(), 0);
  // Two columns: the third item starts the second one.
  EXPECT_GT(RectInParent(radio.Item(2).Handle()).left, RectInParent(radio.Item(0).Handle()).left);

  auto& combo =
      form.Add<ui::ComboList>(Place{10, 100, 120, 200}, std::vector<std::wstring>{L"F1", L"F2"});
  EXPECT_EQ(combo.Count(), 2);
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.ItemIndex(), 1);

  auto& check = form.Add<ui::CheckBox>(Place{10, 130, 120, 17}, L"&Start");
  SendMessageW(check.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(check.Checked());
}

TEST_F(ControlsTest, MemoLinesAndAutoSizedLabels) {
  auto& memo = form.Add<ui::Memo>(Place{10, 10, 200, 80});
  memo.SetLines({L"My name", L"", L"My city"});
  EXPECT_EQ(memo.Text(), L"My name\r\n\r\nMy city");
  EXPECT_EQ(memo.Lines(), (std::vector<std::wstring>{L"My name", L"", L"My city"}));

  auto& label = form.Add<ui::Label>(Place{10, 100, 10, 10}, L"Compose key: Right Alt");
  label.SetAutoSize(true);
  EXPECT_GT(label.Bounds().width, 60);
  auto& wrapped =
      form.Add<ui::Label>(Place{10, 130, 60, 10}, L"a longer text that has to wrap over lines",
                          ui::TextAlign::Left, true);
  wrapped.SetAutoSize(true);
  EXPECT_EQ(wrapped.Bounds().width, 60);
  EXPECT_GT(wrapped.Bounds().height, 30);
}

TEST_F(ControlsTest, MenuItemsRunTheirCommandsAndKeepTheirCaptions) {
  ui::Menu menu;
  int options = 0;
  UINT optionsId = menu.AddItem(L"&Options...", [&] { ++options; });
  menu.AddSeparator();
  ui::Menu& more = menu.AddSubmenu(L"&More");
  bool closed = false;
  UINT closeId = more.AddItem(L"&Close", [&] { closed = true; });
  menu.SetDefault(optionsId);
  EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), FALSE, 0), optionsId);
  menu.SetCaption(optionsId, L"Ena&ble");
  EXPECT_EQ(menu.Caption(optionsId), L"Ena&ble");
  EXPECT_TRUE(menu.Invoke(optionsId));
  EXPECT_TRUE(menu.Invoke(closeId));
  EXPECT_FALSE(menu.Invoke(1));
  EXPECT_EQ(options, 1);
  EXPECT_TRUE(closed);
}

TEST_F(ControlsTest, TimerRunsFromTheLoopUntilStopped) {
  int ticks = 0;
  ui::Timer timer(20);
  timer.OnTimer = [&] {
    if (++ticks == 3)
      timer.SetEnabled(false);
  };
  timer.SetEnabled(true);
  application.RunUntil([&] { return !timer.Enabled(); });
  EXPECT_EQ(ticks, 3);
}

struct FontCase {
  const char* name;
  platform::WindowsRelease release;
  int pointSize;
  int pixelHeight;
};

class DialogFont : public ::testing::TestWithParam<FontCase> {
 protected:
  ui::Application application{GetModuleHandleW(nullptr)};
};

TEST_P(DialogFont, FollowsTheWindowsRelease) {
  win::TBaseDialog dialog(L"FontDlg", {nullptr, GetParam().release});
  EXPECT_EQ(dialog.Font().pointSize, GetParam().pointSize);
  if (GetParam().pointSize == 0) {
    EXPECT_EQ(dialog.Font().face, L"Arial");
    EXPECT_EQ(dialog.Font().pixelHeight, GetParam().pixelHeight);
  }
  if (GetParam().release.major == 5 && GetParam().release.minor == 1) {
    EXPECT_EQ(dialog.Font().face, ui::FontInstalled(L"Tahoma") ? L"Tahoma" : L"Arial");
  }
}

INSTANTIATE_TEST_SUITE_P(Releases, DialogFont,
                         ::testing::Values(FontCase{"Windows10", {10, 0, 19045, false}, 8, 0},
                                           FontCase{"Vista", {6, 0, 6002, false}, 8, 0},
                                           FontCase{"Xp", {5, 1, 2600, false}, 8, 0},
                                           FontCase{"Windows2000", {5, 0, 2195, false}, 0, 11}),
                         [](const auto& info) { return std::string(info.param.name); });

class DialogColour : public ::testing::Test {
 protected:
  void SetUp() override { DeleteRawValue(kSettingsKey, L"ThemeColor"); }
  void TearDown() override { DeleteRawValue(kSettingsKey, L"ThemeColor"); }
  ui::Application application{GetModuleHandleW(nullptr)};
  win::Win32Registry registry;
  TQvxIniFile store{registry, kSettingsKeyPath};
};

TEST_F(DialogColour, IsTheThemeColorSettingOrButtonFace) {
  constexpr platform::WindowsRelease kRelease{10, 0, 19045, false};
  EXPECT_EQ(win::TBaseDialog(L"C1", {&store, kRelease}).Color(), GetSysColor(COLOR_BTNFACE));
  WriteRawDWord(kSettingsKey, L"ThemeColor", 0x00FF0000);  // blue, as colours are stored
  EXPECT_EQ(win::TBaseDialog(L"C2", {&store, kRelease}).Color(), RGB(0, 0, 255));
  WriteRawDWord(kSettingsKey, L"ThemeColor", 0xFF000005);  // the system's window colour
  EXPECT_EQ(win::TBaseDialog(L"C3", {&store, kRelease}).Color(), GetSysColor(COLOR_WINDOW));
  WriteRawString(kSettingsKey, L"ThemeColor", L"blue");
  EXPECT_EQ(win::TBaseDialog(L"C4", {&store, kRelease}).Color(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(DialogColour, SizeGripSitsInTheCornerWhileWanted) {
  win::TBaseDialog dialog(L"Grip", {&store, {10, 0, 19045, false}});
  EXPECT_EQ(FindWindowExW(dialog.Handle(), nullptr, L"ScrollBar", nullptr), nullptr);
  dialog.SetHasSizeGrip(true);
  HWND grip = FindWindowExW(dialog.Handle(), nullptr, L"ScrollBar", nullptr);
  ASSERT_NE(grip, nullptr);
  RECT client, r = RectInParent(grip);
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(r.left, client.right - 12);
  EXPECT_EQ(r.top, client.bottom - 12);
  EXPECT_EQ(r.right - r.left, 11);
  dialog.SetHasSizeGrip(false);
  EXPECT_EQ(FindWindowExW(dialog.Handle(), nullptr, L"ScrollBar", nullptr), nullptr);
}

}  // namespace
}  // namespace kq::testing
