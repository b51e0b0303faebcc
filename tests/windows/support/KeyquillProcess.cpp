#include "support/KeyquillProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "common/Text.h"
#include "ui/win32/Application.h"

namespace kq::testing {

namespace {

using namespace std::chrono_literals;

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchApplicationWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[64];
  if (owner == search->processId && GetClassNameW(window, className, 64) &&
      wcscmp(className, ui::Application::kWindowClass) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Under Wine a start fails now and then for a moment while another process is ending; a few
// tries tell that apart from a program that cannot start at all.
bool StartProcess(std::wstring commandLine, PROCESS_INFORMATION& info) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
      return true;
    }
    Sleep(200);
  }
  return false;
}

}  // namespace

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

DWORD RunToEnd(const std::wstring& commandLine, std::chrono::milliseconds timeout,
               DWORD* processId) {
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!StartProcess(line, info)) {
    ADD_FAILURE() << "cannot start " << ToUtf8(std::u16string(line.begin(), line.end()))
                  << ": error " << GetLastError();
    return static_cast<DWORD>(-1);
  }
  win::UniqueHandle process(info.hProcess);
  win::UniqueHandle thread(info.hThread);
  if (processId)
    *processId = info.dwProcessId;
  if (WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    return static_cast<DWORD>(-1);
  }
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return code;
}

KeyquillProcess::KeyquillProcess() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  wchar_t name[MAX_PATH];
  GetTempFileNameW(folder, L"kqt", 0, name);
  tracePath_ = name;
}

KeyquillProcess::~KeyquillProcess() {
  if (Running()) {
    Stop();
    if (Running())
      TerminateProcess(process_.get(), 99);
  }
  DeleteFileW(tracePath_.c_str());
}

std::wstring KeyquillProcess::ExecutablePath() {
  return TestProgramFolder() + L"\\Keyquill.exe";
}

void KeyquillProcess::Start(const std::wstring& arguments) {
  DeleteFileW(tracePath_.c_str());
  SetEnvironmentVariableW(L"KEYQUILL_TRACE", tracePath_.c_str());
  std::wstring line = L"\"" + ExecutablePath() + L"\"";
  if (!arguments.empty())
    line += L" " + arguments;
  PROCESS_INFORMATION info{};
  bool started = StartProcess(line, info);
  SetEnvironmentVariableW(L"KEYQUILL_TRACE", nullptr);
  ASSERT_TRUE(started) << "cannot start Keyquill.exe";
  process_.reset(info.hProcess);
  CloseHandle(info.hThread);
  processId_ = info.dwProcessId;
  ASSERT_TRUE(WaitForTrace("Ready")) << "Keyquill.exe did not become ready";
}

DWORD KeyquillProcess::Stop() {
  if (HWND window = ApplicationWindow())
    PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "Keyquill.exe did not end after WM_CLOSE";
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool KeyquillProcess::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND KeyquillProcess::ApplicationWindow() const {
  WindowSearch search{processId_, nullptr};
  EnumWindows(MatchApplicationWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::string> KeyquillProcess::TraceLines() const {
  std::vector<std::string> lines;
  std::ifstream in{std::filesystem::path(tracePath_)};
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool KeyquillProcess::WaitForTrace(const std::string& line,
                                   std::chrono::milliseconds timeout) const {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    for (const auto& traced : TraceLines()) {
      if (traced == line)
        return true;
    }
    std::this_thread::sleep_for(20ms);
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

}  // namespace kq::testing
