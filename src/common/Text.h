#pragma once
// Conversions between the core's UTF-16 strings and UTF-8 / ASCII literals.

#include <initializer_list>
#include <string>
#include <string_view>

namespace kq {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// The pattern with each "%s" or "%d" replaced by the next argument, in order, as Format fills
// the program's texts ("%d" takes the number's text). "%%" gives "%"; a placeholder without
// an argument stays as it is.
std::u16string FormatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> arguments);

// Decimal text of a signed number, as IntToStr writes it.
std::u16string IntToStr(long long value);

// Upper-case form used for names that Windows compares without regard to letter case.
char16_t FoldCase(char16_t c);
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace kq
