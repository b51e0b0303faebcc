#pragma once
// INI-style access to a registry key: sections are subkeys, idents are value names.
// Integers read from string values fall back to the default when the text is not a number.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace kq {

class RegistryIniFile {
 public:
  // Opens (and creates when missing) the key at keyPath under HKEY_CURRENT_USER. A key that
  // can be neither created nor opened leaves a store whose reads give the defaults and
  // whose writes raise.
  RegistryIniFile(platform::Registry& registry, std::u16string keyPath);

  const std::u16string& FileName() const { return keyPath_; }

  // The type of a value, or nothing when the section or the value is missing.
  std::optional<platform::RegType> ValueType(const std::u16string& section,
                                             const std::u16string& ident) const;

  std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                            const std::u16string& fallback) const;
  void WriteString(const std::u16string& section, const std::u16string& ident,
                   const std::u16string& value);
  std::int32_t ReadInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t fallback) const;
  void WriteInteger(const std::u16string& section, const std::u16string& ident, std::int32_t value);
  bool ReadBool(const std::u16string& section, const std::u16string& ident, bool fallback) const;
  void WriteBool(const std::u16string& section, const std::u16string& ident, bool value);

  std::vector<std::u16string> ReadSections() const;
  std::vector<std::u16string> ReadSection(const std::u16string& section) const;
  bool ValueExists(const std::u16string& section, const std::u16string& ident) const;
  // False when there was no such value.
  bool DeleteKey(const std::u16string& section, const std::u16string& ident);
  void EraseSection(const std::u16string& section);

 private:
  std::unique_ptr<platform::RegistryKey> OpenSection(const std::u16string& section) const;
  std::unique_ptr<platform::RegistryKey> CreateSection(const std::u16string& section);

  std::u16string keyPath_;
  std::unique_ptr<platform::RegistryKey> key_;
};

}  // namespace kq
