// A typed search for a character by name: any text gives upper-case words without separators,
// and the characters found are ascending, named, and have a name word that each query word
// starts.
#include <algorithm>
#include <cctype>

#include "FuzzSupport.h"
#include "charmap/NameSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kq;
  using namespace kq::fuzz;
  const std::u16string typed = CodeUnitsOf(BytesOf(data, size));
  const auto words = ParseNameQuery(typed);
  for (const std::u16string& word : words) {
    Require(!word.empty(), "no query word is empty");
    Require(std::none_of(word.begin(), word.end(),
                         [](char16_t c) { return c < 0x80 && !std::isalnum(c); }),
            "a query word holds no separator");
    Require(
        std::none_of(word.begin(), word.end(), [](char16_t c) { return c >= u'a' && c <= u'z'; }),
        "a query word is in upper case");
  }
  const auto found = FindByName(words);
  Require(std::is_sorted(found.begin(), found.end()), "found characters ascend");
  Require(words.empty() ? found.empty() : true, "no words find nothing");
  for (char16_t code : found) {
    const auto nameWords = ParseNameQuery(GetUnicodeName(code));
    for (const std::u16string& word : words) {
      Require(std::any_of(nameWords.begin(), nameWords.end(),
                          [&](const std::u16string& w) { return w.starts_with(word); }),
              "each query word starts a word of the found character's name");
    }
  }
  return 0;
}
