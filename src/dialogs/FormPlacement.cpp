#include "dialogs/FormPlacement.h"

#include "common/Errors.h"

namespace kq {

namespace {

constexpr char16_t kState[] = u"WindowState";
constexpr char16_t kLeft[] = u"Left";
constexpr char16_t kTop[] = u"Top";
constexpr char16_t kRight[] = u"Right";
constexpr char16_t kBottom[] = u"Bottom";
constexpr char16_t kPixelsPerInch[] = u"PixelsPerInch";

}  // namespace

FormPlacementStorage::FormPlacementStorage(TQvxIniFile& store, std::u16string formName)
    : store_(store), section_(std::move(formName)) {}

std::optional<WindowPlacement> FormPlacementStorage::ReadPlacement() const {
  if (!store_.ValueExists(section_, kLeft))
    return std::nullopt;
  try {
    WindowPlacement placement;
    placement.state = store_.ReadInteger(section_, kState, 0);
    placement.left = store_.ReadInteger(section_, kLeft, 0);
    placement.top = store_.ReadInteger(section_, kTop, 0);
    placement.right = store_.ReadInteger(section_, kRight, placement.left);
    placement.bottom = store_.ReadInteger(section_, kBottom, placement.top);
    placement.pixelsPerInch = store_.ReadInteger(section_, kPixelsPerInch, 96);
    if (placement.right <= placement.left || placement.bottom <= placement.top ||
        placement.pixelsPerInch <= 0)
      return std::nullopt;
    return placement;
  } catch (const Error&) {
    return std::nullopt;  // a damaged value: the form opens at its designed place
  }
}

void FormPlacementStorage::WritePlacement(const WindowPlacement& placement) {
  store_.WriteInteger(section_, kState, placement.state);
  store_.WriteInteger(section_, kLeft, placement.left);
  store_.WriteInteger(section_, kTop, placement.top);
  store_.WriteInteger(section_, kRight, placement.right);
  store_.WriteInteger(section_, kBottom, placement.bottom);
  store_.WriteInteger(section_, kPixelsPerInch, placement.pixelsPerInch);
}

std::optional<std::u16string> FormPlacementStorage::ReadProperty(const std::u16string& name) const {
  if (!store_.ValueExists(section_, name))
    return std::nullopt;
  try {
    return store_.ReadString(section_, name, {});
  } catch (const Error&) {
    return std::nullopt;
  }
}

void FormPlacementStorage::WriteProperty(const std::u16string& name, const std::u16string& value) {
  store_.WriteString(section_, name, value);
}

}  // namespace kq
