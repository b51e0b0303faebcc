#pragma once
// The help file's topics by the context numbers the program opens. The program opens a topic
// by its file inside the help file, so the mapping lives here, in one place, rather than in
// the help file's own context map.

#include <span>
#include <string_view>

namespace kq {

inline constexpr char16_t kHelpFileName[] = u"Keyquill2.chm";

struct HelpTopic {
  int context;
  std::u16string_view file;  // inside the help file
};

std::span<const HelpTopic> HelpTopics();
// The topic of a context number; the welcome topic for a number without one of its own.
std::u16string_view HelpTopicFor(int context);

}  // namespace kq
