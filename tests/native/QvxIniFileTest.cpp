// The settings store's rules over the registry: stored forms, defaults and failures.
#include <gtest/gtest.h>

#include <optional>

#include "common/Errors.h"
#include "common/Text.h"
#include "platform/MemoryRegistry.h"
#include "settings/Qvxinif.h"

namespace kq {
namespace {

using platform::RegAccess;
using platform::RegType;
using platform::RegValue;

class QvxIniFileTest : public ::testing::Test {
 protected:
  std::unique_ptr<platform::RegistryKey> Key(const std::u16string& section = u"") {
    auto key = registry.OpenCurrentUser(kSettingsKeyPath, RegAccess::ReadWrite);
    return section.empty() ? std::move(key) : key->CreateSubKey(section);
  }
  std::optional<RegValue> Stored(const std::u16string& section, const std::u16string& ident) {
    auto key = registry.OpenCurrentUser(kSettingsKeyPath, RegAccess::Read);
    auto sub = key ? key->OpenSubKey(section, RegAccess::Read) : nullptr;
    return sub ? sub->ReadValue(ident) : std::nullopt;
  }

  platform::MemoryRegistry registry;
  TQvxIniFile store{registry, kSettingsKeyPath};
};

TEST_F(QvxIniFileTest, CreatesItsKeyAndNamesItselfAfterIt) {
  EXPECT_TRUE(registry.OpenCurrentUser(u"Software\\Brenhollow\\Keyquill", RegAccess::Read));
  EXPECT_EQ(store.FileName(), u"Software\\Brenhollow\\Keyquill");
  EXPECT_EQ(store.Type(), TIniType::tiReg);
}

TEST_F(QvxIniFileTest, WritesStoreTheirForms) {
  store.WriteString(u"", u"Name", u"text");
  store.WriteInteger(u"Updates", u"Count", -5);
  store.WriteBool(u"", u"On", true);
  store.WriteBool(u"", u"Off", false);
  Key()->WriteString(u"AsText", u"1");
  store.WriteInteger(u"", u"AsText", 42);  // an integer over a string stays a string

  struct Expect {
    const char16_t* section;
    const char16_t* ident;
    RegType type;
    std::u16string text;
    std::uint32_t dword;
  };
  const Expect cases[] = {
      {u"", u"Name", RegType::String, u"text", 0},
      {u"Updates", u"Count", RegType::DWord, u"", 0xFFFFFFFBu},
      {u"", u"On", RegType::String, u"1", 0},
      {u"", u"Off", RegType::String, u"0", 0},
      {u"", u"AsText", RegType::String, u"42", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.ident));
    auto value = Stored(c.section, c.ident);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->text, c.text);
    EXPECT_EQ(value->dword, c.dword);
  }
}

TEST_F(QvxIniFileTest, ReadsGiveDefaultsForMissingSectionsAndValues) {
  EXPECT_EQ(store.ReadString(u"Nowhere", u"x", u"dflt"), u"dflt");
  EXPECT_EQ(store.ReadString(u"", u"x", u""), u"");
  EXPECT_EQ(store.ReadInteger(u"Nowhere", u"x", 17), 17);
  EXPECT_TRUE(store.ReadBool(u"", u"x", true));
  EXPECT_FALSE(registry.OpenCurrentUser(u"Software\\Brenhollow\\Keyquill\\Nowhere",
                                        RegAccess::Read));  // reading created nothing
}

struct IntegerCase {
  const char* name;
  std::optional<RegValue> stored;
  std::int32_t expected;  // for ReadInteger with default 7; unused when it raises
  bool integerRaises;
  bool boolean;  // ReadBool with default true
  bool boolRaises;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
  *os << c.name;
}

class IntegerReads : public QvxIniFileTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerReads, FollowTheStoredType) {
  const auto& c = GetParam();
  if (c.stored)
    Key()->WriteValue(u"V", *c.stored);
  if (c.integerRaises) {
    EXPECT_THROW(store.ReadInteger(u"", u"V", 7), Error);
  } else {
    EXPECT_EQ(store.ReadInteger(u"", u"V", 7), c.expected);
  }
  if (c.boolRaises) {
    EXPECT_THROW(store.ReadBool(u"", u"V", true), Error);
  } else {
    EXPECT_EQ(store.ReadBool(u"", u"V", true), c.boolean);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, IntegerReads,
    ::testing::Values(
        IntegerCase{"missing", std::nullopt, 7, false, true, false},
        IntegerCase{"dword", RegValue::OfDWord(42), 42, false, true, false},
        IntegerCase{"dword_zero", RegValue::OfDWord(0), 0, false, false, false},
        IntegerCase{"dword_negative", RegValue::OfDWord(0xFFFFFFEFu), -17, false, true, false},
        IntegerCase{"digits", RegValue::OfString(u"42"), 42, false, true, false},
        IntegerCase{"signed_digits", RegValue::OfString(u"-3"), -3, false, true, false},
        IntegerCase{"zero_text", RegValue::OfString(u"0"), 0, false, false, false},
        IntegerCase{"letters", RegValue::OfString(u"abc"), 0, true, true, false},
        IntegerCase{"empty_text", RegValue::OfString(u""), 0, true, true, false},
        IntegerCase{"too_large", RegValue::OfString(u"2147483648"), 0, true, true, false},
        IntegerCase{"binary", RegValue{RegType::Binary, u"", 0, {1, 2}}, 0, true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QvxIniFileTest, ReadStringOfANumberValueRaises) {
  Key()->WriteDWord(u"N", 3);
  EXPECT_THROW(store.ReadString(u"", u"N", u""), RegistryError);
}

TEST_F(QvxIniFileTest, SectionsAndValueNames) {
  store.WriteString(u"RecentFonts", u"Font1", u"Arial");
  store.WriteString(u"Updates", u"Last", u"x");
  store.WriteBool(u"", u"FirstRun", true);

  std::vector<std::u16string> names;
  store.ReadSections(names);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"RecentFonts", u"Updates"}));
  store.ReadSection(u"RecentFonts", names);
  EXPECT_EQ(names, std::vector<std::u16string>{u"Font1"});
  EXPECT_TRUE(store.ValueExists(u"", u"firstrun"));
  EXPECT_FALSE(store.ValueExists(u"", u"SecondRun"));
  EXPECT_FALSE(store.ValueExists(u"Nowhere", u"FirstRun"));
}

TEST_F(QvxIniFileTest, SectionValuesListTextsAndNumbersButNotBinaries) {
  auto key = Key(u"Dlg");
  key->WriteString(u"Caption", u"Hello");
  key->WriteDWord(u"Width", 300);
  key->WriteValue(u"Blob", RegValue{RegType::Binary, u"", 0, {9}});
  key->WriteString(u"Empty", u"");
  key->WriteValue(u"Path", RegValue{RegType::ExpandString, u"%TEMP%", 0, {}});

  NameValueList values;
  values.Set(u"width", u"old");  // replaced, not repeated
  store.ReadSectionValues(u"Dlg", values);
  EXPECT_EQ(values.Lines(),
            (std::vector<std::u16string>{u"Width=300", u"Caption=Hello", u"Path=%TEMP%"}));
}

TEST_F(QvxIniFileTest, WritesToAKeyThatRefusesThemRaise) {
  registry.DenyWrites(kSettingsKeyPath);
  EXPECT_THROW(store.WriteString(u"", u"x", u"y"), RegistryError);
  EXPECT_THROW(store.WriteInteger(u"New", u"x", 1), RegistryError);
}

}  // namespace
}  // namespace kq
