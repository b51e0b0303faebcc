// The Options dialog, Advanced options, Clear preferences and the About box, driven through
// their real controls on the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "compose/AltGrConflict.h"
#include "dialogs/win32/NewAboutBox.h"
#include "dialogs/win32/NewFixDlg.h"
#include "dialogs/win32/NewOptDlg.h"
#include "fakes/SettingsFixture.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "support/KeyquillProcess.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

// A layout as a table of the characters it types; the rest it does not.
class TableLayout : public platform::KeyboardLayout {
 public:
  explicit TableLayout(std::map<char16_t, platform::KeyStroke> keys) : keys_(std::move(keys)) {}
  std::optional<platform::KeyStroke> KeyFor(char16_t character) const override {
    auto found = keys_.find(character);
    return found == keys_.end() ? std::nullopt : std::optional(found->second);
  }

 private:
  std::map<char16_t, platform::KeyStroke> keys_;
};

const TableLayout kUnitedStates({{u'@', {'2', platform::kShift}}});
const TableLayout kGerman({{u'@', {'Q', platform::kAltGr}}, {u'\u20ac', {'E', platform::kAltGr}}});

void Click(ui::Control* control) {
  PostMessageW(control->Handle(), BM_CLICK, 0, 0);
}

class DialogsTest : public CleanProgramState, protected ProgramSettings<win::Win32Registry> {
 protected:
  DialogsTest() {
    application.SetTitle(L"Keyquill");
    application.SetHelpHandler([this](int context) { helpShown.push_back(context); });
  }

  win::DialogEnvironment Environment() { return {&store, win::QueryWindowsRelease()}; }
  win::PreferenceKeys Keys() {
    return {registry, [this] {
              store.Reopen();
              shared.ReopenKey();
              ++reopened;
            }};
  }

  // Shows the dialog while the steps run; its result.
  template <typename Dialog>
  int Run(Dialog& dialog, std::vector<UiSteps::Step> steps) {
    UiSteps driver(std::move(steps), 20000);
    int result = dialog.ShowModal();
    EXPECT_FALSE(driver.TimedOut()) << "the steps did not finish";
    return result;
  }

  ui::Application application{GetModuleHandleW(nullptr)};
  std::vector<int> helpShown;
  int reopened = 0;
};

using OptionsDialog = DialogsTest;

TEST_F(OptionsDialog, OffersTheChoicesAndWritesAllThreeOnOk) {
  win::TOptionDlg dialog({shared, kUnitedStates, {}}, Environment(), nullptr);
  std::vector<std::wstring> items;
  int shownKey = -1;
  bool shownBalloon = false;
  EXPECT_EQ(Run(dialog, {Do([&] {
                           HWND list = dialog.KeyChoice->Handle();
                           for (int i = 0; i < dialog.KeyChoice->Count(); ++i) {
                             wchar_t text[64] = {};
                             SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                          reinterpret_cast<LPARAM>(text));
                             items.push_back(text);
                           }
                           shownKey = dialog.KeyChoice->ItemIndex();
                           shownBalloon = dialog.ShowBalloon->Checked();
                         }),
                         Do([&] { ChooseItem(dialog.KeyChoice->Handle(), 27); }),
                         Do([&] { SendMessageW(dialog.StartupLoad->Handle(), BM_CLICK, 0, 0); }),
                         Do([&] { SendMessageW(dialog.ShowBalloon->Handle(), BM_CLICK, 0, 0); }),
                         Do([&] { Click(dialog.OKBtn); })}),
            mrOk);
  ASSERT_EQ(items.size(), 28u);
  EXPECT_EQ(items[0], L"Right Alt (AltGr)");
  EXPECT_EQ(items[19], L"Alt + F3");
  EXPECT_EQ(items[20], L"Alt + F5");
  EXPECT_EQ(items[27], L"Alt + F12");
  EXPECT_EQ(shownKey, 0);
  EXPECT_EQ(dialog.Caption(), L"Keyquill Options");
  EXPECT_EQ(ReadRaw(kSettingsKey, L"ComposeKey")->Number(), 27u);
  ASSERT_TRUE(ReadRaw(kRunKey, L"Keyquill")) << "start at log-on was not written";
  EXPECT_EQ(ReadRaw(kSettingsKey, L"ShowBalloon")->Text(), shownBalloon ? L"0" : L"1");
}

TEST_F(OptionsDialog, CancelWritesNothingButWhatAdvancedOptionsSaved) {
  shared.SetComposeKey(TComposeKey::F5);
  win::TOptionDlg dialog({shared, kUnitedStates, {}}, Environment(), nullptr);
  HWND advanced = nullptr;
  EXPECT_EQ(Run(dialog, {Do([&] { ChooseItem(dialog.KeyChoice->Handle(), 2); }),
                         Do([&] { SendMessageW(dialog.StartupLoad->Handle(), BM_CLICK, 0, 0); }),
                         Do([&] { SendMessageW(dialog.ShowBalloon->Handle(), BM_CLICK, 0, 0); }),
                         Do([&] { Click(dialog.FixButton); }),
                         [&] {
                           advanced = FindThreadWindow(L"KeyquillContainer", L"Advanced options");
                           return advanced != nullptr;
                         },
                         // "&Delay key processing", then OK, through the keyboard.
                         Do([&] { PressAltKey(L'd'); }), Do([] { PressKey(VK_RETURN); }),
                         [&] { return !IsWindow(advanced) || !IsWindowVisible(advanced); },
                         Do([&] { Click(dialog.CancelBtn); })}),
            mrCancel);
  EXPECT_EQ(shared.ComposeKey(), TComposeKey::F5);
  EXPECT_FALSE(ReadRaw(kRunKey, L"Keyquill"));
  EXPECT_FALSE(ReadRaw(kSettingsKey, L"ShowBalloon"));
  EXPECT_TRUE(shared.DelayKeys()) << "Advanced options closed with OK keep their change";
}

TEST_F(OptionsDialog, HelpOpensTheTopicsOfTheDialogAndItsControls) {
  win::TOptionDlg dialog({shared, kUnitedStates, {}}, Environment(), nullptr);
  auto help = [](ui::Control* control) {
    return Do([control] {
      HELPINFO info{
          sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(control->Handle()), control->Handle(), 0, {}};
      SendMessageW(GetParent(control->Handle()), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    });
  };
  Run(dialog,
      {Do([&] { SendMessageW(dialog.HelpBtn->Handle(), BM_CLICK, 0, 0); }), help(dialog.KeyChoice),
       help(dialog.StartupLoad), help(dialog.ShowBalloon), Do([&] { Click(dialog.CancelBtn); })});
  EXPECT_EQ(helpShown, (std::vector<int>{6, 108, 109, 6}));
}

TEST_F(OptionsDialog, WarnsWhenTheComposeKeyTakesAwayTheLayoutsAltGrCharacters) {
  struct Case {
    const char* name;
    const platform::KeyboardLayout& layout;
    int choice;
    bool warned;
  };
  const Case cases[] = {
      {"GermanRightAlt", kGerman, 0, true},
      {"GermanLeftControl", kGerman, 2, true},
      {"GermanRightControl", kGerman, 1, false},
      {"GermanF5", kGerman, 9, false},
      {"UnitedStatesRightAlt", kUnitedStates, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    win::TOptionDlg dialog({shared, c.layout, {}}, Environment(), nullptr);
    bool atShow = false, afterChoice = false;
    Run(dialog, {Do([&] { atShow = IsWindowVisible(dialog.AltGrWarning->Handle()) != FALSE; }),
                 Do([&] { ChooseItem(dialog.KeyChoice->Handle(), c.choice); }),
                 Do([&] { afterChoice = IsWindowVisible(dialog.AltGrWarning->Handle()) != FALSE; }),
                 Do([&] { Click(dialog.CancelBtn); })});
    EXPECT_EQ(atShow, &c.layout == &kGerman) << "the stored key is Right Alt";
    EXPECT_EQ(afterChoice, c.warned);
  }
}

// The system's own layout under Wine follows the X keyboard, a US one here: no warning.
TEST_F(OptionsDialog, TheSystemsUnitedStatesLayoutTypesNothingWithAltGr) {
  win::Win32KeyboardLayout layout;
  auto at = layout.KeyFor(u'@');
  ASSERT_TRUE(at);
  EXPECT_EQ(at->shiftState, platform::kShift);
  EXPECT_FALSE(compose::LayoutTypesWithAltGr(layout));
}

using AdvancedOptions = DialogsTest;

TEST_F(AdvancedOptions, ShowsAndWritesTheFakeKeyAsStored) {
  struct Case {
    std::uint32_t stored;
    int shown;
    std::uint32_t written;
  };
  const Case cases[] = {{16, 2, 16}, {0, 1, 0}, {255, 0, 255}, {17, 0, 255}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteRawDWord(kSettingsKey, L"FakeKey", c.stored);
    win::TKeyFixDlg dialog(shared, Environment(), nullptr);
    int shown = -1;
    EXPECT_EQ(Run(dialog, {Do([&] { shown = dialog.FakeKey->ItemIndex(); }),
                           Do([&] { Click(dialog.BitBtn1); })}),
              mrOk);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(ReadRaw(kSettingsKey, L"FakeKey")->Number(), c.written);
  }
}

TEST_F(AdvancedOptions, SpinBoxesKeepTheirLimitsAndOkWritesAllFour) {
  win::TKeyFixDlg dialog(shared, Environment(), nullptr);
  EXPECT_EQ(
      Run(dialog, {Do([&] { dialog.HookDelay->SetText(L"500"); }),
                   Do([&] { dialog.StartTimeout->SetText(L"250"); }),
                   Do([&] { SendMessageW(dialog.FakeKey->Item(1).Handle(), BM_CLICK, 0, 0); }),
                   Do([&] { SendMessageW(dialog.DelayKeyProcessing->Handle(), BM_CLICK, 0, 0); }),
                   Do([&] { Click(dialog.BitBtn1); })}),
      mrOk);
  EXPECT_EQ(shared.DelayHook(), 300);
  EXPECT_EQ(shared.StartTimeout(), 100);
  EXPECT_EQ(shared.FakeKey(), 0);
  EXPECT_TRUE(shared.DelayKeys());
}

TEST_F(AdvancedOptions, ResetDefaultsThenCancelChangesNothing) {
  shared.SetFakeKey(16);
  shared.SetStartTimeout(12);
  shared.SetDelayHook(40);
  shared.SetDelayKeys(true);
  win::TKeyFixDlg dialog(shared, Environment(), nullptr);
  int fake = -1, timeout = -1, delay = -1;
  bool delayed = true;
  EXPECT_EQ(
      Run(dialog, {Do([&] { SendMessageW(dialog.ResetButton->Handle(), BM_CLICK, 0, 0); }), Do([&] {
                     fake = dialog.FakeKey->ItemIndex();
                     timeout = dialog.StartTimeout->Value();
                     delay = dialog.HookDelay->Value();
                     delayed = dialog.DelayKeyProcessing->Checked();
                   }),
                   Do([&] { Click(dialog.BitBtn2); })}),
      mrCancel);
  EXPECT_EQ(fake, 0);
  EXPECT_EQ(timeout, 30);
  EXPECT_EQ(delay, 0);
  EXPECT_FALSE(delayed);
  EXPECT_EQ(shared.FakeKey(), 16);
  EXPECT_EQ(shared.StartTimeout(), 12);
  EXPECT_EQ(shared.DelayHook(), 40);
  EXPECT_TRUE(shared.DelayKeys());
}

TEST_F(AdvancedOptions, TheNoteShowsItsTextAndHelpOpensTopicEight) {
  win::TKeyFixDlg dialog(shared, Environment(), nullptr);
  std::wstring note;
  Run(dialog, {Do([&] { note = dialog.HTMLabel1->Text(); }),
               Do([&] { SendMessageW(dialog.BitBtn3->Handle(), BM_CLICK, 0, 0); }),
               Do([&] { Click(dialog.BitBtn2); })});
  EXPECT_EQ(note.substr(0, 31), L"Note: These options should only");
  ASSERT_EQ(dialog.HTMLabel1->Runs().size(), 4u);
  EXPECT_TRUE(dialog.HTMLabel1->Runs()[0].bold);
  EXPECT_EQ(dialog.HTMLabel1->Runs()[2].text, u"Help ");
  EXPECT_EQ(helpShown, std::vector<int>{8});
}

using ClearPreferences = DialogsTest;

// The message box the button shows, answered; its texts.
UiSteps::Step AnswerBox(std::vector<std::wstring>& texts) {
  return [&texts] {
    HWND box = FindThreadWindow(L"#32770", L"Keyquill");
    if (!box)
      return false;
    texts = ChildTexts(box, L"Static");
    HWND ok = FindButton(box, L"OK");
    PostMessageW(ok ? ok : box, ok ? BM_CLICK : WM_CLOSE, 0, 0);
    return true;
  };
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ClearPreferences, ClearsTheKeyEachTimeAndTheSettingsWorkAfterwards) {
  shared.SetComposeKey(TComposeKey::F5);
  store.WriteInteger(u"OptionDlg", u"Left", 5);
  win::TClearPrefDlg dialog(Keys(), Environment(), nullptr);
  dialog.SetProgName(u"Keyquill");
  EXPECT_EQ(dialog.ProgName(), u"\\Keyquill");
  std::vector<std::wstring> first, second;
  Run(dialog,
      {Do([&] { Click(dialog.Button1); }), AnswerBox(first), Do([&] { Click(dialog.Button1); }),
       AnswerBox(second), Do([&] { Click(dialog.BitBtn1); })});
  EXPECT_TRUE(Contains(first, L"Preferences reset.")) << "first press";
  EXPECT_TRUE(Contains(second, L"Preferences reset.")) << "second press";
  EXPECT_EQ(reopened, 2);
  EXPECT_FALSE(ReadRaw(kSettingsKey + std::wstring(L"\\OptionDlg"), L"Left"));
  // The objects that held the key now write to the new one.
  EXPECT_EQ(shared.ComposeKey(), TComposeKey::Right_Alt_Gr);
  shared.SetComposeKey(TComposeKey::F7);
  EXPECT_EQ(ReadRaw(kSettingsKey, L"ComposeKey")->Number(), 11u);
  store.WriteBool(u"", u"FirstRun2", false);
  EXPECT_EQ(ReadRaw(kSettingsKey, L"FirstRun2")->Text(), L"0");
}

TEST_F(ClearPreferences, AMissingKeyIsReportedAndTheStoreStillReopened) {
  win::TClearPrefDlg dialog(Keys(), Environment(), nullptr);
  dialog.SetProgName(u"Nothing here");
  std::vector<std::wstring> shown;
  Run(dialog,
      {Do([&] { Click(dialog.Button1); }), AnswerBox(shown), Do([&] { Click(dialog.BitBtn1); })});
  EXPECT_TRUE(Contains(shown, L"Error resetting preferences; they may have already been reset."));
  EXPECT_EQ(reopened, 1);
}

TEST_F(ClearPreferences, DialogsOpenAtTheirDesignedPlacesAfterwards) {
  auto placeOfOptions = [&](std::function<void(HWND)> move) {
    win::TOptionDlg dialog({shared, kUnitedStates, {}}, Environment(), nullptr);
    RECT place{};
    Run(dialog, {Do([&] {
                   move(dialog.Handle());
                   GetWindowRect(dialog.Handle(), &place);
                 }),
                 Do([&] { Click(dialog.OKBtn); })});
    return place;
  };
  const RECT designed = placeOfOptions([](HWND) {});
  const RECT moved = placeOfOptions(
      [](HWND window) { SetWindowPos(window, nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
  EXPECT_EQ(moved.left, 7);
  EXPECT_EQ(placeOfOptions([](HWND) {}).left, 7) << "the placement was not remembered";

  win::TClearPrefDlg clear(Keys(), Environment(), nullptr);
  clear.SetProgName(u"Keyquill");
  std::vector<std::wstring> shown;
  Run(clear,
      {Do([&] { Click(clear.Button1); }), AnswerBox(shown), Do([&] { Click(clear.BitBtn1); })});
  const RECT after = placeOfOptions([](HWND) {});
  EXPECT_EQ(after.left, designed.left);
  EXPECT_EQ(after.top, designed.top);
  EXPECT_EQ(after.right - after.left, designed.right - designed.left);
}

using AboutBox = DialogsTest;

TEST_F(AboutBox, ShowsTheProductAndHidesFixProblemsBehindAltX) {
  win::TAboutDlg dialog(Keys(), Environment(), nullptr);
  RECT fix{};
  bool fixEnabled = false;
  HWND clear = nullptr;
  EXPECT_EQ(Run(dialog, {Do([&] {
                           fix = RectInParent(dialog.FixBtn->Handle());
                           fixEnabled = IsWindowEnabled(dialog.FixBtn->Handle()) != FALSE;
                           dialog.BitBtn1->SetFocus();
                         }),
                         Do([] { PressAltKey(L'x'); }),
                         [&] {
                           clear =
                               FindThreadWindow(L"KeyquillContainer", L"Clear user preferences");
                           return clear != nullptr;
                         },
                         Do([&] { PostMessageW(clear, WM_CLOSE, 0, 0); }),
                         [&] { return !IsWindow(clear) || !IsWindowVisible(clear); },
                         Do([&] { Click(dialog.BitBtn1); })}),
            mrOk);
  EXPECT_EQ(dialog.Caption(), L"Keyquill");
  EXPECT_EQ(fix.right - fix.left, 0);
  EXPECT_EQ(fix.bottom - fix.top, 0);
  EXPECT_TRUE(fixEnabled);
  EXPECT_TRUE(clear) << "Alt+X did not open Clear preferences";
  EXPECT_NE(dialog.CopyrightLabel->Text().find(L"2.06"), std::wstring::npos);
  EXPECT_EQ(dialog.URLLabel->Target(), win::kProductPage);
}

// The https verb of the classes, pointed for a test at a command that writes down what it was
// given; the old command comes back at the end. (Wine's classes do not take the user's own.)
class HttpsVerb {
 public:
  explicit HttpsVerb(const std::wstring& command) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CLASSES_ROOT, kVerb, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                    nullptr);
    key_.reset(key);
    wchar_t old[512] = {};
    DWORD size = sizeof old;
    if (RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS)
      old_ = old;
    Set(command);
  }
  ~HttpsVerb() { Set(old_); }

 private:
  static constexpr wchar_t kVerb[] = L"https\\shell\\open\\command";
  void Set(const std::wstring& command) {
    RegSetValueExW(key_.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }
  win::UniqueHKey key_;
  std::wstring old_;
};

TEST_F(AboutBox, TheLinkOpensThePageThroughTheShell) {
  const std::wstring opened = NewTempFilePath(L"kql");
  DeleteFileW(opened.c_str());
  HttpsVerb verb(L"cmd.exe /c echo %1> \"" + opened + L"\"");
  win::TAboutDlg dialog(Keys(), Environment(), nullptr);
  Run(dialog, {Do([&] {
                 NMLINK link{};
                 link.hdr = {dialog.URLLabel->Handle(),
                             static_cast<UINT_PTR>(GetDlgCtrlID(dialog.URLLabel->Handle())),
                             static_cast<UINT>(NM_CLICK)};
                 SendMessageW(dialog.Handle(), WM_NOTIFY, link.hdr.idFrom,
                              reinterpret_cast<LPARAM>(&link));
               }),
               [&] { return !ReadFileBytes(opened).empty(); }, Do([&] { Click(dialog.BitBtn1); })});
  std::string written = ReadFileBytes(opened);
  DeleteFileW(opened.c_str());
  EXPECT_NE(written.find("https://www.brenhollow.example/keyquill/"), std::string::npos) << written;
}

}  // namespace
}  // namespace kq::testing
