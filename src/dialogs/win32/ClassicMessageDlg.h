#pragma once
// The message dialog of Windows releases before Vista: an icon by kind, the text, and one
// button for each member of the button set.

#include <windows.h>

#include <string>

#include "common/MessageDialogs.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Form.h"

namespace kq::win {

class ClassicMessageDlg : public ui::Form {
 public:
  ClassicMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                    COLORREF colour, HWND owner);
};

}  // namespace kq::win
