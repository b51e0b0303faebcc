#include "dialogs/win32/SizeGrip.h"

namespace kq::win {

namespace {

ui::Place GripPlace(ui::Container& parent) {
  SIZE client = parent.DesignClientSize();
  return {client.cx - TSizeGrip::kSize - 1, client.cy - TSizeGrip::kSize - 1, TSizeGrip::kSize,
          TSizeGrip::kSize, ui::akRight | ui::akBottom};
}

}  // namespace

TSizeGrip::TSizeGrip(ui::Container& parent)
    : Control(parent, GripPlace(parent), L"SCROLLBAR",
              SBS_SIZEGRIP | WS_CLIPSIBLINGS) {
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace kq::win
