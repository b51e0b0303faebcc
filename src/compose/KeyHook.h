#pragma once
// The compose state machine behind the low-level keyboard hook: it watches every key event,
// recognises the compose key and the two keys after it, hides those three presses from the
// focused application, and posts the pair with its target window to the main window. It
// translates nothing itself. It reaches the system only through KeyHookSystem, and reads the
// compose key, the key delay, the receiving window and the message ids from the shared
// settings at every key.

#include <chrono>
#include <cstdint>

#include "settings/ComposeSettings.h"

namespace kq::compose {

// The virtual keys and event flags the machine looks at, with the system's values.
namespace vk {
inline constexpr std::uint32_t Shift = 16;
inline constexpr std::uint32_t Control = 17;
inline constexpr std::uint32_t Menu = 18;  // Alt
inline constexpr std::uint32_t LWin = 91;
inline constexpr std::uint32_t RWin = 92;
inline constexpr std::uint32_t Apps = 93;
inline constexpr std::uint32_t F1 = 112;
inline constexpr std::uint32_t F12 = 123;
inline constexpr std::uint32_t LShift = 160;
inline constexpr std::uint32_t RShift = 161;
inline constexpr std::uint32_t LControl = 162;
inline constexpr std::uint32_t RControl = 163;
inline constexpr std::uint32_t LMenu = 164;
inline constexpr std::uint32_t RMenu = 165;
}  // namespace vk

// Set in an event's flags while an Alt key is down (LLKHF_ALTDOWN).
inline constexpr std::uint32_t kAltDownFlag = 0x20;

// The keystroke the hook sends between an Alt press and its release when it stops a compose
// key held with Alt, so that the application sees another key in between and does not enter
// its menu: an unassigned virtual key that gives no character.
inline constexpr std::uint32_t kMaskingKey = 0xE8;
// The extra information that marks the program's own keystrokes; the hook passes them.
inline constexpr std::uintptr_t kOwnKeyMark = 0x4B514B51;  // "KQKQ"

// One low-level keyboard event as the hook receives it.
struct KeyEvent {
  int code = 0;      // the hook code; only 0 (HC_ACTION) is an event to look at
  bool down = true;  // a press (WM_KEYDOWN or WM_SYSKEYDOWN); false for a release
  std::uint32_t virtualKey = 0;
  std::uint32_t flags = 0;
  std::uintptr_t extraInfo = 0;  // kOwnKeyMark for the program's own keystrokes
};

enum class KeyAction { Pass, Stop };

// What ToAscii made of a key: a character (0 when the key gives none), or a dead key.
struct TypedKey {
  bool dead = false;
  std::uint16_t character = 0;
};

// The system as the state machine sees it.
class KeyHookSystem {
 public:
  virtual ~KeyHookSystem() = default;
  // The character the key gives in the program's own thread's key state and layout.
  virtual TypedKey TypeKey(std::uint32_t virtualKey) = 0;
  // The window with the keyboard focus in the foreground application; 0 when none.
  virtual std::uintptr_t FocusedWindow() = 0;
  virtual std::uintptr_t ForegroundWindow() = 0;
  virtual void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) = 0;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
  // Sends kMaskingKey down and up through the system's input, marked with kOwnKeyMark.
  virtual void SendMaskingKey() = 0;
};

// The wait before each key read in compose mode when the "DelayKey" setting is on.
inline constexpr std::chrono::milliseconds kKeyDelay{180};

// Whether the event is the chosen compose key; ordinals outside the 28 choices never match.
bool IsComposeKey(TComposeKey key, std::uint32_t virtualKey, std::uint32_t flags);

// The Shift, Ctrl, Alt, Windows and Applications keys that neither count as a key nor end
// compose mode. The left and right Ctrl keys are not among them.
bool IsModifierKey(std::uint32_t virtualKey);

bool IsAltKey(std::uint32_t virtualKey);

class KeyHook {
 public:
  struct State {
    bool ComposeActive = false;
    bool FirstCaptured = false;
    std::uint16_t FirstChar = 0;
    std::uint16_t SecondChar = 0;
  };

  KeyHook(ComposeSettings& settings, KeyHookSystem& system)
      : settings_(settings), system_(system) {}

  // Decides one event; every release, every event with a code other than 0 and every
  // keystroke of the program's own passes.
  KeyAction KeyboardHook(const KeyEvent& event);

  const State& Current() const { return state_; }

 private:
  KeyAction Decide(const KeyEvent& event);
  // Reads the key's character; false for a dead key, which has ended compose mode.
  bool GetTypedChar(std::uint32_t virtualKey, std::uint16_t& ch);
  // Posts the end of compose mode and returns to the idle state; the characters stay.
  void CancelCompose();
  void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  // Keeps altsPassed_ up to date with an Alt key's event and what was decided for it.
  void NoteAltKey(const KeyEvent& event, KeyAction action);
  // Whether an Alt key other than the event's own key is down, so that its release would
  // follow nothing but stopped keys.
  bool AltHeldAround(const KeyEvent& event) const;

  ComposeSettings& settings_;
  KeyHookSystem& system_;
  State state_;
  // The Alt keys (one bit each for Alt, left Alt, right Alt) whose presses passed and whose
  // releases have not come yet. Wine sets no Alt flag in low-level events, so the hook
  // keeps its own account as well.
  unsigned altsPassed_ = 0;
};

}  // namespace kq::compose
