#pragma once
// The application object: the hidden application window that owns the program's taskbar
// presence and receives its registered messages, the title, the application-wide message
// filter and the one message loop that the main window and every modal window share.

#include <windows.h>

#include <functional>
#include <string>

namespace kq::ui {

class Form;

// Called for every message the loop retrieves, before dispatch, and for every message the
// application window receives by any other way; true means handled.
using MessageFilter = std::function<bool(MSG&)>;

class Application {
 public:
  static constexpr wchar_t kWindowClass[] = L"KeyquillApplication";

  explicit Application(HINSTANCE instance);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The one instance, for the code that only the UI thread runs; null before it exists.
  static Application* Current();

  HINSTANCE Module() const { return instance_; }
  HWND Handle() const { return window_; }

  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  void SetMessageFilter(MessageFilter filter) { filter_ = std::move(filter); }

  // The program's main form (the tray window), absent until it exists.
  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }
  // The window a message box belongs to: the program's active window when it is visible
  // (a dialog asking something), else the main form, else the application window.
  HWND ActiveOwner() const;
  // The caption dialogs and message boxes use: the main form's, else the title.
  std::wstring MainCaption() const;

  // Shows a control's hint where the program has a place for it; may be empty.
  std::function<void(const std::u16string&)> OnHint;

  // The HTML Help file; topics open by context number (see common/HelpTopics.h).
  const std::wstring& HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::wstring& path) { helpFile_ = path; }
  void ShowHelpContext(int context) const;
  // Takes the place of the help window where one is set: tests see which topic was asked for.
  void SetHelpHandler(std::function<void(int context)> handler) {
    helpHandler_ = std::move(handler);
  }
  void ShowHelpContents() const;

  // Runs the loop until Terminate; the exit code of WM_QUIT is returned.
  int Run();
  // Runs the loop until done() is true or the application terminates; for modal windows.
  void RunUntil(const std::function<bool()>& done);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Lets the messages already queued run, then returns.
  void ProcessMessages();

  // Called when the application window is asked to close (WM_CLOSE); terminates by default.
  void SetOnClose(std::function<void()> onClose) { onClose_ = std::move(onClose); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleOne(MSG& msg);
  // Runs the filter; an error it throws is shown, and the message counts as handled.
  bool Filter(MSG& msg);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  std::wstring title_;
  std::wstring helpFile_;
  std::function<void(int context)> helpHandler_;
  Form* mainForm_ = nullptr;
  MessageFilter filter_;
  std::function<void()> onClose_;
  bool terminated_ = false;
  int exitCode_ = 0;
};

}  // namespace kq::ui
