#include "platform/win32/MessageThread.h"

#include <exception>
#include <memory>
#include <stdexcept>

#include "platform/win32/Handles.h"

namespace kq::win {

namespace {

constexpr UINT kRunWork = WM_APP + 1;
constexpr UINT kRunPostedWork = WM_APP + 2;  // lParam: a std::function<void()> to delete

struct PendingWork {
  const std::function<void()>& work;
  std::exception_ptr error;
  UniqueHandle done;
};

UniqueHandle NewEvent() {
  UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event)
    throw std::runtime_error("cannot create an event");
  return event;
}

}  // namespace

MessageThread::MessageThread() {
  UniqueHandle ready = NewEvent();
  thread_ = std::thread([this, event = ready.get()] {
    MSG msg;
    // Asking for a message gives the thread its queue; posts to it then arrive.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    id_ = GetCurrentThreadId();
    SetEvent(event);
    Loop();
  });
  WaitForSingleObject(ready.get(), INFINITE);
}

MessageThread::~MessageThread() {
  PostThreadMessageW(id_, WM_QUIT, 0, 0);
  thread_.join();
}

void MessageThread::Invoke(const std::function<void()>& work) {
  if (GetCurrentThreadId() == id_) {
    work();
    return;
  }
  PendingWork pending{work, nullptr, NewEvent()};
  if (!PostThreadMessageW(id_, kRunWork, 0, reinterpret_cast<LPARAM>(&pending)))
    throw std::runtime_error("cannot reach the message thread");
  WaitForSingleObject(pending.done.get(), INFINITE);
  if (pending.error)
    std::rethrow_exception(pending.error);
}

void MessageThread::Post(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  if (!PostThreadMessageW(id_, kRunPostedWork, 0, reinterpret_cast<LPARAM>(owned.get())))
    throw std::runtime_error("cannot reach the message thread");
  owned.release();  // the thread deletes it once it ran
}

void MessageThread::Loop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == kRunWork) {
      auto& pending = *reinterpret_cast<PendingWork*>(msg.lParam);
      try {
        pending.work();
      } catch (...) {
        pending.error = std::current_exception();
      }
      SetEvent(pending.done.get());
      continue;
    }
    if (msg.hwnd == nullptr && msg.message == kRunPostedWork) {
      std::unique_ptr<std::function<void()>> work(
          reinterpret_cast<std::function<void()>*>(msg.lParam));
      [&]() noexcept { (*work)(); }();  // a throw ends the program: it would go unseen
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace kq::win
