#pragma once
// The registry as the program sees it: keys under HKEY_CURRENT_USER named by path, values
// with their types. Names of keys and values compare without regard to letter case.
// Win32Registry works on the real registry; MemoryRegistry is its stand-in for native tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kq::platform {

enum class RegType { String, ExpandString, DWord, Binary, Other };

struct RegValue {
  RegType type = RegType::String;
  std::u16string text;              // String, ExpandString
  std::uint32_t dword = 0;          // DWord
  std::vector<std::uint8_t> bytes;  // Binary, Other: the raw data

  static RegValue OfString(std::u16string s) { return {RegType::String, std::move(s), 0, {}}; }
  static RegValue OfDWord(std::uint32_t v) { return {RegType::DWord, {}, v, {}}; }
};

enum class RegAccess { Read, ReadWrite };

// An open key. Operations that the system refuses raise RegistryError.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // A subkey by relative path (the empty path is this key again); null when it is missing.
  virtual std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& path, RegAccess access) = 0;
  // Opens the subkey for reading and writing, creating it and its parents when missing.
  virtual std::unique_ptr<RegistryKey> CreateSubKey(const std::u16string& path) = 0;

  // The value, or nothing when it is missing. The empty name is the key's default value.
  virtual std::optional<RegValue> ReadValue(const std::u16string& name) = 0;
  virtual void WriteValue(const std::u16string& name, const RegValue& value) = 0;
  // False when there was no such value.
  virtual bool DeleteValue(const std::u16string& name) = 0;

  virtual std::vector<std::u16string> SubKeyNames() = 0;
  virtual std::vector<std::u16string> ValueNames() = 0;

  // Deletes the subkey with everything below it; false when it did not exist.
  virtual bool DeleteSubKeyTree(const std::u16string& path) = 0;

  void WriteString(const std::u16string& name, std::u16string text) {
    WriteValue(name, RegValue::OfString(std::move(text)));
  }
  void WriteDWord(const std::u16string& name, std::uint32_t v) {
    WriteValue(name, RegValue::OfDWord(v));
  }
};

// HKEY_CURRENT_USER.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::unique_ptr<RegistryKey> OpenCurrentUser(const std::u16string& path,
                                                       RegAccess access) = 0;
  virtual std::unique_ptr<RegistryKey> CreateCurrentUser(const std::u16string& path) = 0;
};

}  // namespace kq::platform
