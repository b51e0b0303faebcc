#pragma once
// TWaitingTooLongDlg: asked while the shell keeps refusing the tray icon at start-up, whether
// to go on waiting, with the start-up timeout to change.

#include "dialogs/win32/BaseDlg.h"
#include "settings/Globals.h"
#include "ui/win32/Controls.h"

namespace kq::app {

class TWaitingTooLongDlg : public win::TBaseDialog {
 public:
  TWaitingTooLongDlg(TNewSharedData& sharedData, const win::DialogEnvironment& environment,
                     HWND owner);

  // The dialog's components, as tests reach them.
  ui::SpinEdit* StartTimeout;
  ui::Button* OKBtn;
  ui::Button* CancelBtn;

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  TNewSharedData& sharedData_;
};

}  // namespace kq::app
