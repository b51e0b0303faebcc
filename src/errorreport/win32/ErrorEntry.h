#pragma once
// The entry points through which the program shows an error to the user.

#include <string>

#include "settings/Globals.h"

namespace kq::win {

// Shows the text as an error and waits until the user closes it.
void ShowErrorMsg(const std::u16string& message);

// ShowErrorMsg behind the interface the portable settings code reports through.
class Win32ErrorMessages : public ErrorMessages {
 public:
  void ShowErrorMsg(const std::u16string& message) override { win::ShowErrorMsg(message); }
};

}  // namespace kq::win
