#include "app/win32/ProgramGlobals.h"

#include "dialogs/win32/MessageBoxes.h"
#include "platform/win32/Win32System.h"

namespace kq::app {

TQvxIniFile* SettingsStore = nullptr;
TNewSharedData* SharedData = nullptr;
TCharList* SequenceList = nullptr;
UINT TaskbarCreatedMsg = 0;

namespace {

// Lets the shell's "TaskbarCreated" through the message filter of a raised process. The
// function exists from Windows Vista on; the library stays loaded.
void AllowTaskbarCreated() {
  using ChangeWindowMessageFilterFn = BOOL(WINAPI*)(UINT, DWORD);
  HMODULE user32 = LoadLibraryW(L"user32.dll");
  auto change = reinterpret_cast<ChangeWindowMessageFilterFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
  if (change)
    change(TaskbarCreatedMsg, MSGFLT_ADD);
}

}  // namespace

ProgramObjects::ProgramObjects() {
  // The error report object comes first once it exists; the compose state starts cleared
  // with the main object's hook.
  settingsStore_ = std::make_unique<TQvxIniFile>(registry_, kSettingsKeyPath);
  SettingsStore = settingsStore_.get();
  win::ProgramMessageBoxes().SetSettingsStore([] { return SettingsStore; });
  sharedData_ = std::make_unique<TNewSharedData>(registry_, win::QueryWindowsRelease(),
                                                 win::ExecutablePath(), errors_);
  SharedData = sharedData_.get();
  // The list refers to the shared settings, so it comes after them and goes before them.
  sequenceList_ = std::make_unique<TCharList>(TCharListServices{
      *sharedData_, codePage_, collator_, files_, win::ProgramMessageBoxes(), errors_});
  SequenceList = sequenceList_.get();
  UINT toggleIcon = RegisterWindowMessageW(L"Keyquill ToggleIcon");
  UINT translateKeys = RegisterWindowMessageW(L"Keyquill TranslateKeys");
  UINT showOptDlg = RegisterWindowMessageW(L"Keyquill ShowOptDlg");
  SharedData->SetMessageIds(toggleIcon, translateKeys, showOptDlg);
  TaskbarCreatedMsg = RegisterWindowMessageW(L"TaskbarCreated");
  AllowTaskbarCreated();
}

ProgramObjects::~ProgramObjects() {
  FreeSettingsStore();
  SequenceList = nullptr;
  sequenceList_.reset();
  SharedData = nullptr;
  sharedData_.reset();
}

void ProgramObjects::ReopenSettings() {
  if (settingsStore_)
    settingsStore_->Reopen();
  sharedData_->ReopenKey();
}

void ProgramObjects::FreeSettingsStore() {
  SettingsStore = nullptr;
  settingsStore_.reset();
}

}  // namespace kq::app
