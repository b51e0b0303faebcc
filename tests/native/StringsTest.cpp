// The shared string, number and folder helpers.
#include <gtest/gtest.h>

#include "common/DataFolder.h"
#include "common/Errors.h"
#include "common/Strings.h"
#include "common/Text.h"

namespace kq {
namespace {

constexpr NumberFormat kPointLocale{u'.', u','};
constexpr NumberFormat kCommaLocale{u',', u'.'};

TEST(FormatText, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatText(u"\"%s\" for \"%s\" (%d)", {u"'e", u"\u00e9", u"3"}),
            u"\"'e\" for \"\u00e9\" (3)");
  EXPECT_EQ(FormatText(u"%s and %s", {u"%s", u"x"}), u"%s and x");  // arguments are not rescanned
  EXPECT_EQ(FormatText(u"100%% %s %s", {u"done"}), u"100% done %s");
  EXPECT_EQ(FormatText(u"end %", {}), u"end %");
}

TEST(FormatByteSize, LimitsAreStrict) {
  struct Case {
    std::int64_t bytes;
    const char16_t* text;
  };
  const Case cases[] = {
      {0, u"0.00 KB"},          {1536, u"1.50 KB"},          {1048576, u"1024.00 KB"},
      {1048577, u"1.00 MB"},    {1073741824, u"1024.00 MB"}, {1073741825, u"1.00 GB"},
      {3221225472, u"3.00 GB"}, {-2048, u"-2.00 KB"},        {-1, u"0.00 KB"},
      {-5, u"0.00 KB"},         {-6, u"-0.01 KB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatByteSize(c.bytes, kPointLocale), c.text) << c.bytes;
  }
  EXPECT_EQ(FormatByteSize(1536, kCommaLocale), u"1,50 KB");
}

TEST(IsValidNumber, FollowsTheLocale) {
  struct Case {
    const char16_t* text;
    bool point;  // under a locale with a full stop as decimal separator
    bool comma;  // under one with a comma
  };
  const Case cases[] = {
      {u"2.06", true, false},
      {u"2,06", false, true},
      {u"1e3", true, true},
      {u"-1.5E-2", true, false},
      {u"+7", true, true},
      {u"2.06b", false, false},
      {u"", false, false},
      {u"1,000", false, true},
      {u"1.000", true, false},
      {u" 1", false, false},
      {u"e3", false, false},
      {u"1e", false, false},
      {u".5", true, false},
      {u"\u0661", false, false},  // a digit of another script is above
                                  // U+00FF
      {u"1e99999", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidNumber(c.text, kPointLocale), c.point) << ToUtf8(c.text);
    EXPECT_EQ(IsValidNumber(c.text, kCommaLocale), c.comma) << ToUtf8(c.text);
  }
}

TEST(IsValidNumber, TakesTheLocaleSeparatorsWhateverTheirCode) {
  constexpr NumberFormat kArabicLocale{u'\u066B', u'\u066C'};
  EXPECT_TRUE(IsValidNumber(u"1\u066B5", kArabicLocale));
  EXPECT_EQ(TextToFloat(u"1\u066B5", kArabicLocale), 1.5L);
  EXPECT_FALSE(IsValidNumber(u"1\u066C000", kArabicLocale));  // the thousands separator
  EXPECT_FALSE(IsValidNumber(u"1.5", kArabicLocale));
  EXPECT_FALSE(IsValidNumber(u"1\u066B5", kPointLocale));
}

TEST(StringHelpers, RemoveSpacesSplitAtCharFileBaseName) {
  EXPECT_EQ(RemoveSpaces(u" 2 . 0 6 "), u"2.06");
  EXPECT_EQ(RemoveSpaces(u"a\tb"), u"a\tb");

  std::u16string text = u"Arial,10";
  std::u16string head;
  SplitAtChar(text, u',', head);
  EXPECT_EQ(head, u"Arial");
  EXPECT_EQ(text, u"10");
  text = u"a,b,c";
  SplitAtChar(text, u',', head);
  EXPECT_EQ(head, u"a");
  EXPECT_EQ(text, u"b,c");
  text = u"Arial";
  SplitAtChar(text, u',', head);
  EXPECT_EQ(head, u"Arial");
  EXPECT_EQ(text, u"");

  EXPECT_EQ(FileBaseName(u"C:\\Downloads\\Setup.exe"), u"Setup");
  EXPECT_EQ(FileBaseName(u"C:\\x.y\\archive.tar.gz"), u"archive.tar");
  EXPECT_EQ(FileBaseName(u"README"), u"README");
}

TEST(FileIOErrorText, KnownCodesHaveTheirTextOthersTheMessage) {
  EXPECT_EQ(FileIOErrorText(FileError(u"raw", 2)), u"File not found");
  EXPECT_EQ(FileIOErrorText(FileError(u"raw", 101)), u"Disk write error, disk full");
  EXPECT_EQ(FileIOErrorText(FileError(u"raw", 106)), u"Invalid numeric format");
  EXPECT_EQ(FileIOErrorText(FileError(u"The device is not ready.", 21)),
            u"The device is not ready.");
  EXPECT_EQ(FileIOErrorText(Error(u"Other")), u"Other");
}

TEST(ProgramDataFolder, FollowsTheApplicationDataFolder) {
  EXPECT_EQ(ProgramDataFolder(u"C:\\Users\\ann\\AppData\\Roaming", u"C:\\Windows", u"Keyquill"),
            u"C:\\Users\\ann\\AppData\\Roaming\\Brenhollow\\Keyquill");
  EXPECT_EQ(ProgramDataFolder(u"", u"C:\\Windows", u"Keyquill"), u"C:\\Windows");
}

TEST(Utf8, RoundTripsAllPlanes) {
  const std::u16string text = u"a\u00e9\u20ac\U0001F600\uFDD0\uFFFF";
  EXPECT_EQ(ToUtf8(text), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xB7\x90\xEF\xBF\xBF");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8, EachInvalidPartReadsAsOneReplacementCharacter) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"AboveU10FFFF", "\xF4\x90\x80\x80\tab", u"\uFFFD\uFFFD\uFFFD\uFFFD\tab"},
      {"EncodedHighSurrogate", "\xED\xA0\x80\tab", u"\uFFFD\uFFFD\uFFFD\tab"},
      {"EncodedLowSurrogate", "\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD"},
      {"EncodedPair", "\xED\xA0\xBD\xED\xB8\x80", std::u16string(6, u'\uFFFD')},
      {"LeadBytesF5ToFF",
       "\xF5\xF8\xFF"
       "a",
       u"\uFFFD\uFFFD\uFFFDa"},
      {"Overlong", "\xC0\xAF\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"CutShortBeforeAValidOne", "\xE2\x82\xC3\xA9", u"\uFFFD\u00e9"},
      {"CutShortAtTheEnd", "a\xF0\x9F\x98", u"a\uFFFD"},
      {"StrayContinuation",
       "\x80\xBF"
       "a",
       u"\uFFFD\uFFFDa"},
      {"HighestValid", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::u16string text = FromUtf8(c.bytes);
    EXPECT_EQ(text, c.text);
    // What was read is what a save writes and a second read gives.
    EXPECT_TRUE(HasUtf8Form(text));
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  }
}

TEST(Utf8, LoneSurrogatesHaveNoUtf8Form) {
  EXPECT_FALSE(HasUtf8Form(u"a\xD800"));
  EXPECT_FALSE(
      HasUtf8Form(u"\xDC00"
                  u"a"));
  EXPECT_FALSE(HasUtf8Form(u"\xD800\t\xDC00"));
  EXPECT_TRUE(HasUtf8Form(u"\U0001F600"));
  EXPECT_EQ(ToUtf8(u"a\xD800"
                   u"b"),
            "a\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace kq
