#pragma once
// A thread with a message queue and a loop of its own. Other threads hand it work through
// its queue, and wait until the work is done or go on at once, so whatever the work touches is
// touched by this thread only. Timers and low-level hooks set up by that work run on it too.

#include <windows.h>

#include <functional>
#include <thread>

namespace kq::win {

class MessageThread {
 public:
  // Starts the thread and returns once its queue exists.
  MessageThread();
  // Ends the loop and waits for the thread.
  ~MessageThread();
  MessageThread(const MessageThread&) = delete;
  MessageThread& operator=(const MessageThread&) = delete;

  // Runs the work on the thread and waits for it; what the work throws is thrown here. Work
  // asked for on the thread itself runs at once.
  void Invoke(const std::function<void()>& work);
  // Hands the work to the thread and returns at once. Works run in the order they were handed
  // over, Invoke's among them, and all run before the thread ends. There is no one to tell of
  // a failure: the work must not throw.
  void Post(std::function<void()> work);

  DWORD Id() const { return id_; }

 private:
  void Loop();

  DWORD id_ = 0;
  std::thread thread_;
};

}  // namespace kq::win
