#pragma once
// Small string tests and transforms shared by several subsystems.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "common/NumberFormat.h"

namespace kq {

// The file name without folder and without extension: "C:\x\Setup.exe" gives "Setup".
std::u16string FileBaseName(const std::u16string& path);

// The text with every U+0020 removed; other white space stays.
std::u16string RemoveSpaces(const std::u16string& text);

// Splits off the text before the first separator into head; text keeps what follows it.
// Without a separator the whole text becomes the head and text becomes empty.
void SplitAtChar(std::u16string& text, char16_t separator, std::u16string& head);

// The text as a floating-point number under the given number format, or nothing.
std::optional<long double> TextToFloat(const std::u16string& text, const NumberFormat& format);

// Whether the text is a floating-point number under the user's locale.
bool IsValidNumber(const std::u16string& text, const NumberFormat& format);

// "%.2f KB", "%.2f MB" or "%.2f GB", with the locale's decimal separator.
std::u16string FormatByteSize(std::int64_t bytes, const NumberFormat& format);

// The text for a file input/output error: a fixed text for the known codes, otherwise the
// exception's own message.
std::u16string FileIOErrorText(const std::exception& error);

}  // namespace kq
