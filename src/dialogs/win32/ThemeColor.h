#pragma once
// The colour of the program's dialogs: the integer "ThemeColor" of the settings store,
// default the button-face colour. Values with the high byte 0xFF name a system colour by its
// index, as colour values written by other tools of the maker do.

#include <windows.h>

#include "settings/Qvxinif.h"

namespace kq::win {

// store may be null: then the button-face colour.
COLORREF ThemeColor(const TQvxIniFile* store);

}  // namespace kq::win
