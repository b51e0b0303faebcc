// What the character map shows: the font's glyph ranges as a binary-searched coverage, the
// ranges the range box offers, the range restored on showing, and the grid's cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charmap/CharMapRules.h"
#include "charmap/GlyphCoverage.h"
#include "common/Text.h"

namespace kq {
namespace {

// The plain reading of the ranges: each run, in the order the system reported it, tested in
// turn.
bool CoveredByScan(const std::vector<TGlyphRun>& runs, std::uint32_t code) {
  for (const TGlyphRun& run : runs) {
    if (run.Count > 0 && run.Low <= code && code <= std::uint32_t{run.Low} + run.Count - 1) {
      return true;
    }
  }
  return false;
}

const std::vector<std::vector<TGlyphRun>> kRunSets = {
    {},
    {{0x20, 0x5F}},
    {{0x20, 0x5F}, {0xA0, 0x60}, {0x391, 0x11}, {0xFFFD, 1}},
    {{0x3B1, 5}, {0x41, 26}, {0x3B0, 3}},        // out of order, overlapping
    {{0x100, 0x10}, {0x110, 0x10}, {0x130, 0}},  // adjacent, and a run of none
    {{0xFFF0, 0x20}, {0, 1}},                    // running past the plane
};

TEST(GlyphCoverage, AgreesWithAScanOfTheReportedRunsAtEveryCodePoint) {
  for (std::size_t set = 0; set < kRunSets.size(); ++set) {
    GlyphCoverage coverage(kRunSets[set]);
    for (std::uint32_t code = 0; code <= 0x10010; ++code) {
      ASSERT_EQ(coverage.Covers(code), CoveredByScan(kRunSets[set], code))
          << "set " << set << " at " << std::hex << code;
    }
  }
}

TEST(GlyphCoverage, CoveredCodePointsOfARangeAreThoseAScanFinds) {
  const std::vector<TUniCodeRange> ranges = {{0, 127},       {127, 65535},   {0x80, 0xFF},
                                             {0x3B2, 0x3B3}, {0x200, 0x100}, {0xFFFF, 0xFFFF}};
  for (const auto& runs : kRunSets) {
    GlyphCoverage coverage(runs);
    for (TUniCodeRange range : ranges) {
      std::vector<char16_t> expected;
      for (int code = range.StartCode; code <= range.EndCode; ++code) {
        if (CoveredByScan(runs, code)) {
          expected.push_back(static_cast<char16_t>(code));
        }
      }
      EXPECT_EQ(coverage.CoveredIn(range), expected) << range.StartCode << "-" << range.EndCode;
      EXPECT_EQ(coverage.CoversAny(range), !expected.empty())
          << range.StartCode << "-" << range.EndCode;
    }
  }
}

TEST(GlyphCoverage, LatinOneWithoutTheC1ControlsStartsAtTheNoBreakSpace) {
  GlyphCoverage coverage({{0x20, 0x5F}, {0xA0, 0x60}});
  std::vector<char16_t> shown = coverage.CoveredIn(GetUnicodeBlockRange(u"Latin-1 Supplement"));
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), 0xA0);
  EXPECT_EQ(shown.size(), 0x60u);
}

TEST(CharMapRules, TheRangeBoxOffersOnlyBlocksTheFontCovers) {
  struct Case {
    const char* what;
    std::vector<TGlyphRun> runs;
    std::vector<std::u16string> offered;
  };
  const std::vector<Case> cases = {
      {"no ranges", {}, {}},
      {"ASCII without DEL: no All", {{0x20, 0x5F}}, {u"Basic Latin"}},
      {"ASCII with DEL", {{0x20, 0x60}}, {u"All", u"Basic Latin"}},
      {"Greek capitals", {{0x391, 0x11}}, {u"All", u"Greek and Coptic"}},
      {"one Ethiopic Supplement letter", {{0x1385, 1}}, {u"All", u"Ethiopic Supplement "}},
      {"a gap between blocks belongs to none", {{0x0800, 0x100}}, {u"All"}},
      {"the last code point", {{0xFFFF, 1}}, {u"All", u"Specials"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> offered, expected;
    for (const auto& name : OfferedRanges(GlyphCoverage(c.runs)))
      offered.push_back(ToUtf8(name));
    for (const auto& name : c.offered)
      expected.push_back(ToUtf8(name));
    EXPECT_EQ(offered, expected) << c.what;
  }
}

TEST(CharMapRules, RecentSubrangeIsRestoredOnlyBeforeTheLastEntry) {
  struct Case {
    int recent;
    std::size_t entries;
    bool restore;
  };
  const std::vector<Case> cases = {
      {0, 5, true},  {3, 5, true},  {4, 5, false}, {9, 5, false},
      {-1, 5, true}, {0, 1, false}, {0, 0, false}, {-1, 0, false},
  };
  for (const Case& c : cases) {
    SubrangeChoice choice = RestoredSubrange(c.recent, c.entries);
    EXPECT_EQ(choice.restore, c.restore) << c.recent << " of " << c.entries;
    if (choice.restore) {
      EXPECT_EQ(choice.index, c.recent);
    }
  }
}

TEST(CharMapRules, GridGeometry) {
  struct Case {
    const char* what;
    int width, cell;
    std::size_t count;
    int columns, rows, allTop;
  };
  const std::vector<Case> cases = {
      {"12 points in 497 pixels", 497, 24, 1000, 20, 51, 10},
      {"exactly two rows leave a third, empty", 497, 24, 40, 20, 3, 0},
      {"one past two rows", 497, 24, 41, 20, 3, 0},
      {"one character", 497, 24, 1, 20, 1, 0},
      {"nothing shown", 497, 24, 0, 20, 0, 0},
      {"All's top row only when rows remain below it", 497, 24, 250, 20, 13, 10},
      {"All's top row too near the end", 497, 24, 220, 20, 12, 0},
      {"All's top row past the end", 497, 24, 200, 20, 11, 0},
      {"more than 128 columns: no negative top row", 2600, 16, 5000, 162, 31, 0},
      {"narrower than a cell keeps one column", 10, 24, 3, 1, 4, 0},
  };
  for (const Case& c : cases) {
    GridGeometry grid(c.width, c.cell, c.count);
    EXPECT_EQ(grid.Columns(), c.columns) << c.what;
    EXPECT_EQ(grid.Rows(), c.rows) << c.what;
    EXPECT_EQ(grid.AllTopRow(), c.allTop) << c.what;
  }
}

TEST(CharMapRules, CellsMapToTheShownCharactersAndNothingPastTheLast) {
  GridGeometry grid(497, 24, 41);
  EXPECT_EQ(grid.IndexOf(0, 0), 0u);
  EXPECT_EQ(grid.IndexOf(19, 0), 19u);
  EXPECT_EQ(grid.IndexOf(0, 2), 40u);
  EXPECT_EQ(grid.IndexOf(1, 2), std::nullopt);
  EXPECT_EQ(grid.IndexOf(20, 0), std::nullopt);
  EXPECT_EQ(grid.IndexOf(-1, 0), std::nullopt);
  EXPECT_EQ(grid.ColumnOf(40), 0);
  EXPECT_EQ(grid.RowOf(40), 2);
}

}  // namespace
}  // namespace kq
