#include "common/HelpTopics.h"

namespace kq {

namespace {

constexpr HelpTopic kTopics[] = {
    {1, u"welcome.html"},
    {2, u"tray.html"},
    {6, u"options.html"},
    {7, u"customize.html"},
    {8, u"advanced.html"},
    {9, u"charmap.html"},
    {104, u"customize-list.html"},
    {105, u"customize-add-character.html"},
    {106, u"customize-add-text.html"},
    {107, u"customize-delete.html"},
    {108, u"options-key.html"},
    {109, u"options-startup.html"},
    {110, u"charmap-grid.html"},
    {111, u"customize-sort.html"},
    {112, u"customize-font.html"},
    {113, u"customize-font-size.html"},
    {114, u"customize-reset.html"},
    {115, u"customize-export.html"},
    {116, u"customize-import.html"},
    {117, u"customize-print.html"},
    {2038, u"errorreport.html"},
    {2039, u"errorreport-description.html"},
    {2040, u"errorreport-print.html"},
    {2041, u"errorreport-send.html"},
};

}  // namespace

std::span<const HelpTopic> HelpTopics() {
  return kTopics;
}

std::u16string_view HelpTopicFor(int context) {
  for (const HelpTopic& topic : kTopics) {
    if (topic.context == context)
      return topic.file;
  }
  return kTopics[0].file;
}

}  // namespace kq
