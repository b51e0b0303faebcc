#include "settings/RegistryIniFile.h"

#include "common/Errors.h"
#include "common/Text.h"

namespace kq {

using platform::RegAccess;
using platform::RegType;

RegistryIniFile::RegistryIniFile(platform::Registry& registry, std::u16string keyPath)
    : registry_(registry), keyPath_(std::move(keyPath)) {
  Reopen();
}

void RegistryIniFile::Reopen() {
  key_.reset();
  try {
    key_ = registry_.CreateCurrentUser(keyPath_);
  } catch (const RegistryError&) {
    key_ = registry_.OpenCurrentUser(keyPath_, RegAccess::Read);
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

std::optional<StoredValue> RegistryIniFile::ReadValue(const std::u16string& section,
                                                      const std::u16string& ident) const {
  auto key = OpenSection(section);
  auto value = key ? key->ReadValue(ident) : std::nullopt;
  if (!value)
    return std::nullopt;
  switch (value->type) {
    case RegType::String:
    case RegType::ExpandString:
      return StoredValue{StoredValue::Kind::String, std::move(value->text), 0};
    case RegType::DWord:
      return StoredValue{StoredValue::Kind::Number, {}, static_cast<std::int32_t>(value->dword)};
    default:
      return StoredValue{StoredValue::Kind::Other, {}, 0};
  }
}

void RegistryIniFile::WriteString(const std::u16string& section, const std::u16string& ident,
                                  const std::u16string& value) {
  CreateSection(section)->WriteString(ident, value);
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

std::vector<std::u16string> RegistryIniFile::ReadSections() const {
  return key_ ? key_->SubKeyNames() : std::vector<std::u16string>{};
}

std::vector<std::u16string> RegistryIniFile::ReadSection(const std::u16string& section) const {
  auto key = OpenSection(section);
  return key ? key->ValueNames() : std::vector<std::u16string>{};
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
