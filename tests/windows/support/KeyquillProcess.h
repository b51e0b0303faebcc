#pragma once
// Drives a real Keyquill.exe from a test: start it (with a trace file of its own), wait until
// it is ready, find its windows, read what it traced, and stop it, leaving no process behind.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace kq::testing {

// The folder of the running test program, where Keyquill.exe lies too.
std::wstring TestProgramFolder();

// A started program: its process, owned, and its id.
struct StartedProcess {
  win::UniqueHandle process;
  DWORD id = 0;
};

// Starts a program; an empty process when it cannot be started. Under Wine a start fails now
// and then for a moment while another process is ending, so a few tries are made.
StartedProcess StartProcess(std::wstring commandLine);

// A top-level window of the process with that class, visible or not, and with that caption
// when one is given; null when there is none.
HWND ProcessWindow(DWORD processId, const wchar_t* className, bool visible,
                   const wchar_t* caption = nullptr);
// The same, waited for up to the time given.
HWND WaitForProcessWindow(DWORD processId, const wchar_t* className, bool visible,
                          const wchar_t* caption = nullptr, int seconds = 10);

// A new, empty temporary file whose name starts with the prefix.
std::wstring NewTempFilePath(const wchar_t* prefix);

// The lines of a text file, without their line ends; none when it does not exist.
std::vector<std::string> ReadLines(const std::wstring& path);

// Waits until one of the lines that lines() gives equals the text, looking again every 20 ms;
// false when none did in time. A zero timeout looks once.
bool WaitForLine(const std::function<std::vector<std::string>()>& lines, const std::string& line,
                 std::chrono::milliseconds timeout);

// Runs a program to its end and returns its exit code; -1 when it did not end in time.
DWORD RunToEnd(const std::wstring& commandLine, std::chrono::milliseconds timeout,
               DWORD* processId = nullptr);

class KeyquillProcess {
 public:
  KeyquillProcess();
  ~KeyquillProcess();  // stops the program if it still runs
  KeyquillProcess(const KeyquillProcess&) = delete;
  KeyquillProcess& operator=(const KeyquillProcess&) = delete;

  static std::wstring ExecutablePath();

  // Starts Keyquill.exe with the arguments and waits until it traced "Ready".
  void Start(const std::wstring& arguments = L"");
  // Starts it without waiting, for a start that shows a message box first.
  void Launch(const std::wstring& arguments = L"");
  // Asks the program to close through its application window and waits for its end.
  // Returns the exit code.
  DWORD Stop();

  bool Running() const;
  DWORD ProcessId() const { return processId_; }
  // The program's application window.
  HWND ApplicationWindow() const;

  // A visible form of the program with that caption ("Keyquill Options", ...), waited for;
  // null when none came.
  HWND WaitForForm(const wchar_t* caption,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  // A visible dialog box (class "#32770") of the program, waited for; null when none came.
  HWND WaitForDialog(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

  // The lines the program traced so far.
  std::vector<std::string> TraceLines() const;
  // Those of them that start with the prefix, in order.
  std::vector<std::string> TraceLinesStartingWith(const std::string& prefix) const;
  // Waits until a traced line equals the text; false when none came in time.
  bool WaitForTrace(const std::string& line,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

 private:
  std::wstring tracePath_;
  win::UniqueHandle process_;
  DWORD processId_ = 0;
};

// The texts of a window's visible descendants of a class, read with WM_GETTEXT so that they
// come from another process too.
std::vector<std::wstring> DescendantTexts(HWND window, const wchar_t* className);
// Clicks the descendant button with this caption; false when there is none.
bool ClickButton(HWND window, const std::wstring& caption);

}  // namespace kq::testing
