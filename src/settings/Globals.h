#pragma once
// TNewSharedData: the compose settings, read from and written to the registry at every
// access so that a change made in a dialog is seen by the hook at the next key press; the
// runtime handles the hook and the main window share; and the start-at-log-on entry.

#include <cstdint>
#include <string>

#include "common/ComposeKey.h"
#include "common/ErrorMessages.h"
#include "platform/Registry.h"
#include "platform/WindowsRelease.h"
#include "settings/ComposeSettings.h"
#include "settings/RegistryIniFile.h"

namespace kq {

inline constexpr char16_t kRunKeyPath[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char16_t kRunValueName[] = u"Keyquill";
inline constexpr char16_t kStartupRegistrationFailed[] =
    u"A problem has occurred trying to set Windows to load Keyquill automatically. Please "
    u"check your security software to make sure Keyquill is not being blocked.";

class TNewSharedData : public ComposeSettings {
 public:
  // exePath: the full path of the running executable, for the start-at-log-on entry.
  TNewSharedData(platform::Registry& registry, platform::WindowsRelease release,
                 std::u16string exePath, ErrorMessages& errors);
  ~TNewSharedData() override;
  TNewSharedData(const TNewSharedData&) = delete;
  TNewSharedData& operator=(const TNewSharedData&) = delete;

  // Runtime handles, plain fields.
  std::uintptr_t Hook() const { return FHook; }
  void SetHook(std::uintptr_t hook) override { FHook = hook; }
  std::uintptr_t ParentHandle() const override { return FParentHandle; }
  void SetParentHandle(std::uintptr_t window) override { FParentHandle = window; }
  std::uint32_t WM_ShowOptDlg() const { return FWM_ShowOptDlg; }
  std::uint32_t WM_ToggleIcon() const override { return FWM_ToggleIcon; }
  std::uint32_t WM_TranslateKeys() const override { return FWM_TranslateKeys; }
  void SetMessageIds(std::uint32_t toggleIcon, std::uint32_t translateKeys,
                     std::uint32_t showOptDlg);
  std::int32_t DefaultKey() const { return FDefaultKey; }
  void SetDefaultKey(std::int32_t key) { FDefaultKey = key; }

  // Settings in the registry.
  TComposeKey ComposeKey() const override;
  void SetComposeKey(TComposeKey key) {
    Write(Setting::ComposeKey, static_cast<std::int32_t>(key));
  }
  bool DelayKeys() const override { return Read(Setting::DelayKeys) != 0; }
  void SetDelayKeys(bool value) { Write(Setting::DelayKeys, value); }
  std::int32_t DelayHook() const { return Read(Setting::DelayHook); }
  void SetDelayHook(std::int32_t seconds) { Write(Setting::DelayHook, seconds); }
  std::int32_t FakeKey() override;  // repairs the values older versions wrote
  void SetFakeKey(std::int32_t virtualKey) { Write(Setting::FakeKey, virtualKey); }
  bool UseFakeKey() { return FakeKey() != kNoFakeKey; }
  bool ShowIconBalloon() const;
  void SetShowIconBalloon(bool value) { Write(Setting::ShowIconBalloon, value); }
  std::int32_t StartTimeout() const { return Read(Setting::StartTimeout); }
  void SetStartTimeout(std::int32_t seconds) { Write(Setting::StartTimeout, seconds); }
  bool ReverseOrder() const override { return Read(Setting::ReverseOrder) != 0; }
  void SetReverseOrder(bool value) { Write(Setting::ReverseOrder, value); }

  // Start at log-on: the "Keyquill" value of the user's Run key.
  bool StartupLoad() const;
  void SetStartupLoad(bool value);
  // Moves an existing start-up entry to the running executable.
  void UpdateStartupLoad();

  // Opens the settings key again after the preferences were cleared, so that later reads and
  // writes land in the new, empty key.
  void ReopenKey() { Reg.Reopen(); }
  const std::u16string& StartupRunString() const { return FStartupRunString; }

  // Process-wide sort preference of the sequence list; loaded here, saved at destruction.
  bool SortTextTogether = true;

 private:
  // The settings in the registry; the table in Globals.cpp gives each its value name, its
  // stored form and its default.
  enum class Setting {
    ComposeKey,
    DelayKeys,
    DelayHook,
    FakeKey,
    ShowIconBalloon,
    StartTimeout,
    ReverseOrder,
    SortTextTogether,
  };
  // The stored value, or the table's default when it is absent.
  std::int32_t Read(Setting setting) const;
  // The stored value, or fallback when it is absent.
  std::int32_t Read(Setting setting, std::int32_t fallback) const;
  void Write(Setting setting, std::int32_t value);

  void WriteRunEntry();

  platform::Registry& FRegistry;
  platform::WindowsRelease FRelease;
  ErrorMessages& FErrors;
  RegistryIniFile Reg;
  std::uintptr_t FHook = 0;
  std::uintptr_t FParentHandle = 0;
  std::uint32_t FWM_ShowOptDlg = 0;
  std::uint32_t FWM_ToggleIcon = 0;
  std::uint32_t FWM_TranslateKeys = 0;
  std::int32_t FDefaultKey = 0;
  std::u16string FStartupRunString;
};

}  // namespace kq
