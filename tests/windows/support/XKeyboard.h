#pragma once
// The X server's keyboard of the Wine session, typed at with xdotool (XTEST), as a person's
// keyboard is: the keys reach the X window that has the input focus, and Wine turns them into
// the system's keyboard input, through the low-level hooks. Wine starts a Unix program from
// CreateProcess but gives no handle to wait on; each call waits for a marker file that
// xdotool writes once its last key is sent.

#include <string>
#include <vector>

namespace kq::testing {

// Whether xdotool is there to type with (scripts/bootstrap installs it).
bool XKeyboardAvailable();

// Runs "xdotool <arguments...> exec touch <marker>" and waits until the marker exists; false
// when xdotool could not be started or did not finish in time. The arguments are xdotool's
// own, e.g. {"key", "Alt_R", "apostrophe", "e"} or {"keydown", "Alt_L"}.
bool XDoTool(const std::vector<std::string>& arguments);

}  // namespace kq::testing
