// The settings store and the shared settings on the real registry: what a registry editor
// sees after each write, and the start-at-log-on entry.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "fakes/SettingsFixture.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "settings/Globals.h"
#include "settings/Qvxinif.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"

namespace kq::testing {
namespace {

class SettingsOnTheRealRegistry : public CleanProgramState,
                                  protected SettingsRegistry<win::Win32Registry> {
 protected:
  std::unique_ptr<TNewSharedData> Make() {
    return MakeSharedData(win::QueryWindowsRelease(), win::ExecutablePath());
  }
};

TEST_F(SettingsOnTheRealRegistry, EachWriteStoresItsRegistryForm) {
  auto data = Make();
  data->SetComposeKey(TComposeKey::Alt_F5);
  data->SetDelayKeys(true);
  data->SetFakeKey(16);
  data->SetShowIconBalloon(false);
  data->SetReverseOrder(false);
  WriteRawString(kSettingsKey, L"StartTimeout", L"9");
  data->SetStartTimeout(60);  // over a string: stays a string
  data->SetDelayHook(-1);

  struct Expect {
    const wchar_t* name;
    DWORD type;
    std::wstring text;
    DWORD number;
  };
  const Expect expected[] = {
      {L"ComposeKey", REG_DWORD, L"", 20},        {L"DelayKey", REG_SZ, L"1", 0},
      {L"FakeKey", REG_DWORD, L"", 16},           {L"ShowBalloon", REG_SZ, L"0", 0},
      {L"IgnoreOrder", REG_SZ, L"0", 0},          {L"StartTimeout", REG_SZ, L"60", 0},
      {L"DelayHook", REG_DWORD, L"", 0xFFFFFFFF},
  };
  for (const auto& e : expected) {
    auto value = ReadRaw(kSettingsKey, e.name);
    ASSERT_TRUE(value) << e.name;
    EXPECT_EQ(value->type, e.type) << e.name;
    if (e.type == REG_SZ) {
      EXPECT_EQ(value->Text(), e.text) << e.name;
    } else {
      EXPECT_EQ(value->Number(), e.number) << e.name;
    }
  }
  EXPECT_EQ(data->ComposeKey(), TComposeKey::Alt_F5);
  EXPECT_EQ(data->StartTimeout(), 60);
}

TEST_F(SettingsOnTheRealRegistry, ValuesWrittenByHandReadAsTheProgramExpects) {
  WriteRawString(kSettingsKey, L"DelayKey", L"1");
  WriteRawDWord(kSettingsKey, L"IgnoreOrder", 1);
  WriteRawDWord(kSettingsKey, L"FakeKey", static_cast<DWORD>(-17));
  WriteRawString(kSettingsKey, L"Letters", L"abc");
  const BYTE blob[] = {1};
  WriteRaw(kSettingsKey, L"StartTimeout", REG_BINARY, blob, 1);

  auto data = Make();
  EXPECT_TRUE(data->DelayKeys());
  EXPECT_TRUE(data->ReverseOrder());
  EXPECT_EQ(data->FakeKey(), 0);
  EXPECT_EQ(ReadRaw(kSettingsKey, L"FakeKey")->Number(), 0u);  // repaired in place
  EXPECT_THROW(data->StartTimeout(), Error);

  TQvxIniFile store(registry, kSettingsKeyPath);
  EXPECT_THROW(store.ReadInteger(u"", u"Letters", 3), ConvertError);
  EXPECT_EQ(store.ReadBool(u"", u"Letters", true), true);
  EXPECT_TRUE(store.ValueExists(u"", u"delaykey"));
}

TEST_F(SettingsOnTheRealRegistry, StartupEntryIsTheQuotedPathOfTheRunningProgram) {
  auto data = Make();
  data->SetStartupLoad(true);
  auto entry = ReadRaw(kRunKey, L"Keyquill");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->type, static_cast<DWORD>(REG_SZ));
  std::u16string exe = win::ExecutablePath();
  EXPECT_EQ(entry->Text(), L"\"" + std::wstring(exe.begin(), exe.end()) + L"\"");
  EXPECT_TRUE(data->StartupLoad());

  WriteRawString(kRunKey, L"Keyquill", L"\"C:\\Elsewhere\\Keyquill.exe\"");
  data->UpdateStartupLoad();
  EXPECT_EQ(ReadRaw(kRunKey, L"Keyquill")->Text(), entry->Text());

  data->SetStartupLoad(false);
  EXPECT_FALSE(ReadRaw(kRunKey, L"Keyquill"));
  data->UpdateStartupLoad();  // an absent entry stays absent
  EXPECT_FALSE(ReadRaw(kRunKey, L"Keyquill"));
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(SettingsOnTheRealRegistry, SortTextTogetherIsSavedAtDestruction) {
  auto data = Make();
  EXPECT_TRUE(data->SortTextTogether);
  data->SortTextTogether = false;
  data.reset();
  EXPECT_EQ(ReadRaw(kSettingsKey, L"SortTextTogether")->Text(), L"0");
}

}  // namespace
}  // namespace kq::testing
