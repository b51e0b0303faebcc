#include "settings/IniStore.h"

#include <algorithm>

#include "common/Errors.h"
#include "common/Numbers.h"
#include "common/Text.h"

namespace kq {

namespace {

using Kind = StoredValue::Kind;

bool IsText(const StoredValue& value) {
  return value.kind == Kind::Text || value.kind == Kind::String;
}

[[noreturn]] void InvalidType(const std::u16string& ident) {
  throw RegistryError(u"Invalid data type for '" + ident + u"'");
}

}  // namespace

std::u16string IniStore::ReadString(const std::u16string& section, const std::u16string& ident,
                                    const std::u16string& fallback) const {
  auto value = ReadValue(section, ident);
  if (!value)
    return fallback;
  if (!IsText(*value))
    InvalidType(ident);
  return value->text;
}

std::int32_t IniStore::ReadInteger(const std::u16string& section, const std::u16string& ident,
                                   std::int32_t fallback) const {
  auto value = ReadValue(section, ident);
  if (!value)
    return fallback;
  if (IsText(*value))
    return StrToIntDef(value->text, fallback);
  if (value->kind != Kind::Number)
    InvalidType(ident);
  return value->number;
}

bool IniStore::ReadBool(const std::u16string& section, const std::u16string& ident,
                        bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void IniStore::WriteBool(const std::u16string& section, const std::u16string& ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

bool IniStore::ValueExists(const std::u16string& section, const std::u16string& ident) const {
  auto names = ReadSection(section);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::u16string& name) { return SameTextIgnoringCase(name, ident); });
}

void IniStore::ReadSectionValues(const std::u16string& section, NameValueList& strings) const {
  for (const auto& name : ReadSection(section)) {
    auto value = ReadValue(section, name);
    if (!value)
      continue;
    if (IsText(*value))
      strings.Set(name, value->text);
    else if (value->kind == Kind::Number)
      strings.Set(name, IntToStr(value->number));
  }
}

}  // namespace kq
