#pragma once
// The base dialog with a ready-made button panel: OK, Cancel and Help on the right
// (TBaseRBDialog) or at the bottom (TBaseBBDialog).

#include "dialogs/win32/BaseDlg.h"
#include "ui/win32/Controls.h"

namespace kq::win {

class TBaseRBDialog : public TBaseDialog {
 public:
  TBaseRBDialog(std::wstring name, const DialogEnvironment& environment, HWND owner = nullptr);

  // Shows the help topic whose context number is the dialog's Tag.
  void HelpBtnClick();

  // The dialog's components, as derived dialogs and tests reach them.
  ui::Panel* ButtonPanel;
  ui::Button* OKBtn;
  ui::Button* CancelBtn;
  ui::Button* HelpBtn;
};

class TBaseBBDialog : public TBaseDialog {
 public:
  TBaseBBDialog(std::wstring name, const DialogEnvironment& environment, HWND owner = nullptr);

  void HelpBtnClick();

  // The dialog's components, as derived dialogs and tests reach them.
  ui::Panel* ButtonPanel;
  ui::Button* OKBtn;
  ui::Button* CancelBtn;
  ui::Button* HelpBtn;
};

}  // namespace kq::win
