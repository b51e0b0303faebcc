#pragma once
// The first instance's life: the application window, the main window and the message loop
// until the user closes the program.

#include <windows.h>

#include "app/win32/ProgramGlobals.h"
#include "app/win32/SingleInstance.h"

namespace kq::app {

int RunFirstInstance(HINSTANCE instance, SingleInstance& guard, ProgramObjects& objects);

}  // namespace kq::app
