#pragma once
// Character names, blocks and sub-blocks of Unicode 5.1.0 for the character map and the
// Customize sequences dialog, over the constant tables of charmap/UnicodeTables.h.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "charmap/UnicodeTables.h"

namespace kq {

// A code range, inclusive at both ends; 127 to 65535 is the character map's "All".
struct TUniCodeRange {
  std::int32_t StartCode;
  std::int32_t EndCode;

  friend bool operator==(const TUniCodeRange&, const TUniCodeRange&) = default;
};

// A table text as a core string.
std::u16string TableText(TTableText text);
// The name of UnicodeCodepoints[index].
std::u16string UnicodeCodepointName(std::size_t index);

// Code point arguments are UTF-16 code units, 0 to 65535; anything outside that range has no
// name, no block and no sub-block (the empty string).

// The character name ("LATIN CAPITAL LETTER A", "<control>"), or empty when it has none.
std::u16string GetUnicodeName(int CodePoint);
// The name of the block that starts at or nearest below the code point, so a code point in a
// gap between blocks is given the block below it (U+0800 is in "NKo").
std::u16string GetUnicodeBlockName(int CodePoint);
// "heading; note" of the code point's sub-block; empty for code points the list does not name.
std::u16string GetUnicodeSubBlockName(int CodePoint);
// "All" and the block names in table order, separated by CR LF, with no line break at the end.
std::u16string GetUnicodeBlockList();
// The range of the block with exactly this name (case and blanks count); 127 to 65535 for any
// other name, "All" included.
TUniCodeRange GetUnicodeBlockRange(std::u16string_view BlockName);

}  // namespace kq
