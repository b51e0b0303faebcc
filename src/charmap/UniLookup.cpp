#include "charmap/UniLookup.h"

#include <algorithm>
#include <iterator>

namespace kq {
namespace {

constexpr int kLastCode = 0xFFFF;
constexpr TUniCodeRange kAllRange{127, 65535};

bool IsCodeUnit(int CodePoint) {
  return CodePoint >= 0 && CodePoint <= kLastCode;
}

std::string_view TableChars(TTableText text) {
  return std::string_view(UnicodeTextPool + text.Offset, text.Length);
}

void AppendTableText(std::u16string& out, TTableText text) {
  for (char c : TableChars(text)) {
    out += static_cast<char16_t>(static_cast<unsigned char>(c));
  }
}

// The name of the last entry whose StartCode is at or below the code point, found by binary
// search. The first entry of both range tables starts at U+0000, so every code unit finds one;
// a code point in a gap after a block's StopCode still gets that block.
template <typename Entry, std::size_t N>
std::u16string NameOfRangeBelow(const Entry (&table)[N], int CodePoint, TTableText Entry::*name) {
  if (!IsCodeUnit(CodePoint)) {
    return {};
  }
  const Entry* above = std::upper_bound(
      std::begin(table), std::end(table), CodePoint,
      [](int code, const Entry& entry) { return code < static_cast<int>(entry.StartCode); });
  if (above == std::begin(table)) {
    return {};
  }
  return TableText(std::prev(above)->*name);
}

}  // namespace

std::u16string TableText(TTableText text) {
  std::u16string result;
  AppendTableText(result, text);
  return result;
}

std::u16string UnicodeCodepointName(std::size_t index) {
  std::size_t first = UnicodeCodepoints[index].FirstWord;
  std::size_t end = index + 1 < kUnicodeCodepointCount ? UnicodeCodepoints[index + 1].FirstWord
                                                       : UnicodeNameTokenCount;
  std::u16string name;
  for (std::size_t token = first; token < end; ++token) {
    if (token != first) {
      name += u' ';
    }
    AppendTableText(name, UnicodeNameWords[UnicodeNameTokens[token]]);
  }
  return name;
}

std::u16string GetUnicodeName(int CodePoint) {
  if (!IsCodeUnit(CodePoint)) {
    return {};
  }
  const TUnicodeCodepoint* entry = std::lower_bound(
      std::begin(UnicodeCodepoints), std::end(UnicodeCodepoints), CodePoint,
      [](const TUnicodeCodepoint& e, int code) { return static_cast<int>(e.CodePoint) < code; });
  if (entry == std::end(UnicodeCodepoints) || entry->CodePoint != CodePoint) {
    return {};
  }
  return UnicodeCodepointName(static_cast<std::size_t>(entry - std::begin(UnicodeCodepoints)));
}

std::u16string GetUnicodeBlockName(int CodePoint) {
  return NameOfRangeBelow(UnicodeBlocks, CodePoint, &TUnicodeBlock::BlockName);
}

std::u16string GetUnicodeSubBlockName(int CodePoint) {
  return NameOfRangeBelow(UnicodeSubBlocks, CodePoint, &TUnicodeSubBlock::SubBlockName);
}

std::u16string GetUnicodeBlockList() {
  std::u16string list = u"All";
  for (const TUnicodeBlock& block : UnicodeBlocks) {
    list += u"\r\n";
    AppendTableText(list, block.BlockName);
  }
  return list;
}

TUniCodeRange GetUnicodeBlockRange(std::u16string_view BlockName) {
  for (const TUnicodeBlock& block : UnicodeBlocks) {
    std::string_view chars = TableChars(block.BlockName);
    if (std::equal(chars.begin(), chars.end(), BlockName.begin(), BlockName.end(),
                   [](char c, char16_t u) { return static_cast<unsigned char>(c) == u; })) {
      return {block.StartCode, block.StopCode};
    }
  }
  return kAllRange;
}

}  // namespace kq
