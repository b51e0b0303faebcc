// The INI-file kind of the settings store: whatever the file holds, writing one value changes
// that value only; every other value, and the list of sections, reads as before.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "settings/IniFile.h"

namespace kq::fuzz {
namespace {

// The file the store reads, removed when the run ends.
struct ScratchFile {
  std::filesystem::path path;
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

struct Value {
  std::u16string section;
  std::u16string ident;
  std::optional<StoredValue> value;
};

std::vector<Value> ReadEverything(const IniFile& ini) {
  std::vector<Value> values;
  for (const auto& section : ini.ReadSections()) {
    for (const auto& ident : ini.ReadSection(section))
      values.push_back({section, ident, ini.ReadValue(section, ident)});
  }
  return values;
}

bool SameText(const std::optional<StoredValue>& a, const std::optional<StoredValue>& b) {
  return a.has_value() == b.has_value() && (!a || a->text == b->text);
}

// Writes one value, picked by choice among those of the file, a new one in each of its
// sections and one in a new section.
void WriteOne(unsigned choice, std::string_view file) {
  static const ScratchFile scratch{std::filesystem::temp_directory_path() /
                                   ("kq_fuzz_" + std::to_string(getpid()) + ".ini")};
  std::ofstream(scratch.path, std::ios::binary | std::ios::trunc) << file;
  IniFile ini(scratch.path.u16string());

  const auto before = ReadEverything(ini);
  const auto sectionsBefore = ini.ReadSections();
  std::vector<std::pair<std::u16string, std::u16string>> targets;
  for (const auto& value : before)
    targets.emplace_back(value.section, value.ident);
  for (const auto& section : sectionsBefore)
    targets.emplace_back(section, u"NewIdent");
  targets.emplace_back(u"NewSection", u"NewIdent");
  const auto& [section, ident] = targets[choice % targets.size()];
  const std::u16string written = u"v" + IntToStr(static_cast<long long>(file.size()));
  ini.WriteString(section, ident, written);

  auto got = ini.ReadValue(section, ident);
  Require(got && got->text == written, "the value written reads back");
  for (const auto& value : before) {
    if (SameTextIgnoringCase(value.section, section) && SameTextIgnoringCase(value.ident, ident))
      continue;
    Require(SameText(ini.ReadValue(value.section, value.ident), value.value),
            "a value not written reads as before");
  }
  auto sectionsAfter = ini.ReadSections();
  if (sectionsAfter.size() == sectionsBefore.size() + 1 && sectionsAfter.back() == section)
    sectionsAfter.pop_back();
  Require(sectionsAfter == sectionsBefore, "the sections stay, a new one only at the end");
}

}  // namespace
}  // namespace kq::fuzz

// The first byte picks what to write; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0)
    kq::fuzz::WriteOne(data[0], kq::fuzz::BytesOf(data + 1, size - 1));
  return 0;
}
