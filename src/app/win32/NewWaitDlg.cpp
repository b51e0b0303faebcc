#include "app/win32/NewWaitDlg.h"

namespace kq::app {

using ui::Place;

TWaitingTooLongDlg::TWaitingTooLongDlg(TNewSharedData& sharedData,
                                       const win::DialogEnvironment& environment, HWND owner)
    : TBaseDialog(L"WaitingTooLongDlg", environment, owner), sharedData_(sharedData) {
  SetCaption(L"Keyquill");
  SetClientSize(316, 215);
  SetPosition(ui::Position::ScreenCenter);

  auto& frame = Add<ui::GroupBox>(Place{8, 8, 300, 160}, L"");
  auto& warning = frame.Add<ui::Label>(
      Place{12, 16, 276, 30}, L"Warning - Windows is taking too long to create the Keyquill icon.",
      ui::TextAlign::Left, true);
  warning.SetFont({.bold = true});
  frame.Add<ui::Label>(Place{12, 52, 276, 16}, L"Click OK below to continue trying.");
  frame.Add<ui::Label>(Place{12, 74, 276, 30},
                       L"If you continue getting this message try increasing the timeout value "
                       L"below.",
                       ui::TextAlign::Left, true);
  frame.Add<ui::Label>(Place{12, 125, 180, 16}, L"Start-up timeout (seconds):");
  StartTimeout = &frame.Add<ui::SpinEdit>(Place{200, 121, 70, 22}, 0, 100,
                                          sharedData.StartTimeout(), ui::TextAlign::Right);

  OKBtn = &Add<ui::Button>(Place{72, 180, 80, 25}, L"OK", mrOk);
  OKBtn->SetDefault(true);
  CancelBtn = &Add<ui::Button>(Place{164, 180, 80, 25}, L"Cancel", mrCancel);
  CancelBtn->SetCancel(true);
}

void TWaitingTooLongDlg::FormShow() {
  TBaseDialog::FormShow();
  StartTimeout->SetValue(sharedData_.StartTimeout());
  StartTimeout->SetFocus();
}

void TWaitingTooLongDlg::FormClose() {
  TBaseDialog::FormClose();
  if (ModalResult() == mrOk)
    sharedData_.SetStartTimeout(StartTimeout->Value());
}

}  // namespace kq::app
