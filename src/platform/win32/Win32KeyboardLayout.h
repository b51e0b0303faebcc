#pragma once
// A keyboard layout of the system behind the portable interface.

#include <windows.h>

#include "platform/KeyboardLayout.h"

namespace kq::win {

// VkKeyScanExW in a layout: by default the one the program's thread uses, which follows the
// user's default input language.
class Win32KeyboardLayout : public platform::KeyboardLayout {
 public:
  explicit Win32KeyboardLayout(HKL layout = GetKeyboardLayout(0)) : layout_(layout) {}
  std::optional<platform::KeyStroke> KeyFor(char16_t character) const override;

 private:
  HKL layout_;
};

}  // namespace kq::win
