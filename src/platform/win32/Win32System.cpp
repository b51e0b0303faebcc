#include "platform/win32/Win32System.h"

#include <vector>

#include "platform/win32/Wide.h"

namespace kq::win {

platform::WindowsRelease QueryWindowsRelease() {
  // GetVersionEx reports what the manifest admits to; RtlGetVersion reports the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
#pragma GCC diagnostic pop
  }
  return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
          info.wProductType != VER_NT_WORKSTATION};
}

NumberFormat QueryUserNumberFormat() {
  NumberFormat format;
  wchar_t buffer[8];
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1) {
    format.decimalSeparator = buffer[0];
  }
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8) > 1) {
    format.thousandSeparator = buffer[0];
  }
  return format;
}

std::string Win32AnsiCodePage::FromUnicode(const std::u16string& text) const {
  if (text.empty())
    return {};
  std::wstring wide = Wide(text);
  // No best-fit mapping: a character the code page lacks becomes the default character
  // rather than a look-alike letter, so that two different characters never meet as one.
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  int size = WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::u16string Win32AnsiCodePage::ToUnicode(const std::string& bytes) const {
  if (bytes.empty())
    return {};
  int size =
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
  return Core(out);
}

std::u16string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
    text.pop_back();
  if (text.empty())
    text = L"System error " + std::to_wstring(code);
  return Core(text);
}

std::u16string ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size())
      return Core(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kq::win
