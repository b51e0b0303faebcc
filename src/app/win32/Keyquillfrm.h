#pragma once
// TKeyquillForm: the program's main object. It finishes the start-up (the compose defaults,
// the sequence list, the application-wide message filter, the keyboard hook now or after the
// configured delay), shows the program's state through the icon state, types the composed
// results, and tears the compose engine down at the end. It becomes the tray window with its
// menus later.

#include <windows.h>

#include <cstdint>

#include "app/win32/ProgramGlobals.h"
#include "compose/Translation.h"
#include "compose/win32/KeyboardHook.h"
#include "ui/win32/Application.h"

namespace kq::app {

class TKeyquillForm {
 public:
  // The icon states.
  static constexpr int kIconCompose = 0;
  static constexpr int kIconReady = 1;
  static constexpr int kIconOff = 2;

  // FormCreate: fills the sequence list, becomes the application's message filter and
  // installs the hook, at once or when the "DelayHook" seconds have passed.
  TKeyquillForm(ui::Application& application, ProgramObjects& objects);
  // FormDestroy: frees the settings store and removes the hook.
  ~TKeyquillForm();
  TKeyquillForm(const TKeyquillForm&) = delete;
  TKeyquillForm& operator=(const TKeyquillForm&) = delete;

  // The application-wide message filter: the hook's messages and the second instance's
  // request, recognised by their id alone; true when handled.
  bool AppMessage(MSG& msg);
  void TranslateKeys(std::uint16_t char1, std::uint16_t char2, HWND wnd);
  void SetIconState(int state);
  // Switches compose off (the hook removed) or on again; the choice is not saved.
  void Disable1Click();
  void DelayTimerTimer();

  int IconState() const { return iconState_; }
  bool Disabled = false;
  bool DialogOpen = false;

 private:
  static constexpr UINT_PTR kDelayTimer = 1;

  void StopDelayTimer();

  ui::Application& application_;
  ProgramObjects& objects_;
  win::KeyboardHook hook_;
  win::Win32OutputSystem output_;
  compose::ComposeOutput composeOutput_;
  bool delayTimerRunning_ = false;
  int iconState_ = kIconReady;
};

}  // namespace kq::app
