#pragma once
// ShowErrorMsg and ReportException: how a failure reaches the user, whichever boxes exist.
// The error report dialog plugs in through ErrorReportDialog once it exists; until then
// (and whenever it is absent) the program's own boxes are used.

#include <exception>
#include <functional>
#include <string>

#include "common/BusyCounter.h"
#include "common/ErrorMessages.h"
#include "common/MessageDialogs.h"
#include "platform/WindowsRelease.h"

namespace kq {

// The error report dialog as the entry points use it.
class ErrorReportDialog {
 public:
  virtual ~ErrorReportDialog() = default;
  virtual bool OnScreen() const = 0;
  // Shows msg modally; showDetails adds the button that leads to the report. No bug report
  // text and no screenshot either way.
  virtual void ShowMessage(const std::u16string& msg, bool showDetails) = 0;
  // Shows msg in a temporary second dialog (program name and version as this one's), without
  // the report button, and frees it afterwards.
  virtual void ShowInTemporaryDialog(const std::u16string& msg) = 0;
};

// The framework's own boxes, used when there is no error report dialog.
class StandardBoxes {
 public:
  virtual ~StandardBoxes() = default;
  virtual void ShowPlainMessage(const std::u16string& msg) = 0;
  virtual void ShowExceptionMessage(const std::u16string& msg) = 0;
  virtual void SetDefaultCursor() = 0;
};

class ErrorEntryPoints : public ErrorMessages {
 public:
  // reportDialog gives the error report dialog instance, or null while there is none.
  ErrorEntryPoints(BusyCounter& busy, platform::WindowsRelease release, MessageDialogs& dialogs,
                   StandardBoxes& boxes, std::function<ErrorReportDialog*()> reportDialog);

  void ShowErrorMsg(const std::u16string& message) override;
  void ReportException(const std::exception& error) override;

 private:
  BusyCounter& busy_;
  platform::WindowsRelease release_;
  MessageDialogs& dialogs_;
  StandardBoxes& boxes_;
  std::function<ErrorReportDialog*()> reportDialog_;
};

}  // namespace kq
