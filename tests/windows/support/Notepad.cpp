#include "support/Notepad.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/KeyquillProcess.h"

namespace kq::testing {

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kNotepadPath[] = L"C:\\windows\\system32\\notepad.exe";

}  // namespace

Notepad::~Notepad() {
  if (process_) {
    // Closing would ask whether to save what was typed; nothing of it is wanted.
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 5000);
  }
}

void Notepad::Start() {
  StartedProcess started = StartProcess(kNotepadPath);
  ASSERT_TRUE(started.process) << "cannot start notepad.exe: error " << GetLastError();
  process_ = std::move(started.process);
  processId_ = started.id;
  window_ = WaitForProcessWindow(processId_, L"Notepad", true);
  ASSERT_TRUE(window_) << "Notepad's window did not come up";
  edit_ = FindWindowExW(window_, nullptr, L"Edit", nullptr);
  ASSERT_TRUE(edit_) << "Notepad has no edit control";
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (GetForegroundWindow() != window_ && std::chrono::steady_clock::now() < deadline) {
    SetForegroundWindow(window_);
    std::this_thread::sleep_for(50ms);
  }
  ASSERT_EQ(GetForegroundWindow(), window_) << "Notepad is not in the foreground";
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  for (int i = 0; i < 100 && !(GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &gui) &&
                               gui.hwndFocus == edit_);
       ++i)
    std::this_thread::sleep_for(20ms);
  ASSERT_EQ(gui.hwndFocus, edit_) << "the focus is not in Notepad's edit control";
}

std::wstring Notepad::Text() const {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

void Notepad::Clear() const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 5000,
                      &result);
}

bool Notepad::WaitForText(const std::wstring& text, std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (Text() == text)
      return true;
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(20ms);
  }
}

bool Notepad::MenuOpen() {
  for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu;
       menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
    if (IsWindowVisible(menu))
      return true;
  }
  return false;
}

}  // namespace kq::testing
