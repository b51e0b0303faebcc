#pragma once
// Test stand-ins for the system behind the compose engine. FakeKeyboard acts like Windows for
// the hook: a 256-key state with left and right modifiers that a press the hook stops never
// reaches, a US layout that gives shifted characters while Shift is down and control codes
// while Ctrl is down, dead keys on request, focus and foreground windows, and a record of what
// was posted and slept. FakeOutput records the posts and beeps of the output.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "compose/KeyHook.h"
#include "compose/Translation.h"

namespace kq::testing {

struct Posted {
  std::uintptr_t window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  bool operator==(const Posted&) const = default;
};

class FakeKeyboard : public compose::KeyHookSystem {
 public:
  static constexpr std::uint8_t kDown = 0x80;

  // The state machine's view of one key event, with the flags the system would set: the Alt
  // flag while an Alt key is down (the pressed key included).
  // Wine sets no Alt flag at all: reportsAltFlag false behaves like it.
  compose::KeyEvent Event(std::uint32_t virtualKey, bool down) const {
    const bool alt = reportsAltFlag && (IsDown(compose::vk::Menu) || (down && IsAlt(virtualKey)));
    return {0, down, virtualKey, alt ? compose::kAltDownFlag : 0u};
  }

  // Feeds an event to the hook and, unless the hook stopped it, to the key state.
  compose::KeyAction Feed(compose::KeyHook& hook, std::uint32_t virtualKey, bool down) {
    compose::KeyAction action = hook.KeyboardHook(Event(virtualKey, down));
    if (action == compose::KeyAction::Pass)
      Apply(virtualKey, down);
    return action;
  }

  // The key reaches the system: the key and its side-neutral form change state.
  void Apply(std::uint32_t virtualKey, bool down) {
    keys_[virtualKey & 0xFF] = down ? kDown : 0;
    using namespace compose::vk;
    keys_[Shift] = (keys_[LShift] | keys_[RShift]) & kDown;
    keys_[Control] = (keys_[LControl] | keys_[RControl]) & kDown;
    keys_[Menu] = (keys_[LMenu] | keys_[RMenu]) & kDown;
  }

  bool IsDown(std::uint32_t virtualKey) const { return (keys_[virtualKey & 0xFF] & kDown) != 0; }

  void SetDeadKey(std::uint32_t virtualKey) { deadKeys_.insert(virtualKey); }

  compose::TypedKey TypeKey(std::uint32_t virtualKey) override {
    ++typed;
    if (deadKeys_.contains(virtualKey))
      return {true, 0};
    const bool shift = IsDown(compose::vk::Shift);
    const bool ctrl = IsDown(compose::vk::Control);
    const bool alt = IsDown(compose::vk::Menu);
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
      if (ctrl && !alt)
        return {false, static_cast<std::uint16_t>(virtualKey - 'A' + 1)};
      if (ctrl || alt)
        return {false, 0};
      return {false, static_cast<std::uint16_t>(shift ? virtualKey : virtualKey - 'A' + 'a')};
    }
    if (ctrl || alt)
      return {false, 0};
    for (const auto& key : kLayout) {
      if (key.virtualKey == virtualKey)
        return {false, static_cast<std::uint16_t>(shift ? key.shifted : key.plain)};
    }
    return {false, 0};
  }

  std::uintptr_t FocusedWindow() override { return focused; }
  std::uintptr_t ForegroundWindow() override { return foreground; }
  void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override {
    posted.push_back({window, message, wParam, lParam});
  }
  void Sleep(std::chrono::milliseconds duration) override { slept.push_back(duration); }
  void SendMaskingKey() override { ++masked; }

  bool reportsAltFlag = true;
  std::uintptr_t focused = 0;
  std::uintptr_t foreground = 0;
  std::vector<Posted> posted;
  std::vector<std::chrono::milliseconds> slept;
  int typed = 0;   // how often the key translation was asked
  int masked = 0;  // how many masking keystrokes were sent

 private:
  struct LayoutKey {
    std::uint32_t virtualKey;
    char16_t plain;
    char16_t shifted;
  };
  static constexpr LayoutKey kLayout[] = {
      {'0', u'0', u')'},   {'1', u'1', u'!'},  {'2', u'2', u'@'},   {'3', u'3', u'#'},
      {'4', u'4', u'$'},   {'5', u'5', u'%'},  {'6', u'6', u'^'},   {'7', u'7', u'&'},
      {'8', u'8', u'*'},   {'9', u'9', u'('},  {0x20, u' ', u' '},  {0x0D, u'\r', u'\r'},
      {0xBA, u';', u':'},  {0xBB, u'=', u'+'}, {0xBC, u',', u'<'},  {0xBD, u'-', u'_'},
      {0xBE, u'.', u'>'},  {0xBF, u'/', u'?'}, {0xC0, u'`', u'~'},  {0xDB, u'[', u'{'},
      {0xDC, u'\\', u'|'}, {0xDD, u']', u'}'}, {0xDE, u'\'', u'"'},
  };

  static bool IsAlt(std::uint32_t virtualKey) {
    return virtualKey == compose::vk::Menu || virtualKey == compose::vk::LMenu ||
           virtualKey == compose::vk::RMenu;
  }

  std::array<std::uint8_t, 256> keys_{};
  std::set<std::uint32_t> deadKeys_;
};

class FakeOutput : public compose::OutputSystem {
 public:
  void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override {
    posted.push_back({window, message, wParam, lParam});
    if (onPost)
      onPost(posted.back());
  }
  void Beep() override { beepsAfter.push_back(posted.size()); }

  std::vector<Posted> posted;
  std::function<void(const Posted&)> onPost;  // runs after each post is recorded
  std::vector<std::size_t> beepsAfter;        // for each beep, how many posts came before it
};

}  // namespace kq::testing
