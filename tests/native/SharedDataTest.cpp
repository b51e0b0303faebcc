// The compose settings as the registry holds them, and the start-at-log-on entry.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "fakes/SettingsFixture.h"
#include "platform/MemoryRegistry.h"
#include "settings/Globals.h"
#include "settings/Qvxinif.h"

namespace kq {
namespace {

using platform::RegAccess;
using platform::RegType;
using platform::RegValue;

constexpr char16_t kExe[] = u"C:\\Program Files\\Keyquill\\Keyquill.exe";
constexpr char16_t kRunString[] = u"\"C:\\Program Files\\Keyquill\\Keyquill.exe\"";

class SharedDataTest : public ::testing::Test,
                       protected testing::SettingsRegistry<platform::MemoryRegistry> {
 protected:
  std::unique_ptr<TNewSharedData> Make(platform::WindowsRelease release = {}) {
    return MakeSharedData(release, kExe);
  }
  std::unique_ptr<platform::RegistryKey> Settings() {
    return registry.CreateCurrentUser(kSettingsKeyPath);
  }
  std::optional<RegValue> Stored(const std::u16string& name) { return Settings()->ReadValue(name); }
  std::optional<RegValue> RunEntry() {
    return registry.CreateCurrentUser(kRunKeyPath)->ReadValue(u"Keyquill");
  }
};

TEST_F(SharedDataTest, EmptyKeyGivesEveryDefault) {
  auto data = Make();
  EXPECT_EQ(data->ComposeKey(), TComposeKey::Right_Alt_Gr);
  EXPECT_FALSE(data->DelayKeys());
  EXPECT_EQ(data->DelayHook(), 0);
  EXPECT_EQ(data->FakeKey(), 255);
  EXPECT_FALSE(data->UseFakeKey());
  EXPECT_EQ(data->StartTimeout(), 30);
  EXPECT_FALSE(data->ReverseOrder());
  EXPECT_FALSE(data->StartupLoad());
  EXPECT_TRUE(data->SortTextTogether);
  EXPECT_TRUE(Settings()->ValueNames().empty());  // reading wrote nothing
}

TEST_F(SharedDataTest, ComposeKeyDefaultFollowsDefaultKey) {
  auto data = Make();
  data->SetDefaultKey(5);
  EXPECT_EQ(data->ComposeKey(), TComposeKey::F1);
  data->SetComposeKey(TComposeKey::Alt_F12);
  EXPECT_EQ(Stored(u"ComposeKey")->dword, 27u);
  EXPECT_EQ(data->ComposeKey(), TComposeKey::Alt_F12);
}

TEST_F(SharedDataTest, EveryReadGoesToTheRegistry) {
  auto data = Make();
  EXPECT_FALSE(data->DelayKeys());
  Settings()->WriteString(u"DelayKey", u"1");  // as another dialog would
  EXPECT_TRUE(data->DelayKeys());
  Settings()->WriteDWord(u"DelayKey", 0);
  EXPECT_FALSE(data->DelayKeys());
}

struct StoredFormCase {
  const char* name;
  void (*write)(TNewSharedData&);
  const char16_t* value;
  RegType type;
  std::u16string text;
  std::uint32_t dword;
};

void PrintTo(const StoredFormCase& c, std::ostream* os) {
  *os << c.name;
}

class StoredForms : public SharedDataTest, public ::testing::WithParamInterface<StoredFormCase> {};

TEST_P(StoredForms, AreWhatARegistryEditorShows) {
  const auto& c = GetParam();
  auto data = Make();
  c.write(*data);
  auto value = Stored(c.value);
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, c.type);
  EXPECT_EQ(value->text, c.text);
  EXPECT_EQ(value->dword, c.dword);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredForms,
    ::testing::Values(
        StoredFormCase{"ComposeKey", [](TNewSharedData& d) { d.SetComposeKey(TComposeKey::F3); },
                       u"ComposeKey", RegType::DWord, u"", 7},
        StoredFormCase{"DelayKeys", [](TNewSharedData& d) { d.SetDelayKeys(true); }, u"DelayKey",
                       RegType::String, u"1", 0},
        StoredFormCase{"DelayHook", [](TNewSharedData& d) { d.SetDelayHook(300); }, u"DelayHook",
                       RegType::DWord, u"", 300},
        StoredFormCase{"FakeKey", [](TNewSharedData& d) { d.SetFakeKey(16); }, u"FakeKey",
                       RegType::DWord, u"", 16},
        StoredFormCase{"ShowIconBalloon", [](TNewSharedData& d) { d.SetShowIconBalloon(false); },
                       u"ShowBalloon", RegType::String, u"0", 0},
        StoredFormCase{"StartTimeout", [](TNewSharedData& d) { d.SetStartTimeout(100); },
                       u"StartTimeout", RegType::DWord, u"", 100},
        StoredFormCase{"ReverseOrder", [](TNewSharedData& d) { d.SetReverseOrder(true); },
                       u"IgnoreOrder", RegType::String, u"1", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SharedDataTest, IntegerOverAStringStaysAString) {
  Settings()->WriteString(u"StartTimeout", u"12");
  auto data = Make();
  EXPECT_EQ(data->StartTimeout(), 12);
  data->SetStartTimeout(45);
  EXPECT_EQ(Stored(u"StartTimeout")->type, RegType::String);
  EXPECT_EQ(Stored(u"StartTimeout")->text, u"45");
}

TEST_F(SharedDataTest, NonNumericTextGivesTheDefaultAndOtherTypesRaise) {
  Settings()->WriteString(u"DelayHook", u"soon");
  Settings()->WriteString(u"DelayKey", u"yes");
  Settings()->WriteValue(u"StartTimeout", RegValue{RegType::Binary, u"", 0, {1}});
  auto data = Make();
  EXPECT_EQ(data->DelayHook(), 0);
  EXPECT_FALSE(data->DelayKeys());
  EXPECT_THROW(data->StartTimeout(), Error);
}

TEST_F(SharedDataTest, FakeKeyRepairsTheValuesOfOlderVersions) {
  struct Case {
    std::int32_t stored, read, storedAfter;
  };
  for (Case c : {Case{-1, 0, 0}, Case{-17, 0, 0}, Case{-256, 0, 0}, Case{16, 16, 16}, Case{0, 0, 0},
                 Case{255, 255, 255}, Case{-2, -2, -2}}) {
    SCOPED_TRACE(c.stored);
    Settings()->WriteDWord(u"FakeKey", static_cast<std::uint32_t>(c.stored));
    auto data = Make();
    EXPECT_EQ(data->FakeKey(), c.read);
    EXPECT_EQ(static_cast<std::int32_t>(Stored(u"FakeKey")->dword), c.storedAfter);
    EXPECT_EQ(data->UseFakeKey(), c.read != 255);
  }
}

TEST_F(SharedDataTest, BalloonDefaultsOnFromWindows7) {
  struct Case {
    platform::WindowsRelease release;
    bool balloon;
  };
  const Case cases[] = {
      {{5, 1, 2600, false}, false},  // XP
      {{6, 0, 6002, false}, false},  // Vista
      {{6, 0, 6002, true}, false},   // Server 2008
      {{6, 1, 7601, false}, true},   // 7
      {{6, 1, 7601, true}, true},    // Server 2008 R2
      {{10, 0, 22631, false}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.release.build);
    EXPECT_EQ(Make(c.release)->ShowIconBalloon(), c.balloon);
  }
  auto vista = Make({6, 0, 6002, false});
  vista->SetShowIconBalloon(true);
  EXPECT_TRUE(vista->ShowIconBalloon());
}

TEST_F(SharedDataTest, SortTextTogetherLoadsAtCreationAndSavesAtDestruction) {
  Settings()->WriteString(u"SortTextTogether", u"0");
  auto data = Make();
  EXPECT_FALSE(data->SortTextTogether);
  data->SortTextTogether = true;
  EXPECT_EQ(Stored(u"SortTextTogether")->text, u"0");  // not yet
  data.reset();
  EXPECT_EQ(Stored(u"SortTextTogether")->text, u"1");
}

TEST_F(SharedDataTest, StartupEntryIsTheQuotedExecutablePath) {
  auto data = Make();
  EXPECT_EQ(data->StartupRunString(), kRunString);
  data->SetStartupLoad(true);
  ASSERT_TRUE(RunEntry());
  EXPECT_EQ(RunEntry()->type, RegType::String);
  EXPECT_EQ(RunEntry()->text, kRunString);
  EXPECT_TRUE(data->StartupLoad());
  data->SetStartupLoad(false);
  EXPECT_FALSE(RunEntry());
  EXPECT_FALSE(data->StartupLoad());
  data->SetStartupLoad(false);  // removing an absent entry is quiet
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(SharedDataTest, StartupLoadIsAnyNonEmptyEntry) {
  registry.CreateCurrentUser(kRunKeyPath)->WriteString(u"Keyquill", u"elsewhere.exe");
  EXPECT_TRUE(Make()->StartupLoad());
  registry.CreateCurrentUser(kRunKeyPath)->WriteString(u"Keyquill", u"");
  EXPECT_FALSE(Make()->StartupLoad());
}

TEST_F(SharedDataTest, UpdateStartupLoadMovesOnlyAnExistingEntry) {
  struct Case {
    std::optional<std::u16string> before;
    std::optional<std::u16string> after;
  };
  const std::u16string lowerCase = u"\"c:\\program files\\keyquill\\keyquill.exe\"";
  const Case cases[] = {
      {std::nullopt, std::nullopt},
      {u"", u""},
      {u"\"D:\\Old\\Keyquill.exe\"", kRunString},
      {lowerCase, kRunString},
      {kRunString, kRunString},
  };
  for (const auto& c : cases) {
    auto run = registry.CreateCurrentUser(kRunKeyPath);
    run->DeleteValue(u"Keyquill");
    if (c.before)
      run->WriteString(u"Keyquill", *c.before);
    Make()->UpdateStartupLoad();
    auto entry = RunEntry();
    EXPECT_EQ(entry.has_value(), c.after.has_value());
    if (entry && c.after) {
      EXPECT_EQ(entry->text, *c.after);
    }
  }
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(SharedDataTest, AFailedRegistrationIsShownAndWorkGoesOn) {
  registry.CreateCurrentUser(kRunKeyPath)->WriteString(u"Keyquill", u"\"D:\\Old.exe\"");
  registry.DenyWrites(kRunKeyPath);
  auto data = Make();
  data->SetStartupLoad(true);
  data->UpdateStartupLoad();
  data->SetStartupLoad(false);  // silent
  ASSERT_EQ(errors.shown.size(), 2u);
  EXPECT_EQ(errors.shown[0], kStartupRegistrationFailed);
  EXPECT_EQ(RunEntry()->text, u"\"D:\\Old.exe\"");
}

// Clearing the preferences deletes the settings key under the objects that hold it open.
TEST_F(SharedDataTest, ReopenedAfterTheKeyWasDeletedReadsAndWritesTheNewKey) {
  auto data = Make();
  TQvxIniFile store(registry, kSettingsKeyPath);
  data->SetComposeKey(TComposeKey::F3);
  store.WriteBool(u"", u"FirstRun2", false);
  registry.OpenCurrentUser(u"Software\\Brenhollow", RegAccess::ReadWrite)
      ->DeleteSubKeyTree(u"Keyquill");
  EXPECT_THROW(data->SetDelayHook(5), RegistryError) << "the old key is gone";

  data->ReopenKey();
  store.Reopen();
  EXPECT_EQ(data->ComposeKey(), TComposeKey::Right_Alt_Gr);
  EXPECT_TRUE(store.ReadBool(u"", u"FirstRun2", true));
  data->SetDelayHook(5);
  store.WriteInteger(u"OptionDlg", u"Left", 10);
  EXPECT_EQ(Stored(u"DelayHook")->dword, 5u);
  EXPECT_EQ(TQvxIniFile(registry, kSettingsKeyPath).ReadInteger(u"OptionDlg", u"Left", 0), 10);
}

}  // namespace
}  // namespace kq
