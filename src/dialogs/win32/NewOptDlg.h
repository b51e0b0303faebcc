#pragma once
// TOptionDlg: the program's main settings dialog: which key is the compose key, start at
// log-on and the compose-mode balloon, with the ways into Customize sequences and Advanced
// options. It reads the shared settings when shown and writes them only on OK.

#include <functional>

#include "dialogs/win32/BaseDlg.h"
#include "platform/KeyboardLayout.h"
#include "settings/Globals.h"
#include "ui/win32/Controls.h"

namespace kq::win {

struct OptionDlgContext {
  TNewSharedData& sharedData;
  // The user's layout, for the warning when the compose key takes away its AltGr characters.
  const platform::KeyboardLayout& keyboardLayout;
  // Opens the Customize sequences dialog owned by the given window; empty while the program
  // has none.
  std::function<void(HWND owner)> customizeSequences;
};

class TOptionDlg : public TBaseDialog {
 public:
  TOptionDlg(const OptionDlgContext& context, const DialogEnvironment& environment, HWND owner);

  // The components, as the tests reach them.
  ui::Label* Label1;
  ui::ComboList* KeyChoice;
  ui::Label* AltGrWarning;
  ui::CheckBox* StartupLoad;
  ui::Button* FixButton;
  ui::Button* OKBtn;
  ui::Button* CancelBtn;
  ui::Button* HelpBtn;
  ui::CheckBox* ShowBalloon;
  ui::Button* Button1;

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  void Button1Click();
  void FixButtonClick();
  void KeyChoiceChange();

  OptionDlgContext context_;
};

}  // namespace kq::win
