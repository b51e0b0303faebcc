#include "dialogs/win32/StatusControls.h"

#include "platform/win32/Wide.h"
#include "ui/win32/Application.h"

namespace kq::win {

TStatusCtrls* StatusCtrls = nullptr;

HintHandler ApplicationStatusHost::CurrentHintHandler() const {
  auto* application = ui::Application::Current();
  return application ? application->OnHint : HintHandler{};
}

void ApplicationStatusHost::SetHintHandler(HintHandler handler) {
  if (auto* application = ui::Application::Current())
    application->OnHint = std::move(handler);
}

void ApplicationStatusHost::SetHourglass(bool hourglass) {
  SetCursor(LoadCursorW(nullptr, hourglass ? IDC_WAIT : IDC_ARROW));
}

void ApplicationStatusHost::ProcessMessages() {
  if (auto* application = ui::Application::Current())
    application->ProcessMessages();
}

std::u16string LabelStatusLine::Text() const {
  return Core(label_.Text());
}

void LabelStatusLine::SetText(const std::u16string& text) {
  label_.SetText(Wide(text));
}

bool ButtonAbort::MouseOver() const {
  POINT cursor;
  return GetCursorPos(&cursor) && WindowFromPoint(cursor) == button_.Handle();
}

}  // namespace kq::win
