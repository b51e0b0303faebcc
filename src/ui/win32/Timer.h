#pragma once
// A timer of the user-interface thread: OnTimer runs from the message loop every Interval
// milliseconds while the timer is enabled.

#include <windows.h>

#include <functional>

namespace kq::ui {

class Timer {
 public:
  explicit Timer(UINT intervalMs = 1000, std::function<void()> onTimer = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return id_ != 0; }
  void SetEnabled(bool enabled);
  UINT Interval() const { return interval_; }
  void SetInterval(UINT intervalMs);  // restarts the count when enabled

  std::function<void()> OnTimer;

 private:
  static void CALLBACK Elapsed(HWND, UINT, UINT_PTR id, DWORD);
  UINT interval_;
  UINT_PTR id_ = 0;
};

}  // namespace kq::ui
