#include "platform/win32/Files.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "common/DataFolder.h"
#include "common/Errors.h"
#include "common/Product.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32System.h"

namespace kq::win {

namespace {

std::u16string ApplicationDataRoot() {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &items)))
    return {};
  wchar_t path[MAX_PATH] = L"";
  BOOL found = SHGetPathFromIDListW(items, path);
  CoTaskMemFree(items);
  return found ? Core(path) : std::u16string();
}

// Whether two open handles are the same file.
bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return GetFileInformationByHandle(a, &ia) && GetFileInformationByHandle(b, &ib) &&
         ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

}  // namespace

void RaiseLastFileError(std::u16string_view what) {
  DWORD code = GetLastError();
  throw FileError(std::u16string(what) + u": " + SystemErrorText(code), code);
}

std::u16string GetAppDataFolder() {
  std::u16string folder =
      ProgramDataFolder(ApplicationDataRoot(), GetWindowsFolder(), kProductName);
  if (folder != GetWindowsFolder() &&
      GetFileAttributesW(Wide(folder).c_str()) == INVALID_FILE_ATTRIBUTES) {
    SHCreateDirectoryExW(nullptr, Wide(folder).c_str(), nullptr);
  }
  return folder;
}

std::u16string NewTempFileName() {
  wchar_t folder[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, folder))
    RaiseLastFileError(u"No temporary folder");
  wchar_t name[MAX_PATH];
  if (!GetTempFileNameW(folder, L"~QVX", 0, name))
    RaiseLastFileError(u"No temporary file");
  return Core(name);
}

bool CanWriteToFolder(const std::u16string& filePath) {
  std::u16string probe;
  try {
    probe = NewTempFileName();
  } catch (const FileError&) {
    return false;
  }
  DeleteFileW(Wide(probe).c_str());
  std::u16string name = probe.substr(probe.find_last_of(u'\\') + 1);
  size_t slash = filePath.find_last_of(u"\\/:");
  std::u16string folder = slash == std::u16string::npos ? u"" : filePath.substr(0, slash + 1);
  std::wstring target = Wide(folder + name);
  UniqueHandle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
  if (!file)
    return false;
  file.reset();
  DeleteFileW(target.c_str());
  return true;
}

void CopyFileKeepDate(const std::u16string& source, const std::u16string& destination) {
  UniqueHandle in(CreateFileW(Wide(source).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!in)
    RaiseLastFileError(u"Cannot open " + source);
  // Creating the destination truncates it: a copy onto itself would destroy the source.
  UniqueHandle existing(CreateFileW(Wide(destination).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (existing && SameFile(in.get(), existing.get())) {
    throw FileError(u"Cannot copy " + source + u" onto itself", ERROR_INVALID_PARAMETER);
  }
  existing.reset();
  UniqueHandle out(CreateFileW(Wide(destination).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out)
    RaiseLastFileError(u"Cannot create " + destination);

  std::vector<char> buffer(64 * 1024);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
      RaiseLastFileError(u"Cannot read " + source);
    }
    if (read == 0)
      break;
    DWORD written = 0;
    if (!WriteFile(out.get(), buffer.data(), read, &written, nullptr) || written != read) {
      RaiseLastFileError(u"Cannot write " + destination);
    }
  }
  FILETIME modified;
  if (!GetFileTime(in.get(), nullptr, nullptr, &modified) ||
      !SetFileTime(out.get(), nullptr, nullptr, &modified)) {
    RaiseLastFileError(u"Cannot set the date of " + destination);
  }
}

std::u16string GetSystemFolder() {
  wchar_t path[MAX_PATH];
  UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return Core(std::wstring_view(path, length < MAX_PATH ? length : 0));
}

std::u16string GetWindowsFolder() {
  wchar_t path[MAX_PATH];
  UINT length = GetWindowsDirectoryW(path, MAX_PATH);
  return Core(std::wstring_view(path, length < MAX_PATH ? length : 0));
}

}  // namespace kq::win
