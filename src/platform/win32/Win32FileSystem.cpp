#include "platform/win32/Win32FileSystem.h"

#include <algorithm>

#include "common/Errors.h"
#include "platform/win32/Files.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"

namespace kq::win {

namespace {

std::u16string FolderOf(const std::u16string& path) {
  size_t slash = path.find_last_of(u"\\/:");
  return slash == std::u16string::npos ? u"." : path.substr(0, slash + 1);
}

}  // namespace

bool Win32FileSystem::Exists(const std::u16string& path) const {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32FileSystem::ReadAll(const std::u16string& path) const {
  UniqueHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    RaiseLastFileError(u"Cannot open " + path);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size))
    RaiseLastFileError(u"Cannot read " + path);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!::ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr))
      RaiseLastFileError(u"Cannot read " + path);
    if (read == 0)
      break;  // the file shrank while we read it
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

void Win32FileSystem::ReplaceContent(const std::u16string& path, std::string_view bytes) {
  wchar_t temporary[MAX_PATH];
  if (!GetTempFileNameW(Wide(FolderOf(path)).c_str(), L"~KQ", 0, temporary))
    RaiseLastFileError(u"Cannot save " + path);
  try {
    UniqueHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
      RaiseLastFileError(u"Cannot save " + path);
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD written = 0;
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
      if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
        RaiseLastFileError(u"Cannot save " + path);
      done += written;
    }
    if (!FlushFileBuffers(file.get()))
      RaiseLastFileError(u"Cannot save " + path);
    file.reset();
    if (!MoveFileExW(temporary, Wide(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      RaiseLastFileError(u"Cannot save " + path);
    }
  } catch (const FileError&) {
    DeleteFileW(temporary);
    throw;
  }
}

}  // namespace kq::win
