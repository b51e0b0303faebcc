#pragma once
// The user's keyboard layout, as far as which keys type a character.

#include <cstdint>
#include <optional>

namespace kq::platform {

// The shift state a character needs, as VkKeyScanEx reports it.
enum ShiftState : std::uint8_t {
  kShift = 1,
  kCtrl = 2,
  kAlt = 4,
  kAltGr = kCtrl | kAlt,  // Windows types AltGr characters as Ctrl+Alt
};

struct KeyStroke {
  std::uint8_t virtualKey = 0;
  std::uint8_t shiftState = 0;  // ShiftState flags
};

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // The key and shift state that type the character; nothing when no key does.
  virtual std::optional<KeyStroke> KeyFor(char16_t character) const = 0;
};

}  // namespace kq::platform
