#include "common/Strings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/Errors.h"
#include "common/Text.h"

namespace kq {

std::u16string FileBaseName(const std::u16string& path) {
  size_t start = path.find_last_of(u"\\/:");
  std::u16string name = start == std::u16string::npos ? path : path.substr(start + 1);
  size_t dot = name.rfind(u'.');
  return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string RemoveSpaces(const std::u16string& text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c != u' ')
      out += c;
  }
  return out;
}

void SplitAtChar(std::u16string& text, char16_t separator, std::u16string& head) {
  size_t at = text.find(separator);
  if (at == std::u16string::npos) {
    head = text;
    text.clear();
  } else {
    head = text.substr(0, at);
    text.erase(0, at + 1);
  }
}

std::optional<long double> TextToFloat(const std::u16string& text, const NumberFormat& format) {
  // [sign] digits [decimal digits] [e [sign] digits], at least one mantissa digit.
  std::string ascii;
  size_t i = 0;
  auto digits = [&] {
    size_t from = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
      ascii += char(text[i++]);
    return i - from;
  };
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
    ascii += char(text[i++]);
  size_t mantissa = digits();
  if (i < text.size() && text[i] == format.decimalSeparator) {
    ++i;
    ascii += '.';
    mantissa += digits();
  }
  if (mantissa == 0)
    return std::nullopt;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ascii += char(text[i++]);
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
      ascii += char(text[i++]);
    if (digits() == 0)
      return std::nullopt;
  }
  if (i != text.size())
    return std::nullopt;
  long double value = std::strtold(ascii.c_str(), nullptr);
  if (!std::isfinite(value))
    return std::nullopt;
  return value;
}

bool IsValidNumber(const std::u16string& text, const NumberFormat& format) {
  if (text.empty())
    return false;
  // The locale's separators are allowed whatever their code (a decimal separator such as
  // U+066B lies above U+00FF); any other character above U+00FF fails.
  for (char16_t c : text) {
    bool allowed = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'E' || c == u'e' ||
                   c == format.thousandSeparator || c == format.decimalSeparator;
    if (!allowed)
      return false;
  }
  return TextToFloat(text, format).has_value();
}

std::u16string FormatByteSize(std::int64_t bytes, const NumberFormat& format) {
  constexpr std::int64_t kMB = 1 << 20;
  constexpr std::int64_t kGB = 1 << 30;
  double value = 0;
  const char* unit = "KB";
  if (bytes > kGB) {
    value = double(bytes) / kGB;
    unit = "GB";
  } else if (bytes > kMB) {
    value = double(bytes) / kMB;
    unit = "MB";
  } else {
    value = double(bytes) / 1024;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f %s", value, unit);
  // A small negative count rounds to zero; zero has no sign.
  const char* text = std::strncmp(buffer, "-0.00 ", 6) == 0 ? buffer + 1 : buffer;
  std::u16string out = FromUtf8(text);
  for (auto& c : out) {
    if (c == u'.')
      c = format.decimalSeparator;
  }
  return out;
}

std::u16string FileIOErrorText(const std::exception& error) {
  static const struct {
    std::uint32_t code;
    const char16_t* text;
  } kTexts[] = {
      {2, u"File not found"},
      {3, u"Path not found"},
      {4, u"Too many open files"},
      {5, u"File access denied"},
      {6, u"Invalid file handle"},
      {12, u"Invalid file access code"},
      {15, u"Invalid drive number"},
      {16, u"Cannot remove current directory"},
      {17, u"Cannot rename across drives"},
      {18, u"No more files"},
      {100, u"Disk read error, read past end of file"},
      {101, u"Disk write error, disk full"},
      {102, u"File not assigned"},
      {103, u"File not open"},
      {104, u"File not open for input"},
      {105, u"File not open for output"},
      {106, u"Invalid numeric format"},
  };
  if (auto* fileError = dynamic_cast<const FileError*>(&error)) {
    for (const auto& entry : kTexts) {
      if (entry.code == fileError->Code())
        return entry.text;
    }
  }
  return ExceptionMessage(error);
}

}  // namespace kq
