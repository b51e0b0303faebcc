#pragma once
// Windows removes a low-level hook without a word when it answers too slowly. The watchdog
// notices it by input the system saw after the last event the hook saw.

#include <chrono>
#include <cstdint>

namespace kq::compose {

// How often the watchdog looks. Input is counted as missed one look after the system saw it,
// so a dropped hook is back within two periods.
inline constexpr std::chrono::milliseconds kWatchdogPeriod{1000};

// Whether input came after the last event the hook saw; both are tick counts of the same
// 32-bit millisecond clock, which wraps after 49.7 days.
constexpr bool HookMissedInput(std::uint32_t lastInputTick, std::uint32_t lastSeenTick) {
  return static_cast<std::int32_t>(lastInputTick - lastSeenTick) > 0;
}

}  // namespace kq::compose
