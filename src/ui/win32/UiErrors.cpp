#include "ui/win32/UiErrors.h"

#include <windows.h>

#include <stdexcept>

#include "common/Errors.h"
#include "platform/win32/Wide.h"

namespace kq::ui {

namespace {

UiExceptionHandler& Handler() {
  static UiExceptionHandler handler;
  return handler;
}

void ShowPlain(const std::exception& error) {
  MessageBoxW(nullptr, win::Wide(ExceptionMessage(error)).c_str(), L"Keyquill",
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

void SetUiExceptionHandler(UiExceptionHandler handler) {
  Handler() = std::move(handler);
}

void HandleCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const Abort&) {
    } catch (const std::exception& error) {
      if (Handler())
        Handler()(error);
      else
        ShowPlain(error);
    } catch (...) {
      std::runtime_error unknown("An unexpected error occurred.");
      if (Handler())
        Handler()(unknown);
      else
        ShowPlain(unknown);
    }
  } catch (...) {
    OutputDebugStringW(L"Keyquill: showing an error failed\n");
  }
}

}  // namespace kq::ui
