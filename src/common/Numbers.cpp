#include "common/Numbers.h"

#include "common/Errors.h"

namespace kq {

std::optional<std::int32_t> ParseInt32(const std::u16string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
    negative = text[i++] == u'-';
  if (i == text.size())
    return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9')
      return std::nullopt;
    value = value * 10 + (text[i] - u'0');
    if (value > std::int64_t{INT32_MAX} + 1)
      return std::nullopt;
  }
  if (negative)
    value = -value;
  if (value > INT32_MAX || value < INT32_MIN)
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(const std::u16string& text) {
  if (auto value = ParseInt32(text))
    return *value;
  throw ConvertError(u"'" + text + u"' is not a valid integer value");
}

}  // namespace kq
