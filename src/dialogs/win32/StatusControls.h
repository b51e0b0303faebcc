#pragma once
// The status controls over real windows: the application as their host, labels as status
// lines, a progress bar as the gauge and a button as the abort button; and StatusCtrls,
// the program's one instance, which the main window creates and frees.

#include <memory>

#include "dialogs/Statctrl.h"
#include "ui/win32/Controls.h"

namespace kq::win {

extern TStatusCtrls* StatusCtrls;

class ApplicationStatusHost : public StatusHost {
 public:
  HintHandler CurrentHintHandler() const override;
  void SetHintHandler(HintHandler handler) override;
  void SetHourglass(bool hourglass) override;
  void ProcessMessages() override;
};

class LabelStatusLine : public StatusLine {
 public:
  explicit LabelStatusLine(ui::Control& label) : label_(label) {}
  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;

 private:
  ui::Control& label_;
};

class ProgressBarGauge : public StatusGauge {
 public:
  explicit ProgressBarGauge(ui::ProgressBar& bar) : bar_(bar) {}
  void SetPercent(int percent) override { bar_.SetPosition(percent); }

 private:
  ui::ProgressBar& bar_;
};

class ButtonAbort : public StatusAbortButton {
 public:
  explicit ButtonAbort(ui::Control& button) : button_(button) {}
  void SetEnabled(bool enabled) override { button_.SetEnabled(enabled); }
  bool MouseOver() const override;

 private:
  ui::Control& button_;
};

}  // namespace kq::win
