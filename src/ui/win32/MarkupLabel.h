#pragma once
// A label that shows the simple markup of ui/Markup.h: bold runs within the text, drawn in
// the container's font and wrapped at word boundaries to the label's width. Its window text
// is the plain text, for screen readers and other tools.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Markup.h"
#include "ui/win32/Control.h"

namespace kq::ui {

class MarkupLabel : public Container {
 public:
  MarkupLabel(Container& parent, const Place& place, const std::wstring& markup);
  void SetMarkup(const std::wstring& markup);
  const std::vector<TextRun>& Runs() const { return runs_; }

  void Relayout() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  HFONT BoldFont();

  std::vector<TextRun> runs_;
  win::UniqueFont boldFont_;
  FontSpec boldSpec_;
  UINT boldDpi_ = 0;
};

}  // namespace kq::ui
