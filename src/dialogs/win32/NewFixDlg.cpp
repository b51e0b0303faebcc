#include "dialogs/win32/NewFixDlg.h"

#include <array>

namespace kq::win {

using ui::Place;

namespace {

constexpr int kAdvancedHelp = 8;

// The fake keystroke of each radio item, in order: none, the null key, Shift.
constexpr std::array<std::int32_t, 3> kFakeKeys = {kNoFakeKey, 0, 16};

}  // namespace

TKeyFixDlg::TKeyFixDlg(TNewSharedData& sharedData, const DialogEnvironment& environment, HWND owner)
    : TBaseDialog(L"KeyFixDlg", environment, owner), sharedData_(sharedData) {
  SetCaption(L"Advanced options");
  SetClientSize(317, 324);
  SetPosition(ui::Position::ScreenCenter);
  SetHelpContext(kAdvancedHelp);
  SetStoreSize(false);

  // Created in the tab order: the buttons first, then the settings top to bottom.
  BitBtn1 = &Add<ui::Button>(Place{60, 289, 75, 25}, L"OK", mrOk);
  BitBtn1->SetDefault(true);
  BitBtn2 = &Add<ui::Button>(Place{141, 289, 75, 25}, L"Cancel", mrCancel);
  BitBtn2->SetCancel(true);
  BitBtn3 = &Add<ui::Button>(Place{222, 289, 75, 25}, L"&Help");
  BitBtn3->SetHelpContext(kAdvancedHelp);
  BitBtn3->OnClick = [] { ShowHelp(kAdvancedHelp); };
  FakeKey = &Add<ui::RadioGroup>(Place{14, 154, 289, 86}, L"Choose fake keystroke type",
                                 std::vector<std::wstring>{L"N&one", L"&Null", L"&Shift key"});
  FakeKey->SetItemIndex(0);
  DelayKeyProcessing = &Add<ui::CheckBox>(Place{14, 250, 180, 17}, L"&Delay key processing");
  Add<ui::Label>(Place{14, 88, 190, 15}, L"Start-up timeout (secs):");
  StartTimeout = &Add<ui::SpinEdit>(Place{223, 84, 80, 22}, 0, 100, 30, ui::TextAlign::Right);
  Add<ui::Label>(Place{14, 120, 190, 15}, L"Delay hooking keyboard (secs):");
  HookDelay = &Add<ui::SpinEdit>(Place{223, 116, 80, 22}, 0, 300, 0, ui::TextAlign::Right);
  ResetButton = &Add<ui::Button>(Place{198, 246, 105, 25}, L"&Reset defaults");
  ResetButton->OnClick = [this] { ResetButtonClick(); };
  HTMLabel1 = &Add<ui::MarkupLabel>(
      Place{14, 12, 289, 65},
      L"<B>Note:</B> These options should only be changed if you are having problems with "
      L"Keyquill. Press the <B>Help </B>button below for details of what these options do and "
      L"fix.");
}

void TKeyFixDlg::FormShow() {
  TBaseDialog::FormShow();
  const std::int32_t stored = sharedData_.FakeKey();
  for (size_t i = 0; i < kFakeKeys.size(); ++i) {
    if (kFakeKeys[i] == stored)
      FakeKey->SetItemIndex(static_cast<int>(i));
  }
  StartTimeout->SetValue(sharedData_.StartTimeout());
  HookDelay->SetValue(sharedData_.DelayHook());
  DelayKeyProcessing->SetChecked(sharedData_.DelayKeys());
}

void TKeyFixDlg::FormClose() {
  TBaseDialog::FormClose();
  if (ModalResult() != mrOk)
    return;
  const int index = FakeKey->ItemIndex();
  if (index >= 0 && index < static_cast<int>(kFakeKeys.size()))
    sharedData_.SetFakeKey(kFakeKeys[static_cast<size_t>(index)]);
  sharedData_.SetStartTimeout(StartTimeout->Value());
  sharedData_.SetDelayHook(HookDelay->Value());
  sharedData_.SetDelayKeys(DelayKeyProcessing->Checked());
}

void TKeyFixDlg::ResetButtonClick() {
  FakeKey->SetItemIndex(0);
  StartTimeout->SetValue(30);
  HookDelay->SetValue(0);
  DelayKeyProcessing->SetChecked(false);
}

}  // namespace kq::win
