#include "charmap/CharMapRules.h"

#include <algorithm>

namespace kq {
namespace {

constexpr TUniCodeRange kAll{127, 65535};
// The code point the "All" view scrolls towards: the start of Latin Extended-B.
constexpr int kAllScrollTarget = 384;

std::vector<std::u16string> SplitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(u"\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::u16string::npos) {
      return lines;
    }
    start = end + 2;
  }
}

}  // namespace

std::vector<std::u16string> OfferedRanges(const GlyphCoverage& coverage) {
  std::vector<std::u16string> offered = SplitLines(GetUnicodeBlockList());
  std::erase_if(offered, [&](const std::u16string& name) {
    return !coverage.CoversAny(GetUnicodeBlockRange(name));
  });
  return offered;
}

SubrangeChoice RestoredSubrange(int recentSubrange, std::size_t entryCount) {
  if (recentSubrange < static_cast<int>(entryCount) - 1) {
    return {true, recentSubrange};
  }
  return {false, 0};
}

bool IsAllRange(TUniCodeRange range) {
  return range == kAll;
}

GridGeometry::GridGeometry(int gridWidth, int cellSize, std::size_t characterCount)
    : columns_(std::max(1, gridWidth / std::max(1, cellSize))),
      rows_(characterCount == 0 ? 0 : static_cast<int>(characterCount / columns_) + 1),
      count_(characterCount) {}

std::optional<std::size_t> GridGeometry::IndexOf(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_) {
    return std::nullopt;
  }
  std::size_t index = static_cast<std::size_t>(row) * columns_ + column;
  if (index >= count_) {
    return std::nullopt;
  }
  return index;
}

int GridGeometry::AllTopRow() const {
  int top = (kAllScrollTarget - kAll.StartCode) / columns_ - 2;
  return top >= 0 && top < rows_ - 2 ? top : 0;
}

}  // namespace kq
