#include "settings/IniFile.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "common/Errors.h"
#include "common/Text.h"

namespace kq {

namespace {

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

std::vector<std::u16string> IniFile::LoadLines() const {
  std::ifstream in(PathOf(fileName_), std::ios::binary);
  std::vector<std::u16string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(FromUtf8(line));
  }
  return lines;
}

void IniFile::SaveLines(const std::vector<std::u16string>& lines) const {
  std::ofstream out(PathOf(fileName_), std::ios::binary | std::ios::trunc);
  for (const auto& line : lines)
    out << ToUtf8(line) << "\r\n";
  out.flush();
  if (!out)
    throw FileError(u"Cannot write " + fileName_, 101);
}

std::optional<StoredValue> IniFile::ReadValue(const std::u16string& section,
                                              const std::u16string& ident) const {
  bool inSection = false;
  for (const auto& line : LoadLines()) {
    if (auto name = SectionOf(line)) {
      inSection = SameTextIgnoringCase(*name, section);
    } else if (auto entry = EntryOf(line); inSection && entry) {
      if (SameTextIgnoringCase(entry->first, ident))
        return StoredValue{StoredValue::Kind::Text, entry->second, 0};
    }
  }
  return std::nullopt;
}

void IniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                          const std::u16string& value) {
  auto lines = LoadLines();
  bool inSection = false;
  std::optional<size_t> sectionEnd;  // where a new ident of the section goes
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionOf(lines[i])) {
      inSection = SameTextIgnoringCase(*name, section);
      if (inSection)
        sectionEnd = i + 1;
    } else if (inSection) {
      auto entry = EntryOf(lines[i]);
      if (entry && SameTextIgnoringCase(entry->first, ident)) {
        lines[i] = entry->first + u'=' + value;  // the ident keeps its spelling
        SaveLines(lines);
        return;
      }
      if (!Trim(lines[i]).empty())
        sectionEnd = i + 1;
    }
  }
  if (sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), ident + u'=' + value);
  } else {
    lines.push_back(u'[' + section + u']');
    lines.push_back(ident + u'=' + value);
  }
  SaveLines(lines);
}

void IniFile::WriteInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

std::vector<std::u16string> IniFile::ReadSections() const {
  std::vector<std::u16string> names;
  for (const auto& line : LoadLines()) {
    if (auto name = SectionOf(line))
      names.push_back(*name);
  }
  return names;
}

std::vector<std::u16string> IniFile::ReadSection(const std::u16string& section) const {
  std::vector<std::u16string> idents;
  bool inSection = false;
  for (const auto& line : LoadLines()) {
    if (auto name = SectionOf(line)) {
      inSection = SameTextIgnoringCase(*name, section);
    } else if (auto entry = EntryOf(line); inSection && entry) {
      idents.push_back(entry->first);
    }
  }
  return idents;
}

bool IniFile::DeleteKey(const std::u16string& section, const std::u16string& ident) {
  auto lines = LoadLines();
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionOf(lines[i])) {
      inSection = SameTextIgnoringCase(*name, section);
    } else if (auto entry = EntryOf(lines[i]); inSection && entry) {
      if (SameTextIgnoringCase(entry->first, ident)) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        SaveLines(lines);
        return true;
      }
    }
  }
  return false;
}

void IniFile::EraseSection(const std::u16string& section) {
  auto lines = LoadLines();
  bool inSection = false;
  bool erased = false;
  std::vector<std::u16string> kept;
  for (auto& line : lines) {
    if (auto name = SectionOf(line))
      inSection = SameTextIgnoringCase(*name, section);
    if (inSection)
      erased = true;
    else
      kept.push_back(std::move(line));
  }
  if (erased)
    SaveLines(kept);
}

}  // namespace kq
