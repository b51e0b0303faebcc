#pragma once
// The user's locale, as far as numbers are concerned.

namespace kq::platform {

struct NumberFormat {
  char16_t decimalSeparator = u'.';
  char16_t thousandSeparator = u',';
};

}  // namespace kq::platform
