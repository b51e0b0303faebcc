#pragma once
// Where the program keeps its files, temporary files and file copies.

#include <string>
#include <string_view>

namespace kq::win {

// The user's roaming application-data folder followed by "Brenhollow\Keyquill", created
// with its parents when missing (a failure to create is left to the first write to find).
// Without an application-data folder: the Windows folder itself.
std::u16string GetAppDataFolder();

// A new, empty, uniquely named "~QV....tmp" file in the user's temporary folder.
// Raises FileError when the system cannot make one.
std::u16string NewTempFileName();

// Whether a file can be created in the folder of the given file path. Never raises.
bool CanWriteToFolder(const std::u16string& filePath);

// Copies the file and gives the copy the source's modification date; raises FileError.
void CopyFileKeepDate(const std::u16string& source, const std::u16string& destination);

// Raises FileError with the code and text of the thread's last system error:
// "<what>: <the system's text>".
[[noreturn]] void RaiseLastFileError(std::u16string_view what);

std::u16string GetSystemFolder();
std::u16string GetWindowsFolder();

}  // namespace kq::win
