#include "common/Errors.h"

#include "common/Text.h"

namespace kq {

Error::Error(std::u16string message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

}  // namespace kq
