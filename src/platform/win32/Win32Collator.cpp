#include "platform/win32/Win32Collator.h"

#include <string>

namespace kq::win {

int Win32Collator::Compare(std::u16string_view a, std::u16string_view b) const {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, reinterpret_cast<LPCWSTR>(a.data()),
                               static_cast<int>(a.size()), reinterpret_cast<LPCWSTR>(b.data()),
                               static_cast<int>(b.size()), nullptr, nullptr, 0);
  if (result == 0) {
    // Only invalid arguments make it fail; code-unit order keeps the sort consistent then.
    int ordinal = a.compare(b);
    return ordinal < 0 ? -1 : ordinal > 0 ? 1 : 0;
  }
  return result - CSTR_EQUAL;
}

}  // namespace kq::win
