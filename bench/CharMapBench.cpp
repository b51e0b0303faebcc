// The character map's work per user action: filling "All" against a font's glyph ranges, and
// one keystroke of a search by name.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "charmap/GlyphCoverage.h"
#include "charmap/NameSearch.h"

namespace kq {
namespace {

// A font with many ranges, as a large text font reports them: runs of 1 to 40 glyphs with gaps
// between them across the whole plane.
GlyphCoverage ManyRanges() {
  std::vector<TGlyphRun> runs;
  for (unsigned low = 0x20, step = 0; low < 0xFFF0; low += 40 + step % 61, ++step) {
    runs.push_back({static_cast<std::uint16_t>(low), static_cast<std::uint16_t>(1 + step % 40)});
  }
  return GlyphCoverage(runs);
}

void BM_FillAll(benchmark::State& state) {
  const GlyphCoverage coverage = ManyRanges();
  for (auto _ : state) {
    benchmark::DoNotOptimize(coverage.CoveredIn({127, 65535}));
  }
}
BENCHMARK(BM_FillAll)->Unit(benchmark::kMillisecond);

// Each keystroke of "greek small alpha" searches the whole query typed so far; the index is
// built before the clock starts, as it is by the first keystroke.
void BM_FindPerKeystroke(benchmark::State& state) {
  const std::u16string typed = u"greek small alpha";
  const GlyphCoverage coverage = ManyRanges();
  FindByName(ParseNameQuery(u"a"));
  std::size_t length = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindByName(ParseNameQuery(typed.substr(0, length)), coverage));
    length = length % typed.size() + 1;
  }
}
BENCHMARK(BM_FindPerKeystroke)->Unit(benchmark::kMillisecond);

// One letter, the keystroke that matches the most names.
void BM_FindOneLetter(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindByName(ParseNameQuery(u"e")));
  }
}
BENCHMARK(BM_FindOneLetter)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kq
