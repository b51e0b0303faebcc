// The thread with a message loop of its own that the keyboard hook and the tray's calls run
// on: work handed over runs there, in the order handed over, waited for or not.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "platform/win32/MessageThread.h"

namespace kq::win {
namespace {

TEST(MessageThread, PostedAndInvokedWorkRunsOnTheThreadInTheOrderHandedOver) {
  std::vector<int> order;
  std::vector<DWORD> threads;
  MessageThread thread;
  for (int i = 0; i < 3; ++i) {
    thread.Post([&, i] {
      Sleep(10);  // the caller goes on meanwhile; the order still holds
      order.push_back(i);
      threads.push_back(GetCurrentThreadId());
    });
  }
  thread.Invoke([&] { order.push_back(3); });
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(threads, (std::vector<DWORD>(3, thread.Id())));
  EXPECT_NE(thread.Id(), GetCurrentThreadId());
}

TEST(MessageThread, WorkPostedBeforeTheEndRunsBeforeTheThreadEnds) {
  int ran = 0;
  {
    MessageThread thread;
    for (int i = 0; i < 50; ++i)
      thread.Post([&] { ++ran; });
  }
  EXPECT_EQ(ran, 50);
}

TEST(MessageThread, InvokeThrowsWhatTheWorkThrew) {
  MessageThread thread;
  EXPECT_THROW(thread.Invoke([] { throw std::runtime_error("failed on the thread"); }),
               std::runtime_error);
  int ran = 0;
  thread.Invoke([&] { ++ran; });
  EXPECT_EQ(ran, 1) << "the thread stopped after a failure";
}

}  // namespace
}  // namespace kq::win
