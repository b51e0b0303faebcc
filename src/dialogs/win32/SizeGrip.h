#pragma once
// TSizeGrip: the resize grip in a dialog's bottom right corner.

#include "ui/win32/Control.h"

namespace kq::win {

class TSizeGrip : public ui::Control {
 public:
  static constexpr int kSize = 11;
  explicit TSizeGrip(ui::Container& parent);
};

}  // namespace kq::win
