#include "dialogs/win32/NewAboutBox.h"

#include "common/Product.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Application.h"

namespace kq::win {

using ui::Place;

TAboutDlg::TAboutDlg(const PreferenceKeys& keys, const DialogEnvironment& environment, HWND owner)
    : TBaseDialog(L"AboutDlg", environment, owner), keys_(keys) {
  SetClientSize(338, 218);
  SetPosition(ui::Position::ScreenCenter);

  Image1 = &Add<ui::Image>(Place{16, 16, 32, 32});
  Image1->SetIconResource(L"ABOUTLEFT");
  Image2 = &Add<ui::Image>(Place{290, 16, 32, 32});
  Image2->SetIconResource(L"ABOUTRIGHT");
  CopyrightLabel =
      &Add<ui::Label>(Place{56, 18, 226, 30}, kCopyrightLines, ui::TextAlign::Center, true);
  CopyrightLabel->SetShowAccelChar(false);
  Contact = &Add<ui::Label>(Place{26, 98, 286, 53}, kContactLines, ui::TextAlign::Center, true);
  Contact->SetShowAccelChar(false);
  URLLabel = &Add<ui::LinkLabel>(Place{16, 66, 306, 17}, kProductPage, kProductPage);
  URLLabel->SetFont({.face = L"Arial"});
  BitBtn1 = &Add<ui::Button>(Place{131, 172, 75, 25}, L"OK", mrOk);
  BitBtn1->SetDefault(true);
  BitBtn1->SetCancel(true);
  FixBtn = &Add<ui::Button>(Place{0, 0, 75, 25}, L"Fi&x problems");
  FixBtn->OnClick = [this] { FixBtnClick(); };
}

void TAboutDlg::FormShow() {
  TBaseDialog::FormShow();
  SetCaption(Wide(kProductName));
  // Out of sight and out of reach of the mouse, but enabled: Alt+X still presses it.
  FixBtn->SetBounds(Place{0, 0, 0, 0});
  URLLabel->CenterOnText();
}

void TAboutDlg::FixBtnClick() {
  auto* application = ui::Application::Current();
  ui::Form* mainForm = application ? application->MainForm() : nullptr;
  TClearPrefDlg dialog(keys_, Environment(), mainForm ? mainForm->Handle() : Handle());
  dialog.SetProgName(u"Keyquill");
  dialog.ShowModal();
}

}  // namespace kq::win
