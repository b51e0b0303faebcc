// The character map on the real dialog, with a font whose glyph ranges the test asks the system
// for and builds its expectations from.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "charmap/CharMapRules.h"
#include "charmap/NameSearch.h"
#include "charmap/win32/NewCharMap.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

constexpr wchar_t kFont[] = L"Tahoma";

GlyphCoverage SystemCoverage(const wchar_t* face) {
  win::WindowDC screen(nullptr);
  win::UniqueFont font(
      CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face));
  win::SelectionGuard selected(screen.get(), font.get());
  std::vector<unsigned char> buffer(GetFontUnicodeRanges(screen.get(), nullptr));
  std::vector<TGlyphRun> runs;
  if (!buffer.empty()) {
    auto* glyphs = reinterpret_cast<GLYPHSET*>(buffer.data());
    GetFontUnicodeRanges(screen.get(), glyphs);
    for (DWORD i = 0; i < glyphs->cRanges; ++i)
      runs.push_back({glyphs->ranges[i].wcLow, glyphs->ranges[i].cGlyphs});
  }
  return GlyphCoverage(runs);
}

class CharMapDialog : public ::testing::Test {
 protected:
  // Shows the dialog while the steps run, from its first fill on; its result.
  int Run(win::TCharMapDlg& dialog, std::vector<UiSteps::Step> steps) {
    steps.insert(steps.begin(), [&] {
      return IsWindowVisible(dialog.Handle()) != FALSE && dialog.FillCount() > 0;
    });
    UiSteps driver(std::move(steps), 20000);
    int result = dialog.ShowModal();
    EXPECT_FALSE(driver.TimedOut()) << "the steps did not finish";
    return result;
  }
  // Chooses a range in the range box as the user does.
  void ChooseRange(const std::u16string& block) {
    SendMessageW(dialog.Subranges->Handle(), CB_SETCURSEL, IndexOf(block), 0);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(dialog.Subranges->Id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(dialog.Subranges->Handle()));
  }
  int IndexOf(const std::u16string& block) {
    auto at = std::find(offered.begin(), offered.end(), block);
    return at == offered.end() ? -1 : static_cast<int>(at - offered.begin());
  }

  ui::Application application{GetModuleHandleW(nullptr)};
  GlyphCoverage coverage = SystemCoverage(kFont);
  std::vector<std::u16string> offered = OfferedRanges(coverage);
  std::vector<char16_t> defined{u'A'};
  win::TCharMapDlg dialog{{}, nullptr, kFont, 12, [this](char16_t c) {
                            return std::find(defined.begin(), defined.end(), c) != defined.end();
                          }};
};

TEST_F(CharMapDialog, AllShowsTheFontsCharactersFromTheFourthBlocksRowAndOffersOnlyItsBlocks) {
  ASSERT_GT(offered.size(), 3u) << "the font reports too few ranges";
  ASSERT_LT(offered.size(), 137u) << "the font lacks no block, so the filter is not seen";
  const std::vector<char16_t> all = coverage.CoveredIn({127, 65535});
  EXPECT_EQ(Run(dialog, {Do([&] {
                           EXPECT_EQ(dialog.Subranges->Count(), static_cast<int>(offered.size()));
                           EXPECT_EQ(dialog.CharGrid1->CellPixels(), 24);
                           RECT window{};
                           GetWindowRect(dialog.CharGrid1->Handle(), &window);
                           const int columns = (window.right - window.left) / 24;
                           EXPECT_EQ(dialog.CharGrid1->Columns(), columns);
                           EXPECT_EQ(dialog.CharGrid1->CellCharacter(0, 0), all.front());
                           EXPECT_EQ(dialog.CharGrid1->CellCharacter(1, 0), all[1]);
                           EXPECT_EQ(dialog.CharGrid1->TopRow(), 257 / columns - 2);
                           EXPECT_EQ(dialog.CharGrid1->Rows(),
                                     static_cast<int>(all.size()) / columns + 1);
                         }),
                         Do([&] { dialog.CancelBtn->Click(); })}),
            mrCancel);
}

TEST_F(CharMapDialog, DefinedCharactersAreDimmedAndAnEmptyCellClearsTheInfoButNotTheNote) {
  dialog.RecentSubrange = IndexOf(u"Basic Latin");
  ASSERT_GE(dialog.RecentSubrange, 0);
  const std::vector<char16_t> latin = coverage.CoveredIn({0, 127});
  const int a = static_cast<int>(std::find(latin.begin(), latin.end(), u'A') - latin.begin());
  int emptyColumn = 0, emptyRow = 0;
  EXPECT_EQ(Run(dialog, {Do([&] {
                           auto& grid = *dialog.CharGrid1;
                           grid.SelectCell(a % grid.Columns(), a / grid.Columns());
                           EXPECT_TRUE(grid.CellDimmed(a % grid.Columns(), a / grid.Columns()));
                           EXPECT_FALSE(grid.CellDimmed(0, 0));
                           EXPECT_EQ(dialog.CharNum->Text(), L"U+0041");
                           EXPECT_EQ(dialog.NameLabel->Text(), L"LATIN CAPITAL LETTER A");
                           EXPECT_TRUE(dialog.InUseLabel->Visible());
                           emptyColumn = grid.Columns() - 1;
                           emptyRow = grid.Rows() - 1;
                           grid.SelectCell(emptyColumn, emptyRow);
                           EXPECT_EQ(dialog.CharNum->Text(), L"");
                           EXPECT_FALSE(dialog.ExamplePanel->Visible());
                           EXPECT_TRUE(dialog.InUseLabel->Visible());
                         }),
                         Do([&] { dialog.OKBtn->Click(); })}),
            mrOk);
  EXPECT_EQ(dialog.CharSelected(), 0);
}

TEST_F(CharMapDialog, TheLastEntryIsNeverRestored) {
  dialog.RecentSubrange = static_cast<int>(offered.size()) - 1;
  Run(dialog, {Do([&] {
                 EXPECT_EQ(dialog.Subranges->ItemIndex(), 0);
                 EXPECT_EQ(dialog.ShowRange, (TUniCodeRange{127, 65535}));
               }),
               Do([&] { dialog.CancelBtn->Click(); })});
}

TEST_F(CharMapDialog, AResizeRefillsOnlyAtItsEnd) {
  int fills = 0, columns = 0;
  Run(dialog, {Do([&] {
                 fills = dialog.FillCount();
                 columns = dialog.CharGrid1->Columns();
                 RECT r{};
                 GetWindowRect(dialog.Handle(), &r);
                 SetWindowPos(dialog.Handle(), nullptr, 0, 0, r.right - r.left + 120,
                              r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
                 EXPECT_EQ(dialog.FillCount(), fills);
                 SendMessageW(dialog.Handle(), WM_EXITSIZEMOVE, 0, 0);
                 EXPECT_EQ(dialog.FillCount(), fills + 1);
                 EXPECT_EQ(dialog.CharGrid1->Columns(), columns + 5);
                 SendMessageW(dialog.Handle(), WM_EXITSIZEMOVE, 0, 0);
                 EXPECT_EQ(dialog.FillCount(), fills + 1);  // the same width: nothing to redo
               }),
               Do([&] { dialog.CancelBtn->Click(); })});
}

TEST_F(CharMapDialog, FindShowsTheCharactersWhoseNameHasTheTypedWords) {
  ASSERT_TRUE(coverage.Covers(0x3B1));
  Run(dialog,
      {Do([&] { dialog.FindBox->SetText(L"greek small alpha"); }), Do([&] {
         // In code-point order: the alphas with accents come before and after it.
         auto& grid = *dialog.CharGrid1;
         const std::vector<char16_t> found =
             FindByName(ParseNameQuery(u"greek small alpha"), coverage);
         const auto at = std::find(found.begin(), found.end(), u'\u03B1');
         ASSERT_NE(at, found.end());
         const int index = static_cast<int>(at - found.begin());
         grid.SelectCell(index % grid.Columns(), index / grid.Columns());
         EXPECT_EQ(dialog.CharSelected(), 0x3B1);
         EXPECT_EQ(dialog.NameLabel->Text(), L"GREEK SMALL LETTER ALPHA");
         EXPECT_EQ(dialog.BlockLabel->Text(), L"Greek and Coptic");
         EXPECT_EQ(grid.CellCharacter(0, 0), found.front());
         dialog.FindBox->SetText(L"zzzz");
       }),
       Do([&] {
         EXPECT_EQ(dialog.CharGrid1->Rows(), 0);
         // Choosing a range empties the box and fills the grid once, with the range.
         const int fills = dialog.FillCount();
         ChooseRange(u"Basic Latin");
         EXPECT_EQ(dialog.FindBox->Text(), L"");
         EXPECT_EQ(dialog.FillCount(), fills + 1);
         EXPECT_EQ(dialog.CharGrid1->CellCharacter(0, 0), coverage.CoveredIn({0, 127}).front());
       }),
       Do([&] { dialog.CancelBtn->Click(); })});
}

TEST_F(CharMapDialog, EscapeInTheFindBoxReturnsToTheRangeAndOnlyThenCloses) {
  const std::vector<char16_t> all = coverage.CoveredIn({127, 65535});
  EXPECT_EQ(Run(dialog, {Do([&] {
                           dialog.FindBox->SetFocus();
                           TypeText(L"zzzz");
                         }),
                         [&] { return dialog.FindBox->Text() == L"zzzz"; }, Do([&] {
                           EXPECT_EQ(dialog.CharGrid1->Rows(), 0);
                           PressKey(VK_ESCAPE);
                         }),
                         [&] { return dialog.FindBox->Text().empty(); }, Do([&] {
                           EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
                           EXPECT_EQ(dialog.CharGrid1->CellCharacter(0, 0), all.front());
                           PressKey(VK_ESCAPE);
                         })}),
            mrCancel);
}

TEST_F(CharMapDialog, HelpOpensTheDialogsTopicAndTheGridsOwn) {
  std::vector<int> shown;
  application.SetHelpHandler([&](int context) { shown.push_back(context); });
  Run(dialog, {Do([&] { dialog.HelpBtn->Click(); }), Do([&] {
                 HWND grid = dialog.CharGrid1->Handle();
                 HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(grid), grid, 0, {}};
                 SendMessageW(GetParent(grid), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
               }),
               Do([&] { dialog.CancelBtn->Click(); })});
  EXPECT_EQ(shown, (std::vector<int>{9, 110}));
}

TEST_F(CharMapDialog, ABalloonAfterASecondNamesTheCharacterUnderTheMouse) {
  const std::vector<char16_t> latin = coverage.CoveredIn({0, 127});
  std::vector<std::wstring> hints;
  Run(dialog, {Do([&] { ChooseRange(u"Basic Latin"); }), Do([&] {
                 auto& grid = *dialog.CharGrid1;
                 HWND tooltip = grid.Tooltip();
                 ASSERT_NE(tooltip, nullptr);
                 EXPECT_TRUE(GetWindowLongW(tooltip, GWL_STYLE) & TTS_BALLOON);
                 EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 1000);
                 const int cell = grid.CellPixels();
                 // The second cell, then past the last character of the last row.
                 for (POINT at : {POINT{cell + 3, 3},
                                  POINT{grid.Columns() * cell - 3, (grid.Rows() - 1) * cell + 3}}) {
                   SendMessageW(grid.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
                   NMTTDISPINFOW info{};
                   info.hdr = {tooltip, 0, TTN_GETDISPINFOW};
                   SendMessageW(grid.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
                   hints.push_back(info.lpszText ? info.lpszText : L"(none)");
                 }
               }),
               Do([&] { dialog.CancelBtn->Click(); })});
  ASSERT_GT(latin.size(), 2u);
  EXPECT_EQ(hints, (std::vector<std::wstring>{win::Wide(GetUnicodeName(latin[1])), L""}));
}

// Focus events on the grid's client area, as a screen reader receives them.
std::vector<LONG> focusEvents;
void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  // The window's own focus (CHILDID_SELF) the system reports; the cells' are the grid's.
  if (event == EVENT_OBJECT_FOCUS && object == OBJID_CLIENT && child != CHILDID_SELF)
    focusEvents.push_back(child);
}

TEST_F(CharMapDialog, AScreenReaderReadsTheFocusedCellAndHearsEachMove) {
  CoInitialize(nullptr);
  focusEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, RecordFocus,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  std::wstring name;
  long role = 0;
  Run(dialog, {Do([&] { ChooseRange(u"Greek and Coptic"); }), Do([&] {
                 auto& grid = *dialog.CharGrid1;
                 grid.SetFocus();
                 grid.SelectCell(0, 0);
                 SendMessageW(grid.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
               }),
               Do([&] {
                 IAccessible* accessible = nullptr;
                 ASSERT_EQ(AccessibleObjectFromWindow(dialog.CharGrid1->Handle(), OBJID_CLIENT,
                                                      __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&accessible)),
                           S_OK);
                 VARIANT focus;
                 VariantInit(&focus);
                 ASSERT_EQ(accessible->get_accFocus(&focus), S_OK);
                 BSTR text = nullptr;
                 if (accessible->get_accName(focus, &text) == S_OK && text) {
                   name = text;
                   SysFreeString(text);
                 }
                 VARIANT cellRole;
                 VariantInit(&cellRole);
                 accessible->get_accRole(focus, &cellRole);
                 role = cellRole.lVal;
                 accessible->Release();
               }),
               Do([&] { dialog.CancelBtn->Click(); })});
  UnhookWinEvent(hook);
  const char16_t second = coverage.CoveredIn(GetUnicodeBlockRange(u"Greek and Coptic"))[1];
  EXPECT_EQ(name, std::wstring(1, static_cast<wchar_t>(second)) + L" " +
                      win::Wide(GetUnicodeName(second)));
  EXPECT_EQ(role, ROLE_SYSTEM_CELL);
  EXPECT_EQ(focusEvents, (std::vector<LONG>{1, 2}));
  CoUninitialize();
}

}  // namespace
}  // namespace kq::testing
