#include "platform/win32/Win32Registry.h"

#include <algorithm>
#include <vector>

#include "common/Errors.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32System.h"

namespace kq::win {

using platform::RegAccess;
using platform::RegType;
using platform::RegValue;

namespace {

[[noreturn]] void Raise(LSTATUS status, std::u16string_view what) {
  throw RegistryError(std::u16string(what) + u": " + SystemErrorText(static_cast<DWORD>(status)),
                      static_cast<std::uint32_t>(status));
}

REGSAM SamOf(RegAccess access) {
  return access == RegAccess::ReadWrite ? KEY_READ | KEY_WRITE : KEY_READ;
}

class Win32Key : public platform::RegistryKey {
 public:
  explicit Win32Key(UniqueHKey key) : key_(std::move(key)) {}

  std::unique_ptr<platform::RegistryKey> OpenSubKey(const std::u16string& path,
                                                    RegAccess access) override {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(key_.get(), Wide(path).c_str(), 0, SamOf(access), &key);
    if (status == ERROR_FILE_NOT_FOUND)
      return nullptr;
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot open key " + path);
    return std::make_unique<Win32Key>(UniqueHKey(key));
  }

  std::unique_ptr<platform::RegistryKey> CreateSubKey(const std::u16string& path) override {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(key_.get(), Wide(path).c_str(), 0, nullptr, 0,
                                     KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot create key " + path);
    return std::make_unique<Win32Key>(UniqueHKey(key));
  }

  std::optional<RegValue> ReadValue(const std::u16string& name) override {
    const std::wstring wideName = Wide(name);
    std::vector<BYTE> data;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status;
    do {  // the value may grow between the two calls
      status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
      if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
      if (status != ERROR_SUCCESS)
        Raise(status, u"Cannot read value " + name);
      data.resize(size + sizeof(wchar_t));
      status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, data.data(), &size);
    } while (status == ERROR_MORE_DATA);
    if (status == ERROR_FILE_NOT_FOUND)
      return std::nullopt;
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot read value " + name);
    data.resize(size);

    RegValue value;
    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ: {
        value.type = type == REG_SZ ? RegType::String : RegType::ExpandString;
        std::u16string text(size / sizeof(char16_t), u'\0');
        std::copy_n(data.data(), text.size() * sizeof(char16_t),
                    reinterpret_cast<BYTE*>(text.data()));
        while (!text.empty() && text.back() == u'\0')
          text.pop_back();
        value.text = std::move(text);
        break;
      }
      case REG_DWORD:
        value.type = RegType::DWord;
        if (size >= sizeof(DWORD))
          std::copy_n(data.data(), sizeof(DWORD), reinterpret_cast<BYTE*>(&value.dword));
        break;
      default:
        value.type = type == REG_BINARY ? RegType::Binary : RegType::Other;
        value.bytes.assign(data.begin(), data.end());
        break;
    }
    return value;
  }

  void WriteValue(const std::u16string& name, const RegValue& value) override {
    const std::wstring wideName = Wide(name);
    LSTATUS status;
    switch (value.type) {
      case RegType::String:
      case RegType::ExpandString: {
        std::wstring text = Wide(value.text);
        status = RegSetValueExW(key_.get(), wideName.c_str(), 0,
                                value.type == RegType::String ? REG_SZ : REG_EXPAND_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        break;
      }
      case RegType::DWord:
        status = RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&value.dword), sizeof(DWORD));
        break;
      default:
        status = RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_BINARY, value.bytes.data(),
                                static_cast<DWORD>(value.bytes.size()));
        break;
    }
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot write value " + name);
  }

  bool DeleteValue(const std::u16string& name) override {
    LSTATUS status = RegDeleteValueW(key_.get(), Wide(name).c_str());
    if (status == ERROR_FILE_NOT_FOUND)
      return false;
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot delete value " + name);
    return true;
  }

  std::vector<std::u16string> SubKeyNames() override {
    std::vector<std::u16string> names;
    wchar_t name[256];  // key names are at most 255 characters
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      LSTATUS status =
          RegEnumKeyExW(key_.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS)
        break;
      if (status != ERROR_SUCCESS)
        Raise(status, u"Cannot list keys");
      names.push_back(Core(std::wstring_view(name, length)));
    }
    return names;
  }

  std::vector<std::u16string> ValueNames() override {
    DWORD maxLength = 0;
    LSTATUS status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, &maxLength, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot list values");
    std::vector<std::u16string> names;
    std::vector<wchar_t> name(maxLength + 1);
    for (DWORD i = 0;; ++i) {
      DWORD length = static_cast<DWORD>(name.size());
      status =
          RegEnumValueW(key_.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS)
        break;
      if (status != ERROR_SUCCESS)
        Raise(status, u"Cannot list values");
      names.push_back(Core(std::wstring_view(name.data(), length)));
    }
    return names;
  }

  bool DeleteSubKeyTree(const std::u16string& path) override {
    std::wstring widePath = Wide(path);
    LSTATUS status = RegDeleteTreeW(key_.get(), path.empty() ? nullptr : widePath.c_str());
    if (status == ERROR_FILE_NOT_FOUND)
      return false;
    if (status != ERROR_SUCCESS)
      Raise(status, u"Cannot delete key " + path);
    if (!path.empty())
      RegDeleteKeyW(key_.get(), widePath.c_str());  // some systems keep it
    return true;
  }

 private:
  UniqueHKey key_;
};

}  // namespace

std::unique_ptr<platform::RegistryKey> Win32Registry::OpenCurrentUser(const std::u16string& path,
                                                                      RegAccess access) {
  return Win32Key(UniqueHKey(HKEY_CURRENT_USER)).OpenSubKey(path, access);
}

std::unique_ptr<platform::RegistryKey> Win32Registry::CreateCurrentUser(
    const std::u16string& path) {
  return Win32Key(UniqueHKey(HKEY_CURRENT_USER)).CreateSubKey(path);
}

}  // namespace kq::win
