#include "charmap/GlyphCoverage.h"

#include <algorithm>

namespace kq {

GlyphCoverage::GlyphCoverage(const std::vector<TGlyphRun>& runs) {
  std::vector<TUniRange> sorted;
  for (const TGlyphRun& run : runs) {
    if (run.Count > 0) {
      sorted.push_back({run.Low, std::uint32_t{run.Low} + run.Count - 1});
    }
  }
  std::sort(sorted.begin(), sorted.end(),
            [](const TUniRange& a, const TUniRange& b) { return a.urLow < b.urLow; });
  for (const TUniRange& range : sorted) {
    if (!ranges_.empty() && range.urLow <= ranges_.back().urHigh + 1) {
      ranges_.back().urHigh = std::max(ranges_.back().urHigh, range.urHigh);
    } else {
      ranges_.push_back(range);
    }
  }
}

std::vector<TUniRange>::const_iterator GlyphCoverage::FirstEndingFrom(
    std::uint32_t codePoint) const {
  return std::lower_bound(
      ranges_.begin(), ranges_.end(), codePoint,
      [](const TUniRange& range, std::uint32_t code) { return range.urHigh < code; });
}

bool GlyphCoverage::Covers(std::uint32_t codePoint) const {
  auto range = FirstEndingFrom(codePoint);
  return range != ranges_.end() && range->urLow <= codePoint;
}

bool GlyphCoverage::CoversAny(TUniCodeRange range) const {
  if (range.EndCode < range.StartCode || range.EndCode < 0) {
    return false;
  }
  auto first = FirstEndingFrom(static_cast<std::uint32_t>(std::max(range.StartCode, 0)));
  return first != ranges_.end() && first->urLow <= static_cast<std::uint32_t>(range.EndCode);
}

std::vector<char16_t> GlyphCoverage::CoveredIn(TUniCodeRange range) const {
  std::vector<char16_t> codes;
  if (range.EndCode < range.StartCode || range.EndCode < 0) {
    return codes;
  }
  const std::uint32_t start = static_cast<std::uint32_t>(std::max(range.StartCode, 0));
  const std::uint32_t end =
      std::min<std::uint32_t>(static_cast<std::uint32_t>(range.EndCode), 0xFFFF);
  for (auto it = FirstEndingFrom(start); it != ranges_.end() && it->urLow <= end; ++it) {
    for (std::uint32_t code = std::max(it->urLow, start); code <= std::min(it->urHigh, end);
         ++code) {
      codes.push_back(static_cast<char16_t>(code));
    }
  }
  return codes;
}

}  // namespace kq
