#pragma once
// TQvxIniFile: the program's settings store, one INI-style interface over a store of either
// kind, a registry key (tiReg) or an INI file (tiIni). The program's own settings live in a
// registry store on "Software\Brenhollow\Keyquill".

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/NameValueList.h"
#include "platform/Registry.h"
#include "settings/IniStore.h"

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
  const std::u16string& FileName() const { return FStore->FileName(); }

  std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                            const std::u16string& fallback) const {
    return FStore->ReadString(section, ident, fallback);
  }
  void WriteString(const std::u16string& section, const std::u16string& ident,
                   const std::u16string& value) {
    FStore->WriteString(section, ident, value);
  }
  // A number as it is. A registry string value must hold a decimal integer (ConvertError
  // otherwise); an INI file's text that is not one gives the fallback. Other registry data
  // raises RegistryError.
  std::int32_t ReadInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t fallback) const;
  void WriteInteger(const std::u16string& section, const std::u16string& ident,
                    std::int32_t value) {
    FStore->WriteInteger(section, ident, value);
  }
  bool ReadBool(const std::u16string& section, const std::u16string& ident, bool fallback) const {
    return FStore->ReadBool(section, ident, fallback);
  }
  void WriteBool(const std::u16string& section, const std::u16string& ident, bool value) {
    FStore->WriteBool(section, ident, value);
  }

  void ReadSections(std::vector<std::u16string>& strings) const {
    strings = FStore->ReadSections();
  }
  void ReadSection(const std::u16string& section, std::vector<std::u16string>& strings) const {
    strings = FStore->ReadSection(section);
  }
  void ReadSectionValues(const std::u16string& section, NameValueList& strings) const {
    FStore->ReadSectionValues(section, strings);
  }
  bool ValueExists(const std::u16string& section, const std::u16string& ident) const {
    return FStore->ValueExists(section, ident);
  }
  // Opens the key again after the preferences were cleared, which creates it anew, empty.
  void Reopen() { FStore->Reopen(); }

 private:
  TIniType FType;
  std::unique_ptr<IniStore> FStore;
};

}  // namespace kq
