#pragma once
// Decimal integer conversion as the settings store needs it.

#include <cstdint>
#include <optional>
#include <string>

namespace kq {

// A decimal 32-bit integer with optional sign and nothing else, or nothing.
std::optional<std::int32_t> ParseInt32(const std::u16string& text);

// StrToInt: raises ConvertError for a text that is not a decimal integer.
std::int32_t StrToInt(const std::u16string& text);

inline std::int32_t StrToIntDef(const std::u16string& text, std::int32_t fallback) {
  return ParseInt32(text).value_or(fallback);
}

}  // namespace kq
