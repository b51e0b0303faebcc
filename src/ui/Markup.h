#pragma once
// The simple markup of the program's markup labels: "<B>" and "</B>" (in either letter case)
// start and end bold text; everything else is text as it stands.

#include <string>
#include <string_view>
#include <vector>

namespace kq::ui {

struct TextRun {
  std::u16string text;
  bool bold = false;
  bool operator==(const TextRun&) const = default;
};

// The runs of the markup in order; adjacent runs differ in boldness, and none is empty.
std::vector<TextRun> ParseMarkup(std::u16string_view markup);

// The text without its markup.
std::u16string PlainText(const std::vector<TextRun>& runs);

}  // namespace kq::ui
