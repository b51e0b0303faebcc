#pragma once
// Conversions between the core's UTF-16 strings and UTF-8 / ASCII literals.

#include <string>
#include <string_view>

namespace kq {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Decimal text of a signed number, as IntToStr writes it.
std::u16string IntToStr(long long value);

// Upper-case form used for names that Windows compares without regard to letter case.
char16_t FoldCase(char16_t c);
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace kq
