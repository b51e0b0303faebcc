#pragma once
// The Unicode 5.1.0 tables of the Basic Multilingual Plane, as tools/unicode/generate_tables.py
// writes them into generated/UnicodeTables.cpp: constant data, ready when the program starts.
//
// Texts are stored as single-byte characters (Latin-1; all are ASCII apart from two no-break
// spaces in one sub-block name) in one pool. A character name is a list of words separated by
// single blanks, kept as indices into a word list, because the 14775 names are made of only 5976
// distinct words; this halves the tables' size.

#include <cstddef>
#include <cstdint>

namespace kq {

// A text of the tables: Length characters of UnicodeTextPool from Offset on.
struct TTableText {
  std::uint32_t Offset : 24;
  std::uint32_t Length : 8;
};

struct TUnicodeBlock {
  std::uint16_t StartCode;
  std::uint16_t StopCode;  // inclusive
  TTableText BlockName;
};

// The name of entry i is made of the words UnicodeNameTokens[FirstWord] up to (not including)
// the FirstWord of entry i + 1, or UnicodeNameTokenCount after the last entry.
struct TUnicodeCodepoint {
  std::uint16_t CodePoint;
  std::uint16_t FirstWord;
};

struct TUnicodeSubBlock {
  std::uint16_t StartCode;
  std::uint16_t StopCode;  // inclusive
  TTableText SubBlockName;
};

inline constexpr std::size_t kUnicodeBlockCount = 136;
inline constexpr std::size_t kUnicodeCodepointCount = 14775;
inline constexpr std::size_t kUnicodeSubBlockCount = 1463;

extern const char UnicodeTextPool[];
// In ascending StartCode, not overlapping; code points between blocks belong to none.
extern const TUnicodeBlock UnicodeBlocks[kUnicodeBlockCount];
// Every code point that the names list names, in ascending order.
extern const TUnicodeCodepoint UnicodeCodepoints[kUnicodeCodepointCount];
// A partition of U+0000..U+FFFF; unlisted code points lie in entries with an empty name.
extern const TUnicodeSubBlock UnicodeSubBlocks[kUnicodeSubBlockCount];

extern const TTableText UnicodeNameWords[];
extern const std::uint16_t UnicodeNameWordCount;
extern const std::uint16_t UnicodeNameTokens[];  // indices into UnicodeNameWords
extern const std::uint16_t UnicodeNameTokenCount;

}  // namespace kq
