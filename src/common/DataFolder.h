#pragma once
// Where the program keeps its data: the roaming application-data folder, then
// "Brenhollow\<application title>".

#include <string>

namespace kq {

inline constexpr char16_t kMakerFolder[] = u"Brenhollow";

// The data folder for the given application-data root, or the Windows folder itself when
// the root is unknown (empty).
std::u16string ProgramDataFolder(const std::u16string& appDataRoot,
                                 const std::u16string& windowsFolder,
                                 const std::u16string& applicationTitle);

}  // namespace kq
