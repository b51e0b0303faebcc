#pragma once
// The character map's grid of square cells: a control of our own because a grid of 65,409
// cells must not hold a cell, a format or a string per character. It keeps only the list of
// characters to show and paints the visible cells.

#include <functional>
#include <string>
#include <vector>

#include "charmap/CharMapRules.h"
#include "charmap/win32/GridAccessible.h"
#include "platform/win32/Handles.h"
#include "ui/win32/CustomControl.h"

namespace kq::win {

class CharGrid : public ui::CustomControl {
 public:
  CharGrid(ui::Container& parent, const ui::Place& place);
  ~CharGrid() override;

  // The font the cells are drawn in, and the side of a cell in points at 96 dpi (twice the
  // font's point size).
  void SetCellFont(const std::wstring& face, int pointSize);
  // Whether a character is drawn dimmed (silver): some sequence already produces it.
  std::function<bool(char16_t)> IsDimmed = [](char16_t) { return false; };
  // Shows these characters from the first cell on, selects cell (0, 0) and scrolls to the top.
  void SetCharacters(std::vector<char16_t> characters);

  const kq::GridGeometry& Geometry() const { return geometry_; }
  int Columns() const { return geometry_.Columns(); }
  int Rows() const { return geometry_.Rows(); }
  int CellPixels() const { return cellPixels_; }
  int TopRow() const;
  void SetTopRow(int row);
  // The character in a cell, or 0 for an empty cell.
  char16_t CellCharacter(int column, int row) const;
  bool CellDimmed(int column, int row) const;
  int SelectedColumn() const { return column_; }
  int SelectedRow() const { return row_; }
  void SelectCell(int column, int row);

  // The Unicode name of a character: the balloon text of the cell the mouse rests on, and what
  // a screen reader says after the character.
  std::function<std::wstring(char16_t)> HintOf;
  HWND Tooltip() const { return tooltip_.get(); }

  std::function<void(int column, int row)> OnSelectCell;
  std::function<void()> OnDblClick;

 protected:
  void Paint(HDC dc, const RECT& dirty) override;
  UINT WantedKeys() const override { return DLGC_WANTARROWS; }
  void OnKeyDown(UINT key) override;
  void OnMouseDown(POINT client) override;
  void OnDoubleClick(POINT client) override;
  void OnSized() override;
  // A new dpi draws the same characters with the font and cells at its scale.
  void Relayout() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateScrollBar();
  int VisibleRows() const;
  void MakeSelectionVisible();
  void CreateTooltip();
  // The cell under a point of the client area, as column and row; -1, -1 outside the cells.
  POINT CellAt(POINT client) const;
  // The index of the selected cell's character, or -1 for an empty cell.
  long SelectedIndex() const;
  RECT CellScreenRect(long index) const;
  LRESULT AnswerGetObject(WPARAM wParam, LPARAM lParam);

  std::vector<char16_t> characters_;
  kq::GridGeometry geometry_{1, 1, 0};
  std::wstring face_ = L"Arial";
  int pointSize_ = 12;
  int cellPixels_ = 24;
  UINT fontDpi_ = 0;
  UniqueFont font_;
  int column_ = 0;
  int row_ = 0;
  UniqueWindow tooltip_;
  POINT hovered_{-1, -1};
  GridAccessible* accessible_ = nullptr;  // one reference, made on the first request
  std::wstring hint_;  // the text the tooltip was last given; it reads it after the answer
};

}  // namespace kq::win
