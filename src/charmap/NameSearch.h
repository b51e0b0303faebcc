#pragma once
// Finding characters by the words of their Unicode names: "greek small" finds every character
// whose name has a word starting with GREEK and a word starting with SMALL.
//
// A word is a run of letters and digits; blanks, hyphens and brackets separate words, so
// "IDEOGRAPH-F900" is the words IDEOGRAPH and F900, and "(German)" is GERMAN. Letter case is
// ignored.

#include <string>
#include <string_view>
#include <vector>

#include "charmap/GlyphCoverage.h"

namespace kq {

// The words of a typed query, in upper case; none for a query of blanks only. Characters outside
// ASCII stay in their word, which then matches no name.
std::vector<std::u16string> ParseNameQuery(std::u16string_view query);

// The code points whose name has a word starting with each query word, ascending; none for no
// words. The index over the names is built on the first call and kept.
std::vector<char16_t> FindByName(const std::vector<std::u16string>& words);

// The same, only those the font covers.
std::vector<char16_t> FindByName(const std::vector<std::u16string>& words,
                                 const GlyphCoverage& coverage);

}  // namespace kq
