#pragma once
// The character map's rules that do not depend on a window: which ranges the range box offers,
// which of them is restored on showing, and how the shown characters fall into the grid.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "charmap/GlyphCoverage.h"

namespace kq {

// "All" and the block names that have at least one code point the font covers, in table order.
std::vector<std::u16string> OfferedRanges(const GlyphCoverage& coverage);

// The range box index to select on showing for the caller's RecentSubrange: that index when it
// lies before the last entry (a negative one selects nothing), otherwise none, and the box keeps
// its selection of "All". The last entry is never restored.
struct SubrangeChoice {
  bool restore;
  int index;  // meaningful when restore is set; negative selects nothing
};
SubrangeChoice RestoredSubrange(int recentSubrange, std::size_t entryCount);

// True for the range that means every block.
bool IsAllRange(TUniCodeRange range);

// The characters of a square-celled grid, cellSize pixels a side, gridWidth pixels wide.
class GridGeometry {
 public:
  GridGeometry(int gridWidth, int cellSize, std::size_t characterCount);

  int Columns() const { return columns_; }
  // One row more than the characters need once any is placed: a row left open by the last wrap
  // stays, empty. No rows without characters.
  int Rows() const { return rows_; }
  // The index into the shown characters of a cell, or none for a cell past the last one.
  std::optional<std::size_t> IndexOf(int column, int row) const;
  int ColumnOf(std::size_t index) const { return static_cast<int>(index % columns_); }
  int RowOf(std::size_t index) const { return static_cast<int>(index / columns_); }
  // The row shown at the top for "All", so that Latin Extended-B (U+0180) is near it; 0 when
  // the rule gives a row that is negative or too near the end.
  int AllTopRow() const;

 private:
  int columns_;
  int rows_;
  std::size_t count_;
};

}  // namespace kq
