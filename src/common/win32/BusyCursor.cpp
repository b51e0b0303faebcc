#include "common/win32/BusyCursor.h"

#include <windows.h>

#include "ui/win32/Application.h"

namespace kq::win {

namespace {

int busyLevel = 0;

void LetQueuedMessagesRun() {
  if (auto* application = ui::Application::Current())
    application->ProcessMessages();
}

}  // namespace

// The program has no multiple-document child windows, so there are no Close commands of
// such windows to disable while busy.
void BeginBusy() {
  if (busyLevel++ == 0) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    LetQueuedMessagesRun();
  }
}

void EndBusy() {
  if (--busyLevel > 0)
    return;
  busyLevel = 0;
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  LetQueuedMessagesRun();
}

void ResetBusy() {
  busyLevel = 1;
  EndBusy();
}

int BusyLevel() {
  return busyLevel;
}

}  // namespace kq::win
