// The character map's costs on the real system, timed under Wine (scripts/bench-windows): a
// repaint of a full screen of cells, and the fill of "All" through the range box, each the
// median of many runs. Figures to read, not a test: nothing here passes or fails.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "charmap/win32/NewCharMap.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// The median time of runs of action, in milliseconds.
double Median(int runs, const std::function<void()>& action) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void ChooseRange(win::TCharMapDlg& map, int index) {
  SendMessageW(map.Subranges->Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(map.Handle(), WM_COMMAND, MAKEWPARAM(map.Subranges->Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(map.Subranges->Handle()));
}

int Run() {
  ui::Application application(GetModuleHandleW(nullptr));
  win::TCharMapDlg map({}, nullptr, L"Tahoma", 12, [](char16_t c) { return c % 7 == 0; });
  UiSteps steps(
      {Do([&] {
         HWND grid = map.CharGrid1->Handle();
         const double repaint = Median(
             200, [&] { RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
         const double fillAll = Median(50, [&] { ChooseRange(map, 0); });
         std::printf("repaint of a full grid (%d x %d cells): %.2f ms\n", map.CharGrid1->Columns(),
                     static_cast<int>(map.CharGrid1->ClientSize().cy) / map.CharGrid1->CellPixels(),
                     repaint);
         std::printf("fill of All (%d rows): %.2f ms\n", map.CharGrid1->Rows(), fillAll);
       }),
       Do([&] { map.CancelBtn->Click(); })},
      60000);
  map.ShowModal();
  return steps.TimedOut() ? 1 : 0;
}

}  // namespace
}  // namespace kq::testing

int wmain() {
  return kq::testing::Run();
}
