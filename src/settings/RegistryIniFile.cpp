#include "settings/RegistryIniFile.h"

#include <algorithm>

#include "common/Errors.h"
#include "common/Numbers.h"
#include "common/Text.h"

namespace kq {

using platform::RegAccess;
using platform::RegType;

namespace {

bool IsText(RegType type) {
  return type == RegType::String || type == RegType::ExpandString;
}

[[noreturn]] void InvalidType(const std::u16string& ident) {
  throw RegistryError(u"Invalid data type for '" + ident + u"'");
}

}  // namespace

RegistryIniFile::RegistryIniFile(platform::Registry& registry, std::u16string keyPath)
    : keyPath_(std::move(keyPath)) {
  try {
    key_ = registry.CreateCurrentUser(keyPath_);
  } catch (const RegistryError&) {
    key_ = registry.OpenCurrentUser(keyPath_, RegAccess::Read);
  }
}

std::unique_ptr<platform::RegistryKey> RegistryIniFile::OpenSection(
    const std::u16string& section) const {
  if (!key_)
    return nullptr;
  return key_->OpenSubKey(section, RegAccess::Read);
}

std::unique_ptr<platform::RegistryKey> RegistryIniFile::CreateSection(
    const std::u16string& section) {
  if (!key_)
    throw RegistryError(u"Failed to create key " + keyPath_);
  return key_->CreateSubKey(section);
}

std::optional<RegType> RegistryIniFile::ValueType(const std::u16string& section,
                                                  const std::u16string& ident) const {
  auto key = OpenSection(section);
  if (!key)
    return std::nullopt;
  auto value = key->ReadValue(ident);
  if (!value)
    return std::nullopt;
  return value->type;
}

std::u16string RegistryIniFile::ReadString(const std::u16string& section,
                                           const std::u16string& ident,
                                           const std::u16string& fallback) const {
  auto key = OpenSection(section);
  if (!key)
    return fallback;
  auto value = key->ReadValue(ident);
  if (!value)
    return fallback;
  if (!IsText(value->type))
    InvalidType(ident);
  return value->text;
}

void RegistryIniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                                  const std::u16string& value) {
  CreateSection(section)->WriteString(ident, value);
}

std::int32_t RegistryIniFile::ReadInteger(const std::u16string& section,
                                          const std::u16string& ident,
                                          std::int32_t fallback) const {
  auto key = OpenSection(section);
  if (!key)
    return fallback;
  auto value = key->ReadValue(ident);
  if (!value)
    return fallback;
  if (IsText(value->type))
    return StrToIntDef(value->text, fallback);
  if (value->type != RegType::DWord)
    InvalidType(ident);
  return static_cast<std::int32_t>(value->dword);
}

void RegistryIniFile::WriteInteger(const std::u16string& section, const std::u16string& ident,
                                   std::int32_t value) {
  auto key = CreateSection(section);
  auto existing = key->ReadValue(ident);
  if (existing && existing->type == RegType::String) {
    key->WriteString(ident, IntToStr(value));
  } else {
    key->WriteDWord(ident, static_cast<std::uint32_t>(value));
  }
}

bool RegistryIniFile::ReadBool(const std::u16string& section, const std::u16string& ident,
                               bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void RegistryIniFile::WriteBool(const std::u16string& section, const std::u16string& ident,
                                bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

std::vector<std::u16string> RegistryIniFile::ReadSections() const {
  return key_ ? key_->SubKeyNames() : std::vector<std::u16string>{};
}

std::vector<std::u16string> RegistryIniFile::ReadSection(const std::u16string& section) const {
  auto key = OpenSection(section);
  return key ? key->ValueNames() : std::vector<std::u16string>{};
}

bool RegistryIniFile::ValueExists(const std::u16string& section,
                                  const std::u16string& ident) const {
  auto names = ReadSection(section);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::u16string& name) { return SameTextIgnoringCase(name, ident); });
}

bool RegistryIniFile::DeleteKey(const std::u16string& section, const std::u16string& ident) {
  if (!key_)
    return false;
  auto key = key_->OpenSubKey(section, RegAccess::ReadWrite);
  return key && key->DeleteValue(ident);
}

void RegistryIniFile::EraseSection(const std::u16string& section) {
  if (key_ && !section.empty())
    key_->DeleteSubKeyTree(section);
}

}  // namespace kq
