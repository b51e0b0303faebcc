#include "app/win32/TrayShell.h"

#include <cwchar>
#include <string>

#include "app/win32/Trace.h"
#include "common/Text.h"
#include "platform/win32/Wide.h"

namespace kq::app {

namespace {

std::u16string MessageName(DWORD message) {
  switch (message) {
    case NIM_ADD:
      return u"ADD";
    case NIM_MODIFY:
      return u"MODIFY";
    case NIM_DELETE:
      return u"DELETE";
  }
  return u"OTHER";
}

}  // namespace

TrayShell::TrayShell() {
  wchar_t refusals[16] = {};
  if (GetEnvironmentVariableW(L"KEYQUILL_TRAY_REFUSE", refusals, 16))
    refusalsLeft_ = static_cast<int>(std::wcstol(refusals, nullptr, 10));
}

bool TrayShell::Notify(DWORD message, NOTIFYICONDATAW& data, std::wstring_view iconName) {
  bool done = false;
  thread_.Invoke([&] { done = Call(message, data, iconName); });
  return done;
}

bool TrayShell::Call(DWORD message, NOTIFYICONDATAW& data, std::wstring_view iconName) {
  bool done;
  if (refusalsLeft_ > 0) {
    --refusalsLeft_;
    done = false;
  } else {
    done = Shell_NotifyIconW(message, &data) != FALSE;
  }
  if (!Tracing())
    return done;
  std::u16string line =
      u"Tray " + MessageName(message) + u" flags=" + IntToStr(static_cast<long long>(data.uFlags));
  if (data.uFlags & NIF_ICON)
    line += u" icon=" + win::Core(iconName);
  if (data.uFlags & NIF_INFO)
    line += u" info=\"" + win::Core(data.szInfo) + u"\"";
  Trace(line + (done ? u" ok" : u" refused"));
  return done;
}

}  // namespace kq::app
