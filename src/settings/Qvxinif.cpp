#include "settings/Qvxinif.h"

#include "common/Numbers.h"
#include "common/Text.h"

namespace kq {

using platform::RegType;

TQvxIniFile::TQvxIniFile(platform::Registry& registry, const std::u16string& fileName)
    : FType(TIniType::tiReg), FRegIni(std::make_unique<RegistryIniFile>(registry, fileName)) {}

TQvxIniFile::TQvxIniFile(const std::u16string& fileName)
    : FType(TIniType::tiIni), FIni(std::make_unique<IniFile>(fileName)) {}

const std::u16string& TQvxIniFile::FileName() const {
  return FRegIni ? FRegIni->FileName() : FIni->FileName();
}

std::u16string TQvxIniFile::ReadString(const std::u16string& section, const std::u16string& ident,
                                       const std::u16string& fallback) const {
  return FRegIni ? FRegIni->ReadString(section, ident, fallback)
                 : FIni->ReadString(section, ident, fallback);
}

void TQvxIniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                              const std::u16string& value) {
  FRegIni ? FRegIni->WriteString(section, ident, value) : FIni->WriteString(section, ident, value);
}

std::int32_t TQvxIniFile::ReadInteger(const std::u16string& section, const std::u16string& ident,
                                      std::int32_t fallback) const {
  if (FIni)
    return FIni->ReadInteger(section, ident, fallback);
  // The type comes from a read-only key of its own, which never creates a section.
  std::optional<RegType> type = FRegIni->ValueType(section, ident);
  if (type == RegType::DWord)
    return FRegIni->ReadInteger(section, ident, fallback);
  return StrToInt(FRegIni->ReadString(section, ident, IntToStr(fallback)));
}

void TQvxIniFile::WriteInteger(const std::u16string& section, const std::u16string& ident,
                               std::int32_t value) {
  FRegIni ? FRegIni->WriteInteger(section, ident, value)
          : FIni->WriteInteger(section, ident, value);
}

bool TQvxIniFile::ReadBool(const std::u16string& section, const std::u16string& ident,
                           bool fallback) const {
  return FRegIni ? FRegIni->ReadBool(section, ident, fallback)
                 : FIni->ReadBool(section, ident, fallback);
}

void TQvxIniFile::WriteBool(const std::u16string& section, const std::u16string& ident,
                            bool value) {
  FRegIni ? FRegIni->WriteBool(section, ident, value) : FIni->WriteBool(section, ident, value);
}

void TQvxIniFile::ReadSections(std::vector<std::u16string>& strings) const {
  strings = FRegIni ? FRegIni->ReadSections() : FIni->ReadSections();
}

void TQvxIniFile::ReadSection(const std::u16string& section,
                              std::vector<std::u16string>& strings) const {
  strings = FRegIni ? FRegIni->ReadSection(section) : FIni->ReadSection(section);
}

void TQvxIniFile::ReadSectionValues(const std::u16string& section, NameValueList& strings) const {
  std::vector<std::u16string> names;
  ReadSection(section, names);
  for (const auto& name : names) {
    if (FIni) {
      strings.Set(name, FIni->ReadString(section, name, u""));
      continue;
    }
    auto type = FRegIni->ValueType(section, name);
    if (type == RegType::String || type == RegType::ExpandString) {
      strings.Set(name, ReadString(section, name, u""));
    } else if (type == RegType::DWord) {
      strings.Set(name, IntToStr(ReadInteger(section, name, -1)));
    }
  }
}

bool TQvxIniFile::ValueExists(const std::u16string& section, const std::u16string& ident) const {
  return FRegIni ? FRegIni->ValueExists(section, ident) : FIni->ValueExists(section, ident);
}

}  // namespace kq
