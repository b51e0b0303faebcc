#include "charmap/NameSearch.h"

#include <algorithm>
#include <cstdint>

#include "charmap/UnicodeTables.h"

namespace kq {
namespace {

bool IsWordChar(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         c >= 0x80;
}

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::vector<std::u16string> SplitWords(std::u16string_view text) {
  std::vector<std::u16string> words;
  std::u16string word;
  for (char16_t c : text) {
    if (IsWordChar(c)) {
      word += Upper(c);
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) {
    words.push_back(std::move(word));
  }
  return words;
}

// The words of each entry of the name tables' word list: a name is a list of those entries, so
// a query word is matched against the 5976 distinct entries once, not against every name.
class NameIndex {
 public:
  NameIndex() {
    entryWords_.reserve(UnicodeNameWordCount);
    for (std::size_t i = 0; i < UnicodeNameWordCount; ++i) {
      entryWords_.push_back(SplitWords(TableText(UnicodeNameWords[i])));
    }
  }

  std::vector<char16_t> Find(const std::vector<std::u16string>& query) const {
    std::vector<char16_t> found;
    if (query.empty()) {
      return found;
    }
    std::vector<std::vector<bool>> matching;
    for (const std::u16string& word : query) {
      matching.push_back(EntriesStartingWith(word));
    }
    for (std::size_t name = 0; name < kUnicodeCodepointCount; ++name) {
      if (NameMatches(name, matching)) {
        found.push_back(static_cast<char16_t>(UnicodeCodepoints[name].CodePoint));
      }
    }
    return found;
  }

 private:
  std::vector<bool> EntriesStartingWith(const std::u16string& prefix) const {
    std::vector<bool> matches(entryWords_.size());
    for (std::size_t i = 0; i < entryWords_.size(); ++i) {
      matches[i] = std::any_of(entryWords_[i].begin(), entryWords_[i].end(),
                               [&](const std::u16string& w) { return w.starts_with(prefix); });
    }
    return matches;
  }

  static bool NameMatches(std::size_t name, const std::vector<std::vector<bool>>& matching) {
    const std::size_t first = UnicodeCodepoints[name].FirstWord;
    const std::size_t end = name + 1 < kUnicodeCodepointCount
                                ? UnicodeCodepoints[name + 1].FirstWord
                                : UnicodeNameTokenCount;
    for (const std::vector<bool>& entries : matching) {
      bool any = false;
      for (std::size_t token = first; token < end && !any; ++token) {
        any = entries[UnicodeNameTokens[token]];
      }
      if (!any) {
        return false;
      }
    }
    return true;
  }

  std::vector<std::vector<std::u16string>> entryWords_;
};

}  // namespace

std::vector<std::u16string> ParseNameQuery(std::u16string_view query) {
  return SplitWords(query);
}

std::vector<char16_t> FindByName(const std::vector<std::u16string>& words) {
  static const NameIndex index;
  return index.Find(words);
}

std::vector<char16_t> FindByName(const std::vector<std::u16string>& words,
                                 const GlyphCoverage& coverage) {
  std::vector<char16_t> found = FindByName(words);
  std::erase_if(found, [&](char16_t code) { return !coverage.Covers(code); });
  return found;
}

}  // namespace kq
