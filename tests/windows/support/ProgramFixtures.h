#pragma once
// Fixtures of the tests that use the program's own state on the real registry and disk: its
// settings key, its start-at-log-on value and its sequence file. They are removed before the
// test's members are made, so a member that opens the settings key finds it empty, and again
// after the last member has gone, so that nothing a test or the program left reaches the
// next test.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/KeyTarget.h"
#include "support/KeyquillProcess.h"
#include "support/ProgramFiles.h"
#include "support/RawRegistry.h"

namespace kq::testing {

inline void RemoveProgramState() {
  DeleteRawTree(kSettingsKey);
  DeleteRawValue(kRunKey, L"Keyquill");
  DeleteFileW(SequenceFilePath().c_str());
}

class CleanProgramState : public ::testing::Test {
 protected:
  CleanProgramState() { RemoveProgramState(); }
  ~CleanProgramState() override { RemoveProgramState(); }
};

using Lines = std::vector<std::string>;

// The running program and a window of another process to type into; both are stopped when
// the test ends (the target first), before the state is removed.
class ProgramProcessTest : public CleanProgramState {
 protected:
  // The traced lines that start with the prefix, in order.
  Lines Traced(const std::string& prefix) const { return keyquill.TraceLinesStartingWith(prefix); }
  // The same, once there are at least count of them or ten seconds have passed: the hook and
  // the notification area trace from threads of their own, which may still be at work.
  Lines TracedOnceThereAre(const std::string& prefix, size_t count) const {
    for (int i = 0; i < 500 && Traced(prefix).size() < count; ++i)
      Sleep(20);
    return Traced(prefix);
  }

  KeyquillProcess keyquill;
  KeyTarget target;
};

}  // namespace kq::testing
