#pragma once
// Where the program keeps its files, as the system names the folders.

#include <string>

namespace kq::testing {

// %APPDATA%\Brenhollow\Keyquill\Keyquill2.dat.
std::wstring SequenceFilePath();

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace kq::testing
