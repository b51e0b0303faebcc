#pragma once
// Test stand-ins for the program's message box and error entry points: they record what
// the code under test showed and answer questions from a script.

#include <deque>
#include <exception>
#include <string>
#include <vector>

#include "common/ErrorMessages.h"
#include "common/Errors.h"
#include "common/MessageDialogs.h"

namespace kq::testing {

class RecordedErrors : public ErrorMessages {
 public:
  void ShowErrorMsg(const std::u16string& message) override { shown.push_back(message); }
  void ReportException(const std::exception& error) override {
    reported.push_back(ExceptionMessage(error));
  }

  std::vector<std::u16string> shown;
  std::vector<std::u16string> reported;
};

struct ShownMessage {
  std::u16string msg;
  TMsgDlgType type;
  TMsgDlgButtons buttons;
  std::vector<std::u16string> customButtons;
};

// Answers each ShowMessageDlg with the next scripted result; an unscripted question fails
// the test through the recorded list (it answers mrNone).
class ScriptedDialogs : public MessageDialogs {
 public:
  ScriptedDialogs() = default;
  explicit ScriptedDialogs(std::deque<int> answers) : answers(std::move(answers)) {}

  int ShowMessageDlg(const std::u16string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                     const std::vector<std::u16string>& customButtons) override {
    shown.push_back({msg, type, buttons, customButtons});
    if (answers.empty())
      return mrNone;
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<int> answers;
  std::vector<ShownMessage> shown;
};

}  // namespace kq::testing
