#pragma once
// Dots per inch. Positions and sizes are designed at 96 dpi and scaled to the monitor's
// dpi. The per-monitor functions exist from Windows 10; older releases use the system dpi.

#include <windows.h>

namespace kq::ui {

inline constexpr UINT kDesignDpi = 96;

inline int Scale(int designed, UINT dpi) {
  return MulDiv(designed, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}
inline int Unscale(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(kDesignDpi), static_cast<int>(dpi));
}

UINT DpiOfWindow(HWND window);
UINT SystemDpi();
// The window rectangle for a client area, for the window's styles at dpi.
RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi);
int SystemMetricForDpi(int index, UINT dpi);

}  // namespace kq::ui
