// A window in a process of its own, with a child window that takes the focus. It records the
// keyboard messages both receive, one line each, "NAME wParam lParam" (lParam in hexadecimal)
// followed by " frame" for the top-level window, in the file named by its first argument,
// together with its focus and activation changes. Once it is up it writes "Ready" followed by
// the top-level window's handle. It ends when it is closed.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "platform/win32/Handles.h"

namespace {

std::wstring recordPath;
HWND frame = nullptr;

void Record(const std::wstring& line) {
  kq::win::UniqueHandle file(CreateFileW(recordPath.c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return;
  std::string text(line.begin(), line.end());
  text += "\r\n";
  DWORD written = 0;
  WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

const wchar_t* KeyMessageName(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
      return L"KEYDOWN";
    case WM_KEYUP:
      return L"KEYUP";
    case WM_SYSKEYDOWN:
      return L"SYSKEYDOWN";
    case WM_SYSKEYUP:
      return L"SYSKEYUP";
    case WM_CHAR:
      return L"CHAR";
    case WM_SYSCHAR:
      return L"SYSCHAR";
    case WM_DEADCHAR:
      return L"DEADCHAR";
    case WM_SYSDEADCHAR:
      return L"SYSDEADCHAR";
    default:
      return nullptr;
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const wchar_t* name = KeyMessageName(message)) {
    wchar_t line[96];
    swprintf(line, 96, L"%ls %llu %llx%ls", name, static_cast<unsigned long long>(wParam),
             static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)),
             window == frame ? L" frame" : L"");
    Record(line);
    return 0;  // no menu mode for Alt, no default handling of any key
  }
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_ACTIVATE) {
    wchar_t line[96];
    swprintf(line, 96, L"%ls %llu %llx",
             message == WM_SETFOCUS    ? L"SETFOCUS"
             : message == WM_KILLFOCUS ? L"KILLFOCUS"
                                       : L"ACTIVATE",
             static_cast<unsigned long long>(wParam),
             static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)));
    Record(line);
  }
  if (message == WM_DESTROY && window == frame) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv || count < 2)
    return 2;
  recordPath = argv[1];
  LocalFree(argv);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"KeyquillTestTarget";
  RegisterClassExW(&windowClass);
  frame =
      CreateWindowExW(0, windowClass.lpszClassName, L"Keyquill test target", WS_OVERLAPPEDWINDOW,
                      40, 40, 320, 200, nullptr, nullptr, instance, nullptr);
  HWND child = frame ? CreateWindowExW(0, windowClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10,
                                       10, 200, 100, frame, nullptr, instance, nullptr)
                     : nullptr;
  if (!child)
    return 3;
  ShowWindow(frame, SW_SHOWNORMAL);
  SetForegroundWindow(frame);
  SetFocus(child);
  Record(L"Ready " + std::to_wstring(reinterpret_cast<ULONG_PTR>(frame)));

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
