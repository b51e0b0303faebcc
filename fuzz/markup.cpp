// The markup labels' text: any text parses into runs that alternate in boldness and are never
// empty, and hold the text without its tags, each character bold exactly when the last tag
// before it opened bold text. (Written back as markup, runs need not parse the same: taking a
// tag out of "<</B>/B>" leaves the text "</B>", and the markup has no escapes.)
#include <vector>

#include "FuzzSupport.h"
#include "ui/Markup.h"

namespace {

struct Character {
  char16_t unit;
  bool bold;
  bool operator==(const Character&) const = default;
};

// The text's characters without its tags, each with its boldness; written out here rather
// than taken from the parser.
std::vector<Character> CharactersOf(const std::u16string& text) {
  std::vector<Character> characters;
  bool bold = false;
  for (size_t i = 0; i < text.size();) {
    auto tagAt = [&](std::u16string_view tag) {
      return text.size() - i >= tag.size() &&
             kq::SameTextIgnoringCase(std::u16string_view(text).substr(i, tag.size()), tag);
    };
    if (tagAt(u"<B>")) {
      bold = true;
      i += 3;
    } else if (tagAt(u"</B>")) {
      bold = false;
      i += 4;
    } else {
      characters.push_back({text[i++], bold});
    }
  }
  return characters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kq;
  using namespace kq::fuzz;
  const std::u16string markup = CodeUnitsOf(BytesOf(data, size));
  const auto runs = ui::ParseMarkup(markup);
  for (size_t i = 0; i < runs.size(); ++i) {
    Require(!runs[i].text.empty(), "no run is empty");
    Require(i == 0 || runs[i].bold != runs[i - 1].bold, "neighbouring runs differ in boldness");
  }
  std::vector<Character> parsed;
  for (const auto& run : runs) {
    for (char16_t unit : run.text)
      parsed.push_back({unit, run.bold});
  }
  Require(parsed == CharactersOf(markup),
          "the runs hold the text without its tags, bold as tagged");
  return 0;
}
