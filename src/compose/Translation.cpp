#include "compose/Translation.h"

namespace kq::compose {

std::string ComposeOutput::SequenceKey(std::uint16_t char1, std::uint16_t char2) const {
  const std::u16string typed{static_cast<char16_t>(char1), static_cast<char16_t>(char2)};
  return codePage_.FromUnicode(typed).substr(0, 2);
}

void ComposeOutput::TranslateKeys(std::uint16_t char1, std::uint16_t char2, std::uintptr_t window) {
  const std::u16string result = lookup_(SequenceKey(char1, char2));
  if (result.empty()) {
    PostCharGroup(window, static_cast<char16_t>(char1));
    PostCharGroup(window, static_cast<char16_t>(char2));
    system_.Beep();
    return;
  }
  for (char16_t unit : result) {
    if (unit != u'\n')
      PostCharGroup(window, unit);
  }
}

void ComposeOutput::PostCharGroup(std::uintptr_t window, char16_t unit) {
  const std::int32_t fakeKey = settings_.FakeKey();
  const bool useFakeKey = fakeKey != kNoFakeKey;
  if (useFakeKey)
    system_.Post(window, kWmKeyDown, static_cast<std::uintptr_t>(fakeKey), 0);
  system_.Post(window, kWmChar, unit, 1);
  if (useFakeKey)
    system_.Post(window, kWmKeyUp, static_cast<std::uintptr_t>(fakeKey), 0);
}

}  // namespace kq::compose
