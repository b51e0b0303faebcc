#pragma once
// A list of "name=value" lines, as a section's values are handed out.

#include <string>
#include <vector>

namespace kq {

class NameValueList {
 public:
  // Replaces the line of that name (compared without regard to letter case) or adds one;
  // an empty value removes the name.
  void Set(const std::u16string& name, const std::u16string& value);
  std::u16string Value(const std::u16string& name) const;
  const std::vector<std::u16string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }

 private:
  std::vector<std::u16string> lines_;
};

}  // namespace kq
