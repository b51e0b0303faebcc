// Finding characters by the words of their names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "charmap/NameSearch.h"
#include "common/Text.h"

namespace kq {
namespace {

std::vector<std::string> Utf8(const std::vector<std::u16string>& words) {
  std::vector<std::string> result;
  for (const auto& word : words)
    result.push_back(ToUtf8(word));
  return result;
}

TEST(NameSearch, QueryWordsAreRunsOfLettersAndDigitsInUpperCase) {
  struct Case {
    std::u16string query;
    std::vector<std::string> words;
  };
  const std::vector<Case> cases = {
      {u"", {}},
      {u"   \t", {}},
      {u"greek small", {"GREEK", "SMALL"}},
      {u"  Greek   SMALL alpha ", {"GREEK", "SMALL", "ALPHA"}},
      {u"ideograph-f900", {"IDEOGRAPH", "F900"}},
      {u"(german)", {"GERMAN"}},
      {u"caf\u00e9", {"CAF\xC3\xA9"}},  // only ASCII letters change case
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(ParseNameQuery(c.query)), c.words) << ToUtf8(c.query);
  }
}

struct NamedCode {
  char16_t code;
  std::vector<std::u16string> words;
};

// Every named code point with the words of its name, read through the name lookup one code
// point at a time.
const std::vector<NamedCode>& NamedCodes() {
  static const std::vector<NamedCode> named = [] {
    std::vector<NamedCode> all;
    for (int code = 0; code <= 0xFFFF; ++code) {
      std::u16string name = GetUnicodeName(code);
      if (!name.empty())
        all.push_back({static_cast<char16_t>(code), ParseNameQuery(name)});
    }
    return all;
  }();
  return named;
}

// The code points each of whose query words starts some word of the name.
std::vector<char16_t> FoundByReading(const std::vector<std::u16string>& query) {
  std::vector<char16_t> found;
  if (query.empty())
    return found;
  for (const NamedCode& named : NamedCodes()) {
    bool all = std::all_of(query.begin(), query.end(), [&](const std::u16string& q) {
      return std::any_of(named.words.begin(), named.words.end(),
                         [&](const std::u16string& w) { return w.starts_with(q); });
    });
    if (all)
      found.push_back(named.code);
  }
  return found;
}

TEST(NameSearch, FindsWhatReadingEveryNameFinds) {
  struct Case {
    std::u16string query;
    std::vector<char16_t> among;  // code points that must be found
  };
  const std::vector<Case> cases = {
      {u"greek small alpha", {0x03B1}},
      {u"GrEeK sMaLl AlPhA", {0x03B1}},
      {u"euro", {0x20AC}},
      {u"arrow", {0x2190, 0x2192}},
      {u"german", {0x00DF}},
      {u"ideograph-f900", {0xF900}},
      {u"control", {0x0000, 0x009F}},
      {u"zzzz", {}},
      {u"", {}},
      {u"latin capital letter a", {0x0041, 0x00C0}},
  };
  for (const Case& c : cases) {
    const auto query = ParseNameQuery(c.query);
    const std::vector<char16_t> found = FindByName(query);
    EXPECT_EQ(found, FoundByReading(query)) << ToUtf8(c.query);
    for (char16_t code : c.among) {
      EXPECT_TRUE(std::binary_search(found.begin(), found.end(), code))
          << ToUtf8(c.query) << " misses " << std::hex << int{code};
    }
    EXPECT_EQ(found.empty(), c.among.empty()) << ToUtf8(c.query);
  }
}

TEST(NameSearch, OnlyCharactersTheFontCovers) {
  GlyphCoverage greek({{0x391, 0x11}, {0x3B1, 0x19}});
  const auto query = ParseNameQuery(u"alpha");
  std::vector<char16_t> expected;
  for (char16_t code : FindByName(query)) {
    if (greek.Covers(code))
      expected.push_back(code);
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FindByName(query, greek), expected);
  EXPECT_TRUE(std::binary_search(expected.begin(), expected.end(), char16_t{0x03B1}));
  EXPECT_FALSE(std::binary_search(expected.begin(), expected.end(),
                                  char16_t{0x0251}));  // LATIN SMALL LETTER ALPHA
}

}  // namespace
}  // namespace kq
