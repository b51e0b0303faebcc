#pragma once
// The compose settings in memory, for the engine's tests: the fields are the stored values,
// read by the engine at each use as the registry-backed settings are.

#include <cstdint>

#include "settings/ComposeSettings.h"

namespace kq::testing {

class FakeComposeSettings : public ComposeSettings {
 public:
  TComposeKey ComposeKey() const override { return composeKey; }
  bool DelayKeys() const override { return delayKeys; }
  std::int32_t FakeKey() override { return fakeKey; }
  bool ReverseOrder() const override { return reverseOrder; }
  std::uint32_t WM_ToggleIcon() const override { return toggleIcon; }
  std::uint32_t WM_TranslateKeys() const override { return translateKeys; }
  std::uintptr_t ParentHandle() const override { return parentHandle; }
  void SetParentHandle(std::uintptr_t window) override { parentHandle = window; }
  void SetHook(std::uintptr_t handle) override { hook = handle; }

  TComposeKey composeKey = TComposeKey::Right_Alt_Gr;
  bool delayKeys = false;
  std::int32_t fakeKey = kNoFakeKey;
  bool reverseOrder = false;
  std::uint32_t toggleIcon = 0;
  std::uint32_t translateKeys = 0;
  std::uintptr_t parentHandle = 0;
  std::uintptr_t hook = 0;
};

}  // namespace kq::testing
