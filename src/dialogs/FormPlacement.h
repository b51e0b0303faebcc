#pragma once
// Where each dialog remembers its window: a section of the settings store named after the
// form (so a subkey of the program's key, such as "...\Keyquill\OptionDlg"), holding
//   "WindowState"    0 normal, 1 minimised, 2 maximised
//   "Left", "Top", "Right", "Bottom"   the normal window rectangle in screen pixels
//   "PixelsPerInch"  the dpi those pixels were measured at
// and, as strings under their own names, the control properties the form lists.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/Qvxinif.h"

namespace kq {

struct WindowPlacement {
  std::int32_t state = 0;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t pixelsPerInch = 96;

  bool operator==(const WindowPlacement&) const = default;
};

class FormPlacementStorage {
 public:
  FormPlacementStorage(TQvxIniFile& store, std::u16string formName);

  // The saved placement; none when it was never saved or a value is unreadable.
  std::optional<WindowPlacement> ReadPlacement() const;
  void WritePlacement(const WindowPlacement& placement);

  std::optional<std::u16string> ReadProperty(const std::u16string& name) const;
  void WriteProperty(const std::u16string& name, const std::u16string& value);

 private:
  TQvxIniFile& store_;
  std::u16string section_;
};

}  // namespace kq
