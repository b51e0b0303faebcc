// The in-memory registry must behave like the real one wherever the settings code can tell.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "platform/MemoryRegistry.h"

namespace kq::platform {
namespace {

TEST(MemoryRegistry, NamesCompareWithoutCaseAndKeepTheirSpelling) {
  MemoryRegistry registry;
  auto key = registry.CreateCurrentUser(u"Software\\Brenhollow\\Keyquill");
  key->WriteString(u"FirstRun", u"1");
  key->WriteDWord(u"FIRSTRUN", 7);  // same value, new type and data

  auto again = registry.OpenCurrentUser(u"software\\BRENHOLLOW\\keyquill", RegAccess::Read);
  ASSERT_TRUE(again);
  auto value = again->ReadValue(u"firstrun");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, RegType::DWord);
  EXPECT_EQ(value->dword, 7u);
  EXPECT_EQ(again->ValueNames(), std::vector<std::u16string>{u"FirstRun"});
  EXPECT_EQ(registry.OpenCurrentUser(u"Software", RegAccess::Read)->SubKeyNames(),
            std::vector<std::u16string>{u"Brenhollow"});
}

TEST(MemoryRegistry, MissingKeyIsNotMissingValue) {
  MemoryRegistry registry;
  EXPECT_FALSE(registry.OpenCurrentUser(u"Software\\Nothing", RegAccess::Read));
  auto key = registry.CreateCurrentUser(u"Software\\Something");
  EXPECT_FALSE(key->ReadValue(u"Absent"));
  EXPECT_FALSE(key->DeleteValue(u"Absent"));
}

TEST(MemoryRegistry, ValuesListInOrderOfCreationAndSubkeysSorted) {
  MemoryRegistry registry;
  auto key = registry.CreateCurrentUser(u"K");
  key->WriteString(u"b", u"");
  key->WriteString(u"a", u"");
  key->CreateSubKey(u"zeta");
  key->CreateSubKey(u"Alpha");
  EXPECT_EQ(key->ValueNames(), (std::vector<std::u16string>{u"b", u"a"}));
  EXPECT_EQ(key->SubKeyNames(), (std::vector<std::u16string>{u"Alpha", u"zeta"}));
}

TEST(MemoryRegistry, DeletedTreeRefusesOpenKeys) {
  MemoryRegistry registry;
  auto inner = registry.CreateCurrentUser(u"A\\B\\C");
  auto top = registry.OpenCurrentUser(u"A", RegAccess::ReadWrite);
  EXPECT_TRUE(top->DeleteSubKeyTree(u"b"));
  EXPECT_FALSE(top->DeleteSubKeyTree(u"b"));
  EXPECT_THROW(inner->WriteString(u"x", u"y"), RegistryError);
  EXPECT_FALSE(registry.OpenCurrentUser(u"A\\B", RegAccess::Read));
}

TEST(MemoryRegistry, ReadOnlyKeysAndDeniedWritesRaise) {
  MemoryRegistry registry;
  registry.CreateCurrentUser(u"Open")->WriteString(u"v", u"1");
  EXPECT_THROW(registry.OpenCurrentUser(u"Open", RegAccess::Read)->WriteString(u"v", u"2"),
               RegistryError);
  registry.DenyWrites(u"Locked");
  EXPECT_THROW(registry.CreateCurrentUser(u"Locked\\Sub"), RegistryError);
  EXPECT_THROW(registry.CreateCurrentUser(u"Locked")->WriteDWord(u"v", 1), RegistryError);
}

}  // namespace
}  // namespace kq::platform
