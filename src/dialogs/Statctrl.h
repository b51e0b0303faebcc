#pragma once
// TStatusCtrls: keeps a long operation on the user-interface thread responsive and
// cancellable. The operation calls Gasp often; Gasp lets queued messages run (so the Cancel
// button works) and raises the silent Abort once the user has confirmed cancelling.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/BusyCounter.h"
#include "common/MessageDialogs.h"

namespace kq {

// A line of text on a status panel (the help line and the modification line).
class StatusLine {
 public:
  virtual ~StatusLine() = default;
  virtual std::u16string Text() const = 0;
  virtual void SetText(const std::u16string& text) = 0;
};

class StatusGauge {
 public:
  virtual ~StatusGauge() = default;
  virtual void SetPercent(int percent) = 0;
};

class StatusAbortButton {
 public:
  virtual ~StatusAbortButton() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool MouseOver() const = 0;
};

using HintHandler = std::function<void(const std::u16string&)>;

// What the status controls need of the application.
class StatusHost {
 public:
  virtual ~StatusHost() = default;
  virtual HintHandler CurrentHintHandler() const = 0;
  virtual void SetHintHandler(HintHandler handler) = 0;
  virtual void SetHourglass(bool hourglass) = 0;
  virtual void ProcessMessages() = 0;
};

class TStatusCtrls {
 public:
  // Any of the controls and the callback may be absent (null or empty).
  TStatusCtrls(StatusHost& host, BusyCounter& busy, MessageDialogs& dialogs, StatusLine* aHelpLine,
               StatusLine* aModiLine, StatusGauge* aProgBar, StatusAbortButton* aAbortBtn,
               std::function<void()> aUpdateMenuProc);

  bool Analysing() const { return fAnalysing; }
  void SetAnalysing(bool value);
  void ResetAnalysing();
  bool AnalyAborted() const { return fAnalyAborted; }
  void SetAnalyAborted(bool value) { fAnalyAborted = value; }

  void AskAbort();
  // Raises Abort when cancelling was confirmed since the last Gasp.
  void Gasp();

  std::int64_t MaxTicks() const { return fMaxTicks; }
  void SetMaxTicks(std::int64_t value);
  std::int64_t CurTick() const { return fCurTick; }
  void SetCurTick(std::int64_t value);
  void ZeroTicks();
  void IncTicks(std::int64_t aTicks) { SetCurTick(fCurTick + aTicks); }

  void SetMsg(const std::u16string& caption);
  void ClearMsg();

  bool Closing = false;  // kept for callers that mark a closing window

 private:
  void RunUpdateMenuProc() {
    if (UpdateMenuProc)
      UpdateMenuProc();
  }

  StatusHost& host_;
  BusyCounter& busy_;
  MessageDialogs& dialogs_;
  std::function<void()> UpdateMenuProc;
  HintHandler AppHintProc;
  std::int64_t fMaxTicks = 0;
  std::int64_t fCurTick = 0;
  bool fAnalysing = false;
  bool fAnalyAborted = false;
  std::int32_t fAnalysingCount = 0;
  std::vector<std::u16string> CaptionStack;
  StatusLine* HelpLine;
  StatusLine* ModiLine;
  StatusGauge* ProgBar;
  StatusAbortButton* AbortBtn;
};

}  // namespace kq
