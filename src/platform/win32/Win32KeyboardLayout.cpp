#include "platform/win32/Win32KeyboardLayout.h"

namespace kq::win {

std::optional<platform::KeyStroke> Win32KeyboardLayout::KeyFor(char16_t character) const {
  const SHORT scan = VkKeyScanExW(static_cast<WCHAR>(character), layout_);
  if (scan == -1)
    return std::nullopt;
  // The high byte also carries bits for keyboards with Hankaku and other states; only Shift,
  // Ctrl and Alt are ours.
  return platform::KeyStroke{LOBYTE(scan), static_cast<std::uint8_t>(HIBYTE(scan) & 0x07)};
}

}  // namespace kq::win
