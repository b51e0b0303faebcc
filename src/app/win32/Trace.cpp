#include "app/win32/Trace.h"

#include <windows.h>

#include <string>

#include "common/Text.h"
#include "platform/win32/Handles.h"

namespace kq::app {

namespace {

const std::wstring& TracePath() {
  static const std::wstring path = [] {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"KEYQUILL_TRACE", buffer, MAX_PATH);
    return length && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
  }();
  return path;
}

}  // namespace

bool Tracing() {
  return !TracePath().empty();
}

void Trace(std::u16string_view line) {
  const std::wstring& path = TracePath();
  if (path.empty())
    return;
  win::UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return;
  std::string text = ToUtf8(line) + "\r\n";
  DWORD written = 0;
  WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace kq::app
