#pragma once
// The user's locale order, as CompareStringEx gives it.

#include <windows.h>

#include "platform/Collation.h"

namespace kq::win {

// CompareStringEx for the user's default locale without flags: a word sort, case-sensitive,
// in which hyphens and apostrophes weigh less than letters.
class Win32Collator : public platform::Collator {
 public:
  int Compare(std::u16string_view a, std::u16string_view b) const override;
};

}  // namespace kq::win
