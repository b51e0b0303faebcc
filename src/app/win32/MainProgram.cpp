#include "app/win32/MainProgram.h"

#include "app/win32/Trace.h"
#include "common/Product.h"
#include "common/Text.h"
#include "platform/win32/Wide.h"
#include "errorreport/win32/ErrorEntry.h"
#include "ui/win32/Application.h"
#include "ui/win32/UiErrors.h"

namespace kq::app {

namespace {

// The application-wide message filter: the registered messages are recognised by their id
// alone, whichever window they were posted to.
bool AppMessage(MSG& msg) {
  if (msg.message == SharedData->WM_ShowOptDlg()) {
    Trace(u"ShowOptDlg " + IntToStr(static_cast<long long>(msg.wParam)) + u" " +
          IntToStr(static_cast<long long>(msg.lParam)));
    return true;
  }
  return false;
}

}  // namespace

int RunFirstInstance(HINSTANCE instance, SingleInstance& guard, ProgramObjects& objects) {
  guard.CreateGlobalMutex();
  ui::Application application(instance);  // its window stays hidden: no taskbar button
  ui::SetUiExceptionHandler([](const std::exception& error) { win::ReportException(error); });
  application.SetTitle(win::Wide(kProductName));
  guard.PublishWindow(application.Handle());
  application.SetMessageFilter(AppMessage);
  Trace(u"Ready");
  int exitCode = application.Run();
  // What the main window's destruction ends.
  objects.FreeSettingsStore();
  Trace(u"Closed");
  return exitCode;
}

}  // namespace kq::app
