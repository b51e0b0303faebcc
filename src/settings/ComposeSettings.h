#pragma once
// What the compose engine reads from the shared settings, and the two runtime handles it
// publishes there: a narrow view of the program's settings, so that the engine and its tests
// need no settings object. The registry-backed settings implement it; each read goes to the
// stored value anew.

#include <cstdint>

#include "common/ComposeKey.h"

namespace kq {

// The "FakeKey" value that means no fake keystroke around the output.
inline constexpr std::int32_t kNoFakeKey = 255;

class ComposeSettings {
 public:
  virtual ~ComposeSettings() = default;

  virtual TComposeKey ComposeKey() const = 0;
  // Wait before reading each key typed in compose mode.
  virtual bool DelayKeys() const = 0;
  // The virtual key posted around each output character; kNoFakeKey for none.
  virtual std::int32_t FakeKey() = 0;
  // The two keys of a sequence are matched in reverse order.
  virtual bool ReverseOrder() const = 0;

  // The registered messages the hook posts.
  virtual std::uint32_t WM_ToggleIcon() const = 0;
  virtual std::uint32_t WM_TranslateKeys() const = 0;

  // The window that receives the hook's messages, and the installed hook (0 when none).
  virtual std::uintptr_t ParentHandle() const = 0;
  virtual void SetParentHandle(std::uintptr_t window) = 0;
  virtual void SetHook(std::uintptr_t hook) = 0;
};

}  // namespace kq
