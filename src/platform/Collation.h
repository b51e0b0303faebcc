#pragma once
// The order in which the user's locale sorts texts: the sequence list sorts with it.

#include <string_view>

namespace kq::platform {

class Collator {
 public:
  virtual ~Collator() = default;
  // Negative when a sorts before b, 0 when they sort alike, positive when a sorts after b.
  // Letter case counts.
  virtual int Compare(std::u16string_view a, std::u16string_view b) const = 0;
};

// The collation of the native build: UTF-16 code units compared one by one, the shorter text
// first when one begins the other. It is case-sensitive (capitals, 0x41 to 0x5A, before small
// letters) and, like the user's locale on Windows, puts the control characters TAB (9) and VT
// (11) before every printable character, so keys that begin with them come first. Unlike the
// Windows word sort it gives hyphens and apostrophes no special treatment.
class CodeUnitCollator : public Collator {
 public:
  int Compare(std::u16string_view a, std::u16string_view b) const override;
};

}  // namespace kq::platform
