#pragma once
// The program's message box: a task dialog from Windows Vista on, the classic message
// dialog before it.

#include <functional>
#include <string>
#include <vector>

#include "dialogs/MessageDlg.h"
#include "platform/WindowsRelease.h"
#include "settings/Qvxinif.h"

namespace kq::win {

class MessageBoxes : public MessageDialogs {
 public:
  // settingsStore gives the settings store for the classic dialog's colour, or null.
  MessageBoxes(platform::WindowsRelease release, std::function<TQvxIniFile*()> settingsStore);

  int ShowMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                     const std::vector<std::u16string>& customButtons = {}) override;

  void SetSettingsStore(std::function<TQvxIniFile*()> settingsStore) {
    settingsStore_ = std::move(settingsStore);
  }

 private:
  int ShowTaskDialog(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                     const std::vector<std::u16string>& customButtons);
  int ShowClassicDialog(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons);

  platform::WindowsRelease release_;
  std::function<TQvxIniFile*()> settingsStore_;
};

// The program's message box, for the running Windows release.
MessageBoxes& ProgramMessageBoxes();

}  // namespace kq::win
