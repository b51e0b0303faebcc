#include "app/win32/MainProgram.h"

#include "app/win32/Keyquillfrm.h"
#include "app/win32/Trace.h"
#include "common/Product.h"
#include "platform/win32/Wide.h"
#include "errorreport/win32/ErrorEntry.h"
#include "ui/win32/Application.h"
#include "ui/win32/UiErrors.h"

namespace kq::app {

int RunFirstInstance(HINSTANCE instance, SingleInstance& guard, ProgramObjects& objects) {
  guard.CreateGlobalMutex();
  ui::Application application(instance);  // its window stays hidden: no taskbar button
  ui::SetUiExceptionHandler([](const std::exception& error) { win::ReportException(error); });
  application.SetTitle(win::Wide(kProductName));
  guard.PublishWindow(application.Handle());
  int exitCode = 0;
  {
    TKeyquillForm form(application, objects);
    Trace(u"Ready");
    exitCode = application.Run();
  }
  Trace(u"Closed");
  return exitCode;
}

}  // namespace kq::app
