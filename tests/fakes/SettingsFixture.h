#pragma once
// The program's settings over a registry, as the tests build them: the registry (in memory,
// or the real one under Wine), the errors the settings show, and the shared settings and the
// settings store over them. Test fixtures derive from one of the two.

#include <memory>
#include <string>

#include "fakes/RecordingPrompts.h"
#include "platform/WindowsRelease.h"
#include "settings/Globals.h"
#include "settings/Qvxinif.h"

namespace kq::testing {

inline constexpr char16_t kTestExePath[] = u"C:\\Keyquill\\Keyquill.exe";

// For tests that make the shared settings themselves, once or more.
template <typename RegistryType>
class SettingsRegistry {
 protected:
  std::unique_ptr<TNewSharedData> MakeSharedData(platform::WindowsRelease release = {},
                                                 std::u16string exePath = kTestExePath) {
    return std::make_unique<TNewSharedData>(registry, release, std::move(exePath), errors);
  }

  RegistryType registry;
  RecordedErrors errors;
};

// The shared settings and the settings store, made up front as the program makes them.
template <typename RegistryType>
class ProgramSettings : public SettingsRegistry<RegistryType> {
 protected:
  TNewSharedData shared{this->registry, {}, kTestExePath, this->errors};
  TQvxIniFile store{this->registry, kSettingsKeyPath};
};

}  // namespace kq::testing
