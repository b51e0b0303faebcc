#include "ui/win32/Dpi.h"

#include "platform/win32/Handles.h"

namespace kq::ui {

namespace {

// Looked up at run time so that the program still starts on releases without them.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

}  // namespace

UINT SystemDpi() {
  win::WindowDC screen;
  UINT dpi = static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
  return dpi ? dpi : kDesignDpi;
}

UINT DpiOfWindow(HWND window) {
  static auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (UINT dpi = getDpiForWindow(window))
      return dpi;
  }
  return SystemDpi();
}

RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi) {
  static auto adjust = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&client, style, hasMenu, exStyle, dpi))
    AdjustWindowRectEx(&client, style, hasMenu, exStyle);
  return client;
}

int SystemMetricForDpi(int index, UINT dpi) {
  static auto metric = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return metric ? metric(index, dpi) : GetSystemMetrics(index);
}

}  // namespace kq::ui
