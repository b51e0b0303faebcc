#include "support/RawRegistry.h"

#include <gtest/gtest.h>

#include "platform/win32/Handles.h"

namespace kq::testing {

std::wstring RawValue::Text() const {
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0')
    text.pop_back();
  return text;
}

DWORD RawValue::Number() const {
  DWORD value = 0;
  if (data.size() >= sizeof value)
    memcpy(&value, data.data(), sizeof value);
  return value;
}

std::optional<RawValue> ReadRaw(const std::wstring& keyPath, const std::wstring& name) {
  RawValue value;
  DWORD size = 0;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(),
                                RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr, &size);
  if (status != ERROR_SUCCESS)
    return std::nullopt;
  value.data.resize(size);
  status = RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                        &value.type, value.data.data(), &size);
  if (status != ERROR_SUCCESS)
    return std::nullopt;
  value.data.resize(size);
  return value;
}

void WriteRaw(const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data,
              DWORD size) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), type, data, size),
            ERROR_SUCCESS);
}

void WriteRawString(const std::wstring& keyPath, const std::wstring& name,
                    const std::wstring& text) {
  WriteRaw(keyPath, name, REG_SZ, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void WriteRawDWord(const std::wstring& keyPath, const std::wstring& name, DWORD value) {
  WriteRaw(keyPath, name, REG_DWORD, &value, sizeof value);
}

bool RawKeyExists(const std::wstring& keyPath) {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key);
  win::UniqueHKey owned(key);
  return status == ERROR_SUCCESS;
}

void DeleteRawTree(const std::wstring& keyPath) {
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str());
}

void DeleteRawValue(const std::wstring& keyPath, const std::wstring& name) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str());
}

}  // namespace kq::testing
