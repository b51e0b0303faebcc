#include "app/win32/Keyquillfrm.h"

#include <string>

#include "app/TrayIconWait.h"
#include "app/win32/NewWaitDlg.h"
#include "app/win32/Trace.h"
#include "common/Errors.h"
#include "common/HelpTopics.h"
#include "common/Product.h"
#include "common/Text.h"
#include "dialogs/win32/MessageBoxes.h"
#include "dialogs/win32/NewAboutBox.h"
#include "dialogs/win32/NewOptDlg.h"
#include "errorreport/win32/ErrorEntry.h"
#include "platform/win32/Files.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32System.h"
#include "ui/win32/BusyCursor.h"

namespace kq::app {

namespace {

constexpr char16_t kNoSection[] = u"";
constexpr wchar_t kReadyIcon[] = L"LETTERRED";
constexpr wchar_t kComposeIcon[] = L"LETTERGREEN";
constexpr wchar_t kOffIcon[] = L"XLETTERBLACK";
constexpr wchar_t kDisableCaption[] = L"Disa&ble";
constexpr wchar_t kEnableCaption[] = L"Ena&ble";

// What the hook decided, for the tests that watch the program from another process.
void TraceKey(const compose::KeyEvent& event, compose::KeyAction action) {
  Trace(u"Key " + IntToStr(event.virtualKey) + (event.down ? u" down " : u" up ") +
        (action == compose::KeyAction::Stop ? u"stopped" : u"passed"));
}

// The folder of the running executable, with its trailing backslash.
std::u16string ExecutableFolder() {
  std::u16string path = win::ExecutablePath();
  return path.substr(0, path.find_last_of(u'\\') + 1);
}

const wchar_t* IconOfState(int state) {
  switch (state) {
    case TKeyquillForm::kIconCompose:
      return kComposeIcon;
    case TKeyquillForm::kIconOff:
      return kOffIcon;
  }
  return kReadyIcon;
}

// The program's own small icon of that name, as the notification area shows it.
HICON SmallIcon(const wchar_t* name) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_SHARED));
}

// The record size the release's shell understands, for this build's pointer size.
DWORD IconDataSize() {
  static const IconDataVersion version = IconDataVersionFor(win::QueryWindowsRelease());
  switch (version) {
    case IconDataVersion::V1:
      return NOTIFYICONDATAW_V1_SIZE;
    case IconDataVersion::V2:
      return NOTIFYICONDATAW_V2_SIZE;
    case IconDataVersion::V3:
      return NOTIFYICONDATAW_V3_SIZE;
    case IconDataVersion::Full:
      break;
  }
  return sizeof(NOTIFYICONDATAW);
}

}  // namespace

// The start-up wait for the shell, with the "taking too long" dialog.
class TKeyquillForm::TrayIconWaiter : public TrayIconAdder {
 public:
  explicit TrayIconWaiter(TKeyquillForm& form) : form_(form) {}
  bool TryAddIcon() override {
    form_.FillIconData();
    return form_.NotifyShell(NIM_ADD, kReadyIcon) || form_.NotifyShell(NIM_MODIFY, kReadyIcon);
  }
  void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  std::int32_t StartTimeout() override { return SharedData->StartTimeout(); }
  bool KeepWaiting() override {
    // Made when first needed, then shown after every pass that failed.
    if (!dialog_) {
      dialog_ = std::make_unique<TWaitingTooLongDlg>(*SharedData, form_.DialogEnvironment(),
                                                     form_.Handle());
    }
    Trace(u"WaitingTooLong");
    return dialog_->ShowModal() == mrOk;
  }

 private:
  TKeyquillForm& form_;
  std::unique_ptr<TWaitingTooLongDlg> dialog_;
};

TKeyquillForm::TKeyquillForm(ui::Application& application, ProgramObjects& objects)
    : Form(L"KeyquillForm"),
      application_(application),
      objects_(objects),
      hook_(*SharedData, objects.Errors(), application.Module()),
      composeOutput_(
          *SharedData, objects.CodePage(),
          [](const TSeqType& sequence) { return SequenceList->TranslateSeq(sequence); }, output_) {
  SetCaption(L"Keyquill");
  SetBorder(ui::BorderKind::Single);
  SetClientSize(265, 197);
  SetPosition(ui::Position::ScreenCenter);
  SetFormFont({L"Arial", 0, 13});
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"APPICON", IMAGE_ICON, 0, 0, LR_SHARED));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon(L"APPICON")));
  Label1 = &Add<ui::Label>(ui::Place{16, 8, 241, 89}, L"", ui::TextAlign::Left, true);
  CreateMenus();
  DelayTimer.OnTimer = [this] { DelayTimerTimer(); };
  PokeTimer.OnTimer = [this] { PokeTimerTimer(); };
  PokeTimer.SetEnabled(true);
  application_.SetMainForm(this);
  if (Tracing())
    hook_.SetObserver(TraceKey);
  hook_.SetReinstallObserver([] { Trace(u"Watchdog installed the hook again"); });
  if (GetEnvironmentVariableW(L"KEYQUILL_TEST_SEAMS", nullptr, 0)) {
    dropHookMessage_ = RegisterWindowMessageW(L"Keyquill TestDropHook");
    holdBusyMessage_ = RegisterWindowMessageW(L"Keyquill TestHoldBusy");
  }

  // FormCreate
  statusCtrls_ = std::make_unique<TStatusCtrls>(statusHost_, ui::ProgramBusyCounter(),
                                                win::ProgramMessageBoxes(), nullptr, nullptr,
                                                nullptr, nullptr, std::function<void()>{});
  win::StatusCtrls = statusCtrls_.get();
  application_.SetHelpFile(win::Wide(ExecutableFolder() + kHelpFileName));
  AddTrayIcon();
  SharedData->SetDefaultKey(0);
  try {
    SequenceList->InitList(*SettingsStore, win::GetAppDataFolder(), ExecutableFolder());
  } catch (const Error& error) {
    // The program goes on with what the list holds; the hook is installed all the same.
    win::ReportException(error);
  }
  application_.SetMessageFilter([this](MSG& msg) { return AppMessage(msg); });
  InstallHookOrDelay();
  HandleFirstRun();
  // The scheduled update check runs here once the update checker exists.
}

TKeyquillForm::~TKeyquillForm() {
  // FormDestroy
  DelayTimer.SetEnabled(false);
  PokeTimer.SetEnabled(false);
  application_.SetMessageFilter(nullptr);
  NotifyIcon.uFlags = 0;
  NotifyShell(NIM_DELETE, L"");
  objects_.FreeSettingsStore();
  RemoveHook();
  win::StatusCtrls = nullptr;
  statusCtrls_.reset();
  application_.SetMainForm(nullptr);
}

void TKeyquillForm::CreateMenus() {
  Options1 = MainPopupMenu.AddItem(L"&Options...", [this] { Options1Click(); });
  MainPopupMenu.SetDefault(Options1);
  Disable1 = MainPopupMenu.AddItem(kDisableCaption, [this] { Disable1Click(); });
  Help2 = MainPopupMenu.AddItem(L"&Help", [this] { Help1Click(); });
  Checkforupdates1 =
      MainPopupMenu.AddItem(L"&Check for updates...", [this] { Checkforupdates1Click(); });
  About1 = MainPopupMenu.AddItem(L"&About...", [this] { About1Click(); });
  MainPopupMenu.AddSeparator();
  Close1 = MainPopupMenu.AddItem(L"&Close", [this] { Close1Click(); });
  MenuItem8 = CloseOnlyPopupMenu.AddItem(L"&Close", [this] { Close1Click(); });

  ui::Menu& file = MainMenu1.AddSubmenu(L"&File");
  Options2 = file.AddItem(L"&Options", [this] { Options1Click(); });
  Disable2 = file.AddItem(kDisableCaption, [this] { Disable1Click(); });
  Exit1 = file.AddItem(L"E&xit", [this] { Close1Click(); });
  ui::Menu& help = MainMenu1.AddSubmenu(L"&Help");
  Index1 = help.AddItem(L"&Index", [this] { Help1Click(); });
  About2 = help.AddItem(L"&About", [this] { About1Click(); });
  SetMenu(&MainMenu1);
}

void TKeyquillForm::InstallHookOrDelay() {
  const std::int32_t delay = SharedData->DelayHook();
  if (delay <= 0) {
    InstallHook();
    if (SettingsStore->ReadBool(kNoSection, u"Disabled", false)) {
      Disabled = false;
      Disable1Click();
    }
    return;
  }
  SetIconState(kIconOff);
  DelayTimer.SetInterval(delay >= static_cast<std::int32_t>(USER_TIMER_MAXIMUM / 1000)
                             ? USER_TIMER_MAXIMUM
                             : static_cast<UINT>(delay) * 1000);
  DelayTimer.SetEnabled(true);
  Disabled = true;
  SetDisableCaptions(kEnableCaption);
}

void TKeyquillForm::HandleFirstRun() {
  if (!SettingsStore->ReadBool(kNoSection, u"FirstRun2", true)) {
    SharedData->UpdateStartupLoad();
    return;
  }
  SettingsStore->WriteBool(kNoSection, u"FirstRun2", false);
  if (!SettingsStore->ValueExists(kNoSection, u"FirstRun")) {
    SharedData->SetStartupLoad(true);
    Trace(u"HelpContext 1");
    application_.ShowHelpContext(1);
  }
  SharedData->SetFakeKey(kNoFakeKey);
}

bool TKeyquillForm::AppMessage(MSG& msg) {
  if (msg.message == SharedData->WM_ToggleIcon()) {
    ShowIconStateLater(msg.wParam == 1 ? kIconCompose : kIconReady);
    return true;
  }
  if (msg.message == SharedData->WM_TranslateKeys()) {
    TranslateKeys(static_cast<std::uint16_t>(msg.wParam & 0xFFFF),
                  static_cast<std::uint16_t>((msg.wParam >> 16) & 0xFFFF),
                  reinterpret_cast<HWND>(msg.lParam));
    return true;
  }
  if (msg.message == SharedData->WM_ShowOptDlg()) {
    if (!DialogOpen) {
      Trace(u"ShowOptDlg " + IntToStr(static_cast<long long>(msg.wParam)) + u" " +
            IntToStr(static_cast<long long>(msg.lParam)));
      Options1Click();
    }
    return true;
  }
  return TestSeam(msg);
}

bool TKeyquillForm::TestSeam(const MSG& msg) {
  if (msg.message == 0)
    return false;
  if (msg.message == dropHookMessage_) {
    hook_.DropHookUnnoticed();
    Trace(u"Hook dropped");
    return true;
  }
  if (msg.message == holdBusyMessage_) {
    Trace(u"Busy");
    Sleep(static_cast<DWORD>(msg.wParam));
    Trace(u"Free");
    return true;
  }
  return false;
}

void TKeyquillForm::ShowIconStateLater(int state) {
  if (iconStatesToShow_.empty())
    PostMessageW(Handle(), kSettleIconMessage, 0, 0);
  iconStatesToShow_.push_back(state);
}

bool TKeyquillForm::HookMessagePending() const {
  MSG msg;
  for (UINT message : {SharedData->WM_TranslateKeys(), SharedData->WM_ToggleIcon()}) {
    if (PeekMessageW(&msg, application_.Handle(), message, message, PM_NOREMOVE))
      return true;
  }
  return false;
}

void TKeyquillForm::SettleIconStates() {
  if (HookMessagePending()) {
    // Behind the waiting message: it is handled first.
    PostMessageW(Handle(), kSettleIconMessage, 0, 0);
    return;
  }
  while (!iconStatesToShow_.empty()) {
    const int state = iconStatesToShow_.front();
    iconStatesToShow_.pop_front();
    SetIconState(state);
  }
}

void TKeyquillForm::TranslateKeys(std::uint16_t char1, std::uint16_t char2, HWND wnd) {
  composeOutput_.TranslateKeys(char1, char2, reinterpret_cast<std::uintptr_t>(wnd));
}

void TKeyquillForm::FillIconData() {
  NotifyIcon = {};
  NotifyIcon.cbSize = IconDataSize();
  NotifyIcon.hWnd = Handle();
  NotifyIcon.uID = 1;
  NotifyIcon.uCallbackMessage = kIconTrayMessage;
  NotifyIcon.hIcon = SmallIcon(kReadyIcon);
  lstrcpynW(NotifyIcon.szTip, L"Keyquill", ARRAYSIZE(NotifyIcon.szTip));
  NotifyIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
}

bool TKeyquillForm::NotifyShell(DWORD message, const wchar_t* iconName) {
  return shell_.Notify(message, NotifyIcon, iconName);
}

void TKeyquillForm::AddTrayIcon() {
  TrayIconWaiter waiter(*this);
  if (!AddTrayIconWaiting(waiter))
    application_.Terminate();  // the loop ends after the start-up, through the usual shut-down
}

void TKeyquillForm::SetIconState(int state) {
  const wchar_t* icon = IconOfState(state);
  FillIconData();
  NOTIFYICONDATAW data = NotifyIcon;
  data.hIcon = SmallIcon(icon);
  const bool balloon = SharedData->ShowIconBalloon();
  // On the tray's thread, in the order asked for; traced once the icon shows the state.
  shell_.Later([this, data, icon, state, balloon]() mutable {
    if (!shell_.Notify(NIM_MODIFY, data, icon)) {
      // The icon is gone (the shell restarted): add it again, then show the state.
      shell_.Notify(NIM_ADD, data, icon);
      shell_.Notify(NIM_MODIFY, data, icon);
    }
    if (balloon) {
      data.uFlags = NIF_INFO;
      lstrcpynW(data.szInfo, state == kIconCompose ? L"Compose mode on" : L"",
                ARRAYSIZE(data.szInfo));
      shell_.Notify(NIM_MODIFY, data, icon);
    }
    Trace(u"IconState " + IntToStr(state));
  });
}

LRESULT TKeyquillForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tray callback shares its number with the dialog manager's DM_GETDEFID, which comes
  // without a mouse message.
  if (message == kIconTrayMessage && lParam != 0) {
    WMIconTray(lParam);
    return 0;
  }
  if (message == kSettleIconMessage) {
    SettleIconStates();
    return 0;
  }
  if (message == kBugReportMessage) {
    WMBugReport(wParam, lParam);
    return 0;
  }
  LRESULT result = Form::HandleMessage(message, wParam, lParam);
  if (message == TaskbarCreatedMsg && TaskbarCreatedMsg != 0)
    AddTrayIcon();
  return result;
}

void TKeyquillForm::WMIconTray(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_RBUTTONDOWN: {
      POINT cursor{};
      GetCursorPos(&cursor);
      SetForegroundWindow(Handle());
      ui::Menu& menu = DialogOpen ? CloseOnlyPopupMenu : MainPopupMenu;
      Trace(DialogOpen ? u"Popup CloseOnlyPopupMenu" : u"Popup MainPopupMenu");
      menu.Popup(Handle(), cursor);
      break;
    }
    case WM_LBUTTONDBLCLK:
      SetForegroundWindow(Handle());
      if (!DialogOpen)
        Options1Click();
      break;
  }
}

void TKeyquillForm::WMBugReport(WPARAM, LPARAM) {
  // The error report dialog takes these messages once it exists; until then there is
  // nothing queued that could be shown.
}

void TKeyquillForm::FormShow() {
  Label1->SetText(win::Wide(FormatText(
      u"To use Keyquill press the compose key (%s) and the two keys of a compose sequence. To "
      u"view and change options choose File|Options.",
      {std::u16string(ComposeKeyName(SharedData->ComposeKey()))})));
}

void TKeyquillForm::RunDialogCommand(const std::function<void()>& command) {
  DialogOpen = true;
  struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
  } clear{DialogOpen};
  command();
}

win::DialogEnvironment TKeyquillForm::DialogEnvironment() const {
  return {SettingsStore, win::QueryWindowsRelease()};
}

win::PreferenceKeys TKeyquillForm::PreferenceKeys() {
  return {objects_.Registry(), [this] { objects_.ReopenSettings(); }};
}

void TKeyquillForm::Options1Click() {
  RunDialogCommand([this] {
    win::Win32KeyboardLayout layout;
    // The sequence editor's dialog opens from the Options dialog here once it exists.
    win::TOptionDlg dialog({*SharedData, layout, {}}, DialogEnvironment(), Handle());
    Trace(u"Options shown");
    const int result = dialog.ShowModal();
    Trace(u"Options closed " + IntToStr(result));
  });
}

void TKeyquillForm::About1Click() {
  RunDialogCommand([this] {
    win::TAboutDlg dialog(PreferenceKeys(), DialogEnvironment(), Handle());
    Trace(u"About shown");
    dialog.ShowModal();
  });
}

// The update wizard arrives with its own piece of work; until then its command opens nothing.
void TKeyquillForm::Checkforupdates1Click() {
  RunDialogCommand([] { Trace(u"Checkforupdates1Click"); });
}

void TKeyquillForm::Help1Click() {
  application_.ShowHelpContents();
}

void TKeyquillForm::Close1Click() {
  application_.Terminate();
}

void TKeyquillForm::Disable1Click() {
  if (Disabled) {
    // Enabling ends a start-up delay that is still running: the hook is there now.
    DelayTimer.SetEnabled(false);
    InstallHook();
    Disabled = false;
    SetDisableCaptions(kDisableCaption);
    SetIconState(kIconReady);
  } else {
    RemoveHook();
    Disabled = true;
    SetDisableCaptions(kEnableCaption);
    SetIconState(kIconOff);
  }
}

void TKeyquillForm::DelayTimerTimer() {
  SetIconState(kIconReady);
  DelayTimer.SetEnabled(false);
  InstallHook();
  Disabled = false;
  SetDisableCaptions(kDisableCaption);
}

// The Disable item of the popup menu and that of the File menu read the same.
void TKeyquillForm::SetDisableCaptions(const wchar_t* caption) {
  MainPopupMenu.SetCaption(Disable1, caption);
  MainMenu1.SetCaption(Disable2, MainPopupMenu.Caption(Disable1));
  Trace(u"Disable1 " + win::Core(caption));
}

void TKeyquillForm::InstallHook() {
  hook_.InstallKeyHook(application_.Handle());
  Trace(u"Hook installed");
}

void TKeyquillForm::RemoveHook() {
  hook_.RemoveKeyHook();
  Trace(u"Hook removed");
}

void TKeyquillForm::PokeTimerTimer() {
  SetIconState(kIconReady);
}

}  // namespace kq::app
