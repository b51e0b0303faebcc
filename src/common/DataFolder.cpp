#include "common/DataFolder.h"

namespace kq {

std::u16string ProgramDataFolder(const std::u16string& appDataRoot,
                                 const std::u16string& windowsFolder,
                                 const std::u16string& applicationTitle) {
  if (appDataRoot.empty())
    return windowsFolder;
  std::u16string folder = appDataRoot;
  if (folder.back() != u'\\')
    folder += u'\\';
  return folder + kMakerFolder + u'\\' + applicationTitle;
}

}  // namespace kq
