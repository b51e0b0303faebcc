#include "ui/win32/MarkupLabel.h"

#include "platform/win32/Wide.h"

namespace kq::ui {

namespace {

// A word with the blanks that follow it, in one run's font: the unit that wrapping moves.
struct Piece {
  std::wstring text;
  bool bold;
  bool lineBreak;  // a line break in the text ends the line after this piece
};

std::vector<Piece> PiecesOf(const std::vector<TextRun>& runs) {
  std::vector<Piece> pieces;
  for (const auto& run : runs) {
    std::wstring text = win::Wide(run.text);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = start;
      while (end < text.size() && text[end] != L' ' && text[end] != L'\n')
        ++end;
      while (end < text.size() && text[end] == L' ')
        ++end;
      bool lineBreak = end < text.size() && text[end] == L'\n';
      std::wstring piece = text.substr(start, end - start);
      if (!piece.empty() && piece.back() == L'\r')
        piece.pop_back();
      pieces.push_back({std::move(piece), run.bold, lineBreak});
      start = lineBreak ? end + 1 : end;
    }
  }
  return pieces;
}

}  // namespace

MarkupLabel::MarkupLabel(Container& parent, const Place& place, const std::wstring& markup)
    : Container(&parent, place) {
  SetColor(parent.Color());
  CreateContainerWindow(WS_CHILD | WS_VISIBLE, 0, parent.Handle());
  SetMarkup(markup);
}

void MarkupLabel::SetMarkup(const std::wstring& markup) {
  runs_ = ParseMarkup(win::Core(markup));
  SetText(win::Wide(PlainText(runs_)));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void MarkupLabel::Relayout() {
  Container::Relayout();
  InvalidateRect(Handle(), nullptr, TRUE);
}

HFONT MarkupLabel::BoldFont() {
  FontSpec spec = Font();
  spec.bold = true;
  if (!boldFont_ || boldDpi_ != Dpi() || !(boldSpec_ == spec)) {
    boldFont_ = CreateFontFor(spec, Dpi());
    boldSpec_ = spec;
    boldDpi_ = Dpi();
  }
  return boldFont_.get();
}

void MarkupLabel::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, Brush());
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, TextColor() != CLR_INVALID
                         ? TextColor()
                         : GetSysColor(Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  HFONT normal = FontHandle();
  HFONT bold = BoldFont();
  win::SelectionGuard selected(dc, normal);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int lineHeight = metrics.tmHeight;
  // Lines of segments, each a stretch of one font: measured word by word to wrap, then drawn a
  // segment at a time, so that the text keeps the spacing the font gives a whole stretch.
  std::vector<std::vector<Piece>> lines(1);
  int x = 0;
  for (const auto& piece : PiecesOf(runs_)) {
    SelectObject(dc, piece.bold ? bold : normal);
    const std::wstring word = piece.text.substr(0, piece.text.find_last_not_of(L' ') + 1);
    SIZE wordSize{}, pieceSize{};
    GetTextExtentPoint32W(dc, word.c_str(), static_cast<int>(word.size()), &wordSize);
    GetTextExtentPoint32W(dc, piece.text.c_str(), static_cast<int>(piece.text.size()), &pieceSize);
    // A word that does not fit starts a new line; its trailing blanks may hang past the edge.
    if (x > 0 && x + wordSize.cx > client.right) {
      lines.emplace_back();
      x = 0;
    }
    auto& line = lines.back();
    if (!line.empty() && line.back().bold == piece.bold)
      line.back().text += piece.text;
    else
      line.push_back({piece.text, piece.bold, false});
    x += pieceSize.cx;
    if (piece.lineBreak) {
      lines.emplace_back();
      x = 0;
    }
  }
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_UPDATECP);
  for (size_t i = 0; i < lines.size(); ++i) {
    MoveToEx(dc, 0, static_cast<int>(i) * lineHeight, nullptr);
    for (const auto& segment : lines[i]) {
      SelectObject(dc, segment.bold ? bold : normal);
      TextOutW(dc, 0, 0, segment.text.c_str(), static_cast<int>(segment.text.size()));
    }
  }
}

LRESULT MarkupLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      Paint(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // a label: clicks go to what lies below
  }
  return Container::HandleMessage(message, wParam, lParam);
}

}  // namespace kq::ui
