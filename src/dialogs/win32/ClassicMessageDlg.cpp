#include "dialogs/win32/ClassicMessageDlg.h"

#include <algorithm>
#include <array>

#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Application.h"
#include "ui/win32/Dpi.h"

namespace kq::win {

namespace {

struct ButtonKind {
  TMsgDlgBtn button;
  const wchar_t* caption;
  int result;
};

// In the order the dialog shows them.
constexpr std::array<ButtonKind, 7> kButtons{{
    {mbYes, L"&Yes", mrYes},
    {mbNo, L"&No", mrNo},
    {mbOK, L"OK", mrOk},
    {mbCancel, L"Cancel", mrCancel},
    {mbAbort, L"&Abort", mrAbort},
    {mbRetry, L"&Retry", mrRetry},
    {mbIgnore, L"&Ignore", mrIgnore},
}};

const wchar_t* IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return IDI_WARNING;
    case TMsgDlgType::mtError:
      return IDI_ERROR;
    case TMsgDlgType::mtInformation:
      return IDI_INFORMATION;
    case TMsgDlgType::mtConfirmation:
      return IDI_QUESTION;
    case TMsgDlgType::mtCustom:
      break;
  }
  return nullptr;
}

std::wstring CaptionOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return L"Warning";
    case TMsgDlgType::mtError:
      return L"Error";
    case TMsgDlgType::mtInformation:
      return L"Information";
    case TMsgDlgType::mtConfirmation:
      return L"Confirm";
    case TMsgDlgType::mtCustom:
      break;
  }
  auto* application = ui::Application::Current();
  return application ? application->Title() : L"";
}

// The text's size at 96 dpi in the form's font, wrapped at maxWidth.
SIZE MeasureText(HFONT font, UINT dpi, const std::wstring& text, int maxWidth) {
  win::WindowDC dc;
  win::SelectionGuard selected(dc.get(), font);
  RECT r{0, 0, ui::Scale(maxWidth, dpi), 0};
  DrawTextW(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return {ui::Unscale(r.right, dpi) + 2, ui::Unscale(r.bottom, dpi) + 2};
}

}  // namespace

ClassicMessageDlg::ClassicMessageDlg(const std::u16string& msg, TMsgDlgType type,
                                     TMsgDlgButtons buttons, COLORREF colour, HWND owner)
    : Form(L"MessageDlg", owner) {
  SetCaption(CaptionOf(type));
  SetColor(colour);
  SetFormFont({L"Tahoma", 8});
  SetPosition(ui::Position::MainFormCenter);

  constexpr int kMargin = 12, kIcon = 32, kButtonWidth = 75, kButtonHeight = 25, kGap = 6;
  const wchar_t* icon = IconOf(type);
  int textLeft = icon ? kMargin + kIcon + kMargin : kMargin;
  std::wstring text = Wide(msg);
  SIZE textSize = MeasureText(FontHandle(), ContainerDpi(), text, 360);

  std::vector<const ButtonKind*> shown;
  for (const auto& kind : kButtons) {
    if (buttons & kind.button)
      shown.push_back(&kind);
  }
  if (shown.empty())
    shown.push_back(&kButtons[2]);  // at least OK
  int rowWidth = static_cast<int>(shown.size()) * (kButtonWidth + kGap) - kGap;
  int width = std::max(textLeft + static_cast<int>(textSize.cx) + kMargin, rowWidth + 2 * kMargin);
  int textBottom = kMargin + std::max(static_cast<int>(textSize.cy), icon ? kIcon : 0);
  int buttonTop = textBottom + kMargin;
  SetClientSize(width, buttonTop + kButtonHeight + kMargin);

  if (icon)
    Add<ui::Image>(ui::Place{kMargin, kMargin, kIcon, kIcon}).SetIcon(LoadIconW(nullptr, icon));
  Add<ui::Label>(
      ui::Place{textLeft, kMargin, static_cast<int>(textSize.cx), static_cast<int>(textSize.cy)},
      text, ui::TextAlign::Left, true)
      .SetShowAccelChar(false);

  // The first button is the default one; Esc presses Cancel, else No, else OK.
  int left = (width - rowWidth) / 2;
  ui::Button* cancel = nullptr;
  ui::Button* no = nullptr;
  ui::Button* ok = nullptr;
  for (size_t i = 0; i < shown.size(); ++i) {
    auto& button = Add<ui::Button>(ui::Place{left, buttonTop, kButtonWidth, kButtonHeight},
                                   shown[i]->caption, shown[i]->result);
    left += kButtonWidth + kGap;
    if (i == 0) {
      button.SetDefault(true);
      button.SetFocus();
    }
    if (shown[i]->button == mbCancel)
      cancel = &button;
    if (shown[i]->button == mbNo)
      no = &button;
    if (shown[i]->button == mbOK)
      ok = &button;
  }
  if (ui::Button* escape = cancel ? cancel : no ? no : ok)
    escape->SetCancel(true);
}

}  // namespace kq::win
