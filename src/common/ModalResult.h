#pragma once
// The results a modal form or message box ends with: the platform's dialog codes (IDOK,
// IDCANCEL, ...). A custom button n of a message box gives kFirstCustomResult + n.

namespace kq {

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrClose = 8;
inline constexpr int kFirstCustomResult = 100;

}  // namespace kq
