#include "common/MessageDialogs.h"

namespace kq {

void ShowInfoMessage(MessageDialogs& dialogs, const std::u16string& msg) {
  dialogs.ShowMessageDlg(msg, TMsgDlgType::mtInformation, mbOK);
}

int AskUser(MessageDialogs& dialogs, const std::u16string& msg, int kind) {
  if (kind != 2)
    return dialogs.ShowMessageDlg(msg, TMsgDlgType::mtWarning, mbYes | mbNo);
  switch (int result = dialogs.ShowMessageDlg(msg, TMsgDlgType::mtWarning, mbOK,
                                              {u"First", u"Second", u"Cancel"})) {
    case kFirstCustomResult:
      return mrYes;
    case kFirstCustomResult + 1:
      return mrNo;
    case kFirstCustomResult + 2:
      return mrCancel;
    default:
      return result;
  }
}

}  // namespace kq
