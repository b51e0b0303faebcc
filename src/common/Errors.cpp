#include "common/Errors.h"

#include "common/Text.h"

namespace kq {

Error::Error(std::u16string message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

std::u16string ExceptionMessage(const std::exception& error) {
  if (auto* own = dynamic_cast<const Error*>(&error))
    return own->Message();
  return FromUtf8(error.what());
}

}  // namespace kq
