// The Unicode 5.1.0 name, block and sub-block tables and their lookups.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "charmap/UniLookup.h"
#include "common/Text.h"

namespace kq {
namespace {

struct LookupCase {
  const char* what;
  int code;
  std::u16string expected;
};

void ExpectLookups(std::u16string (*lookup)(int), const std::vector<LookupCase>& cases) {
  for (const LookupCase& c : cases) {
    EXPECT_EQ(ToUtf8(lookup(c.code)), ToUtf8(c.expected)) << c.what << " " << std::hex << c.code;
  }
}

TEST(UniLookup, NameOfListedCodePointsOnly) {
  const std::vector<LookupCase> cases = {
      {"name", 0x0041, u"LATIN CAPITAL LETTER A"},
      {"name", 0x0000, u"<control>"},
      {"name", 0x007F, u"<control>"},
      {"name", 0xFFFF, u"<not a character>"},
      {"name", 0x09E4, u"<reserved>"},
      {"name with comment", 0x00C6, u"LATIN CAPITAL LETTER AE (ash)"},
      {"name with comment", 0x0301, u"COMBINING ACUTE ACCENT (Oxia, Tonos)"},
      {"marker dropped", 0x17B4, u"KHMER VOWEL INHERENT AQ"},
      {"5.1 addition", 0x1E9E, u"LATIN CAPITAL LETTER SHARP S"},
      {"5.1 addition", 0xA7FB, u"LATIN EPIGRAPHIC LETTER REVERSED F"},
      {"compatibility", 0xF900, u"CJK COMPATIBILITY IDEOGRAPH-F900"},
      {"unified ideograph", 0x4E00, u""},
      {"hangul syllable", 0xAC00, u""},
      {"private use", 0xE000, u""},
      {"unassigned", 0x0378, u""},
      {"after 5.1", 0x20B6, u""},
      {"after 5.1", 0x0800, u""},
      {"not a code unit", -1, u""},
      {"not a code unit", 0x10000, u""},
  };
  ExpectLookups(GetUnicodeName, cases);
}

TEST(UniLookup, BlockIncludingTheGapAbove) {
  const std::vector<LookupCase> cases = {
      {"block", 0x0000, u"Basic Latin"},
      {"block", 0x007F, u"Basic Latin"},
      {"block", 0x0080, u"Latin-1 Supplement"},
      {"block", 0xFFFF, u"Specials"},
      {"trailing blank", 0x1385, u"Ethiopic Supplement "},
      {"lower case", 0xFE10, u"Vertical forms"},
      {"gap", 0x0800, u"NKo"},
      {"gap", 0x08FF, u"NKo"},
      {"gap", 0x4DB6, u"CJK Unified Ideographs Extension A"},
      {"gap", 0x9FFF, u"CJK Unified Ideographs"},
      {"gap", 0xD7A4, u"Hangul Syllables"},
      {"after gap", 0xD800, u"High Surrogates"},
      {"not a code unit", -1, u""},
      {"not a code unit", 0x10000, u""},
  };
  ExpectLookups(GetUnicodeBlockName, cases);
}

const std::u16string kNoncharacters =
    u"Noncharacters; These codes are intended for process-internal uses, but are not permitted "
    u"for interchange.";

TEST(UniLookup, SubBlockHeadingAndNote) {
  ExpectLookups(
      GetUnicodeSubBlockName,
      {
          {"sub-block", 0x0000,
           u"C0 controls; Alias names are those for ISO/IEC 6429:1992. Commonly used "
           u"alternative aliases are also shown."},
          {"block range", 0x0035, u"ASCII digits; 0000-007F:  "},
          {"block range", 0xA65F, u"Letters for Old Cyrillic; A640-A69F:  "},
          {"notice", 0x009F, u"C1 controls; Alias names are those for ISO/IEC 6429:1992."},
          {"notice", 0xFF5E, u"Fullwidth ASCII variants; See ASCII 0020 - 007E"},
          {"notice", 0xFFFE, kNoncharacters},
          {"notice", 0xFFFF, kNoncharacters},
          {"notice with comment lines", 0x0250,
           u"IPA extensions; IPA includes basic Latin letters and a number of Latin or "
           u"Greek letters from other blocks."},
          {"notice after code points", 0x026A, u"IPA extensions; * obsoleted by IPA in 1989"},
          {"same notice again", 0x029E, u"IPA extensions; * obsoleted by IPA in 1989"},
          {"new notice", 0x029F, u"IPA extensions; * withdrawn by IPA in 1970"},
          {"code points before the notice", 0x0300, u"Ordinary diacritics; 0300-036F:  "},
          {"notices joined", 0x1D8F,
           u"Latin letters with retroflex hook; IPA recommends transcribing vowels with "
           u"r-coloring (rhoticity) with the rhotic hook instead. Additional letters with "
           u"retroflex hook are found in other blocks."},
          {"cut at 255", 0x17B5,
           u"Inherent vowels; These are for phonetic transcription to distinguish Indic "
           u"language inherent vowels from Khmer inherent vowels. These characters are "
           u"included solely for compatibility with particular applications; their use "
           u"in other contexts is discouraged"},
          {"no-break spaces", 0xFA0B,
           u"Pronunciation variants from KS\u00a0X\u00a01001:1998; F900-FAFF:  "},
          {"unassigned", 0x0378, u""},
          {"unified ideograph", 0x5000, u""},
          {"hangul syllable", 0xAC00, u""},
          {"not a code unit", -1, u""},
          {"not a code unit", 0x10000, u""},
      });
}

TEST(UniLookup, BlockRangeByExactName) {
  struct Case {
    std::u16string name;
    TUniCodeRange expected;
  };
  const TUniCodeRange all{127, 65535};
  const Case cases[] = {
      {u"Basic Latin", {0, 127}},
      {u"CJK Unified Ideographs", {19968, 40899}},
      {u"Specials", {65520, 65535}},
      {u"Ethiopic Supplement ", {0x1380, 0x139F}},
      {u"Vertical forms", {0xFE10, 0xFE1F}},
      {u"All", all},
      {u"", all},
      {u"basic latin", all},
      {u"Ethiopic Supplement", all},
      {u"Basic Latin ", all},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetUnicodeBlockRange(c.name), c.expected) << ToUtf8(c.name);
  }
}

TEST(UniLookup, BlockListIsAllThenEveryBlockName) {
  std::u16string list = GetUnicodeBlockList();
  std::vector<std::u16string> lines;
  for (std::size_t from = 0;;) {
    std::size_t to = list.find(u"\r\n", from);
    lines.push_back(list.substr(from, to - from));
    if (to == std::u16string::npos) {
      break;
    }
    from = to + 2;
  }
  ASSERT_EQ(lines.size(), 137u);
  EXPECT_EQ(lines.front(), u"All");
  EXPECT_EQ(lines[35], u"Ethiopic Supplement ");
  EXPECT_EQ(lines.back(), u"Specials");
  for (std::size_t i = 0; i < kUnicodeBlockCount; ++i) {
    EXPECT_EQ(GetUnicodeBlockRange(lines[i + 1]).StartCode, UnicodeBlocks[i].StartCode);
  }
  EXPECT_EQ(std::count(list.begin(), list.end(), u'\n'), 136);
}

TEST(UnicodeTables, BlocksAscendWithoutOverlapAndTheListedGaps) {
  std::vector<std::pair<int, int>> gaps;
  EXPECT_EQ(UnicodeBlocks[0].StartCode, 0);
  for (std::size_t i = 1; i < kUnicodeBlockCount; ++i) {
    ASSERT_GT(UnicodeBlocks[i].StartCode, UnicodeBlocks[i - 1].StopCode) << i;
    if (UnicodeBlocks[i].StartCode != UnicodeBlocks[i - 1].StopCode + 1) {
      gaps.emplace_back(UnicodeBlocks[i - 1].StopCode + 1, UnicodeBlocks[i].StartCode - 1);
    }
  }
  EXPECT_EQ(UnicodeBlocks[kUnicodeBlockCount - 1].StopCode, 0xFFFF);
  const std::vector<std::pair<int, int>> expected = {
      {0x0800, 0x08FF}, {0x18B0, 0x18FF}, {0x1A20, 0x1AFF}, {0x1BC0, 0x1BFF}, {0x1C80, 0x1CFF},
      {0x2FE0, 0x2FEF}, {0x4DB6, 0x4DBF}, {0x9FC4, 0x9FFF}, {0xA4D0, 0xA4FF}, {0xA6A0, 0xA6FF},
      {0xA830, 0xA83F}, {0xA8E0, 0xA8FF}, {0xA960, 0xA9FF}, {0xAA60, 0xABFF}, {0xD7A4, 0xD7FF}};
  EXPECT_EQ(gaps, expected);
}

TEST(UnicodeTables, NamesFollowTheList) {
  ASSERT_EQ(UnicodeCodepoints[0].CodePoint, 0);
  ASSERT_EQ(UnicodeCodepoints[kUnicodeCodepointCount - 1].CodePoint, 0xFFFF);
  std::size_t longest = 0, commented = 0, controls = 0, noncharacters = 0, reserved = 0;
  for (std::size_t i = 0; i < kUnicodeCodepointCount; ++i) {
    if (i > 0) {
      ASSERT_LT(UnicodeCodepoints[i - 1].CodePoint, UnicodeCodepoints[i].CodePoint) << i;
      ASSERT_LT(UnicodeCodepoints[i - 1].FirstWord, UnicodeCodepoints[i].FirstWord) << i;
    }
    std::u16string name = UnicodeCodepointName(i);
    ASSERT_EQ(name.find(u'*'), std::u16string::npos) << ToUtf8(name);
    ASSERT_EQ(name.find(u"  "), std::u16string::npos) << ToUtf8(name);
    longest = std::max(longest, name.size());
    commented += name.find(u" (") != std::u16string::npos && name.back() == u')';
    controls += name == u"<control>";
    noncharacters += name == u"<not a character>";
    reserved += name == u"<reserved>";
  }
  for (std::uint16_t t = 0; t < UnicodeNameTokenCount; ++t) {
    ASSERT_LT(UnicodeNameTokens[t], UnicodeNameWordCount);
  }
  EXPECT_EQ(longest, 94u);
  EXPECT_EQ(commented, 362u);
  EXPECT_EQ(controls, 65u);
  EXPECT_EQ(noncharacters, 34u);
  EXPECT_EQ(reserved, 31u);
}

// The block range that the sub-block names without a notice end in.
std::u16string RangeNote(const TUnicodeBlock& block) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X-%04X:  ", block.StartCode, block.StopCode);
  return FromUtf8(text);
}

TEST(UnicodeTables, SubBlocksPartitionThePlaneOverTheListedCodePoints) {
  std::vector<bool> listed(0x10000);
  for (const TUnicodeCodepoint& entry : UnicodeCodepoints) {
    listed[entry.CodePoint] = true;
  }
  std::size_t empty = 0, ranged = 0, longest = 0;
  int next = 0;
  for (std::size_t i = 0; i < kUnicodeSubBlockCount; ++i) {
    const TUnicodeSubBlock& entry = UnicodeSubBlocks[i];
    ASSERT_EQ(entry.StartCode, next) << i;
    ASSERT_LE(entry.StartCode, entry.StopCode) << i;
    next = entry.StopCode + 1;
    std::u16string name = TableText(entry.SubBlockName);
    if (i > 0) {
      ASSERT_NE(name, TableText(UnicodeSubBlocks[i - 1].SubBlockName)) << i;
    }
    longest = std::max(longest, name.size());
    for (int code = entry.StartCode; code <= entry.StopCode; ++code) {
      ASSERT_EQ(listed[code], !name.empty()) << std::hex << code;
    }
    if (name.empty()) {
      ++empty;
      continue;
    }
    std::size_t b = 0;
    while (b + 1 < kUnicodeBlockCount && UnicodeBlocks[b + 1].StartCode <= entry.StartCode) {
      ++b;
    }
    ASSERT_LE(entry.StopCode, UnicodeBlocks[b].StopCode) << i;
    std::u16string range = RangeNote(UnicodeBlocks[b]);
    ASSERT_NE(name.find(u"; "), std::u16string::npos) << ToUtf8(name);
    ranged += name.ends_with(u"; " + range);
  }
  EXPECT_EQ(next, 0x10000);
  EXPECT_EQ(empty, 350u);
  EXPECT_EQ(ranged, 1007u);
  EXPECT_EQ(longest, 255u);
}

// Walks a range table backwards from its last entry to the first one that starts at or below the
// code point, the rule that the binary searches of the lookups must agree with.
template <typename Entry, std::size_t N>
std::u16string WalkBack(const Entry (&table)[N], int code, TTableText Entry::*name) {
  for (std::size_t i = N; i-- > 0;) {
    if (table[i].StartCode <= code) {
      return TableText(table[i].*name);
    }
  }
  return {};
}

TEST(UniLookup, RangeLookupsAgreeWithTheBackwardWalkEverywhere) {
  for (int code = 0; code <= 0xFFFF; ++code) {
    ASSERT_EQ(GetUnicodeBlockName(code), WalkBack(UnicodeBlocks, code, &TUnicodeBlock::BlockName))
        << std::hex << code;
    ASSERT_EQ(GetUnicodeSubBlockName(code),
              WalkBack(UnicodeSubBlocks, code, &TUnicodeSubBlock::SubBlockName))
        << std::hex << code;
  }
}

TEST(UniLookup, NameLookupFindsEveryEntryAndNothingBetween) {
  std::size_t next = 0;
  for (int code = 0; code <= 0xFFFF; ++code) {
    if (next < kUnicodeCodepointCount && UnicodeCodepoints[next].CodePoint == code) {
      ASSERT_EQ(GetUnicodeName(code), UnicodeCodepointName(next++)) << std::hex << code;
    } else {
      ASSERT_EQ(GetUnicodeName(code), u"") << std::hex << code;
    }
  }
  EXPECT_EQ(next, kUnicodeCodepointCount);
}

}  // namespace
}  // namespace kq
