#include "settings/Globals.h"

#include <iterator>

#include "common/Errors.h"
#include "settings/Qvxinif.h"

namespace kq {

using platform::RegAccess;

namespace {

constexpr char16_t kNoSection[] = u"";

// How a setting is stored: a Boolean as the text "0" or "1", an integer as a DWORD value (or
// as decimal text where a text value of that name exists already).
enum class Stored { Integer, Boolean };

struct SettingRow {
  const char16_t* name;
  Stored stored;
  std::int32_t fallback;  // when the value is absent
};

// In the order of TNewSharedData::Setting. Two defaults depend on the running program and are
// given where they are read: ComposeKey's (DefaultKey) and ShowIconBalloon's (the release).
constexpr SettingRow kSettingRows[] = {
    {u"ComposeKey", Stored::Integer, 0},      {u"DelayKey", Stored::Boolean, false},
    {u"DelayHook", Stored::Integer, 0},       {u"FakeKey", Stored::Integer, kNoFakeKey},
    {u"ShowBalloon", Stored::Boolean, true},  {u"StartTimeout", Stored::Integer, 30},
    {u"IgnoreOrder", Stored::Boolean, false}, {u"SortTextTogether", Stored::Boolean, true},
};

}  // namespace

TNewSharedData::TNewSharedData(platform::Registry& registry, platform::WindowsRelease release,
                               std::u16string exePath, ErrorMessages& errors)
    : FRegistry(registry),
      FRelease(release),
      FErrors(errors),
      Reg(registry, kSettingsKeyPath),
      FStartupRunString(u'"' + exePath + u'"') {
  SortTextTogether = Read(Setting::SortTextTogether) != 0;
}

TNewSharedData::~TNewSharedData() {
  try {
    Write(Setting::SortTextTogether, SortTextTogether);
  } catch (const Error&) {
    // The process is ending; a settings key that refuses writes loses only this preference.
  }
}

void TNewSharedData::SetMessageIds(std::uint32_t toggleIcon, std::uint32_t translateKeys,
                                   std::uint32_t showOptDlg) {
  FWM_ToggleIcon = toggleIcon;
  FWM_TranslateKeys = translateKeys;
  FWM_ShowOptDlg = showOptDlg;
}

std::int32_t TNewSharedData::Read(Setting setting) const {
  return Read(setting, kSettingRows[static_cast<int>(setting)].fallback);
}

std::int32_t TNewSharedData::Read(Setting setting, std::int32_t fallback) const {
  static_assert(std::size(kSettingRows) == static_cast<size_t>(Setting::SortTextTogether) + 1);
  const SettingRow& row = kSettingRows[static_cast<int>(setting)];
  if (row.stored == Stored::Boolean)
    return Reg.ReadBool(kNoSection, row.name, fallback != 0);
  return Reg.ReadInteger(kNoSection, row.name, fallback);
}

void TNewSharedData::Write(Setting setting, std::int32_t value) {
  const SettingRow& row = kSettingRows[static_cast<int>(setting)];
  if (row.stored == Stored::Boolean)
    Reg.WriteBool(kNoSection, row.name, value != 0);
  else
    Reg.WriteInteger(kNoSection, row.name, value);
}

TComposeKey TNewSharedData::ComposeKey() const {
  return static_cast<TComposeKey>(Read(Setting::ComposeKey, FDefaultKey));
}

std::int32_t TNewSharedData::FakeKey() {
  std::int32_t key = Read(Setting::FakeKey);
  // Older versions stored a signed byte or word of the null key; they all mean 0.
  if (key == -1 || key == -17 || key == -256) {
    Write(Setting::FakeKey, 0);
    return 0;
  }
  return key;
}

bool TNewSharedData::ShowIconBalloon() const {
  return Read(Setting::ShowIconBalloon, FRelease.IsWindows7OrLater()) != 0;
}

bool TNewSharedData::StartupLoad() const {
  auto run = FRegistry.OpenCurrentUser(kRunKeyPath, RegAccess::Read);
  if (!run)
    return false;
  auto value = run->ReadValue(kRunValueName);
  return value && value->type == platform::RegType::String && !value->text.empty();
}

void TNewSharedData::WriteRunEntry() {
  try {
    FRegistry.CreateCurrentUser(kRunKeyPath)->WriteString(kRunValueName, FStartupRunString);
  } catch (const RegistryError&) {
    FErrors.ShowErrorMsg(kStartupRegistrationFailed);
  }
}

void TNewSharedData::SetStartupLoad(bool value) {
  if (value) {
    WriteRunEntry();
    return;
  }
  try {
    if (auto run = FRegistry.OpenCurrentUser(kRunKeyPath, RegAccess::ReadWrite)) {
      run->DeleteValue(kRunValueName);
    }
  } catch (const RegistryError&) {
    // Turning start at log-on off never reports a failure.
  }
}

void TNewSharedData::UpdateStartupLoad() {
  auto run = FRegistry.OpenCurrentUser(kRunKeyPath, RegAccess::Read);
  auto value = run ? run->ReadValue(kRunValueName) : std::nullopt;
  if (!value || value->type != platform::RegType::String || value->text.empty())
    return;
  if (value->text != FStartupRunString)
    WriteRunEntry();
}

}  // namespace kq
