#pragma once
// What the harnesses share: a broken property stops the run like a sanitizer report, and the
// sequence list's services in memory.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/Text.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/RecordingPrompts.h"
#include "fakes/SettingsFixture.h"
#include "platform/CodePage.h"
#include "platform/Collation.h"
#include "platform/MemoryRegistry.h"
#include "sequences/CharLst.h"

namespace kq::fuzz {

// libFuzzer keeps the input that made the process abort, so a broken property is kept as a
// crash is.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "broken property: %s\n", property);
    std::abort();
  }
}

inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Pairs of bytes as UTF-16 code units (little-endian), so any code unit can be reached,
// lone surrogates and line breaks included; an odd last byte is dropped.
inline std::u16string CodeUnitsOf(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

// A line of a sequence file is an entry when its last TAB leaves exactly two sequence
// characters and something stands before that TAB; written out here rather than taken from
// the check the harnesses test.
inline bool IsEntryLine(const std::u16string& line) {
  size_t tab = line.rfind(u'\t');
  return tab != std::u16string::npos && tab > 0 && tab + 3 == line.size();
}

// A sequence list's world: the settings in a registry in memory, files in memory, and message
// boxes and error entry points that record what they were asked.
struct SequenceWorld : testing::ProgramSettings<platform::MemoryRegistry> {
  using ProgramSettings::errors;
  using ProgramSettings::store;

  platform::Windows1252 codePage;
  platform::CodeUnitCollator collator;
  testing::MemoryFileSystem files;
  testing::ScriptedDialogs dialogs;
  TCharListServices services{shared, codePage, collator, files, dialogs, errors};
};

}  // namespace kq::fuzz
