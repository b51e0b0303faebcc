#pragma once
// The real HKEY_CURRENT_USER behind the portable registry interface.

#include <windows.h>

#include <utility>

#include "platform/Registry.h"

namespace kq::win {

// Owns an open registry key.
class UniqueHKey {
 public:
  UniqueHKey() = default;
  explicit UniqueHKey(HKEY key) : key_(key) {}
  UniqueHKey(UniqueHKey&& other) noexcept : key_(other.release()) {}
  UniqueHKey& operator=(UniqueHKey&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueHKey() { reset(); }

  HKEY get() const { return key_; }
  HKEY release() { return std::exchange(key_, nullptr); }
  void reset(HKEY key = nullptr) {
    if (key_ && !IsPredefined(key_))
      RegCloseKey(key_);
    key_ = key;
  }

  // HKEY_CURRENT_USER and its kin are borrowed, never closed.
  static bool IsPredefined(HKEY key) {
    auto value = reinterpret_cast<ULONG_PTR>(key);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           value <= reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER_LOCAL_SETTINGS);
  }

 private:
  HKEY key_ = nullptr;
};

class Win32Registry : public platform::Registry {
 public:
  std::unique_ptr<platform::RegistryKey> OpenCurrentUser(const std::u16string& path,
                                                         platform::RegAccess access) override;
  std::unique_ptr<platform::RegistryKey> CreateCurrentUser(const std::u16string& path) override;
};

}  // namespace kq::win
