#pragma once
// TCharMapDlg, "Extended characters": picks one character for a compose sequence's result from
// a grid of the characters the sequence list's font has glyphs for, by Unicode block or by the
// words of a name; characters some sequence already produces are dimmed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "charmap/GlyphCoverage.h"
#include "charmap/UniLookup.h"
#include "charmap/win32/CharGrid.h"
#include "dialogs/win32/BaseDlg.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Subclass.h"

namespace kq::win {

class TCharMapDlg : public TBaseDialog {
 public:
  // AFontName and FontSize (points, at least 1): the font of the sequence results. isDefined:
  // whether some sequence already produces a character.
  TCharMapDlg(const DialogEnvironment& environment, HWND AOwner, const std::wstring& AFontName,
              int FontSize, std::function<bool(char16_t)> isDefined);

  // The range box index to restore on showing; the caller sets it before showing.
  int RecentSubrange = 0;
  // The character of the selected cell, or 0 for an empty cell.
  char16_t CharSelected() const;

  // The components, as the tests reach them.
  CharGrid* CharGrid1;
  ui::ComboList* Subranges;
  ui::Edit* FindBox;
  ui::Label* CharNum;
  ui::Label* NameLabel;
  ui::Label* BlockLabel;
  ui::Edit* SubblockMemo;
  ui::Label* ExampleLabel;
  ui::Panel* ExamplePanel;
  ui::Label* InUseLabel;
  ui::Button* OKBtn;
  ui::Button* CancelBtn;
  ui::Button* HelpBtn;

  TUniCodeRange ShowRange{127, 65535};
  int FillCount() const { return fills_; }

 protected:
  void FormShow() override;
  void DoExitSizeMove() override;

 private:
  void LoadGlyphRanges();
  void SubrangesChange();
  void FindChange();
  void FillGrid();
  void ClearInfo();
  void CellSelected(int column, int row);

  std::wstring fFontName;
  int fFontSize;
  std::function<bool(char16_t)> isDefined_;
  // Escape in a find box that holds text empties it rather than closing the dialog.
  std::unique_ptr<ui::WindowSubclass> findEscape_;
  GlyphCoverage coverage_;
  std::vector<std::u16string> offered_;
  int OldWidth = 0;
  int fills_ = 0;
};

}  // namespace kq::win
