#include "ui/win32/Timer.h"

#include <map>

#include "ui/win32/UiErrors.h"

namespace kq::ui {

namespace {

// Thread timers carry no window; their ids lead back to the Timer objects.
std::map<UINT_PTR, Timer*>& RunningTimers() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}

}  // namespace

Timer::Timer(UINT intervalMs, std::function<void()> onTimer)
    : OnTimer(std::move(onTimer)), interval_(intervalMs) {}

Timer::~Timer() {
  SetEnabled(false);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == Enabled())
    return;
  if (enabled) {
    id_ = SetTimer(nullptr, 0, interval_, Elapsed);
    if (id_)
      RunningTimers()[id_] = this;
  } else {
    KillTimer(nullptr, id_);
    RunningTimers().erase(id_);
    id_ = 0;
  }
}

void Timer::SetInterval(UINT intervalMs) {
  interval_ = intervalMs;
  if (Enabled()) {
    SetEnabled(false);
    SetEnabled(true);
  }
}

void CALLBACK Timer::Elapsed(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = RunningTimers().find(id);
  if (found == RunningTimers().end() || !found->second->OnTimer)
    return;
  try {
    found->second->OnTimer();
  } catch (...) {
    HandleCurrentException();
  }
}

}  // namespace kq::ui
