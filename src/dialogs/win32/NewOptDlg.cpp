#include "dialogs/win32/NewOptDlg.h"

#include "common/Product.h"
#include "compose/AltGrConflict.h"
#include "dialogs/win32/NewFixDlg.h"
#include "platform/win32/Wide.h"

namespace kq::win {

using ui::Place;

namespace {

constexpr int kOptionsHelp = 6;
constexpr int kKeyChoiceHelp = 108;
constexpr int kStartupLoadHelp = 109;

}  // namespace

TOptionDlg::TOptionDlg(const OptionDlgContext& context, const DialogEnvironment& environment,
                       HWND owner)
    : TBaseDialog(L"OptionDlg", environment, owner), context_(context) {
  SetClientSize(359, 223);
  SetPosition(ui::Position::ScreenCenter);
  SetHelpContext(kOptionsHelp);

  // Created in the tab order; the label comes just before the list its "&k" focuses.
  Label1 = &Add<ui::Label>(Place{16, 19, 82, 15}, L"Compose &key:");
  KeyChoice = &Add<ui::ComboList>(Place{100, 15, 190, 23});
  KeyChoice->SetDropDownCount(8);
  KeyChoice->SetHelpContext(kKeyChoiceHelp);
  KeyChoice->OnChange = [this] { KeyChoiceChange(); };
  AltGrWarning = &Add<ui::Label>(Place{16, 43, 327, 28}, Wide(compose::kAltGrWarning),
                                 ui::TextAlign::Left, true);
  AltGrWarning->SetShowAccelChar(false);
  StartupLoad = &Add<ui::CheckBox>(Place{16, 78, 327, 17}, L"&Load Keyquill at system startup");
  StartupLoad->SetHelpContext(kStartupLoadHelp);
  FixButton = &Add<ui::Button>(Place{16, 156, 200, 25}, L"&Advanced options");
  FixButton->OnClick = [this] { FixButtonClick(); };
  OKBtn = &Add<ui::Button>(Place{114, 190, 75, 25}, L"OK", mrOk);
  OKBtn->SetDefault(true);
  CancelBtn = &Add<ui::Button>(Place{195, 190, 75, 25}, L"Cancel", mrCancel);
  CancelBtn->SetCancel(true);
  HelpBtn = &Add<ui::Button>(Place{276, 190, 75, 25}, L"&Help");
  HelpBtn->OnClick = [] { ShowHelp(kOptionsHelp); };
  ShowBalloon =
      &Add<ui::CheckBox>(Place{16, 100, 327, 17}, L"&Show message when compose mode activated");
  Button1 = &Add<ui::Button>(Place{16, 125, 200, 25}, L"&Customize compose sequences");
  Button1->OnClick = [this] { Button1Click(); };

  // Form creation.
  StartupLoad->SetChecked(context_.sharedData.StartupLoad());
  std::vector<std::wstring> names;
  for (int ordinal = 0; ordinal < kComposeKeyCount; ++ordinal)
    names.push_back(Wide(ComposeKeyDisplayName(static_cast<TComposeKey>(ordinal))));
  KeyChoice->SetItems(names);
}

void TOptionDlg::FormShow() {
  TBaseDialog::FormShow();
  SetCaption(Wide(std::u16string(kProductName) + u" Options"));
  ShowBalloon->SetChecked(context_.sharedData.ShowIconBalloon());
  KeyChoice->SetItemIndex(static_cast<int>(context_.sharedData.ComposeKey()));
  KeyChoiceChange();
}

void TOptionDlg::FormClose() {
  TBaseDialog::FormClose();
  if (ModalResult() != mrOk)
    return;
  context_.sharedData.SetStartupLoad(StartupLoad->Checked());
  context_.sharedData.SetShowIconBalloon(ShowBalloon->Checked());
  context_.sharedData.SetComposeKey(static_cast<TComposeKey>(KeyChoice->ItemIndex()));
}

void TOptionDlg::KeyChoiceChange() {
  const auto key = static_cast<TComposeKey>(KeyChoice->ItemIndex());
  AltGrWarning->SetVisible(compose::ComposeKeyUsesAltGr(key) &&
                           compose::LayoutTypesWithAltGr(context_.keyboardLayout));
}

void TOptionDlg::Button1Click() {
  if (context_.customizeSequences)
    context_.customizeSequences(Handle());
}

void TOptionDlg::FixButtonClick() {
  TKeyFixDlg dialog(context_.sharedData, Environment(), Handle());
  dialog.ShowModal();
}

}  // namespace kq::win
