#pragma once
// The one place where core strings (UTF-16 char16_t) meet Win32 strings (UTF-16 wchar_t).

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

namespace kq::win {

inline std::wstring Wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}
inline std::u16string Core(std::wstring_view text) {
  return {text.begin(), text.end()};
}

}  // namespace kq::win
