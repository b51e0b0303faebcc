#include "ui/Markup.h"

#include "common/Text.h"

namespace kq::ui {

namespace {

bool StartsWithTag(std::u16string_view text, std::u16string_view tag) {
  return text.size() >= tag.size() && SameTextIgnoringCase(text.substr(0, tag.size()), tag);
}

}  // namespace

std::vector<TextRun> ParseMarkup(std::u16string_view markup) {
  std::vector<TextRun> runs;
  bool bold = false;
  auto append = [&](char16_t c) {
    if (runs.empty() || runs.back().bold != bold)
      runs.push_back({{}, bold});
    runs.back().text += c;
  };
  for (size_t i = 0; i < markup.size();) {
    std::u16string_view rest = markup.substr(i);
    if (StartsWithTag(rest, u"<B>")) {
      bold = true;
      i += 3;
    } else if (StartsWithTag(rest, u"</B>")) {
      bold = false;
      i += 4;
    } else {
      append(markup[i++]);
    }
  }
  return runs;
}

std::u16string PlainText(const std::vector<TextRun>& runs) {
  std::u16string text;
  for (const auto& run : runs)
    text += run.text;
  return text;
}

}  // namespace kq::ui
