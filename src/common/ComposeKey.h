#pragma once
// The 28 keys the user can choose as the compose key, stored as their ordinal.

#include <array>
#include <string>
#include <string_view>

namespace kq {

enum class TComposeKey {
  Right_Alt_Gr,
  Right_Control,
  Left_Control,
  Alt_LeftWin,
  Alt_RightWin,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  Alt_F1,
  Alt_F2,
  Alt_F3,
  Alt_F5,
  Alt_F6,
  Alt_F7,
  Alt_F8,
  Alt_F9,
  Alt_F10,
  Alt_F11,
  Alt_F12,
};

inline constexpr int kComposeKeyCount = 28;

inline constexpr std::array<std::u16string_view, kComposeKeyCount> kComposeKeyNames = {
    u"Right_Alt_Gr", u"Right_Control",
    u"Left_Control", u"Alt_LeftWin",
    u"Alt_RightWin", u"F1",
    u"F2",           u"F3",
    u"F4",           u"F5",
    u"F6",           u"F7",
    u"F8",           u"F9",
    u"F10",          u"F11",
    u"F12",          u"Alt_F1",
    u"Alt_F2",       u"Alt_F3",
    u"Alt_F5",       u"Alt_F6",
    u"Alt_F7",       u"Alt_F8",
    u"Alt_F9",       u"Alt_F10",
    u"Alt_F11",      u"Alt_F12"};

// The name of a choice; ordinals outside 0 to 27 have none.
inline std::u16string_view ComposeKeyName(TComposeKey key) {
  int ordinal = static_cast<int>(key);
  return ordinal >= 0 && ordinal < kComposeKeyCount ? kComposeKeyNames[ordinal] : u"";
}

// The text a choice shows in the Options dialog: "Right Alt (AltGr)", "F5", "Alt + F5", ...;
// the enumeration name for an ordinal outside the 28 choices.
std::u16string ComposeKeyDisplayName(TComposeKey key);

}  // namespace kq
