#pragma once
// Whether a compose key takes characters away from the user's keyboard layout. Layouts such
// as the German, French or Polish ones type characters with AltGr, which Windows reports as
// Left Control with Right Alt; a compose key on either of those keys is caught by the hook
// before the layout can use it, and those characters can then no longer be typed.

#include "common/ComposeKey.h"
#include "platform/KeyboardLayout.h"

namespace kq::compose {

inline constexpr char16_t kAltGrWarning[] =
    u"Your keyboard layout types characters with AltGr; with this compose key they cannot be "
    u"typed.";

// Whether some printable character of the layout needs AltGr (Ctrl+Alt).
bool LayoutTypesWithAltGr(const platform::KeyboardLayout& layout);

// Whether the compose key is one of the two keys that AltGr is made of.
bool ComposeKeyUsesAltGr(TComposeKey key);

}  // namespace kq::compose
