#pragma once
// Drives the test target, a focused window in a process of its own that records the keyboard
// messages it receives, and types at it with SendInput as a user would.

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace kq::testing {

class KeyTarget {
 public:
  KeyTarget();
  ~KeyTarget();  // closes the target if it still runs
  KeyTarget(const KeyTarget&) = delete;
  KeyTarget& operator=(const KeyTarget&) = delete;

  // Starts the target and waits until its window exists and has the focus.
  void Start();
  void Stop();
  HWND Window() const { return window_; }

  // The messages received so far, as "NAME wParam" followed by " 0" or " 1" for a message
  // with that lParam, which only posted messages carry, and by " key" for one that came
  // from the keyboard; " frame" is added for a message to the top-level window rather than
  // to its child that has the focus. Key releases from the keyboard are left out: when the hook of
  // another process stopped a press, Wine does not deliver its release.
  std::vector<std::string> Received() const;

  // Sends an unused key (F11) through the system and waits until it arrived; everything sent
  // before it has then been delivered. Returns what arrived before it, and forgets it all.
  std::vector<std::string> ReceivedUntilNow();
  // Waits until a message has arrived as Received() shows it; false when none came in time.
  bool WaitFor(const std::string& line,
               std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

 private:
  std::vector<std::string> RawLines() const;

  std::wstring recordPath_;
  win::UniqueHandle process_;
  HWND window_ = nullptr;
  std::size_t consumed_ = 0;  // raw lines already handed out
};

// Presses or releases keys through SendInput, with the extended flag where the key has it.
struct KeyStroke {
  WORD virtualKey;
  bool down;
};
inline KeyStroke Press(WORD virtualKey) {
  return {virtualKey, true};
}
inline KeyStroke Release(WORD virtualKey) {
  return {virtualKey, false};
}
void SendKeys(std::initializer_list<KeyStroke> strokes);
void SendKeys(const std::vector<KeyStroke>& strokes);
// A press and release of each key in turn.
void TapKeys(std::initializer_list<WORD> keys);

}  // namespace kq::testing
