#include "platform/FileSystem.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/Errors.h"
#include "common/Text.h"

namespace kq::platform {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(std::u16string path) {
  if (fs::path::preferred_separator == '/') {
    for (char16_t& c : path) {
      if (c == u'\\')
        c = u'/';
    }
  }
  return fs::path(path);
}

[[noreturn]] void Raise(std::u16string_view what, const std::u16string& path,
                        std::error_code code) {
  throw FileError(std::u16string(what) + u' ' + path + u": " + FromUtf8(code.message()),
                  static_cast<std::uint32_t>(code.value()));
}

[[noreturn]] void RaiseErrno(std::u16string_view what, const std::u16string& path) {
  int code = errno ? errno : EIO;
  Raise(what, path, std::error_code(code, std::generic_category()));
}

// A name in the folder of target that no file has yet.
fs::path FreshNeighbour(const fs::path& target) {
  for (unsigned n = 0;; ++n) {
    fs::path candidate = target;
    candidate += ".~" + std::to_string(n) + ".tmp";
    std::error_code ignored;
    if (!fs::exists(fs::symlink_status(candidate, ignored)))
      return candidate;
  }
}

}  // namespace

bool StdFileSystem::Exists(const std::u16string& path) const {
  std::error_code ignored;
  return fs::is_regular_file(PathOf(path), ignored);
}

std::string StdFileSystem::ReadAll(const std::u16string& path) const {
  fs::path file = PathOf(path);
  std::error_code code;
  if (!fs::is_regular_file(file, code))
    Raise(u"Cannot open", path,
          code ? code : std::make_error_code(std::errc::no_such_file_or_directory));
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in)
    RaiseErrno(u"Cannot open", path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    RaiseErrno(u"Cannot read", path);
  return bytes;
}

void StdFileSystem::ReplaceContent(const std::u16string& path, std::string_view bytes) {
  const fs::path target = PathOf(path);
  const fs::path temporary = FreshNeighbour(target);
  {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
      RaiseErrno(u"Cannot save", path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      int code = errno ? errno : EIO;
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      Raise(u"Cannot save", path, std::error_code(code, std::generic_category()));
    }
  }
  // rename replaces the target in one step.
  std::error_code code;
  fs::rename(temporary, target, code);
  if (code) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Raise(u"Cannot save", path, code);
  }
}

}  // namespace kq::platform
