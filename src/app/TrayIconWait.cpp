#include "app/TrayIconWait.h"

namespace kq::app {

bool AddTrayIconWaiting(TrayIconAdder& adder) {
  if (adder.TryAddIcon())
    return true;
  for (;;) {
    // A pass makes half the timeout less one attempts, and always at least one.
    std::int32_t half = adder.StartTimeout() / 2;
    std::int32_t attempt = 1;
    do {
      adder.Pause(2000);
      ++attempt;
      if (adder.TryAddIcon())
        return true;
    } while (attempt < half);
    if (!adder.KeepWaiting())
      return false;
  }
}

IconDataVersion IconDataVersionFor(const platform::WindowsRelease& release) {
  if (release.major >= 6)
    return IconDataVersion::Full;
  if (release.major == 5 && release.minor >= 1)
    return IconDataVersion::V3;  // XP, Server 2003 and its R2, and XP x64
  if (release.major == 5)
    return IconDataVersion::V2;  // Windows 2000
  return IconDataVersion::V1;
}

}  // namespace kq::app
