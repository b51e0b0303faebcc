// The native ANSI code page and the INI-file kind of the settings store.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/Text.h"
#include "platform/CodePage.h"
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

}  // namespace
}  // namespace kq
