#pragma once
// The nested hourglass cursor: the application is busy from the first BeginBusy until the
// matching EndBusy (or ResetBusy, which ends any nesting).

namespace kq::win {

void BeginBusy();
void EndBusy();
void ResetBusy();

// The nesting depth; 0 when idle. Windows of the program show the hourglass while it is not 0.
int BusyLevel();

}  // namespace kq::win
