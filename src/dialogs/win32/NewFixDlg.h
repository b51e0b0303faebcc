#pragma once
// TKeyFixDlg, "Advanced options": the settings for users whose compose key misbehaves: the
// fake keystroke around each composed character, the start-up timeout for the tray icon, a
// delay before the keyboard hook is installed, and a delay in key processing.

#include "dialogs/win32/BaseDlg.h"
#include "settings/Globals.h"
#include "ui/win32/Controls.h"
#include "ui/win32/MarkupLabel.h"

namespace kq::win {

class TKeyFixDlg : public TBaseDialog {
 public:
  TKeyFixDlg(TNewSharedData& sharedData, const DialogEnvironment& environment, HWND owner);

  // The components, as the tests reach them.
  ui::Button* BitBtn1;  // OK
  ui::Button* BitBtn2;  // Cancel
  ui::Button* BitBtn3;  // Help
  ui::RadioGroup* FakeKey;
  ui::CheckBox* DelayKeyProcessing;
  ui::SpinEdit* StartTimeout;
  ui::SpinEdit* HookDelay;
  ui::Button* ResetButton;
  ui::MarkupLabel* HTMLabel1;

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  void ResetButtonClick();

  TNewSharedData& sharedData_;
};

}  // namespace kq::win
