// Prints the text of a window of another process as UTF-8, read with WM_GETTEXT: the child of
// the given class inside the first top-level window of the given class, waited for up to ten
// seconds. For the scripts' tests, which read back what was typed into a real application.
//   kq_window_text.exe TOP_CLASS CHILD_CLASS     e.g. Notepad Edit
// Exit code 0 with the text, 1 when no such window came.

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3)
    return 2;
  HWND child = nullptr;
  for (int i = 0; i < 100 && !child; ++i) {
    if (HWND top = FindWindowW(argv[1], nullptr))
      child = FindWindowExW(top, nullptr, argv[2], nullptr);
    if (!child)
      Sleep(100);
  }
  if (!child)
    return 1;
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return 1;
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(copied), nullptr,
                                       0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(copied), utf8.data(), size, nullptr,
                      nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
            nullptr);
  return 0;
}
