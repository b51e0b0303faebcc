#pragma once
// The two entry points through which the program shows a failure to the user, as the
// portable code reaches them.

#include <exception>
#include <string>

namespace kq {

class ErrorMessages {
 public:
  virtual ~ErrorMessages() = default;
  // Shows a text as an error and returns when the user has closed it.
  virtual void ShowErrorMsg(const std::u16string& message) = 0;
  // Shows a caught exception with the way to report it.
  virtual void ReportException(const std::exception& error) = 0;
};

}  // namespace kq
