#pragma once
// The product's own name and version, as the program shows and stores them.

namespace kq {

inline constexpr char16_t kProductName[] = u"Keyquill";
inline constexpr char16_t kProductVersion[] = u"2.06";

}  // namespace kq
