#include "sequences/SeqFile.h"

#include "common/Text.h"

namespace kq {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::u16string_view kCRLFMarker = u"<CRLF>";

// Only text entries are coded; a single-character line stays as it is.
bool IsTextLine(const std::u16string& line) {
  return line.size() > 4;
}

}  // namespace

std::u16string EscapeLineBreaks(const std::u16string& entry) {
  if (!IsTextLine(entry))
    return entry;
  std::u16string line;
  line.reserve(entry.size() + 16);
  for (size_t i = 0; i < entry.size(); ++i) {
    char16_t c = entry[i];
    if (c == u'\r' && i + 1 < entry.size() && entry[i + 1] == u'\n') {
      line += kCRLFMarker;
      ++i;
    } else if (c == u'\r') {
      line += kLoneCRMark;
    } else if (c == u'\n') {
      line += kLoneLFMark;
    } else {
      line += c;
    }
  }
  return line;
}

std::u16string UnescapeLineBreaks(const std::u16string& line) {
  if (!IsTextLine(line))
    return line;
  std::u16string entry;
  entry.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    char16_t c = line[i];
    if (std::u16string_view(line).substr(i, kCRLFMarker.size()) == kCRLFMarker) {
      entry += u"\r\n";
      i += kCRLFMarker.size() - 1;
    } else if (c == kLoneCRMark) {
      entry += u'\r';
    } else if (c == kLoneLFMark) {
      entry += u'\n';
    } else {
      entry += c;
    }
  }
  return entry;
}

std::string SequenceFileBytes(const std::vector<std::u16string>& lines) {
  std::string bytes(kUtf8Bom);
  for (const auto& line : lines) {
    bytes += ToUtf8(line);
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<std::u16string> SequenceFileLines(std::string_view bytes, TTextEncoding encoding,
                                              const platform::AnsiCodePage& codePage) {
  std::u16string text;
  if (bytes.starts_with(kUtf8Bom)) {
    text = FromUtf8(bytes.substr(kUtf8Bom.size()));
  } else if (encoding == TTextEncoding::UTF8) {
    text = FromUtf8(bytes);
  } else {
    text = codePage.ToUnicode(std::string(bytes));
  }
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n')
      continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
      ++i;
    start = i + 1;
  }
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

}  // namespace kq
