#pragma once
// The entry points through which the program shows an error to the user, for the running
// Windows release and the program's own boxes.

#include <exception>
#include <functional>
#include <string>

#include "errorreport/ErrorEntry.h"

namespace kq::win {

// The framework's standard boxes: a plain message box and the exception box, both with the
// application's title.
class Win32StandardBoxes : public StandardBoxes {
 public:
  void ShowPlainMessage(const std::u16string& msg) override;
  void ShowExceptionMessage(const std::u16string& msg) override;
  void SetDefaultCursor() override;
};

// The program's entry points.
ErrorEntryPoints& ProgramErrorEntryPoints();
// The error report dialog, once it exists; the provider may return null.
void SetErrorReportDialog(std::function<ErrorReportDialog*()> provider);

// Shows the text as an error and waits until the user closes it.
void ShowErrorMsg(const std::u16string& message);
// Shows a caught exception's message, with the way to report it.
void ReportException(const std::exception& error);

// The entry points behind the interface the portable code reports through.
class Win32ErrorMessages : public ErrorMessages {
 public:
  void ShowErrorMsg(const std::u16string& message) override { win::ShowErrorMsg(message); }
  void ReportException(const std::exception& error) override { win::ReportException(error); }
};

}  // namespace kq::win
