#pragma once
// The INI-style store over a registry key: sections are subkeys (the empty section is the key
// itself), idents are value names. Integers are DWORD values, except that an integer written
// over an existing string value stays a string of decimal digits.

#include <memory>
#include <string>

#include "platform/Registry.h"
#include "settings/IniStore.h"

namespace kq {

class RegistryIniFile : public IniStore {
 public:
  // Opens (and creates when missing) the key at keyPath under HKEY_CURRENT_USER. A key that
  // can be neither created nor opened leaves a store whose reads give the defaults and
  // whose writes raise.
  RegistryIniFile(platform::Registry& registry, std::u16string keyPath);

  const std::u16string& FileName() const override { return keyPath_; }
  std::optional<StoredValue> ReadValue(const std::u16string& section,
                                       const std::u16string& ident) const override;
  void WriteString(const std::u16string& section, const std::u16string& ident,
                   const std::u16string& value) override;
  void WriteInteger(const std::u16string& section, const std::u16string& ident,
                    std::int32_t value) override;
  std::vector<std::u16string> ReadSections() const override;
  std::vector<std::u16string> ReadSection(const std::u16string& section) const override;
  bool DeleteKey(const std::u16string& section, const std::u16string& ident) override;
  void EraseSection(const std::u16string& section) override;
  void Reopen() override;

 private:
  // Read-only, so that reading never creates a section.
  std::unique_ptr<platform::RegistryKey> OpenSection(const std::u16string& section) const;
  std::unique_ptr<platform::RegistryKey> CreateSection(const std::u16string& section);

  platform::Registry& registry_;
  std::u16string keyPath_;
  std::unique_ptr<platform::RegistryKey> key_;
};

}  // namespace kq
