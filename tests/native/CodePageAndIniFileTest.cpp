// The native ANSI code page and the INI-file kind of the settings store.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "common/Text.h"
#include "platform/CodePage.h"
#include "settings/IniFile.h"
#include "settings/Qvxinif.h"

namespace kq {
namespace {

TEST(Windows1252, MapsBothWaysWithTheDefaultCharacter) {
  platform::Windows1252 cp;
  EXPECT_EQ(cp.FromUnicode(u"'e\u00e9\u20ac\u0152"), "'e\xE9\x80\x8C");
  EXPECT_EQ(cp.FromUnicode(u"\u03b1\U0001F600"), "???");  // not in the code page
  EXPECT_EQ(cp.ToUnicode("\xE9\x80\x81"), u"\u00e9\u20ac\u0081");
}

class IniStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = std::filesystem::temp_directory_path() /
           ("kq_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    std::filesystem::remove(path);
  }
  void TearDown() override { std::filesystem::remove(path); }
  std::u16string Name() const { return path.u16string(); }

  std::filesystem::path path;
};

TEST_F(IniStoreTest, WritesAreReadBackAcrossStores) {
  {
    TQvxIniFile store(Name());
    EXPECT_EQ(store.Type(), TIniType::tiIni);
    store.WriteString(u"Server", u"Host", u"mail.example");
    store.WriteInteger(u"Server", u"Port", 25);
    store.WriteBool(u"Other", u"On", true);
    store.WriteString(u"server", u"HOST", u"smtp.example");  // same section and ident
  }
  TQvxIniFile store(Name());
  EXPECT_EQ(store.ReadString(u"SERVER", u"host", u""), u"smtp.example");
  EXPECT_EQ(store.ReadInteger(u"Server", u"Port", 0), 25);
  EXPECT_TRUE(store.ReadBool(u"Other", u"On", false));
  EXPECT_EQ(store.ReadString(u"Nowhere", u"x", u"d"), u"d");
  std::vector<std::u16string> names;
  store.ReadSections(names);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Server", u"Other"}));
  store.ReadSection(u"Server", names);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Host", u"Port"}));
  EXPECT_TRUE(store.ValueExists(u"server", u"port"));
}

TEST_F(IniStoreTest, ReadsAHandWrittenFile) {
  std::ofstream(path) << "; comment\r\n[Mail]\r\n  Server = mx.example \r\nPort=x\r\n";
  TQvxIniFile store(Name());
  EXPECT_EQ(store.ReadString(u"Mail", u"Server", u""), u"mx.example");
  EXPECT_EQ(store.ReadInteger(u"Mail", u"Port", 25), 25);  // not a number: the default
}

// A write rewrites the line it changes or adds and no other; whatever bytes the other lines
// hold, they read as before.
TEST_F(IniStoreTest, AWriteChangesOnlyTheValueWritten) {
  struct Case {
    const char* name;
    std::string file;
    const char16_t* section;
    const char16_t* ident;
    const char16_t* untouched;  // another ident of the section
    const char16_t* untouchedValue;
    std::string after;
  };
  const Case cases[] = {
      {"EncodedSurrogate", "[S]\r\na=\xED\xA0\x80\r\n", u"S", u"b", u"a", u"\uFFFD\uFFFD\uFFFD",
       "[S]\r\na=\xED\xA0\x80\r\nb=1\r\n"},
      {"ByteOrderMark", "\xEF\xBB\xBF[Main]\r\nKey=0\r\nOther=2", u"Main", u"Key", u"Other", u"2",
       "\xEF\xBB\xBF[Main]\r\nKey=1\r\nOther=2\r\n"},
      {"LoneCR", "[Main]\rKey=0\rOther=2\r", u"Main", u"Key", u"Other", u"2",
       "[Main]\r\nKey=1\r\nOther=2\r\n"},
      {"LoneLF", "[Main]\nOther=2\n", u"Main", u"Key", u"Other", u"2",
       "[Main]\r\nOther=2\r\nKey=1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.file;
    TQvxIniFile store(Name());
    EXPECT_EQ(store.ReadString(c.section, c.untouched, u"default"), c.untouchedValue);
    store.WriteString(c.section, c.ident, u"1");
    EXPECT_EQ(store.ReadString(c.section, c.ident, u""), u"1");
    EXPECT_EQ(store.ReadString(c.section, c.untouched, u"default"), c.untouchedValue);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.after);
  }
}

TEST_F(IniStoreTest, DeletesAValueOrASectionAndNothingElse) {
  const std::string file = "[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n[a2]\r\nx=4\r\n";
  struct Case {
    const char* name;
    std::function<bool(IniFile&)> erase;  // what it answered
    bool answer;
    std::string after;
  };
  const Case cases[] = {
      {"ValueOfOneSection", [](IniFile& ini) { return ini.DeleteKey(u"b", u"X"); }, true,
       "[A]\r\nx=1\r\ny=2\r\n[B]\r\n[a2]\r\nx=4\r\n"},
      {"MissingValue", [](IniFile& ini) { return ini.DeleteKey(u"A", u"z"); }, false, file},
      {"MissingSection", [](IniFile& ini) { return ini.DeleteKey(u"C", u"x"); }, false, file},
      {"Section",
       [](IniFile& ini) {
         ini.EraseSection(u"a");
         return true;
       },
       true, "[B]\r\nx=3\r\n[a2]\r\nx=4\r\n"},
      {"LastSection",
       [](IniFile& ini) {
         ini.EraseSection(u"A2");
         return true;
       },
       true, "[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(path, std::ios::binary) << file;
    IniFile ini(Name());
    EXPECT_EQ(c.erase(ini), c.answer);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.after);
  }
}

}  // namespace
}  // namespace kq
