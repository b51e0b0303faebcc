#pragma once
// The separators of numbers in the user's locale; the platform reads them from the system.

namespace kq {

struct NumberFormat {
  char16_t decimalSeparator = u'.';
  char16_t thousandSeparator = u',';
};

}  // namespace kq
