// A finished pair looked up and typed into the target window: what is posted, in order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "compose/Translation.h"
#include "fakes/FakeComposeSettings.h"
#include "fakes/FakeComposeSystem.h"
#include "platform/CodePage.h"

namespace kq::compose {
namespace {

using testing::FakeComposeSettings;
using testing::FakeOutput;
using testing::Posted;

constexpr std::uintptr_t kTarget = 0x4242;

Posted Char(char16_t unit) {
  return {kTarget, kWmChar, unit, 1};
}
Posted KeyDown(std::uintptr_t key) {
  return {kTarget, kWmKeyDown, key, 0};
}
Posted KeyUp(std::uintptr_t key) {
  return {kTarget, kWmKeyUp, key, 0};
}
std::vector<Posted> Chars(const std::u16string& units) {
  std::vector<Posted> posted;
  for (char16_t unit : units)
    posted.push_back(Char(unit));
  return posted;
}

class TranslationTest : public ::testing::Test {
 protected:
  // A small sequence list, keyed on ANSI bytes as the real one is.
  std::map<std::string, std::u16string> sequences{
      {"'e", u"\u00e9"},
      {"ad", u"Name\r\nStreet\r\n"},
      {":)", u"\U0001F600"},
      {std::string("\x80") + "=", u"\u20ac!"},  // typed as the euro sign and =
      {"?e", u"question"},                      // reached by a character the code page lacks
      {"nl", u"\n"},
  };
  std::vector<std::string> asked;

  FakeComposeSettings settings;
  platform::Windows1252 codePage;
  FakeOutput output;
  ComposeOutput compose{settings, codePage,
                        [this](const std::string& key) {
                          asked.push_back(key);
                          auto found = sequences.find(key);
                          return found == sequences.end() ? std::u16string() : found->second;
                        },
                        output};
};

struct OutputCase {
  const char* name;
  char16_t first, second;
  std::vector<Posted> expected;
  bool beep;
  std::int32_t fakeKey = kNoFakeKey;
};

void PrintTo(const OutputCase& c, std::ostream* os) {
  *os << c.name;
}

class OutputTable : public TranslationTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(OutputTable, PostsTheCharacterGroupsInOrder) {
  const OutputCase& c = GetParam();
  if (c.fakeKey != kNoFakeKey)
    settings.fakeKey = c.fakeKey;
  compose.TranslateKeys(c.first, c.second, kTarget);
  EXPECT_EQ(output.posted, c.expected);
  if (c.beep) {
    EXPECT_EQ(output.beepsAfter, std::vector<std::size_t>{c.expected.size()})
        << "one beep, after the typed characters";
  } else {
    EXPECT_TRUE(output.beepsAfter.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Results, OutputTable,
    ::testing::Values(
        OutputCase{"OneCharacter", u'\'', u'e', {Char(u'\u00e9')}, false},
        OutputCase{"TextKeepsCarriageReturnsAndSkipsLineFeeds", u'a', u'd',
                   Chars(u"Name\rStreet\r"), false},
        OutputCase{"ALineFeedAloneTypesNothing", u'n', u'l', {}, false},
        OutputCase{"SurrogatePairAsTwoGroups", u':', u')', {Char(0xD83D), Char(0xDE00)}, false},
        OutputCase{"TypedCharactersGoThroughTheCodePage", u'\u20ac', u'=', Chars(u"\u20ac!"),
                   false},
        OutputCase{"ACharacterTheCodePageLacksBecomesItsDefault", u'\u0416', u'e',
                   Chars(u"question"), false},
        OutputCase{"UndefinedPairIsTypedBackThenBeeps", u'z', u'q', Chars(u"zq"), true},
        OutputCase{"UndefinedPairTypesTheTypedValuesNotTheirAnsiForm",
                   u'\u0416',
                   u'q',
                   {Char(u'\u0416'), Char(u'q')},
                   true},
        OutputCase{"CharacterZeroIsTypedBackAsZero", 0, u'e', {Char(0), Char(u'e')}, true},
        OutputCase{"FakeKeyWrapsTheCharacter",
                   u'\'',
                   u'e',
                   {KeyDown(16), Char(u'\u00e9'), KeyUp(16)},
                   false,
                   16},
        OutputCase{
            "FakeKeyZeroIsAKeyToo", u'\'', u'e', {KeyDown(0), Char(u'\u00e9'), KeyUp(0)}, false, 0},
        OutputCase{"FakeKeyWrapsEachGroupOfAPair",
                   u':',
                   u')',
                   {KeyDown(17), Char(0xD83D), KeyUp(17), KeyDown(17), Char(0xDE00), KeyUp(17)},
                   false,
                   17},
        OutputCase{"FakeKeyWrapsTheUndefinedPair",
                   u'z',
                   u'q',
                   {KeyDown(16), Char(u'z'), KeyUp(16), KeyDown(16), Char(u'q'), KeyUp(16)},
                   true,
                   16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TranslationTest, TheLookupKeyIsTheTwoAnsiBytes) {
  struct Case {
    char16_t first, second;
    std::string key;
  };
  const Case cases[] = {
      {u'\'', u'e', "'e"},
      {u'\u00e9', u'A',
       "\xe9"
       "A"},
      {u'\u20ac', u'\u2019', "\x80\x92"},
      {u'\u0416', u'\u4e00', "??"},
      {0, u'e', std::string("\0e", 2)},
      {0, 0, std::string(2, '\0')},
  };
  for (const auto& c : cases) {
    compose.TranslateKeys(c.first, c.second, kTarget);
    EXPECT_EQ(compose.SequenceKey(c.first, c.second), c.key);
  }
  ASSERT_EQ(asked.size(), std::size(cases));
  for (std::size_t i = 0; i < asked.size(); ++i)
    EXPECT_EQ(asked[i], cases[i].key) << "case " << i;
}

TEST_F(TranslationTest, TheFakeKeyIsReadAnewForEachGroup) {
  // Changed in the settings while the text goes out, as the Advanced options would.
  output.onPost = [this](const Posted& posted) {
    if (posted == Char(u'N'))
      settings.fakeKey = 16;
    if (posted == Char(u'a'))
      settings.fakeKey = kNoFakeKey;
  };
  compose.TranslateKeys(u'a', u'd', kTarget);
  const std::vector<Posted> expected = {
      Char(u'N'), KeyDown(16), Char(u'a'), KeyUp(16), Char(u'm'), Char(u'e'),
  };
  ASSERT_GE(output.posted.size(), expected.size());
  EXPECT_EQ(std::vector<Posted>(output.posted.begin(), output.posted.begin() + 6), expected);
}

}  // namespace
}  // namespace kq::compose
