// The program's entry: one Keyquill per log-on session. A second start never opens a
// window; when its first argument is "/opt" it asks the running one for its Options dialog.

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "app/InstanceRequest.h"
#include "app/win32/MainProgram.h"
#include "app/win32/ProgramGlobals.h"
#include "app/win32/SingleInstance.h"
#include "common/Errors.h"
#include "common/Product.h"
#include "platform/win32/Wide.h"

namespace {

std::vector<std::u16string> Arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::u16string> arguments;
  for (int i = 1; argv && i < count; ++i)
    arguments.push_back(kq::win::Core(argv[i]));
  LocalFree(argv);
  return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    kq::app::ProgramObjects objects;
    kq::app::SingleInstance guard;
    if (guard.IsFirst())
      return kq::app::RunFirstInstance(instance, guard, objects);
    if (kq::AsksForOptions(Arguments())) {
      if (HWND running = kq::app::SingleInstance::FindRunningInstanceWindow()) {
        PostMessageW(running, kq::app::SharedData->WM_ShowOptDlg(), 1, 0);
      }
    }
    return 0;
  } catch (const kq::Error& error) {
    MessageBoxW(nullptr, kq::win::Wide(error.Message()).c_str(),
                kq::win::Wide(kq::kProductName).c_str(), MB_OK | MB_ICONERROR);
    return 1;
  }
}
