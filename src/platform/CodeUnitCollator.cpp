#include "platform/Collation.h"

namespace kq::platform {

int CodeUnitCollator::Compare(std::u16string_view a, std::u16string_view b) const {
  int result = a.compare(b);
  return result < 0 ? -1 : result > 0 ? 1 : 0;
}

}  // namespace kq::platform
