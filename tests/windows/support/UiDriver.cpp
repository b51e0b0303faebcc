#include "support/UiDriver.h"

namespace kq::testing {

UiSteps::UiSteps(std::vector<Step> steps, DWORD limitMs)
    : steps_(std::move(steps)),
      deadline_(GetTickCount() + limitMs),
      timer_(30, [this] { Tick(); }) {
  timer_.SetEnabled(true);
}

void UiSteps::Tick() {
  if (Done())
    return;
  if (static_cast<LONG>(GetTickCount() - deadline_) > 0) {
    timedOut_ = true;
    next_ = steps_.size();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
          if (IsWindowVisible(window))
            PostMessageW(window, WM_CLOSE, 0, 0);
          return TRUE;
        },
        0);
    return;
  }
  // The step runs with the timer stopped, so a step that opens a nested loop is not re-entered.
  timer_.SetEnabled(false);
  if (steps_[next_]())
    ++next_;
  if (!Done())
    timer_.SetEnabled(true);
}

UiSteps::Step Do(std::function<void()> action) {
  return [action = std::move(action)] {
    action();
    return true;
  };
}

namespace {

struct WindowSearch {
  const wchar_t* className;
  std::wstring caption;
  HWND found = nullptr;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

// Enumeration callback: stops at the first window of the searched class and caption.
static BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  if (lstrcmpiW(ClassOf(window).c_str(), search.className) == 0 &&
      TextOf(window) == search.caption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindThreadWindow(const wchar_t* className, const std::wstring& caption) {
  WindowSearch search{className, caption};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found && IsWindowVisible(search.found) ? search.found : nullptr;
}

std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className) {
  struct Collect {
    const wchar_t* className;
    std::vector<std::wstring> texts;
  } collect{className, {}};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& collect = *reinterpret_cast<Collect*>(parameter);
        if (lstrcmpiW(ClassOf(window).c_str(), collect.className) == 0 && IsWindowVisible(window)) {
          if (std::wstring text = TextOf(window); !text.empty())
            collect.texts.push_back(text);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  return collect.texts;
}

HWND FindButton(HWND parent, const std::wstring& caption) {
  WindowSearch search{L"Button", caption};
  EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RECT RectInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void PressKey(WORD virtualKey) {
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
}

void PressAltKey(wchar_t letter) {
  // The character alone: the dialog manager takes the mnemonic from WM_SYSCHAR, and a posted
  // key press would be translated into a second one.
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageW(GetFocus(), WM_SYSCHAR, letter, kAltDown | 1);
}

void ChooseItem(HWND comboBox, int index) {
  SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(comboBox));
}

void TypeText(const std::wstring& text) {
  HWND focus = GetFocus();
  for (wchar_t c : text)
    PostMessageW(focus, WM_CHAR, c, 1);
}

}  // namespace kq::testing
