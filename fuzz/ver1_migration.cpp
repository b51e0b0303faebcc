// The upgrade from version 1, from the registry value "ComposeSeqs" or from the old file beside
// the program: what is kept is exactly the records or lines that are entries, the saved copy
// imports as that list without a message, and the user is told of a copy only when there is
// one.
#include <vector>

#include "FuzzSupport.h"
#include "sequences/DefaultTables.h"
#include "sequences/SeqFile.h"

namespace kq::fuzz {
namespace {

constexpr char16_t kAppData[] = u"C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill";
constexpr char16_t kExeFolder[] = u"C:\\Program Files\\Keyquill\\";
constexpr char16_t kOldFile[] = u"C:\\Program Files\\Keyquill\\Keyquill2.dat";
constexpr char16_t kCopy[] =
    u"C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill\\KeyquillVer1Sequences.dat";
constexpr char16_t kSeqFile[] =
    u"C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill\\Keyquill2.dat";

bool IsSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

// A record is kept when it is a character, a TAB and two sequence characters, none of them a
// TAB or a line break, and every surrogate in it has its partner (only the two sequence
// characters can be a pair); written out here rather than taken from the check.
bool IsEntryRecord(const std::u16string& record) {
  if (record.size() != 4 || record[1] != u'\t')
    return false;
  for (size_t i : {0u, 2u, 3u}) {
    char16_t c = record[i];
    if (c == u'\r' || c == u'\n' || (i > 0 && c == u'\t'))
      return false;
  }
  const bool pairedSequence =
      record[2] >= 0xD800 && record[2] <= 0xDBFF && record[3] >= 0xDC00 && record[3] <= 0xDFFF;
  return !IsSurrogate(record[0]) &&
         (pairedSequence || (!IsSurrogate(record[2]) && !IsSurrogate(record[3])));
}

std::vector<std::u16string> Ver1Defaults() {
  std::vector<std::u16string> entries;
  for (const auto& row : Ver1DefaultSequences())
    entries.push_back(row.result + (u'\t' + FromUtf8(row.sequence)));
  return entries;
}

// The registry value (UTF-16 code units) or the old file's bytes, as the choice says.
void Migrate(bool fromRegistry, std::string_view rest) {
  SequenceWorld world;
  size_t candidates = 0;
  std::vector<std::u16string> kept;
  if (fromRegistry) {
    const std::u16string value = CodeUnitsOf(rest);
    if (value.empty())
      return;
    world.store.WriteString(u"", u"ComposeSeqs", value);
    for (size_t at = 0; at < value.size(); at += 5, ++candidates) {
      std::u16string record = value.substr(at, 4);
      if (IsEntryRecord(record))
        kept.push_back(record);
    }
  } else {
    world.files.files[kOldFile] = std::string(rest);
    for (const auto& line : SequenceFileLines(rest, TTextEncoding::UTF8, world.codePage)) {
      ++candidates;
      if (IsEntryLine(line))
        kept.push_back(UnescapeLineBreaks(line));
    }
  }

  TCharList list(world.services);
  list.ImportVer1Sequences(world.store, kAppData, kExeFolder);
  Require(list.SeqFileName == kSeqFile, "the file name ends as the sequence file's");
  const bool malformed = kept.size() < candidates;
  Require(world.errors.shown.size() == (malformed ? 1u : 0u), "one message exactly for errors");
  const bool copied = world.files.files.contains(kCopy);
  if (kept.empty()) {
    Require(!copied, "nothing kept, no copy saved");
    Require(world.dialogs.shown.empty(), "nothing kept, no copy announced");
    return;
  }
  Require(copied, "what was kept is saved");
  Require(world.dialogs.shown.size() == (kept != Ver1Defaults() ? 1u : 0u),
          "the user is told exactly when the old sequences were customised");
  TCharList imported(world.services);
  imported.LoadFromFile(kCopy);
  Require(imported.Entries() == kept, "the copy imports as the records that were kept");
  Require(world.errors.shown.size() == (malformed ? 1u : 0u), "the copy imports without errors");
}

}  // namespace
}  // namespace kq::fuzz

// The first byte picks the source.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0)
    kq::fuzz::Migrate(data[0] & 1, kq::fuzz::BytesOf(data + 1, size - 1));
  return 0;
}
