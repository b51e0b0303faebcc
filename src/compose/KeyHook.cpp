#include "compose/KeyHook.h"

namespace kq::compose {

bool IsComposeKey(TComposeKey key, std::uint32_t virtualKey, std::uint32_t flags) {
  const int ordinal = static_cast<int>(key);
  const bool alt = (flags & kAltDownFlag) != 0;
  switch (key) {
    case TComposeKey::Right_Alt_Gr:
      return virtualKey == vk::RMenu;
    case TComposeKey::Right_Control:
      return virtualKey == vk::RControl;
    case TComposeKey::Left_Control:
      return virtualKey == vk::LControl;
    case TComposeKey::Alt_LeftWin:
      return alt && virtualKey == vk::LWin;
    case TComposeKey::Alt_RightWin:
      return alt && virtualKey == vk::RWin;
    default:
      break;
  }
  // F1 to F12 match with or without Alt; the Alt choices skip F4.
  if (key >= TComposeKey::F1 && key <= TComposeKey::F12)
    return virtualKey == static_cast<std::uint32_t>(ordinal + 107);
  if (key >= TComposeKey::Alt_F1 && key <= TComposeKey::Alt_F3)
    return alt && virtualKey == static_cast<std::uint32_t>(ordinal + 95);
  if (key >= TComposeKey::Alt_F5 && key <= TComposeKey::Alt_F12)
    return alt && virtualKey == static_cast<std::uint32_t>(ordinal + 96);
  return false;
}

bool IsModifierKey(std::uint32_t virtualKey) {
  switch (virtualKey) {
    case vk::Shift:
    case vk::Control:
    case vk::Menu:
    case vk::LWin:
    case vk::RWin:
    case vk::Apps:
    case vk::LShift:
    case vk::RShift:
    case vk::LMenu:
    case vk::RMenu:
      return true;
    default:
      return false;
  }
}

bool IsAltKey(std::uint32_t virtualKey) {
  return virtualKey == vk::Menu || virtualKey == vk::LMenu || virtualKey == vk::RMenu;
}

namespace {

unsigned AltBit(std::uint32_t virtualKey) {
  switch (virtualKey) {
    case vk::Menu:
      return 1;
    case vk::LMenu:
      return 2;
    case vk::RMenu:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

KeyAction KeyHook::KeyboardHook(const KeyEvent& event) {
  if (event.code != 0 || event.extraInfo == kOwnKeyMark)
    return KeyAction::Pass;
  const KeyAction action = Decide(event);
  NoteAltKey(event, action);
  return action;
}

void KeyHook::NoteAltKey(const KeyEvent& event, KeyAction action) {
  const unsigned bit = AltBit(event.virtualKey);
  if (!event.down)
    altsPassed_ &= ~bit;
  else if (action == KeyAction::Pass)
    altsPassed_ |= bit;
}

bool KeyHook::AltHeldAround(const KeyEvent& event) const {
  // The Alt flag of an Alt key's own press tells nothing about the other Alt keys.
  const bool flagged = (event.flags & kAltDownFlag) != 0 && !IsAltKey(event.virtualKey);
  return flagged || (altsPassed_ & ~AltBit(event.virtualKey)) != 0;
}

KeyAction KeyHook::Decide(const KeyEvent& event) {
  if (!event.down)
    return KeyAction::Pass;
  const bool composeKey = IsComposeKey(settings_.ComposeKey(), event.virtualKey, event.flags);
  if (!state_.ComposeActive) {
    if (!composeKey)
      return KeyAction::Pass;
    Post(settings_.WM_ToggleIcon(), 1, 0);
    state_.ComposeActive = true;
    if (AltHeldAround(event))
      system_.SendMaskingKey();
    return KeyAction::Stop;
  }
  if (composeKey) {
    CancelCompose();
    return KeyAction::Pass;
  }
  if (IsModifierKey(event.virtualKey))
    return KeyAction::Pass;
  if (!state_.FirstCaptured) {
    if (!GetTypedChar(event.virtualKey, state_.FirstChar))
      return KeyAction::Pass;
    state_.FirstCaptured = true;
    return KeyAction::Stop;
  }
  if (!GetTypedChar(event.virtualKey, state_.SecondChar))
    return KeyAction::Pass;
  CancelCompose();
  std::uintptr_t target = system_.FocusedWindow();
  if (target == 0)
    target = system_.ForegroundWindow();
  Post(settings_.WM_TranslateKeys(),
       std::uintptr_t{state_.FirstChar} | (std::uintptr_t{state_.SecondChar} << 16),
       static_cast<std::intptr_t>(target));
  return KeyAction::Stop;
}

bool KeyHook::GetTypedChar(std::uint32_t virtualKey, std::uint16_t& ch) {
  if (settings_.DelayKeys())
    system_.Sleep(kKeyDelay);
  TypedKey typed = system_.TypeKey(virtualKey);
  if (typed.dead) {
    CancelCompose();
    return false;
  }
  ch = typed.character;
  return true;
}

void KeyHook::CancelCompose() {
  Post(settings_.WM_ToggleIcon(), 0, 0);
  state_.ComposeActive = false;
  state_.FirstCaptured = false;
}

void KeyHook::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  system_.Post(settings_.ParentHandle(), message, wParam, lParam);
}

}  // namespace kq::compose
