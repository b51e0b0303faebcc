// The sequence file: whatever its bytes, the check keeps exactly the lines that are entries,
// its repair and every later save read back as the same list, and a save is what a second
// save writes.
#include <vector>

#include "FuzzSupport.h"
#include "sequences/SeqFile.h"

namespace kq::fuzz {
namespace {

constexpr char16_t kFile[] = u"C:\\data\\Keyquill2.dat";
constexpr char16_t kCopy[] = u"C:\\data\\Export.dat";

std::vector<std::u16string> LoadQuietly(SequenceWorld& world, const std::u16string& path) {
  TCharList list(world.services);
  const size_t messagesBefore = world.errors.shown.size();
  list.LoadFromFile(path);
  Require(world.errors.shown.size() == messagesBefore, "a saved list loads without errors");
  return list.Entries();
}

}  // namespace
}  // namespace kq::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kq;
  using namespace kq::fuzz;
  const std::string bytes(BytesOf(data, size));
  // One world for the whole run, emptied for each input: building the settings each time
  // would cost more than the parse.
  static SequenceWorld world;
  world.files.files.clear();
  world.files.replaces = 0;
  world.errors.shown.clear();
  world.files.files[kFile] = bytes;

  const auto lines = SequenceFileLines(bytes, TTextEncoding::UTF8, world.codePage);
  std::vector<std::u16string> valid;
  for (const auto& line : lines) {
    if (IsEntryLine(line))
      valid.push_back(UnescapeLineBreaks(line));
  }

  TCharList list(world.services);
  list.SeqFileName = kFile;
  list.LoadFromFile(kFile);
  const bool malformed = valid.size() < lines.size();
  Require(world.errors.shown.size() == (malformed ? 1u : 0u), "one message exactly for errors");
  if (valid.empty() && malformed) {
    Require(list.Count() == 358, "a file of only malformed lines gives the defaults");
    Require(world.files.files[kFile] == bytes, "the defaults are not saved over the file");
  } else {
    Require(list.Entries() == valid, "the check keeps every valid line, in order");
  }
  if (malformed && !valid.empty()) {
    Require(world.files.replaces == 1, "the repair is saved");
    Require(LoadQuietly(world, kFile) == valid, "the repaired file reads back as the list");
  }

  list.SaveList(kCopy);
  const std::string saved = world.files.files[kCopy];
  Require(LoadQuietly(world, kCopy) == list.Entries(), "load, save, load gives the same list");
  TCharList reloaded(world.services);
  reloaded.LoadFromFile(kCopy);
  reloaded.SaveList(kCopy);
  Require(world.files.files[kCopy] == saved, "a second save writes the same bytes");
  return 0;
}
