#include "support/XKeyboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win32/Handles.h"

namespace kq::testing {

namespace {

using namespace std::chrono_literals;

// Wine's drive Z: is the Unix root.
constexpr wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace

bool XKeyboardAvailable() {
  return GetFileAttributesW(kXdotool) != INVALID_FILE_ATTRIBUTES;
}

bool XDoTool(const std::vector<std::string>& arguments) {
  static std::atomic<int> calls{0};
  const std::string marker =
      "/tmp/kq_xdotool_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++calls);
  std::wstring markerOnWindows = L"Z:" + Widen(marker);
  std::replace(markerOnWindows.begin(), markerOnWindows.end(), L'/', L'\\');
  DeleteFileW(markerOnWindows.c_str());

  std::wstring line = kXdotool;
  for (const auto& argument : arguments)
    line += L" " + Widen(argument);
  line += L" exec touch " + Widen(marker);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    ADD_FAILURE() << "cannot start xdotool: error " << GetLastError();
    return false;
  }
  // For a Unix program Wine returns no handles to wait on; whatever it gave is closed.
  win::UniqueHandle thread(info.hThread);
  win::UniqueHandle process(info.hProcess);
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (GetFileAttributesW(markerOnWindows.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ADD_FAILURE() << "xdotool did not finish: " << std::string(line.begin(), line.end());
      return false;
    }
    std::this_thread::sleep_for(20ms);
  }
  DeleteFileW(markerOnWindows.c_str());
  return true;
}

}  // namespace kq::testing
