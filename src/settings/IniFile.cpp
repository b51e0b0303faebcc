#include "settings/IniFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "common/Errors.h"
#include "common/Text.h"

namespace kq {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::u16string Trim(const std::u16string& s) {
  size_t b = s.find_first_not_of(u" \t\r");
  if (b == std::u16string::npos)
    return {};
  size_t e = s.find_last_not_of(u" \t\r");
  return s.substr(b, e - b + 1);
}

// The section name of a "[name]" line.
std::optional<std::u16string> SectionOf(const std::u16string& line) {
  std::u16string t = Trim(line);
  if (t.size() < 2 || t.front() != u'[' || t.back() != u']')
    return std::nullopt;
  return Trim(t.substr(1, t.size() - 2));
}

// The ident and value of an "ident=value" line.
std::optional<std::pair<std::u16string, std::u16string>> EntryOf(const std::u16string& line) {
  size_t eq = line.find(u'=');
  if (eq == std::u16string::npos || SectionOf(line))
    return std::nullopt;
  return std::make_pair(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
}

std::filesystem::path PathOf(const std::u16string& name) {
  return std::filesystem::path(name);
}

}  // namespace

IniFile::Lines IniFile::LoadLines() const {
  std::ifstream in(PathOf(fileName_), std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Lines file;
  std::string_view rest = bytes;
  file.byteOrderMark = rest.starts_with(kUtf8Bom);
  if (file.byteOrderMark)
    rest.remove_prefix(kUtf8Bom.size());
  while (!rest.empty()) {
    size_t end = rest.find_first_of("\r\n");
    std::string_view line = rest.substr(0, end);
    file.lines.push_back({FromUtf8(line), std::string(line)});
    if (end == std::string_view::npos)
      break;
    size_t breakLength = rest.substr(end, 2) == "\r\n" ? 2 : 1;
    rest.remove_prefix(end + breakLength);
  }
  return file;
}

void IniFile::SaveLines(const Lines& file) const {
  std::ofstream out(PathOf(fileName_), std::ios::binary | std::ios::trunc);
  if (file.byteOrderMark)
    out << kUtf8Bom;
  for (const auto& line : file.lines)
    out << (line.bytes ? *line.bytes : ToUtf8(line.text)) << "\r\n";
  out.flush();
  if (!out)
    throw FileError(u"Cannot write " + fileName_, 101);
}

std::optional<StoredValue> IniFile::ReadValue(const std::u16string& section,
                                              const std::u16string& ident) const {
  bool inSection = false;
  for (const Line& line : LoadLines().lines) {
    if (auto name = SectionOf(line.text)) {
      inSection = SameTextIgnoringCase(*name, section);
    } else if (auto entry = EntryOf(line.text); inSection && entry) {
      if (SameTextIgnoringCase(entry->first, ident))
        return StoredValue{StoredValue::Kind::Text, entry->second, 0};
    }
  }
  return std::nullopt;
}

void IniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                          const std::u16string& value) {
  Lines file = LoadLines();
  auto& lines = file.lines;
  bool inSection = false;
  std::optional<size_t> sectionEnd;  // where a new ident of the section goes
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionOf(lines[i].text)) {
      inSection = SameTextIgnoringCase(*name, section);
      if (inSection)
        sectionEnd = i + 1;
    } else if (inSection) {
      auto entry = EntryOf(lines[i].text);
      if (entry && SameTextIgnoringCase(entry->first, ident)) {
        lines[i] = {entry->first + u'=' + value, std::nullopt};  // the ident keeps its spelling
        SaveLines(file);
        return;
      }
      if (!Trim(lines[i].text).empty())
        sectionEnd = i + 1;
    }
  }
  if (sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd),
                 {ident + u'=' + value, std::nullopt});
  } else {
    lines.push_back({u'[' + section + u']', std::nullopt});
    lines.push_back({ident + u'=' + value, std::nullopt});
  }
  SaveLines(file);
}

void IniFile::WriteInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

std::vector<std::u16string> IniFile::ReadSections() const {
  std::vector<std::u16string> names;
  for (const Line& line : LoadLines().lines) {
    if (auto name = SectionOf(line.text))
      names.push_back(*name);
  }
  return names;
}

std::vector<std::u16string> IniFile::ReadSection(const std::u16string& section) const {
  std::vector<std::u16string> idents;
  bool inSection = false;
  for (const Line& line : LoadLines().lines) {
    if (auto name = SectionOf(line.text)) {
      inSection = SameTextIgnoringCase(*name, section);
    } else if (auto entry = EntryOf(line.text); inSection && entry) {
      idents.push_back(entry->first);
    }
  }
  return idents;
}

bool IniFile::DeleteKey(const std::u16string& section, const std::u16string& ident) {
  Lines file = LoadLines();
  auto& lines = file.lines;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionOf(lines[i].text)) {
      inSection = SameTextIgnoringCase(*name, section);
    } else if (auto entry = EntryOf(lines[i].text); inSection && entry) {
      if (SameTextIgnoringCase(entry->first, ident)) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        SaveLines(file);
        return true;
      }
    }
  }
  return false;
}

void IniFile::EraseSection(const std::u16string& section) {
  Lines file = LoadLines();
  bool inSection = false;
  bool erased = false;
  std::vector<Line> kept;
  for (auto& line : file.lines) {
    if (auto name = SectionOf(line.text))
      inSection = SameTextIgnoringCase(*name, section);
    if (inSection)
      erased = true;
    else
      kept.push_back(std::move(line));
  }
  if (erased) {
    file.lines = std::move(kept);
    SaveLines(file);
  }
}

}  // namespace kq
