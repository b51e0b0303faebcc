#include "errorreport/win32/ErrorEntry.h"

#include <windows.h>

#include "common/Product.h"
#include "common/win32/BusyCursor.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Application.h"

namespace kq::win {

void ShowErrorMsg(const std::u16string& message) {
  EndBusy();  // not under an hourglass
  auto* application = ui::Application::Current();
  MessageBoxW(application ? application->Handle() : nullptr, Wide(message).c_str(),
              Wide(kProductName).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace kq::win
