#pragma once
// The real HKEY_CURRENT_USER behind the portable registry interface.

#include <windows.h>

#include "platform/Registry.h"
#include "platform/win32/Handles.h"

namespace kq::win {

class Win32Registry : public platform::Registry {
 public:
  std::unique_ptr<platform::RegistryKey> OpenCurrentUser(const std::u16string& path,
                                                         platform::RegAccess access) override;
  std::unique_ptr<platform::RegistryKey> CreateCurrentUser(const std::u16string& path) override;
};

}  // namespace kq::win
