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

// Where the result of an entry ends: at its last TAB. The sequence after it is never coded,
// so the two sequence characters read back as they were, whatever they are.
size_t ResultEnd(const std::u16string& entry) {
  size_t tab = entry.rfind(u'\t');
  return tab == std::u16string::npos ? entry.size() : tab;
}

}  // namespace

std::u16string EscapeLineBreaks(const std::u16string& entry) {
  if (!IsTextLine(entry))
    return entry;
  const size_t resultEnd = ResultEnd(entry);
  std::u16string line;
  line.reserve(entry.size() + 16);
  for (size_t i = 0; i < resultEnd; ++i) {
    char16_t c = entry[i];
    if (c == u'\r' && i + 1 < resultEnd && entry[i + 1] == u'\n') {
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
  line.append(entry, resultEnd);
  return line;
}

std::u16string UnescapeLineBreaks(const std::u16string& line) {
  if (!IsTextLine(line))
    return line;
  const size_t resultEnd = ResultEnd(line);
  const std::u16string_view result = std::u16string_view(line).substr(0, resultEnd);
  std::u16string entry;
  entry.reserve(line.size());
  for (size_t i = 0; i < resultEnd; ++i) {
    char16_t c = line[i];
    if (result.substr(i, kCRLFMarker.size()) == kCRLFMarker) {
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
  entry.append(line, resultEnd);
  return entry;
}

bool IsWellFormedEntry(std::u16string_view entry) {
  if (entry.size() < 4 || entry.rfind(u'\t') != entry.size() - 3)
    return false;
  auto isLineBreak = [](char16_t c) { return c == u'\r' || c == u'\n'; };
  // A text entry's line breaks are coded in its line; nothing else may hold one.
  if (entry.size() == 4 && isLineBreak(entry[0]))
    return false;
  if (isLineBreak(entry[entry.size() - 2]) || isLineBreak(entry[entry.size() - 1]))
    return false;
  // What UTF-8 cannot hold would come back as U+FFFD.
  return HasUtf8Form(entry);
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
