#include "dialogs/win32/MessageBoxes.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "dialogs/win32/ClassicMessageDlg.h"
#include "dialogs/win32/ThemeColor.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32System.h"
#include "ui/win32/Application.h"

namespace kq::win {

namespace {

// Remembers the focus and the cursor, shows the default cursor, and puts both back however
// the dialog ends.
class FocusAndCursorKept {
 public:
  FocusAndCursorKept() : focus_(GetFocus()), cursor_(GetCursor()) {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
  ~FocusAndCursorKept() {
    SetCursor(cursor_);
    if (focus_ && IsWindow(focus_))
      SetFocus(focus_);
  }
  FocusAndCursorKept(const FocusAndCursorKept&) = delete;
  FocusAndCursorKept& operator=(const FocusAndCursorKept&) = delete;

 private:
  HWND focus_;
  HCURSOR cursor_;
};

struct StandardButton {
  TMsgDlgBtn button;
  TASKDIALOG_COMMON_BUTTON_FLAGS flag;
};

constexpr StandardButton kStandardButtons[] = {
    {mbOK, TDCBF_OK_BUTTON},         {mbYes, TDCBF_YES_BUTTON},     {mbNo, TDCBF_NO_BUTTON},
    {mbCancel, TDCBF_CANCEL_BUTTON}, {mbRetry, TDCBF_RETRY_BUTTON}, {mbAbort, TDCBF_CLOSE_BUTTON},
};

HWND MessageOwner() {
  auto* application = ui::Application::Current();
  return application ? application->ActiveOwner() : nullptr;
}

}  // namespace

MessageBoxes& ProgramMessageBoxes() {
  static MessageBoxes boxes(QueryWindowsRelease(), {});
  return boxes;
}

MessageBoxes::MessageBoxes(platform::WindowsRelease release,
                           std::function<TQvxIniFile*()> settingsStore)
    : release_(release), settingsStore_(std::move(settingsStore)) {}

int MessageBoxes::ShowMessageDlg(const std::u16string& msg, TMsgDlgType type,
                                 TMsgDlgButtons buttons,
                                 const std::vector<std::u16string>& customButtons) {
  FocusAndCursorKept kept;
  if (release_.IsVistaOrLater())
    return ShowTaskDialog(msg, type, buttons, customButtons);
  return ShowClassicDialog(msg, type, buttons);
}

int MessageBoxes::ShowTaskDialog(const std::u16string& msg, TMsgDlgType type,
                                 TMsgDlgButtons buttons,
                                 const std::vector<std::u16string>& customButtons) {
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = MessageOwner();
  if (config.hwndParent && IsWindowVisible(config.hwndParent))
    config.dwFlags |= TDF_POSITION_RELATIVE_TO_WINDOW;  // otherwise centred on the monitor

  switch (type) {
    case TMsgDlgType::mtWarning:
      config.pszMainIcon = TD_WARNING_ICON;
      break;
    case TMsgDlgType::mtError:
      config.pszMainIcon = TD_ERROR_ICON;
      break;
    case TMsgDlgType::mtInformation:
      config.pszMainIcon = TD_INFORMATION_ICON;
      break;
    case TMsgDlgType::mtConfirmation:
      config.dwFlags |= TDF_USE_HICON_MAIN;
      config.hMainIcon = LoadIconW(nullptr, IDI_QUESTION);
      break;
    case TMsgDlgType::mtCustom:
      break;
  }

  std::vector<std::wstring> captions;
  std::vector<TASKDIALOG_BUTTON> custom;
  for (const auto& caption : customButtons)
    captions.push_back(Wide(caption));
  for (size_t i = 0; i < captions.size(); ++i)
    custom.push_back({kFirstCustomResult + static_cast<int>(i), captions[i].c_str()});
  if (!custom.empty()) {
    config.pButtons = custom.data();
    config.cButtons = static_cast<UINT>(custom.size());
  } else {
    for (const auto& standard : kStandardButtons) {
      if (buttons & standard.button)
        config.dwCommonButtons |= standard.flag;
    }
  }
  auto* application = ui::Application::Current();
  std::wstring title = application ? application->MainCaption() : L"Keyquill";
  TaskDialogText text = SplitMessageText(msg);
  std::wstring instruction = Wide(text.instruction), content = Wide(text.content);
  config.pszWindowTitle = title.c_str();
  config.pszMainInstruction = instruction.empty() ? nullptr : instruction.c_str();
  config.pszContent = content.c_str();

  int result = 0;
  if (FAILED(TaskDialogIndirect(&config, &result, nullptr, nullptr)))
    throw std::runtime_error("The message could not be shown.");
  // Abort is shown as the Close button; the caller asked for Abort and hears Abort.
  if (result == IDCLOSE && custom.empty() && (buttons & mbAbort))
    return mrAbort;
  return result;
}

int MessageBoxes::ShowClassicDialog(const std::u16string& msg, TMsgDlgType type,
                                    TMsgDlgButtons buttons) {
  ClassicMessageDlg dialog(msg, type, buttons,
                           ThemeColor(settingsStore_ ? settingsStore_() : nullptr), MessageOwner());
  return dialog.ShowModal();
}

}  // namespace kq::win
