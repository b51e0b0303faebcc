#include "charmap/win32/NewCharMap.h"

#include <cstdio>
#include <optional>

#include "charmap/CharMapRules.h"
#include "charmap/NameSearch.h"
#include "platform/win32/Wide.h"
#include "ui/win32/BusyCursor.h"

namespace kq::win {

using ui::Place;

namespace {

constexpr int kCharMapHelp = 9;
constexpr int kGridHelp = 110;

// The hourglass from the start of a fill to its end, also when it fails.
class BusyWhileFilling {
 public:
  BusyWhileFilling() { ui::BeginBusy(); }
  ~BusyWhileFilling() { ui::EndBusy(); }
  BusyWhileFilling(const BusyWhileFilling&) = delete;
  BusyWhileFilling& operator=(const BusyWhileFilling&) = delete;
};

// The glyph ranges of a font of this name, as the display reports them; none when the system
// cannot tell.
std::vector<TGlyphRun> FontGlyphRuns(const std::wstring& face) {
  std::vector<TGlyphRun> runs;
  WindowDC screen(nullptr);
  UniqueFont font(
      CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str()));
  SelectionGuard selected(screen.get(), font.get());
  const DWORD size = GetFontUnicodeRanges(screen.get(), nullptr);
  if (size == 0)
    return runs;
  std::vector<unsigned char> buffer(size);
  auto* glyphs = reinterpret_cast<GLYPHSET*>(buffer.data());
  if (GetFontUnicodeRanges(screen.get(), glyphs) == 0)
    return runs;
  for (DWORD i = 0; i < glyphs->cRanges; ++i)
    runs.push_back({glyphs->ranges[i].wcLow, glyphs->ranges[i].cGlyphs});
  return runs;
}

}  // namespace

TCharMapDlg::TCharMapDlg(const DialogEnvironment& environment, HWND AOwner,
                         const std::wstring& AFontName, int FontSize,
                         std::function<bool(char16_t)> isDefined)
    : TBaseDialog(L"CharMapDlg", environment, AOwner),
      fFontName(AFontName),
      fFontSize(FontSize),
      isDefined_(std::move(isDefined)) {
  SetCaption(L"Extended characters");
  SetBorder(ui::BorderKind::Sizeable);
  SetClientSize(541, 491);
  SetMinClientSize(394, 261);
  SetPosition(ui::Position::ScreenCenter);

  Add<ui::Label>(Place{8, 8, 525, 15},
                 L"&Choose extended character (characters already defined are dimmed):");
  CharGrid1 =
      &Add<CharGrid>(Place{8, 54, 525, 243, ui::akLeft | ui::akTop | ui::akRight | ui::akBottom});
  CharGrid1->SetHelpContext(kGridHelp);
  CharGrid1->SetCellFont(fFontName, fFontSize);
  CharGrid1->IsDimmed = isDefined_;
  CharGrid1->OnSelectCell = [this](int column, int row) { CellSelected(column, row); };
  CharGrid1->OnDblClick = [this] { SetModalResult(mrOk); };
  CharGrid1->HintOf = [](char16_t c) { return Wide(GetUnicodeName(c)); };
  Add<ui::Label>(Place{8, 31, 40, 15}, L"&Find:");
  FindBox = &Add<ui::Edit>(Place{52, 28, 225, 21});
  FindBox->OnChange = [this] { FindChange(); };
  findEscape_ = std::make_unique<ui::WindowSubclass>(
      FindBox->Handle(), [this](UINT message, WPARAM wParam, LPARAM lParam) {
        std::optional<LRESULT> answer;
        const bool typed = GetWindowTextLengthW(FindBox->Handle()) > 0;
        if (message == WM_GETDLGCODE && typed && lParam != 0 &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_ESCAPE)
          answer = DLGC_WANTMESSAGE;  // the dialog manager hands the key to the box
        else if (message == WM_KEYDOWN && wParam == VK_ESCAPE && typed) {
          FindBox->SetText(L"");  // its change event shows the chosen range again
          answer = 0;
        } else if (message == WM_CHAR && wParam == VK_ESCAPE)
          answer = 0;  // no beep
        return answer;
      });

  const unsigned bottom = ui::akLeft | ui::akBottom;
  const unsigned bottomWide = ui::akLeft | ui::akRight | ui::akBottom;
  ExamplePanel = &Add<ui::Panel>(Place{8, 312, 57, 44, bottom}, true);
  ExampleLabel = &ExamplePanel->Add<ui::Label>(Place{0, 6, 55, 32}, L"", ui::TextAlign::Center);
  ExampleLabel->SetFont({.pointSize = 20, .face = fFontName});
  ExamplePanel->SetVisible(false);
  Add<ui::Label>(Place{80, 312, 110, 15, bottom}, L"Unicode &range:");
  Subranges = &Add<ui::ComboList>(Place{190, 308, 225, 21, bottom});
  Subranges->SetDropDownCount(16);
  Subranges->OnChange = [this] { SubrangesChange(); };
  Add<ui::Label>(Place{80, 340, 110, 15, bottom}, L"Character number:");
  CharNum = &Add<ui::Label>(Place{190, 340, 100, 15, bottom}, L"");
  Add<ui::Label>(Place{8, 366, 100, 15, bottom}, L"Unicode name:");
  NameLabel = &Add<ui::Label>(Place{110, 366, 423, 15, bottomWide}, L"");
  NameLabel->SetShowAccelChar(false);
  Add<ui::Label>(Place{8, 388, 100, 15, bottom}, L"Block:");
  BlockLabel = &Add<ui::Label>(Place{110, 388, 423, 15, bottomWide}, L"");
  BlockLabel->SetShowAccelChar(false);
  Add<ui::Label>(Place{8, 410, 100, 15, bottom}, L"Subblock:");
  SubblockMemo = &Add<ui::Memo>(Place{110, 408, 423, 27, bottomWide});
  SubblockMemo->SetReadOnly(true);
  InUseLabel = &Add<ui::Label>(Place{8, 440, 525, 15, bottomWide},
                               L"Selected character already in list of compose sequences.",
                               ui::TextAlign::Center);
  InUseLabel->SetFont({.bold = true, .pointSize = 8, .face = std::wstring(L"Arial")});
  InUseLabel->SetVisible(false);

  const unsigned corner = ui::akRight | ui::akBottom;
  OKBtn = &Add<ui::Button>(Place{296, 460, 75, 25, corner}, L"OK", mrOk);
  OKBtn->SetDefault(true);
  CancelBtn = &Add<ui::Button>(Place{377, 460, 75, 25, corner}, L"Cancel", mrCancel);
  CancelBtn->SetCancel(true);
  HelpBtn = &Add<ui::Button>(Place{458, 460, 75, 25, corner}, L"&Help");
  HelpBtn->OnClick = [] { ShowHelp(kCharMapHelp); };
}

char16_t TCharMapDlg::CharSelected() const {
  return CharGrid1->CellCharacter(CharGrid1->SelectedColumn(), CharGrid1->SelectedRow());
}

void TCharMapDlg::FormShow() {
  TBaseDialog::FormShow();
  LoadGlyphRanges();
  std::vector<std::wstring> items;
  for (const auto& name : offered_)
    items.push_back(Wide(name));
  Subranges->SetItems(items);
  Subranges->SetItemIndex(0);
  const SubrangeChoice choice = RestoredSubrange(RecentSubrange, offered_.size());
  if (choice.restore) {
    Subranges->SetItemIndex(choice.index);
    SubrangesChange();
  } else {
    FillGrid();
    ClearInfo();
  }
}

void TCharMapDlg::LoadGlyphRanges() {
  coverage_ = GlyphCoverage(FontGlyphRuns(fFontName));
  offered_ = OfferedRanges(coverage_);
}

void TCharMapDlg::SubrangesChange() {
  const int index = Subranges->ItemIndex();
  ShowRange = GetUnicodeBlockRange(index >= 0 ? offered_[static_cast<size_t>(index)] : u"");
  if (!FindBox->Text().empty()) {
    FindBox->SetText(L"");  // its change event fills the grid with the range
    return;
  }
  FillGrid();
  ClearInfo();
}

void TCharMapDlg::FindChange() {
  FillGrid();
  ClearInfo();
}

void TCharMapDlg::FillGrid() {
  BusyWhileFilling busy;
  RECT window{};
  GetWindowRect(CharGrid1->Handle(), &window);
  OldWidth = window.right - window.left;
  const auto words = ParseNameQuery(Core(FindBox->Text()));
  const bool searching = !words.empty();
  CharGrid1->SetCharacters(searching ? FindByName(words, coverage_)
                                     : coverage_.CoveredIn(ShowRange));
  if (!searching && IsAllRange(ShowRange))
    CharGrid1->SetTopRow(CharGrid1->Geometry().AllTopRow());
  ++fills_;
}

void TCharMapDlg::ClearInfo() {
  CharNum->SetText(L"");
  NameLabel->SetText(L"");
  BlockLabel->SetText(L"");
  SubblockMemo->SetText(L"");
  ExampleLabel->SetText(L"");
  ExamplePanel->SetVisible(false);
}

void TCharMapDlg::CellSelected(int column, int row) {
  const char16_t c = CharGrid1->CellCharacter(column, row);
  if (c == 0) {
    ClearInfo();
    return;
  }
  wchar_t code[8];
  std::swprintf(code, 8, L"U+%04X", static_cast<unsigned>(c));
  CharNum->SetText(code);
  NameLabel->SetText(Wide(GetUnicodeName(c)));
  BlockLabel->SetText(Wide(GetUnicodeBlockName(c)));
  SubblockMemo->SetText(Wide(GetUnicodeSubBlockName(c)));
  ExampleLabel->SetText(std::wstring(1, static_cast<wchar_t>(c)));
  InUseLabel->SetVisible(isDefined_ && isDefined_(c));
  ExamplePanel->SetVisible(true);
}

void TCharMapDlg::DoExitSizeMove() {
  RECT window{};
  GetWindowRect(CharGrid1->Handle(), &window);
  if (window.right - window.left != OldWidth) {
    FillGrid();
    ClearInfo();
  }
}

}  // namespace kq::win
