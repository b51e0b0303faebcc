#pragma once
// The program's busy cursor: the hourglass shows from the first BeginBusy until the matching
// EndBusy (or ResetBusy, which ends any nesting).

#include "common/BusyCounter.h"

namespace kq::ui {

void BeginBusy();
void EndBusy();
void ResetBusy();

// The nesting depth; 0 when idle. Windows of the program show the hourglass while it is not 0.
int BusyLevel();

// The one counter behind the functions above, for the code that takes it as a parameter.
BusyCounter& ProgramBusyCounter();

}  // namespace kq::ui
