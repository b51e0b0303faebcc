#pragma once
// Which code points a font has glyphs for, as the system reports its ranges, and the tests the
// character map makes against them: one code point, and any code point of a block.

#include <cstdint>
#include <vector>

#include "charmap/UniLookup.h"

namespace kq {

// One range of code points for which the font has glyphs, inclusive at both ends.
struct TUniRange {
  std::uint32_t urLow;
  std::uint32_t urHigh;

  friend bool operator==(const TUniRange&, const TUniRange&) = default;
};

// A range as the system describes it: its first code point and its number of glyphs.
struct TGlyphRun {
  std::uint16_t Low;
  std::uint16_t Count;
};

class GlyphCoverage {
 public:
  GlyphCoverage() = default;
  // The runs in the order the system gives them; they are kept sorted and merged so that a
  // code point is found by binary search, whatever that order was. A run of 0 glyphs covers
  // nothing.
  explicit GlyphCoverage(const std::vector<TGlyphRun>& runs);

  bool Empty() const { return ranges_.empty(); }
  bool Covers(std::uint32_t codePoint) const;
  // True when some code point from range.StartCode to range.EndCode is covered.
  bool CoversAny(TUniCodeRange range) const;
  // The covered code points of the range, ascending.
  std::vector<char16_t> CoveredIn(TUniCodeRange range) const;
  const std::vector<TUniRange>& Ranges() const { return ranges_; }

 private:
  // The first range that ends at or after the code point.
  std::vector<TUniRange>::const_iterator FirstEndingFrom(std::uint32_t codePoint) const;

  std::vector<TUniRange> ranges_;
};

}  // namespace kq
