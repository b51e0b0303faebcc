#include "dialogs/MessageDlg.h"

namespace kq {

namespace {

// The length of the line break at pos (CR LF, CR or LF), 0 when there is none.
size_t BreakAt(const std::u16string& text, size_t pos) {
  if (pos >= text.size())
    return 0;
  if (text[pos] == u'\r')
    return pos + 1 < text.size() && text[pos + 1] == u'\n' ? 2 : 1;
  return text[pos] == u'\n' ? 1 : 0;
}

}  // namespace

TaskDialogText SplitMessageText(const std::u16string& msg) {
  size_t end = msg.find_first_of(u"\r\n");
  if (end == std::u16string::npos)
    return {{}, msg};
  size_t rest = end + BreakAt(msg, end);
  rest += BreakAt(msg, rest);  // the one empty line below the instruction
  return {msg.substr(0, end), msg.substr(rest)};
}

}  // namespace kq
