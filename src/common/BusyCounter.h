#pragma once
// The nesting of the busy state: busy from the first Begin until the matching End, or until
// Reset, which ends any nesting. The display (the hourglass) is told when the state changes.

#include <functional>

namespace kq {

class BusyCounter {
 public:
  // busy: true when the first level begins, false when the last one ends.
  using Display = std::function<void(bool busy)>;

  explicit BusyCounter(Display display = {}) : display_(std::move(display)) {}

  void Begin();
  void End();  // an End without a Begin leaves the counter at 0 and shows idle again
  void Reset();
  int Level() const { return level_; }

 private:
  Display display_;
  int level_ = 0;
};

}  // namespace kq
