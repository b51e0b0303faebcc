#pragma once
// TQvxIniFile: one INI-style interface over a registry key (tiReg) or an INI file (tiIni).
// The program's own settings live in a registry store on "Software\Brenhollow\Keyquill".

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/NameValueList.h"
#include "platform/Registry.h"
#include "settings/IniFile.h"
#include "settings/RegistryIniFile.h"

namespace kq {

enum class TIniType { tiIni = 0, tiReg = 1 };

inline constexpr char16_t kSettingsKeyPath[] = u"Software\\Brenhollow\\Keyquill";

class TQvxIniFile {
 public:
  // A registry store on fileName, a key path under HKEY_CURRENT_USER.
  TQvxIniFile(platform::Registry& registry, const std::u16string& fileName);
  // An INI-file store on the file fileName.
  explicit TQvxIniFile(const std::u16string& fileName);

  TIniType Type() const { return FType; }
  const std::u16string& FileName() const;

  std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                            const std::u16string& fallback) const;
  void WriteString(const std::u16string& section, const std::u16string& ident,
                   const std::u16string& value);
  // A DWORD value, or a string value holding a decimal integer; raises ConvertError for any
  // other text and RegistryError for a value of another type.
  std::int32_t ReadInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t fallback) const;
  void WriteInteger(const std::u16string& section, const std::u16string& ident, std::int32_t value);
  bool ReadBool(const std::u16string& section, const std::u16string& ident, bool fallback) const;
  void WriteBool(const std::u16string& section, const std::u16string& ident, bool value);

  void ReadSections(std::vector<std::u16string>& strings) const;
  void ReadSection(const std::u16string& section, std::vector<std::u16string>& strings) const;
  void ReadSectionValues(const std::u16string& section, NameValueList& strings) const;
  bool ValueExists(const std::u16string& section, const std::u16string& ident) const;

 private:
  TIniType FType;
  std::unique_ptr<RegistryIniFile> FRegIni;
  std::unique_ptr<IniFile> FIni;
};

}  // namespace kq
