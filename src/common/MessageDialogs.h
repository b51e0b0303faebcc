#pragma once
// The program's message box as the portable code reaches it: the kinds, the standard
// buttons, and the question box built on it. The dialogs implement it.

#include <string>
#include <vector>

#include "common/ModalResult.h"

namespace kq {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A set of standard buttons, combined with |.
enum TMsgDlgBtn : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
};
using TMsgDlgButtons = unsigned;

class MessageDialogs {
 public:
  virtual ~MessageDialogs() = default;
  // Shows msg modally and returns the modal result of the button pressed. With custom
  // captions, buttons is ignored where the dialog can show them.
  virtual int ShowMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                             const std::vector<std::u16string>& customButtons = {}) = 0;
};

// ShowMessageDlg(msg, information, {OK}).
void ShowInfoMessage(MessageDialogs& dialogs, const std::u16string& msg);

// The question box: kind 1 asks Yes or No; kind 2 offers "First" (Yes), "Second" (No) and
// "Cancel" (Cancel). Any other result is returned as it came.
int AskUser(MessageDialogs& dialogs, const std::u16string& msg, int kind);

}  // namespace kq
