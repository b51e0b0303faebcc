#include "dialogs/win32/ThemeColor.h"

#include "common/Errors.h"

namespace kq::win {

namespace {

COLORREF ColorFromValue(std::uint32_t value) {
  if ((value & 0xFF000000u) == 0xFF000000u)
    return GetSysColor(static_cast<int>(value & 0xFFu));
  return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

}  // namespace

COLORREF ThemeColor(const TQvxIniFile* store) {
  COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  if (!store)
    return buttonFace;
  try {
    std::int32_t value =
        store->ReadInteger(u"", u"ThemeColor", static_cast<std::int32_t>(buttonFace));
    return ColorFromValue(static_cast<std::uint32_t>(value));
  } catch (const Error&) {
    return buttonFace;  // an unreadable value leaves the designed colour
  }
}

}  // namespace kq::win
