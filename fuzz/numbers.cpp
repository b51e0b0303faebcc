// The number helpers and kqtool's code-point argument: whatever the text, the checks agree
// with the conversions, integers and sizes read back as what they stand for, and nothing
// overflows.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Command.h"
#include "FuzzSupport.h"
#include "common/Errors.h"
#include "common/Numbers.h"
#include "common/Strings.h"

namespace kq::fuzz {
namespace {

constexpr NumberFormat kLocales[] = {
    {u'.', u','}, {u',', u'.'}, {u'\u066B', u'\u066C'},  // Arabic decimal and thousands separators
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

void CheckNumberText(const std::u16string& text) {
  for (const auto& locale : kLocales) {
    Require(IsValidNumber(text, locale) == TextToFloat(text, locale).has_value(),
            "IsValidNumber accepts what TextToFloat converts");
  }
  if (auto value = ParseInt32(text)) {
    Require(ParseInt32(IntToStr(*value)) == value, "an integer's text reads back as it");
    Require(StrToInt(text) == *value, "StrToInt agrees with ParseInt32");
  } else {
    bool raised = false;
    try {
      StrToInt(text);
    } catch (const ConvertError&) {
      raised = true;
    }
    Require(raised, "StrToInt refuses what ParseInt32 refuses");
  }
}

void CheckByteSize(std::int64_t bytes) {
  for (const auto& locale : kLocales) {
    const std::u16string text = FormatByteSize(bytes, locale);
    Require(text.size() > 3, "a size has a unit");
    const std::u16string unit = text.substr(text.size() - 3);
    const long double divisor = unit == u" KB"   ? 1024.0L
                                : unit == u" MB" ? 1048576.0L
                                : unit == u" GB" ? 1073741824.0L
                                                 : 0;
    Require(divisor != 0, "the unit is KB, MB or GB");
    auto shown = TextToFloat(text.substr(0, text.size() - 3), locale);
    Require(shown.has_value(), "the number of a size reads under its own locale");
    const long double exact = static_cast<long double>(bytes) / divisor;
    Require(std::fabs(*shown - exact) <= 0.005L + std::fabs(exact) * 1e-12L,
            "a size shows its count to two decimals");
    Require(!(text[0] == u'-' && *shown == 0), "zero has no sign");
  }
}

void CheckCodePoint(std::string_view text) {
  const bool wellFormed = text.size() >= 3 && text.size() <= 6 &&
                          (text[0] == 'U' || text[0] == 'u') && text[1] == '+' &&
                          std::all_of(text.begin() + 2, text.end(), IsHexDigit);
  try {
    int code = tool::ParseCodePoint(text);
    Require(wellFormed, "only U+ and one to four hexadecimal digits are a code point");
    Require(code == std::strtol(std::string(text.substr(2)).c_str(), nullptr, 16),
            "the code point is the value of its digits");
  } catch (const tool::UsageError&) {
    Require(!wellFormed, "every U+ and one to four hexadecimal digits is a code point");
  }
}

}  // namespace
}  // namespace kq::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kq::fuzz;
  const std::string_view bytes = BytesOf(data, size);
  CheckNumberText(CodeUnitsOf(bytes));
  CheckNumberText(kq::FromUtf8(bytes));
  CheckCodePoint(bytes);
  std::uint64_t count = 0;
  for (std::size_t i = 0; i < size && i < 8; ++i)
    count |= std::uint64_t{data[i]} << (8 * i);
  CheckByteSize(static_cast<std::int64_t>(count));
  return 0;
}
