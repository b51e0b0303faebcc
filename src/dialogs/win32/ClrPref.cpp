#include "dialogs/win32/ClrPref.h"

#include "common/Errors.h"
#include "common/MessageDialogs.h"
#include "dialogs/win32/MessageBoxes.h"

namespace kq::win {

using ui::Place;

namespace {

constexpr char16_t kMakerKey[] = u"Software\\Brenhollow";

}  // namespace

TClearPrefDlg::TClearPrefDlg(const PreferenceKeys& keys, const DialogEnvironment& environment,
                             HWND owner)
    : TBaseDialog(L"ClearPrefDlg", environment, owner), keys_(keys) {
  SetCaption(L"Clear user preferences");
  SetClientSize(352, 198);
  SetPosition(ui::Position::ScreenCenter);

  Label1 = &Add<ui::Label>(Place{24, 20, 304, 60},
                           L"Press the button below to clear all user preferences from the "
                           L"Windows registry. This may help fix peculiar problems that can "
                           L"occur when these settings become corrupted.",
                           ui::TextAlign::Left, true);
  Button1 = &Add<ui::Button>(Place{101, 96, 150, 25}, L"C&lear preferences");
  Button1->OnClick = [this] { Button1Click(); };
  BitBtn1 = &Add<ui::Button>(Place{138, 156, 75, 25}, L"Close", mrClose);
  BitBtn1->SetCancel(true);
}

void TClearPrefDlg::SetProgName(const std::u16string& name) {
  FProgName = name.empty() ? name : u'\\' + name;
}

void TClearPrefDlg::Button1Click() {
  // The program's key, "Software\Brenhollow" followed by the name, with everything below it.
  bool deleted = false;
  const std::u16string name = FProgName.empty() ? u"" : FProgName.substr(1);
  try {
    auto maker = keys_.registry.OpenCurrentUser(kMakerKey, platform::RegAccess::ReadWrite);
    deleted = maker && !name.empty() && maker->DeleteSubKeyTree(name);
  } catch (const RegistryError&) {
    deleted = false;
  }
  ProgramMessageBoxes().ShowMessageDlg(deleted ? kPreferencesReset : kPreferencesResetFailed,
                                       TMsgDlgType::mtCustom, mbOK);
  if (keys_.reopen)
    keys_.reopen();
}

}  // namespace kq::win
