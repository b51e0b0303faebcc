#pragma once
// The process-wide objects the rest of the program reaches through globals, created in the
// order the program's start needs and destroyed in reverse.

#include <windows.h>

#include <memory>

#include "errorreport/win32/ErrorEntry.h"
#include "platform/win32/Win32Collator.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "sequences/CharLst.h"
#include "settings/Globals.h"
#include "settings/Qvxinif.h"

namespace kq::app {

extern TQvxIniFile* SettingsStore;
extern TNewSharedData* SharedData;
extern TCharList* SequenceList;
extern UINT TaskbarCreatedMsg;

class ProgramObjects {
 public:
  // The settings initialisation: the settings store, the shared settings, the empty
  // sequence list, the registered messages, and the shell's "TaskbarCreated" let through to
  // a raised process.
  ProgramObjects();
  // Frees the settings store (if the main window did not), the sequence list, then the shared
  // settings, which saves "SortTextTogether".
  ~ProgramObjects();
  ProgramObjects(const ProgramObjects&) = delete;
  ProgramObjects& operator=(const ProgramObjects&) = delete;

  // The main window's destruction ends the settings store's life.
  void FreeSettingsStore();
  // After the preferences were cleared: the settings store and the shared settings open the
  // settings key again, which creates it anew, empty.
  void ReopenSettings();

  platform::Registry& Registry() { return registry_; }
  const platform::AnsiCodePage& CodePage() const { return codePage_; }
  ErrorMessages& Errors() { return errors_; }

 private:
  win::Win32Registry registry_;
  win::Win32ErrorMessages errors_;
  std::unique_ptr<TQvxIniFile> settingsStore_;
  std::unique_ptr<TNewSharedData> sharedData_;
  win::Win32AnsiCodePage codePage_;
  win::Win32Collator collator_;
  win::Win32FileSystem files_;
  std::unique_ptr<TCharList> sequenceList_;
};

}  // namespace kq::app
