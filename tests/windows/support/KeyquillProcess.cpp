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

}  // namespace

StartedProcess StartProcess(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  for (int attempt = 0; attempt < 5; ++attempt) {
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
      win::UniqueHandle thread(info.hThread);
      return {win::UniqueHandle(info.hProcess), info.dwProcessId};
    }
    Sleep(200);
  }
  return {};
}

HWND ProcessWindow(DWORD processId, const wchar_t* className, bool visible,
                   const wchar_t* caption) {
  struct Query {
    DWORD processId;
    const wchar_t* className;
    bool visible;
    const wchar_t* caption;
    HWND found = nullptr;
  } query{processId, className, visible, caption};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& query = *reinterpret_cast<Query*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        wchar_t text[128] = {};
        GetWindowTextW(window, text, 128);
        if (owner == query.processId && lstrcmpiW(name, query.className) == 0 &&
            (IsWindowVisible(window) != FALSE) == query.visible &&
            (!query.caption || lstrcmpW(text, query.caption) == 0)) {
          query.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, bool visible,
                          const wchar_t* caption, int seconds) {
  for (int i = 0; i < seconds * 50; ++i) {
    if (HWND window = ProcessWindow(processId, className, visible, caption))
      return window;
    Sleep(20);
  }
  return nullptr;
}

std::wstring NewTempFilePath(const wchar_t* prefix) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  wchar_t name[MAX_PATH];
  GetTempFileNameW(folder, prefix, 0, name);
  return name;
}

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

DWORD RunToEnd(const std::wstring& commandLine, std::chrono::milliseconds timeout,
               DWORD* processId) {
  StartedProcess started = StartProcess(commandLine);
  if (!started.process) {
    ADD_FAILURE() << "cannot start "
                  << ToUtf8(std::u16string(commandLine.begin(), commandLine.end())) << ": error "
                  << GetLastError();
    return static_cast<DWORD>(-1);
  }
  const win::UniqueHandle& process = started.process;
  if (processId)
    *processId = started.id;
  if (WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    return static_cast<DWORD>(-1);
  }
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return code;
}

KeyquillProcess::KeyquillProcess() : tracePath_(NewTempFilePath(L"kqt")) {}

KeyquillProcess::~KeyquillProcess() {
  if (Running()) {
    Stop();
    if (Running())
      TerminateProcess(process_.get(), 99);
  }
  DeleteFileW(tracePath_.c_str());
}

HWND KeyquillProcess::WaitForForm(const wchar_t* caption,
                                  std::chrono::milliseconds timeout) const {
  return WaitForProcessWindow(processId_, L"KeyquillContainer", true, caption,
                              static_cast<int>((timeout.count() + 999) / 1000));
}

std::wstring KeyquillProcess::ExecutablePath() {
  return TestProgramFolder() + L"\\Keyquill.exe";
}

void KeyquillProcess::Start(const std::wstring& arguments) {
  ASSERT_NO_FATAL_FAILURE(Launch(arguments));
  ASSERT_TRUE(WaitForTrace("Ready")) << "Keyquill.exe did not become ready";
}

void KeyquillProcess::Launch(const std::wstring& arguments) {
  DeleteFileW(tracePath_.c_str());
  SetEnvironmentVariableW(L"KEYQUILL_TRACE", tracePath_.c_str());
  std::wstring line = L"\"" + ExecutablePath() + L"\"";
  if (!arguments.empty())
    line += L" " + arguments;
  StartedProcess started = StartProcess(line);
  SetEnvironmentVariableW(L"KEYQUILL_TRACE", nullptr);
  ASSERT_TRUE(started.process) << "cannot start Keyquill.exe";
  process_ = std::move(started.process);
  processId_ = started.id;
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

HWND KeyquillProcess::WaitForDialog(std::chrono::milliseconds timeout) const {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId_, nullptr};
  auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* search = reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t className[16];
          if (owner == search->processId && IsWindowVisible(window) &&
              GetClassNameW(window, className, 16) && wcscmp(className, L"#32770") == 0) {
            search->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found)
      return search.found;
    std::this_thread::sleep_for(50ms);
  } while (std::chrono::steady_clock::now() < deadline);
  return nullptr;
}

namespace {

struct Descendants {
  const wchar_t* className;
  std::vector<HWND> found;
};

std::vector<HWND> VisibleDescendants(HWND window, const wchar_t* className) {
  Descendants search{className, {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Descendants*>(data);
        wchar_t name[32];
        if (IsWindowVisible(child) && GetClassNameW(child, name, 32) &&
            _wcsicmp(name, search->className) == 0) {
          search->found.push_back(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return std::wstring(text, copied);
}

}  // namespace

std::vector<std::wstring> DescendantTexts(HWND window, const wchar_t* className) {
  std::vector<std::wstring> texts;
  for (HWND child : VisibleDescendants(window, className)) {
    if (std::wstring text = TextOf(child); !text.empty())
      texts.push_back(text);
  }
  return texts;
}

bool ClickButton(HWND window, const std::wstring& caption) {
  for (HWND button : VisibleDescendants(window, L"Button")) {
    if (TextOf(button) == caption) {
      PostMessageW(button, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

std::vector<std::string> KeyquillProcess::TraceLines() const {
  return ReadLines(tracePath_);
}

std::vector<std::string> KeyquillProcess::TraceLinesStartingWith(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (auto& line : TraceLines()) {
    if (line.rfind(prefix, 0) == 0)
      lines.push_back(std::move(line));
  }
  return lines;
}

bool KeyquillProcess::WaitForTrace(const std::string& line,
                                   std::chrono::milliseconds timeout) const {
  return WaitForLine([this] { return TraceLines(); }, line, timeout);
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream in{std::filesystem::path(path)};
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool WaitForLine(const std::function<std::vector<std::string>()>& lines, const std::string& line,
                 std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    for (const auto& found : lines()) {
      if (found == line)
        return true;
    }
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(20ms);
  }
}

}  // namespace kq::testing
