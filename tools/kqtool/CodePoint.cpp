// The code-point argument of kqtool's Unicode commands.
#include "Command.h"

namespace kq::tool {

int ParseCodePoint(std::string_view text) {
  std::string_view digits = text;
  if (digits.starts_with("U+") || digits.starts_with("u+")) {
    digits.remove_prefix(2);
  } else {
    digits = {};
  }
  // The length is checked before any digit is added up, so a long argument cannot overflow.
  bool valid = !digits.empty() && digits.size() <= 4;
  int value = 0;
  for (char c : valid ? digits : std::string_view()) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
    if (digit < 0) {
      valid = false;
      break;
    }
    value = value * 16 + digit;
  }
  if (!valid) {
    throw UsageError("'" + std::string(text) + "' is not a code point of the form U+XXXX");
  }
  return value;
}

}  // namespace kq::tool
