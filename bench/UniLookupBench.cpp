// Lookups in the Unicode tables, over code points spread across the plane.
#include <benchmark/benchmark.h>

#include "charmap/UniLookup.h"

namespace kq {
namespace {

// Steps through the plane by a stride prime to 65536, so successive lookups hit different
// table entries, listed and unlisted alike.
int NextCode(int code) {
  return (code + 40503) & 0xFFFF;
}

void BM_GetUnicodeName(benchmark::State& state) {
  int code = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetUnicodeName(code));
    code = NextCode(code);
  }
}
BENCHMARK(BM_GetUnicodeName);

void BM_GetUnicodeSubBlockName(benchmark::State& state) {
  int code = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetUnicodeSubBlockName(code));
    code = NextCode(code);
  }
}
BENCHMARK(BM_GetUnicodeSubBlockName);

}  // namespace
}  // namespace kq
