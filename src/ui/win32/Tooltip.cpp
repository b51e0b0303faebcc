#include "ui/win32/Tooltip.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "ui/win32/Form.h"

namespace kq::ui {

Tooltip::Tooltip(Form& form, bool balloon) : form_(form.Handle()) {
  window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (balloon ? TTS_BALLOON : 0),
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_)
    throw std::runtime_error("cannot create the hint window");
  SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, 400);
}

Tooltip::~Tooltip() {
  if (IsWindow(window_))
    DestroyWindow(window_);
}

void Tooltip::SetHint(Control& control, const std::wstring& text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form_;
  tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace kq::ui
