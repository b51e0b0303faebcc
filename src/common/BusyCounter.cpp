#include "common/BusyCounter.h"

namespace kq {

void BusyCounter::Begin() {
  if (level_++ == 0 && display_)
    display_(true);
}

void BusyCounter::End() {
  if (--level_ > 0)
    return;
  level_ = 0;
  if (display_)
    display_(false);
}

void BusyCounter::Reset() {
  level_ = 1;
  End();
}

}  // namespace kq
