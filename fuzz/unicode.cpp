// The Unicode lookups: every code point and every int has an answer and no fault; a code unit
// always has a block that starts at or below it, and a block's name gives its range back.
#include "FuzzSupport.h"
#include "charmap/UniLookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kq;
  using namespace kq::fuzz;
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < size && i < 4; ++i)
    bits |= std::uint32_t{data[i]} << (8 * i);
  const int code = static_cast<int>(bits);
  const std::u16string name = GetUnicodeName(code);
  const std::u16string block = GetUnicodeBlockName(code);
  const std::u16string subBlock = GetUnicodeSubBlockName(code);
  if (code < 0 || code > 0xFFFF) {
    Require(name.empty() && block.empty() && subBlock.empty(), "no answer outside 0 to FFFF");
  } else {
    Require(!block.empty(), "every code unit has a block");
    const TUniCodeRange range = GetUnicodeBlockRange(block);
    Require(range.StartCode <= code && range.StartCode <= range.EndCode,
            "a code unit's block starts at or below it");
  }
  // Any text as a block name: a range inside the character map's.
  const TUniCodeRange any = GetUnicodeBlockRange(FromUtf8(BytesOf(data, size)));
  Require(0 <= any.StartCode && any.StartCode <= any.EndCode && any.EndCode <= 0xFFFF,
          "every block name gives a range of code units");
  return 0;
}
