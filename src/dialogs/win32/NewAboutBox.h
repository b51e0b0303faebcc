#pragma once
// TAboutDlg: the product's name and version, the maker's notices and a link to the product's
// page. The invisible "Fi&x problems" button, reached through Alt+X, opens Clear preferences.

#include "dialogs/win32/BaseDlg.h"
#include "dialogs/win32/ClrPref.h"
#include "ui/win32/Controls.h"

namespace kq::win {

inline constexpr wchar_t kProductPage[] = L"https://www.brenhollow.example/keyquill/";
inline constexpr wchar_t kCopyrightLines[] = L"Keyquill 2.06\nCopyright \u00a9 2026 Brenhollow";
inline constexpr wchar_t kContactLines[] =
    L"Questions, ideas and bug reports are welcome at\nsupport@brenhollow.example";

class TAboutDlg : public TBaseDialog {
 public:
  TAboutDlg(const PreferenceKeys& keys, const DialogEnvironment& environment, HWND owner);

  // The components, as the tests reach them.
  ui::Image* Image1;
  ui::Image* Image2;
  ui::Label* CopyrightLabel;
  ui::LinkLabel* URLLabel;
  ui::Label* Contact;
  ui::Button* BitBtn1;  // OK
  ui::Button* FixBtn;

 protected:
  void FormShow() override;

 private:
  void FixBtnClick();

  PreferenceKeys keys_;
};

}  // namespace kq::win
