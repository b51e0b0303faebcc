#pragma once
// The program's message box as the portable code sees it: the kinds, the standard buttons
// and the dialog results, and the question box built on it.

#include <string>
#include <vector>

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

// Dialog results, the platform's codes (IDOK, IDCANCEL, ...); custom button n gives 100 + n.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrClose = 8;
inline constexpr int kFirstCustomResult = 100;

class MessageDialogs {
 public:
  virtual ~MessageDialogs() = default;
  // Shows msg modally and returns the result of the button pressed. With custom captions,
  // buttons is ignored where the dialog can show them.
  virtual int ShowMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                             const std::vector<std::u16string>& customButtons = {}) = 0;
};

// A task dialog's texts: a message of several lines shows its first line as the main
// instruction and the rest as the content, without one empty line directly below the first.
struct TaskDialogText {
  std::u16string instruction;
  std::u16string content;
};
TaskDialogText SplitMessageText(const std::u16string& msg);

// ShowMessageDlg(msg, information, {OK}).
void ShowInfoMessage(MessageDialogs& dialogs, const std::u16string& msg);

// The question box: kind 1 asks Yes or No; kind 2 offers "First" (Yes), "Second" (No) and
// "Cancel" (Cancel). Any other result is returned as it came.
int AskUser(MessageDialogs& dialogs, const std::u16string& msg, int kind);

}  // namespace kq
