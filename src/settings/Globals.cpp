#include "settings/Globals.h"

#include "common/Errors.h"
#include "settings/Qvxinif.h"

namespace kq {

using platform::RegAccess;

namespace {

constexpr char16_t kNoSection[] = u"";

}  // namespace

TNewSharedData::TNewSharedData(platform::Registry& registry, platform::WindowsRelease release,
                               std::u16string exePath, ErrorMessages& errors)
    : FRegistry(registry),
      FRelease(release),
      FErrors(errors),
      Reg(registry, kSettingsKeyPath),
      FStartupRunString(u'"' + exePath + u'"') {
  SortTextTogether = Reg.ReadBool(kNoSection, u"SortTextTogether", true);
}

TNewSharedData::~TNewSharedData() {
  try {
    Reg.WriteBool(kNoSection, u"SortTextTogether", SortTextTogether);
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

TComposeKey TNewSharedData::ComposeKey() const {
  return static_cast<TComposeKey>(Reg.ReadInteger(kNoSection, u"ComposeKey", FDefaultKey));
}

void TNewSharedData::SetComposeKey(TComposeKey key) {
  Reg.WriteInteger(kNoSection, u"ComposeKey", static_cast<std::int32_t>(key));
}

bool TNewSharedData::DelayKeys() const {
  return Reg.ReadBool(kNoSection, u"DelayKey", false);
}

void TNewSharedData::SetDelayKeys(bool value) {
  Reg.WriteBool(kNoSection, u"DelayKey", value);
}

std::int32_t TNewSharedData::DelayHook() const {
  return Reg.ReadInteger(kNoSection, u"DelayHook", 0);
}

void TNewSharedData::SetDelayHook(std::int32_t seconds) {
  Reg.WriteInteger(kNoSection, u"DelayHook", seconds);
}

std::int32_t TNewSharedData::FakeKey() {
  std::int32_t key = Reg.ReadInteger(kNoSection, u"FakeKey", kNoFakeKey);
  // Older versions stored a signed byte or word of the null key; they all mean 0.
  if (key == -1 || key == -17 || key == -256) {
    Reg.WriteInteger(kNoSection, u"FakeKey", 0);
    return 0;
  }
  return key;
}

void TNewSharedData::SetFakeKey(std::int32_t virtualKey) {
  Reg.WriteInteger(kNoSection, u"FakeKey", virtualKey);
}

bool TNewSharedData::ShowIconBalloon() const {
  return Reg.ReadBool(kNoSection, u"ShowBalloon", FRelease.IsWindows7OrLater());
}

void TNewSharedData::SetShowIconBalloon(bool value) {
  Reg.WriteBool(kNoSection, u"ShowBalloon", value);
}

std::int32_t TNewSharedData::StartTimeout() const {
  return Reg.ReadInteger(kNoSection, u"StartTimeout", 30);
}

void TNewSharedData::SetStartTimeout(std::int32_t seconds) {
  Reg.WriteInteger(kNoSection, u"StartTimeout", seconds);
}

bool TNewSharedData::ReverseOrder() const {
  return Reg.ReadBool(kNoSection, u"IgnoreOrder", false);
}

void TNewSharedData::SetReverseOrder(bool value) {
  Reg.WriteBool(kNoSection, u"IgnoreOrder", value);
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
