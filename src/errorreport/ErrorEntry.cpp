#include "errorreport/ErrorEntry.h"

#include "common/Errors.h"

namespace kq {

ErrorEntryPoints::ErrorEntryPoints(BusyCounter& busy, platform::WindowsRelease release,
                                   MessageDialogs& dialogs, StandardBoxes& boxes,
                                   std::function<ErrorReportDialog*()> reportDialog)
    : busy_(busy),
      release_(release),
      dialogs_(dialogs),
      boxes_(boxes),
      reportDialog_(std::move(reportDialog)) {}

void ErrorEntryPoints::ShowErrorMsg(const std::u16string& message) {
  busy_.End();  // not under an hourglass
  if (release_.IsVistaOrLater()) {
    ShowInfoMessage(dialogs_, message);
    return;
  }
  ErrorReportDialog* dialog = reportDialog_ ? reportDialog_() : nullptr;
  if (!dialog)
    boxes_.ShowPlainMessage(message);
  else if (dialog->OnScreen())
    dialog->ShowInTemporaryDialog(message);
  else
    dialog->ShowMessage(message, false);
}

void ErrorEntryPoints::ReportException(const std::exception& error) {
  busy_.Reset();
  boxes_.SetDefaultCursor();
  if (ErrorReportDialog* dialog = reportDialog_ ? reportDialog_() : nullptr)
    dialog->ShowMessage(ExceptionMessage(error), true);
  else
    boxes_.ShowExceptionMessage(ExceptionMessage(error));
}

}  // namespace kq
