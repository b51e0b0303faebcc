#pragma once
// Files as the core sees them: whole files read and written as bytes. Paths are the program's
// own, with backslashes. Failures raise FileError with a message that names the file.
// StdFileSystem works through the C++ library; the Win32 implementation calls the system.

#include <string>
#include <string_view>

namespace kq::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Whether a file (not a folder) of that name exists. Never raises.
  virtual bool Exists(const std::u16string& path) const = 0;
  // The whole content of the file.
  virtual std::string ReadAll(const std::u16string& path) const = 0;
  // Makes bytes the file's content without ever leaving it half written: the bytes go to a
  // new file in the same folder, which is flushed and then takes the old file's place in
  // one step. When anything fails the old file (or its absence) stays as it was.
  virtual void ReplaceContent(const std::u16string& path, std::string_view bytes) = 0;
  // Copies a file over the destination, which may exist: read whole, then replaced as by
  // ReplaceContent, so a failed copy leaves the destination as it was and a copy onto itself
  // changes nothing.
  void Copy(const std::u16string& source, const std::u16string& destination) {
    ReplaceContent(destination, ReadAll(source));
  }
};

// The C++ library's files. On a system whose folder separator is the slash the program's
// backslashes are read as slashes.
class StdFileSystem : public FileSystem {
 public:
  bool Exists(const std::u16string& path) const override;
  std::string ReadAll(const std::u16string& path) const override;
  void ReplaceContent(const std::u16string& path, std::string_view bytes) override;
};

}  // namespace kq::platform
