// kqtool's commands over the Unicode name, block and sub-block tables.
#include <cstdio>

#include "Command.h"
#include "charmap/UniLookup.h"
#include "common/Text.h"

namespace kq::tool {
namespace {

std::string Hex4(int code) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", code);
  return text;
}

// Every table entry, one a line, tab-separated, in table order.
int Dump(Arguments arguments, std::ostream& out) {
  ExpectArgumentCount("unicode-dump", arguments, 0);
  for (std::size_t i = 0; i < kUnicodeCodepointCount; ++i) {
    out << "name\t" << Hex4(UnicodeCodepoints[i].CodePoint) << '\t'
        << ToUtf8(UnicodeCodepointName(i)) << '\n';
  }
  for (const TUnicodeBlock& block : UnicodeBlocks) {
    out << "block\t" << Hex4(block.StartCode) << '\t' << Hex4(block.StopCode) << '\t'
        << ToUtf8(TableText(block.BlockName)) << '\n';
  }
  for (const TUnicodeSubBlock& subBlock : UnicodeSubBlocks) {
    out << "subblock\t" << Hex4(subBlock.StartCode) << '\t' << Hex4(subBlock.StopCode) << '\t'
        << ToUtf8(TableText(subBlock.SubBlockName)) << '\n';
  }
  return 0;
}

template <std::u16string (*lookup)(int)>
int LookUp(std::string_view command, Arguments arguments, std::ostream& out) {
  ExpectArgumentCount(command, arguments, 1);
  out << ToUtf8(lookup(ParseCodePoint(arguments[0]))) << '\n';
  return 0;
}

const Command kCommands[] = {
    {"unicode-dump", "", "prints every name, block and sub-block entry", Dump},
    {"name", "U+XXXX", "prints the character name of a code point",
     [](Arguments a, std::ostream& out) { return LookUp<GetUnicodeName>("name", a, out); }},
    {"block", "U+XXXX", "prints the block a code point is taken to belong to",
     [](Arguments a, std::ostream& out) { return LookUp<GetUnicodeBlockName>("block", a, out); }},
    {"subblock", "U+XXXX", "prints the sub-block heading and note of a code point",
     [](Arguments a, std::ostream& out) {
       return LookUp<GetUnicodeSubBlockName>("subblock", a, out);
     }},
};

}  // namespace

std::span<const Command> UnicodeCommands() {
  return kCommands;
}

}  // namespace kq::tool
