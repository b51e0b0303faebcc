#include "ui/win32/BusyCursor.h"

#include <windows.h>

#include "ui/win32/Application.h"

namespace kq::ui {

namespace {

// The program has no multiple-document child windows, so there are no Close commands of
// such windows to disable while busy.
void ShowBusy(bool busy) {
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  if (auto* application = Application::Current())
    application->ProcessMessages();
}

}  // namespace

BusyCounter& ProgramBusyCounter() {
  static BusyCounter counter(ShowBusy);
  return counter;
}

void BeginBusy() {
  ProgramBusyCounter().Begin();
}

void EndBusy() {
  ProgramBusyCounter().End();
}

void ResetBusy() {
  ProgramBusyCounter().Reset();
}

int BusyLevel() {
  return ProgramBusyCounter().Level();
}

}  // namespace kq::ui
