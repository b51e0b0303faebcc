#include "compose/AltGrConflict.h"

#include <utility>

namespace kq::compose {

namespace {

// The characters the layouts put on AltGr: Latin letters with their marks, the ASCII
// symbols (@, {, [, |, ~ and the like), and the currency signs (the euro on most).
constexpr std::pair<char16_t, char16_t> kPrintableRanges[] = {
    {0x0021, 0x007E},
    {0x00A1, 0x024F},
    {0x20A0, 0x20CF},
};

}  // namespace

bool LayoutTypesWithAltGr(const platform::KeyboardLayout& layout) {
  for (auto [first, last] : kPrintableRanges) {
    for (char32_t c = first; c <= last; ++c) {
      auto stroke = layout.KeyFor(static_cast<char16_t>(c));
      if (stroke && (stroke->shiftState & platform::kAltGr) == platform::kAltGr)
        return true;
    }
  }
  return false;
}

bool ComposeKeyUsesAltGr(TComposeKey key) {
  return key == TComposeKey::Right_Alt_Gr || key == TComposeKey::Left_Control;
}

}  // namespace kq::compose
