#pragma once
// The Windows release the program runs on. Several behaviours depend on it: the balloon's
// default, the dialog font and the kind of message box.

#include <cstdint>
#include <tuple>

namespace kq::platform {

struct WindowsRelease {
  std::uint32_t major = 10;
  std::uint32_t minor = 0;
  std::uint32_t build = 19045;
  bool server = false;

  // Windows 7 and Windows Server 2008 R2 are both 6.1, so the version number orders them.
  bool AtLeast(std::uint32_t wantMajor, std::uint32_t wantMinor) const {
    return std::tie(major, minor) >= std::tie(wantMajor, wantMinor);
  }
  bool IsWindows7OrLater() const { return AtLeast(6, 1); }
  bool IsVistaOrLater() const { return major >= 6; }
};

}  // namespace kq::platform
