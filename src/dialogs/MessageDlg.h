#pragma once
// How the program's message box lays out its text as a task dialog. The box's kinds, buttons
// and question box are the portable interface in common.

#include <string>

#include "common/MessageDialogs.h"

namespace kq {

// A task dialog's texts: a message of several lines shows its first line as the main
// instruction and the rest as the content, without one empty line directly below the first.
struct TaskDialogText {
  std::u16string instruction;
  std::u16string content;
};
TaskDialogText SplitMessageText(const std::u16string& msg);

}  // namespace kq
