#pragma once
// A file system in memory for the core's tests. Like the real ones it writes a replaced file
// to a temporary file beside it first; it can be told to fail part-way through that write,
// as a full disk would, leaving the temporary file short and the target as it was.

#include <map>
#include <optional>
#include <string>

#include "common/Errors.h"
#include "platform/FileSystem.h"

namespace kq::testing {

class MemoryFileSystem : public platform::FileSystem {
 public:
  bool Exists(const std::u16string& path) const override { return files.contains(path); }

  std::string ReadAll(const std::u16string& path) const override {
    auto found = files.find(path);
    if (found == files.end())
      throw FileError(u"Cannot open " + path + u": The system cannot find the file specified.", 2);
    return found->second;
  }

  void ReplaceContent(const std::u16string& path, std::string_view bytes) override {
    const std::u16string temporary = path + u".~tmp";
    std::string& written = files[temporary];
    if (failAfterBytes && *failAfterBytes < bytes.size()) {
      written.assign(bytes.substr(0, *failAfterBytes));
      abandoned = written;
      files.erase(temporary);
      throw FileError(u"Cannot save " + path + u": There is not enough space on the disk.", 112);
    }
    written.assign(bytes);
    files[path] = std::move(written);
    files.erase(temporary);
    ++replaces;
  }

  std::map<std::u16string, std::string> files;
  // When set, a replace that writes more bytes than this fails after writing them.
  std::optional<size_t> failAfterBytes;
  std::string abandoned;  // what the failed write had put in its temporary file
  int replaces = 0;
};

}  // namespace kq::testing
