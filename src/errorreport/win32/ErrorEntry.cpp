#include "errorreport/win32/ErrorEntry.h"

#include <windows.h>

#include "common/Errors.h"
#include "common/Product.h"
#include "common/Text.h"
#include "common/win32/BusyCursor.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Application.h"

namespace kq::win {

namespace {

HWND Owner() {
  auto* application = ui::Application::Current();
  return application ? application->Handle() : nullptr;
}

std::u16string MessageOf(const std::exception& error) {
  if (auto* own = dynamic_cast<const Error*>(&error))
    return own->Message();
  return FromUtf8(error.what());
}

}  // namespace

void ShowErrorMsg(const std::u16string& message) {
  EndBusy();  // not under an hourglass
  MessageBoxW(Owner(), Wide(message).c_str(), Wide(kProductName).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ReportException(const std::exception& error) {
  ResetBusy();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  MessageBoxW(Owner(), Wide(MessageOf(error)).c_str(), Wide(kProductName).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace kq::win
