#pragma once
// TClearPrefDlg, "Clear user preferences": deletes the program's whole registry key, so that
// every setting, stored value and dialog placement returns to its default, and has the
// objects that hold the key open take the new, empty one.

#include <functional>
#include <string>

#include "dialogs/win32/BaseDlg.h"
#include "platform/Registry.h"
#include "ui/win32/Controls.h"

namespace kq::win {

inline constexpr char16_t kPreferencesReset[] = u"Preferences reset.";
inline constexpr char16_t kPreferencesResetFailed[] =
    u"Error resetting preferences; they may have already been reset.";

// What clearing the preferences acts on.
struct PreferenceKeys {
  platform::Registry& registry;
  // Opens the settings key again in every object that holds it (the settings store and the
  // shared settings); it is created anew, empty.
  std::function<void()> reopen;
};

class TClearPrefDlg : public TBaseDialog {
 public:
  TClearPrefDlg(const PreferenceKeys& keys, const DialogEnvironment& environment, HWND owner);

  // The program's key name below the maker's key, kept with a leading backslash.
  const std::u16string& ProgName() const { return FProgName; }
  void SetProgName(const std::u16string& name);

  // The components, as the tests reach them.
  ui::Label* Label1;
  ui::Button* Button1;  // Clear preferences
  ui::Button* BitBtn1;  // Close

 private:
  void Button1Click();

  PreferenceKeys keys_;
  std::u16string FProgName;
};

}  // namespace kq::win
