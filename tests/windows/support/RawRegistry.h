#pragma once
// The registry as a registry editor shows it, read and written with the plain API so that
// tests check the program's registry code against something other than itself.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kq::testing {

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;

  std::wstring Text() const;  // REG_SZ / REG_EXPAND_SZ without the terminating null
  DWORD Number() const;       // REG_DWORD
};

std::optional<RawValue> ReadRaw(const std::wstring& keyPath, const std::wstring& name);
void WriteRaw(const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data,
              DWORD size);
void WriteRawString(const std::wstring& keyPath, const std::wstring& name,
                    const std::wstring& text);
void WriteRawDWord(const std::wstring& keyPath, const std::wstring& name, DWORD value);
bool RawKeyExists(const std::wstring& keyPath);
void DeleteRawTree(const std::wstring& keyPath);
void DeleteRawValue(const std::wstring& keyPath, const std::wstring& name);

inline constexpr wchar_t kSettingsKey[] = L"Software\\Brenhollow\\Keyquill";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace kq::testing
