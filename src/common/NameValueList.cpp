#include "common/NameValueList.h"

#include <algorithm>

#include "common/Text.h"

namespace kq {

namespace {

bool HasName(const std::u16string& line, const std::u16string& name) {
  return line.size() > name.size() && line[name.size()] == u'=' &&
         SameTextIgnoringCase(std::u16string_view(line).substr(0, name.size()), name);
}

}  // namespace

void NameValueList::Set(const std::u16string& name, const std::u16string& value) {
  auto it = std::find_if(lines_.begin(), lines_.end(),
                         [&](const std::u16string& line) { return HasName(line, name); });
  if (value.empty()) {
    if (it != lines_.end())
      lines_.erase(it);
  } else if (it != lines_.end()) {
    *it = name + u'=' + value;
  } else {
    lines_.push_back(name + u'=' + value);
  }
}

std::u16string NameValueList::Value(const std::u16string& name) const {
  for (const auto& line : lines_) {
    if (HasName(line, name))
      return line.substr(name.size() + 1);
  }
  return {};
}

}  // namespace kq
