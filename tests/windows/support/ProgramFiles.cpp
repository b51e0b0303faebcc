#include "support/ProgramFiles.h"

#include <windows.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kq::testing {

std::wstring SequenceFilePath() {
  wchar_t* folder = nullptr;
  SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder);
  std::wstring path =
      std::wstring(folder ? folder : L"") + L"\\Brenhollow\\Keyquill\\Keyquill2.dat";
  CoTaskMemFree(folder);
  return path;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in{std::filesystem::path(path), std::ios::binary};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out{std::filesystem::path(path), std::ios::binary | std::ios::trunc};
  out << bytes;
}

}  // namespace kq::testing
