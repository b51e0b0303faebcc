#pragma once
// What the latency target shares with the benchmark: every key and character message its
// window received, with the performance counter at its arrival. The counter is the system's
// monotonic clock, the same in every process, so the benchmark compares it with its own
// readings taken before SendInput.

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace kq::bench {

inline constexpr wchar_t kRecordName[] = L"KeyquillLatencyRecord";

struct ReceivedMessage {
  std::uint32_t message;
  std::uint32_t wParam;
  std::uint64_t lParam;
  std::int64_t arrived;  // QueryPerformanceCounter
};

// A message the compose engine posted carries lParam 0 or 1; one from the keyboard carries
// its scan code.
inline bool FromKeyboard(const ReceivedMessage& received) {
  return received.lParam > 1;
}

struct SharedRecord {
  static constexpr std::uint32_t kCapacity = 1u << 17;
  // Written by the target only: first the window, then each message before the count.
  std::atomic<std::uint64_t> window;
  std::atomic<std::uint32_t> count;
  ReceivedMessage messages[kCapacity];
};

}  // namespace kq::bench
