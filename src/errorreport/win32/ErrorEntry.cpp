#include "errorreport/win32/ErrorEntry.h"

#include <windows.h>

#include "dialogs/win32/MessageBoxes.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32System.h"
#include "ui/win32/Application.h"
#include "ui/win32/BusyCursor.h"

namespace kq::win {

namespace {

void ShowBox(const std::u16string& msg, UINT icon) {
  auto* application = ui::Application::Current();
  HWND owner = application ? application->ActiveOwner() : nullptr;
  std::wstring title = application ? application->Title() : L"Keyquill";
  MessageBoxW(owner, Wide(msg).c_str(), title.c_str(), MB_OK | icon | MB_TASKMODAL);
}

std::function<ErrorReportDialog*()>& ReportDialogProvider() {
  static std::function<ErrorReportDialog*()> provider;
  return provider;
}

}  // namespace

void Win32StandardBoxes::ShowPlainMessage(const std::u16string& msg) {
  ShowBox(msg, 0);
}

void Win32StandardBoxes::ShowExceptionMessage(const std::u16string& msg) {
  ShowBox(msg, MB_ICONERROR);
}

void Win32StandardBoxes::SetDefaultCursor() {
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

ErrorEntryPoints& ProgramErrorEntryPoints() {
  static Win32StandardBoxes boxes;
  static ErrorEntryPoints entryPoints(ui::ProgramBusyCounter(), QueryWindowsRelease(),
                                      ProgramMessageBoxes(), boxes, [] {
                                        auto& provider = ReportDialogProvider();
                                        return provider ? provider() : nullptr;
                                      });
  return entryPoints;
}

void SetErrorReportDialog(std::function<ErrorReportDialog*()> provider) {
  ReportDialogProvider() = std::move(provider);
}

void ShowErrorMsg(const std::u16string& message) {
  ProgramErrorEntryPoints().ShowErrorMsg(message);
}

void ReportException(const std::exception& error) {
  ProgramErrorEntryPoints().ReportException(error);
}

}  // namespace kq::win
