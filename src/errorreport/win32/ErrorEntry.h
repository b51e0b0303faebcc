#pragma once
// The entry points through which the program shows an error to the user.

#include <exception>
#include <string>

#include "errorreport/ErrorMessages.h"

namespace kq::win {

// Shows the text as an error and waits until the user closes it.
void ShowErrorMsg(const std::u16string& message);

// Shows a caught exception's message, with the way to report it once that exists.
void ReportException(const std::exception& error);

// The entry points behind the interface the portable code reports through.
class Win32ErrorMessages : public ErrorMessages {
 public:
  void ShowErrorMsg(const std::u16string& message) override { win::ShowErrorMsg(message); }
  void ReportException(const std::exception& error) override { win::ReportException(error); }
};

}  // namespace kq::win
