#include "ui/win32/Application.h"

#include <htmlhelp.h>

#include <stdexcept>

#include "common/HelpTopics.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Form.h"
#include "ui/win32/UiErrors.h"

namespace kq::ui {

namespace {

Application* theApplication = nullptr;

}  // namespace

Application::Application(HINSTANCE instance) : instance_(instance) {
  theApplication = this;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  // A top-level window (not message-only), so that broadcasts such as the shell's
  // "TaskbarCreated" reach it. It is never shown.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  if (!window_)
    throw std::runtime_error("cannot create the application window");
}

Application::~Application() {
  if (window_)
    DestroyWindow(window_);
  UnregisterClassW(kWindowClass, instance_);
  theApplication = nullptr;
}

Application* Application::Current() {
  return theApplication;
}

void Application::SetTitle(const std::wstring& title) {
  title_ = title;
  SetWindowTextW(window_, title.c_str());
}

HWND Application::ActiveOwner() const {
  HWND active = GetActiveWindow();
  if (active && IsWindowVisible(active) && Form::FromHandle(active))
    return active;
  return mainForm_ ? mainForm_->Handle() : window_;
}

std::wstring Application::MainCaption() const {
  return mainForm_ ? mainForm_->Caption() : title_;
}

void Application::ShowHelpContext(int context) const {
  if (helpHandler_) {
    helpHandler_(context);
    return;
  }
  HWND caller = mainForm_ ? mainForm_->Handle() : window_;
  std::wstring topic = helpFile_ + L"::/" + win::Wide(HelpTopicFor(context));
  HtmlHelpW(caller, topic.c_str(), HH_DISPLAY_TOPIC, 0);
}

void Application::ShowHelpContents() const {
  HWND caller = mainForm_ ? mainForm_->Handle() : window_;
  HtmlHelpW(caller, helpFile_.c_str(), HH_DISPLAY_TOC, 0);
}

bool Application::HandleOne(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    exitCode_ = static_cast<int>(msg.wParam);
    return false;
  }
  // A message to the application window meets the filter in the window's procedure, which
  // also sees what the modal loops run by Windows (message and task dialogs, popup menus)
  // dispatch; so each message meets the filter once.
  if (msg.hwnd != window_ && Filter(msg))
    return true;
  // Dialog keys (Tab, Enter, Esc, mnemonics) for the form the message is meant for.
  if (HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      root && Form::FromHandle(root) && IsDialogMessageW(root, &msg))
    return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

int Application::Run() {
  RunUntil([] { return false; });
  return exitCode_;
}

void Application::RunUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!terminated_ && !done()) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1)
      break;
    if (got == 0) {
      terminated_ = true;
      exitCode_ = static_cast<int>(msg.wParam);
      // A nested loop passes the quit on to the loops outside it.
      PostQuitMessage(exitCode_);
      break;
    }
    HandleOne(msg);
  }
}

void Application::Terminate() {
  if (!terminated_)
    PostQuitMessage(0);
}

void Application::ProcessMessages() {
  MSG msg;
  while (!terminated_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!HandleOne(msg))
      PostQuitMessage(exitCode_);
  }
}

bool Application::Filter(MSG& msg) {
  try {
    return filter_ && filter_(msg);
  } catch (...) {
    HandleCurrentException();
    return true;
  }
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theApplication && theApplication->window_ == window) {
    MSG msg{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    if (theApplication->Filter(msg))
      return 0;
  }
  if (message == WM_CLOSE && theApplication && theApplication->window_ == window) {
    if (theApplication->onClose_) {
      theApplication->onClose_();
    } else {
      theApplication->Terminate();
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kq::ui
