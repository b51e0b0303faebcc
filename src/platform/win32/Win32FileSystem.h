#pragma once
// The system's files behind the portable file interface.

#include <windows.h>

#include "platform/FileSystem.h"

namespace kq::win {

// ReplaceContent writes a temporary file beside the target, flushes it to the disk and moves
// it over the target with MoveFileExW (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
class Win32FileSystem : public platform::FileSystem {
 public:
  bool Exists(const std::u16string& path) const override;
  std::string ReadAll(const std::u16string& path) const override;
  void ReplaceContent(const std::u16string& path, std::string_view bytes) override;
};

}  // namespace kq::win
