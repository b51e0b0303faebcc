#pragma once
// TKeyquillForm: the program's main window, never shown. It finishes the start-up (status
// controls, help file, tray icon, sequence list, message filter, keyboard hook at once or
// after the configured delay, the first run), shows the program's state through the tray
// icon and its balloon, offers the tray menus, types the composed results, and tears
// everything down at the end.

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include "app/win32/ProgramGlobals.h"
#include "app/win32/TrayShell.h"
#include "compose/Translation.h"
#include "compose/win32/KeyboardHook.h"
#include "dialogs/win32/BaseDlg.h"
#include "dialogs/win32/ClrPref.h"
#include "dialogs/win32/StatusControls.h"
#include "ui/win32/Application.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Form.h"
#include "ui/win32/Menu.h"
#include "ui/win32/Timer.h"

namespace kq::app {

class TKeyquillForm : public ui::Form {
 public:
  // The icon states.
  static constexpr int kIconCompose = 0;
  static constexpr int kIconReady = 1;
  static constexpr int kIconOff = 2;
  // The tray icon's callback message and the error reports' message.
  static constexpr UINT kIconTrayMessage = WM_USER;
  static constexpr UINT kBugReportMessage = WM_USER + 777;
  // Posted to itself to show the icon states that the hook's messages asked for.
  static constexpr UINT kSettleIconMessage = WM_APP + 12;

  // FormCreate.
  TKeyquillForm(ui::Application& application, ProgramObjects& objects);
  // FormDestroy.
  ~TKeyquillForm() override;

  // The application-wide message filter: the hook's messages and the second instance's
  // request, recognised by their id alone; true when handled.
  bool AppMessage(MSG& msg);
  void TranslateKeys(std::uint16_t char1, std::uint16_t char2, HWND wnd);

  // What every dialog opened from here is made with.
  win::DialogEnvironment DialogEnvironment() const;
  win::PreferenceKeys PreferenceKeys();

  void SetIconState(int state);
  void AddTrayIcon();
  void FillIconData();

  void Options1Click();
  void Disable1Click();
  void Help1Click();
  void Checkforupdates1Click();
  void About1Click();
  void Close1Click();
  void DelayTimerTimer();
  void PokeTimerTimer();

  bool Disabled = false;
  bool DialogOpen = false;

  // The components.
  ui::Menu MainPopupMenu;
  ui::Menu CloseOnlyPopupMenu;
  ui::Menu MainMenu1{ui::Menu::Kind::Main};
  UINT Options1, Disable1, Help2, Checkforupdates1, About1, Close1, MenuItem8;
  UINT Options2, Disable2, Exit1, Index1, About2;
  ui::Label* Label1;
  ui::Timer DelayTimer;
  ui::Timer PokeTimer{3600000};

 protected:
  void DoShow() override { FormShow(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class TrayIconWaiter;

  void FormShow();
  void WMIconTray(LPARAM mouseMessage);
  void WMBugReport(WPARAM wParam, LPARAM lParam);
  void CreateMenus();
  void InstallHookOrDelay();
  void InstallHook();
  void RemoveHook();
  void SetDisableCaptions(const wchar_t* caption);
  void HandleFirstRun();
  // Runs one of the three dialog commands with DialogOpen set, cleared however it ends.
  void RunDialogCommand(const std::function<void()>& command);
  bool NotifyShell(DWORD message, const wchar_t* iconName);
  // The shell's cross-process call must never stand in front of the output: a state asked
  // for by the hook is shown once no message of the hook is waiting, in the order asked.
  void ShowIconStateLater(int state);
  void SettleIconStates();
  bool HookMessagePending() const;
  // Test seams, answered only when the environment variable KEYQUILL_TEST_SEAMS is set.
  bool TestSeam(const MSG& msg);

  ui::Application& application_;
  ProgramObjects& objects_;
  NOTIFYICONDATAW NotifyIcon{};
  TrayShell shell_;
  win::ApplicationStatusHost statusHost_;
  std::unique_ptr<TStatusCtrls> statusCtrls_;
  win::KeyboardHook hook_;
  win::Win32OutputSystem output_;
  compose::ComposeOutput composeOutput_;
  std::deque<int> iconStatesToShow_;
  UINT dropHookMessage_ = 0;  // "Keyquill TestDropHook": remove the hook behind its back
  UINT holdBusyMessage_ = 0;  // "Keyquill TestHoldBusy": keep this thread busy wParam ms
};

}  // namespace kq::app
