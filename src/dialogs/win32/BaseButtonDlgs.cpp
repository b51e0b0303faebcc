#include "dialogs/win32/BaseButtonDlgs.h"

namespace kq::win {

namespace {

// OK (default, closes with OK), Cancel (Esc, closes with Cancel) and Help.
template <typename Dialog>
void AddButtons(Dialog& dialog, ui::Panel& panel, const ui::Place& ok, const ui::Place& cancel,
                const ui::Place& help) {
  dialog.OKBtn = &panel.Add<ui::Button>(ok, L"OK", mrOk);
  dialog.OKBtn->SetDefault(true);
  dialog.CancelBtn = &panel.Add<ui::Button>(cancel, L"Cancel", mrCancel);
  dialog.CancelBtn->SetCancel(true);
  dialog.HelpBtn = &panel.Add<ui::Button>(help, L"&Help");
  dialog.HelpBtn->OnClick = [&dialog] { dialog.HelpBtnClick(); };
}

}  // namespace

TBaseRBDialog::TBaseRBDialog(std::wstring name, const DialogEnvironment& environment, HWND owner)
    : TBaseDialog(std::move(name), environment, owner) {
  ButtonPanel = &Add<ui::Panel>(ui::Place{0, 0, 121, 304});
  ButtonPanel->SetAlign(ui::Align::Right);
  constexpr unsigned kTopRight = ui::akTop | ui::akRight;
  AddButtons(*this, *ButtonPanel, {13, 7, 96, 25, kTopRight}, {13, 38, 96, 25, kTopRight},
             {13, 69, 96, 25, kTopRight});
}

void TBaseRBDialog::HelpBtnClick() {
  ShowHelp(Tag());
}

TBaseBBDialog::TBaseBBDialog(std::wstring name, const DialogEnvironment& environment, HWND owner)
    : TBaseDialog(std::move(name), environment, owner) {
  SetClientSize(447, 248);
  // Not anchored: the panel keeps its relative place when the dialog is resized.
  ButtonPanel = &Add<ui::Panel>(ui::Place{60, 199, 326, 49, 0});
  AddButtons(*this, *ButtonPanel, {6, 5, 96, 25}, {111, 5, 96, 25}, {216, 5, 96, 25});
}

void TBaseBBDialog::HelpBtnClick() {
  ShowHelp(Tag());
}

}  // namespace kq::win
