#pragma once
// TBaseDialog: the base of every dialog of the program. It gives them the same colour, a
// font that suits the Windows release, a centred place while the tray program shows no main
// window, and a placement remembered per dialog that is saved only when it closes with OK.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowsRelease.h"
#include "settings/Qvxinif.h"
#include "ui/win32/Form.h"

namespace kq::win {

class TSizeGrip;

// What every dialog is made with.
struct DialogEnvironment {
  TQvxIniFile* settingsStore = nullptr;  // null: designed colour, no placement storage
  platform::WindowsRelease release;
};

class TBaseDialog : public ui::Form {
 public:
  // name: the form's name, also the subkey of its placement ("OptionDlg", ...).
  TBaseDialog(std::wstring name, const DialogEnvironment& environment, HWND owner = nullptr);
  ~TBaseDialog() override;

  bool HasSizeGrip() const { return fHasSizeGrip; }
  void SetHasSizeGrip(bool value);

 protected:
  // The form's events; derived dialogs call the base's first.
  void FormCreate();
  virtual void FormShow() {}
  virtual void FormClose() {}
  // Returns whether the dialog may close (CanClose).
  virtual bool FormCloseQuery();

  // A control property saved with the placement under its name, read back at each showing.
  void StoreProperty(std::u16string name, std::function<std::u16string()> read,
                     std::function<void(const std::u16string&)> apply);
  // Whether the saved placement includes the size (sizeable dialogs only by default).
  void SetStoreSize(bool storeSize) { storeSize_ = storeSize; }

  const DialogEnvironment& Environment() const { return environment_; }
  // Opens the help file at the topic of the context number.
  static void ShowHelp(int context);

 private:
  struct StoredProperty {
    std::u16string name;
    std::function<std::u16string()> read;
    std::function<void(const std::u16string&)> apply;
  };

  void DoShow() final;
  bool DoCloseQuery() final;
  void DoClose() final;
  void RestorePlacement();
  void SavePlacement();

  DialogEnvironment environment_;
  bool fHasSizeGrip = false;
  std::unique_ptr<TSizeGrip> fSizeGrip;
  bool placementActive_ = false;
  bool storeSize_ = true;
  std::vector<StoredProperty> storedProperties_;
};

}  // namespace kq::win
