#include "settings/Qvxinif.h"

#include "common/Numbers.h"
#include "settings/IniFile.h"
#include "settings/RegistryIniFile.h"

namespace kq {

TQvxIniFile::TQvxIniFile(platform::Registry& registry, const std::u16string& fileName)
    : FType(TIniType::tiReg), FStore(std::make_unique<RegistryIniFile>(registry, fileName)) {}

TQvxIniFile::TQvxIniFile(const std::u16string& fileName)
    : FType(TIniType::tiIni), FStore(std::make_unique<IniFile>(fileName)) {}

std::int32_t TQvxIniFile::ReadInteger(const std::u16string& section, const std::u16string& ident,
                                      std::int32_t fallback) const {
  // A registry string value read as an integer was written as one, so text in it that is not
  // a number is an error rather than a reason to fall back.
  auto value = FStore->ReadValue(section, ident);
  if (value && value->kind == StoredValue::Kind::String)
    return StrToInt(value->text);
  return FStore->ReadInteger(section, ident, fallback);
}

}  // namespace kq
