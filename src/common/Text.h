#pragma once
// Conversions between the core's UTF-16 strings and UTF-8 / ASCII literals.

#include <initializer_list>
#include <string>
#include <string_view>

namespace kq {

// What stands for text that has no valid form: U+FFFD REPLACEMENT CHARACTER.
inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

// The one rule for invalid UTF-8, wherever the program reads it (the sequence file, the INI
// file, texts of the C library): each maximal part of the bytes that cannot begin a valid
// character reads as one U+FFFD, as Unicode recommends and as Windows' own conversion does.
// Overlong forms, encoded surrogates, code points above U+10FFFF and the lead bytes C0, C1
// and F5 to FF are invalid. So invalid bytes never turn into a lone surrogate, and what was
// read is what a save writes: U+FFFD is written as its own valid form and reads back as
// itself. A lone surrogate in memory, which UTF-8 cannot hold, is written as U+FFFD too.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
// Whether every surrogate has its partner, so that ToUtf8 writes the text as it is.
bool HasUtf8Form(std::u16string_view text);

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
