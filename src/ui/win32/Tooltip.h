#pragma once
// The hints of a form's controls, shown when the mouse rests on them.

#include <windows.h>

#include <string>

namespace kq::ui {

class Control;
class Form;

class Tooltip {
 public:
  explicit Tooltip(Form& form, bool balloon = false);
  ~Tooltip();
  Tooltip(const Tooltip&) = delete;
  Tooltip& operator=(const Tooltip&) = delete;

  HWND Handle() const { return window_; }
  void SetHint(Control& control, const std::wstring& text);

 private:
  HWND window_;
  HWND form_;
};

}  // namespace kq::ui
