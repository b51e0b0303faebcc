#pragma once
// What a second start of the program asks of the running one.

#include <string>
#include <vector>

namespace kq {

inline constexpr char16_t kOptionsSwitch[] = u"/opt";

// True when the first argument is exactly "/opt" (letter case counts); later arguments
// are never looked at.
inline bool AsksForOptions(const std::vector<std::u16string>& arguments) {
  return !arguments.empty() && arguments.front() == kOptionsSwitch;
}

}  // namespace kq
