#include "dialogs/Statctrl.h"

#include <algorithm>

#include "common/Errors.h"

namespace kq {

TStatusCtrls::TStatusCtrls(StatusHost& host, BusyCounter& busy, MessageDialogs& dialogs,
                           StatusLine* aHelpLine, StatusLine* aModiLine, StatusGauge* aProgBar,
                           StatusAbortButton* aAbortBtn, std::function<void()> aUpdateMenuProc)
    : host_(host),
      busy_(busy),
      dialogs_(dialogs),
      UpdateMenuProc(std::move(aUpdateMenuProc)),
      AppHintProc(host.CurrentHintHandler()),
      HelpLine(aHelpLine),
      ModiLine(aModiLine),
      ProgBar(aProgBar),
      AbortBtn(aAbortBtn) {
  if (ModiLine)
    ModiLine->SetText({});
}

void TStatusCtrls::SetAnalysing(bool value) {
  if (value) {
    if (fAnalysingCount == 0) {
      host_.SetHintHandler({});
      fAnalysing = true;
      if (AbortBtn)
        AbortBtn->SetEnabled(true);
      fAnalyAborted = false;
      busy_.Begin();
      RunUpdateMenuProc();
    }
    ++fAnalysingCount;
  } else if (fAnalysing) {
    if (--fAnalysingCount <= 0)
      ResetAnalysing();
  }
}

void TStatusCtrls::ResetAnalysing() {
  host_.SetHintHandler(AppHintProc);
  fAnalysingCount = 0;
  fAnalysing = false;
  if (AbortBtn)
    AbortBtn->SetEnabled(false);
  fAnalyAborted = false;
  busy_.End();
  RunUpdateMenuProc();
}

void TStatusCtrls::AskAbort() {
  if (dialogs_.ShowMessageDlg(u"Cancel current operation?", TMsgDlgType::mtConfirmation,
                              mbYes | mbNo) != mrYes)
    return;
  if (HelpLine)
    HelpLine->SetText(u"Aborting...");
  ZeroTicks();
  SetAnalysing(false);
  fAnalyAborted = true;
}

void TStatusCtrls::Gasp() {
  if (fAnalysing) {
    bool overAbort = AbortBtn && AbortBtn->MouseOver();
    host_.SetHourglass(!overAbort && busy_.Level() != 0);
  }
  host_.ProcessMessages();
  if (fAnalyAborted) {
    fAnalyAborted = false;
    throw Abort();
  }
}

void TStatusCtrls::ZeroTicks() {
  fCurTick = 0;
  if (ProgBar)
    ProgBar->SetPercent(0);
}

void TStatusCtrls::SetCurTick(std::int64_t value) {
  if (fMaxTicks != 0) {
    fCurTick = value;
    if (ProgBar)
      ProgBar->SetPercent(static_cast<int>(std::min<std::int64_t>(value * 100 / fMaxTicks, 100)));
  }
  Gasp();
}

void TStatusCtrls::SetMaxTicks(std::int64_t value) {
  fMaxTicks = value;
  if (fCurTick > 0)
    SetCurTick(fCurTick);
}

void TStatusCtrls::SetMsg(const std::u16string& caption) {
  if (HelpLine) {
    if (std::u16string current = HelpLine->Text(); !current.empty())
      CaptionStack.push_back(current);
    HelpLine->SetText(caption);
  }
  Gasp();
}

void TStatusCtrls::ClearMsg() {
  if (CaptionStack.empty()) {
    if (HelpLine)
      HelpLine->SetText({});
  } else {
    if (HelpLine)
      HelpLine->SetText(CaptionStack.back());
    CaptionStack.pop_back();
  }
  Gasp();
}

}  // namespace kq
