#include "common/ComposeKey.h"

namespace kq {

std::u16string ComposeKeyDisplayName(TComposeKey key) {
  static constexpr std::u16string_view kFixed[] = {u"Right Alt (AltGr)", u"Right Control",
                                                   u"Left Control", u"Alt + Left Windows key",
                                                   u"Alt + Right Windows key"};
  const int ordinal = static_cast<int>(key);
  if (ordinal >= 0 && ordinal < static_cast<int>(std::size(kFixed)))
    return std::u16string(kFixed[ordinal]);
  std::u16string name(ComposeKeyName(key));
  // "Alt_F1" and its kin: the underscore becomes " + ".
  if (key >= TComposeKey::Alt_F1 && key <= TComposeKey::Alt_F12)
    name.replace(3, 1, u" + ");
  return name;
}

}  // namespace kq
