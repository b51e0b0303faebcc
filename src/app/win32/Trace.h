#pragma once
// A line-per-event record of what the running program did, for the tests that drive it from
// another process. Written only when the environment variable KEYQUILL_TRACE names a file;
// the program keeps no log otherwise.

#include <string_view>

namespace kq::app {

// Whether KEYQUILL_TRACE names a file; callers that build their line first ask this.
bool Tracing();
void Trace(std::u16string_view line);

}  // namespace kq::app
