#pragma once
// Drives the program's own windows from inside the test's message loop: steps run one after
// another from a timer while a modal form or a message box is open, the way a user acts on
// it, and find the windows and controls to act on.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/Timer.h"

namespace kq::testing {

// Runs the steps in order, one per timer tick, while the code under test runs its loops.
// A step that returns false is tried again at the next tick. When the steps are not done
// within the time limit, every window of the thread is closed so that the test fails instead
// of hanging.
class UiSteps {
 public:
  using Step = std::function<bool()>;
  explicit UiSteps(std::vector<Step> steps, DWORD limitMs = 10000);
  bool Done() const { return next_ >= steps_.size(); }
  bool TimedOut() const { return timedOut_; }

 private:
  void Tick();
  std::vector<Step> steps_;
  size_t next_ = 0;
  DWORD deadline_;
  bool timedOut_ = false;
  ui::Timer timer_;
};

// A step that does something and is done.
UiSteps::Step Do(std::function<void()> action);

// The visible top-level window of this thread with the class and caption, or null.
HWND FindThreadWindow(const wchar_t* className, const std::wstring& caption);
// The texts of the child windows of a class, in creation order.
std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className);
// The child button with this caption, or null.
HWND FindButton(HWND parent, const std::wstring& caption);
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
// Posts a key press to the window with the focus, as the keyboard would.
void PressKey(WORD virtualKey);
// Posts a typed character to the window with the focus.
void TypeText(const std::wstring& text);
// Posts Alt with a letter to the window with the focus, as the keyboard would for a mnemonic.
void PressAltKey(wchar_t letter);
// Picks an item of a drop-down list as the user would, telling its dialog of the change.
void ChooseItem(HWND comboBox, int index);

}  // namespace kq::testing
