// The window the latency benchmark types into, in a process of its own: it takes the focus
// and records each key press and character message it receives, with the time it arrived,
// in the benchmark's shared record. It ends when it is closed.

#include <windows.h>

#include "SharedRecord.h"
#include "platform/win32/Handles.h"

namespace {

kq::bench::SharedRecord* record = nullptr;

bool Recorded(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR ||
         message == WM_SYSCHAR;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Recorded(message)) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const std::uint32_t index = record->count.load(std::memory_order_relaxed);
    if (index < kq::bench::SharedRecord::kCapacity) {
      record->messages[index] = {message, static_cast<std::uint32_t>(wParam),
                                 static_cast<std::uint64_t>(lParam), now.QuadPart};
      record->count.store(index + 1, std::memory_order_release);
    }
    return 0;  // no menu mode, no default handling
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kq::win::UniqueHandle mapping(
      OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kq::bench::kRecordName));
  if (!mapping)
    return 2;
  kq::win::UniqueMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!view)
    return 3;
  record = static_cast<kq::bench::SharedRecord*>(view.get());

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"KeyquillLatencyTarget";
  RegisterClassExW(&windowClass);
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"Keyquill latency target", WS_OVERLAPPEDWINDOW,
                      40, 40, 320, 200, nullptr, nullptr, instance, nullptr);
  if (!window)
    return 4;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(window);
  record->window.store(reinterpret_cast<std::uintptr_t>(window), std::memory_order_release);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
