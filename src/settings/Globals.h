#pragma once
// TNewSharedData: the compose settings, read from and written to the registry at every
// access so that a change made in a dialog is seen by the hook at the next key press; the
// runtime handles the hook and the main window share; and the start-at-log-on entry.

#include <cstdint>
#include <string>

#include "compose/ComposeKey.h"
#include "errorreport/ErrorMessages.h"
#include "platform/Registry.h"
#include "platform/WindowsRelease.h"
#include "settings/RegistryIniFile.h"

namespace kq {

inline constexpr char16_t kRunKeyPath[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char16_t kRunValueName[] = u"Keyquill";
inline constexpr char16_t kStartupRegistrationFailed[] =
    u"A problem has occurred trying to set Windows to load Keyquill automatically. Please "
    u"check your security software to make sure Keyquill is not being blocked.";

inline constexpr std::int32_t kNoFakeKey = 255;

class TNewSharedData {
 public:
  // exePath: the full path of the running executable, for the start-at-log-on entry.
  TNewSharedData(platform::Registry& registry, platform::WindowsRelease release,
                 std::u16string exePath, ErrorMessages& errors);
  ~TNewSharedData();
  TNewSharedData(const TNewSharedData&) = delete;
  TNewSharedData& operator=(const TNewSharedData&) = delete;

  // Runtime handles, plain fields.
  std::uintptr_t Hook() const { return FHook; }
  void SetHook(std::uintptr_t hook) { FHook = hook; }
  std::uintptr_t ParentHandle() const { return FParentHandle; }
  void SetParentHandle(std::uintptr_t window) { FParentHandle = window; }
  std::uint32_t WM_ShowOptDlg() const { return FWM_ShowOptDlg; }
  std::uint32_t WM_ToggleIcon() const { return FWM_ToggleIcon; }
  std::uint32_t WM_TranslateKeys() const { return FWM_TranslateKeys; }
  void SetMessageIds(std::uint32_t toggleIcon, std::uint32_t translateKeys,
                     std::uint32_t showOptDlg);
  std::int32_t DefaultKey() const { return FDefaultKey; }
  void SetDefaultKey(std::int32_t key) { FDefaultKey = key; }

  // Settings in the registry.
  TComposeKey ComposeKey() const;
  void SetComposeKey(TComposeKey key);
  bool DelayKeys() const;
  void SetDelayKeys(bool value);
  std::int32_t DelayHook() const;
  void SetDelayHook(std::int32_t seconds);
  std::int32_t FakeKey();  // repairs the values older versions wrote
  void SetFakeKey(std::int32_t virtualKey);
  bool UseFakeKey() { return FakeKey() != kNoFakeKey; }
  bool ShowIconBalloon() const;
  void SetShowIconBalloon(bool value);
  std::int32_t StartTimeout() const;
  void SetStartTimeout(std::int32_t seconds);
  bool ReverseOrder() const;
  void SetReverseOrder(bool value);

  // Start at log-on: the "Keyquill" value of the user's Run key.
  bool StartupLoad() const;
  void SetStartupLoad(bool value);
  // Moves an existing start-up entry to the running executable.
  void UpdateStartupLoad();
  const std::u16string& StartupRunString() const { return FStartupRunString; }

  // Process-wide sort preference of the sequence list; loaded here, saved at destruction.
  bool SortTextTogether = true;

 private:
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
