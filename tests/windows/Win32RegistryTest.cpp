// The registry layer against the real registry.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "platform/win32/Win32Registry.h"
#include "support/RawRegistry.h"

namespace kq::testing {
namespace {

using platform::RegAccess;
using platform::RegType;
using platform::RegValue;

constexpr wchar_t kScratch[] = L"Software\\KeyquillTests\\Registry";

class Win32Registry : public ::testing::Test {
 protected:
  void SetUp() override { DeleteRawTree(L"Software\\KeyquillTests"); }
  void TearDown() override { DeleteRawTree(L"Software\\KeyquillTests"); }

  win::Win32Registry registry;
  const std::u16string scratch = u"Software\\KeyquillTests\\Registry";
};

TEST_F(Win32Registry, WritesAreWhatARegistryEditorShows) {
  auto key = registry.CreateCurrentUser(scratch);
  key->WriteString(u"Text", u"\u00e9t\u00e9");
  key->WriteDWord(u"Number", 0xFFFFFFEF);
  key->WriteValue(u"Path", RegValue{RegType::ExpandString, u"%TEMP%\\x", 0, {}});
  key->WriteValue(u"Blob", RegValue{RegType::Binary, u"", 0, {1, 2, 3}});
  key->WriteString(u"Empty", u"");

  EXPECT_EQ(ReadRaw(kScratch, L"Text")->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(ReadRaw(kScratch, L"Text")->Text(), L"\u00e9t\u00e9");
  EXPECT_EQ(ReadRaw(kScratch, L"Text")->data.size(), 4 * sizeof(wchar_t));  // with its null
  EXPECT_EQ(ReadRaw(kScratch, L"Number")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadRaw(kScratch, L"Number")->Number(), 0xFFFFFFEFu);
  EXPECT_EQ(ReadRaw(kScratch, L"Path")->type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(ReadRaw(kScratch, L"Path")->Text(), L"%TEMP%\\x");
  EXPECT_EQ(ReadRaw(kScratch, L"Blob")->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(ReadRaw(kScratch, L"Blob")->data, (std::vector<BYTE>{1, 2, 3}));
  EXPECT_EQ(ReadRaw(kScratch, L"Empty")->Text(), L"");
}

TEST_F(Win32Registry, ReadsWhatOthersWroteWithItsType) {
  WriteRawString(kScratch, L"Text", L"hello");
  WriteRawDWord(kScratch, L"Number", 42);
  const BYTE blob[] = {9, 8};
  WriteRaw(kScratch, L"Blob", REG_BINARY, blob, 2);
  WriteRaw(kScratch, L"Multi", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
  // A string stored without its terminating null still reads whole.
  WriteRaw(kScratch, L"Unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));

  auto key = registry.OpenCurrentUser(u"SOFTWARE\\keyquilltests\\REGISTRY", RegAccess::Read);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ReadValue(u"TEXT")->text, u"hello");
  EXPECT_EQ(key->ReadValue(u"text")->type, RegType::String);
  EXPECT_EQ(key->ReadValue(u"Number")->type, RegType::DWord);
  EXPECT_EQ(key->ReadValue(u"Number")->dword, 42u);
  EXPECT_EQ(key->ReadValue(u"Blob")->type, RegType::Binary);
  EXPECT_EQ(key->ReadValue(u"Blob")->bytes, (std::vector<std::uint8_t>{9, 8}));
  EXPECT_EQ(key->ReadValue(u"Multi")->type, RegType::Other);
  EXPECT_EQ(key->ReadValue(u"Unterminated")->text, u"abc");
  EXPECT_FALSE(key->ReadValue(u"Absent"));
  EXPECT_FALSE(registry.OpenCurrentUser(scratch + u"\\Absent", RegAccess::Read));
}

TEST_F(Win32Registry, ListsDeletesAndRefuses) {
  auto key = registry.CreateCurrentUser(scratch);
  key->CreateSubKey(u"Beta\\Deep");
  key->CreateSubKey(u"Alpha");
  key->WriteString(u"One", u"1");
  key->WriteDWord(u"Two", 2);
  EXPECT_EQ(key->SubKeyNames(), (std::vector<std::u16string>{u"Alpha", u"Beta"}));
  EXPECT_EQ(key->ValueNames(), (std::vector<std::u16string>{u"One", u"Two"}));

  EXPECT_TRUE(key->DeleteValue(u"one"));
  EXPECT_FALSE(key->DeleteValue(u"one"));
  EXPECT_FALSE(ReadRaw(kScratch, L"One"));

  EXPECT_TRUE(key->DeleteSubKeyTree(u"beta"));
  EXPECT_FALSE(RawKeyExists(L"Software\\KeyquillTests\\Registry\\Beta"));
  EXPECT_FALSE(key->DeleteSubKeyTree(u"beta"));

  auto readOnly = registry.OpenCurrentUser(scratch, RegAccess::Read);
  EXPECT_THROW(readOnly->WriteString(u"x", u"y"), RegistryError);
  try {
    readOnly->WriteString(u"x", u"y");
  } catch (const RegistryError& error) {
    EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_NE(error.Message().find(u"x"), std::u16string::npos);
  }
}

}  // namespace
}  // namespace kq::testing
