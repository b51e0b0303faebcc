// One Keyquill per session: a second start ends at once and passes only an exact "/opt"
// first argument on to the running instance.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>

#include "support/KeyquillProcess.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"

namespace kq::testing {
namespace {

using namespace std::chrono_literals;

int KeyquillProcessCount() {
  win::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"Keyquill.exe") == 0)
      ++count;
  }
  return count;
}

DWORD StartSecond(const std::wstring& arguments) {
  std::wstring line = L"\"" + KeyquillProcess::ExecutablePath() + L"\"";
  if (!arguments.empty())
    line += L" " + arguments;
  return RunToEnd(line, 10s);
}

long OptionRequests(const KeyquillProcess& running) {
  auto lines = running.TraceLines();
  return std::count(lines.begin(), lines.end(), "ShowOptDlg 1 0");
}

// A request opens the Options dialog, and further ones are dropped while it is open: it is
// closed before the next.
void CloseOptions(const KeyquillProcess& running) {
  HWND options = running.WaitForForm(L"Keyquill Options");
  ASSERT_TRUE(options) << "the request opened no Options dialog";
  PostMessageW(FindButton(options, L"Cancel"), BM_CLICK, 0, 0);
  for (int i = 0; i < 500 && IsWindowVisible(options); ++i)
    Sleep(20);
  ASSERT_FALSE(IsWindowVisible(options));
}

class SingleInstance : public CleanProgramState {
 protected:
  void SetUp() override {
    ASSERT_EQ(KeyquillProcessCount(), 0) << "a Keyquill.exe was left running";
  }
  void TearDown() override {
    EXPECT_EQ(KeyquillProcessCount(), 0) << "a Keyquill.exe was left behind";
  }
};

TEST_F(SingleInstance, SecondStartPassesOnlyAnExactFirstOptSwitch) {
  KeyquillProcess running;
  running.Start();

  struct Case {
    const wchar_t* arguments;
    bool forwarded;
  };
  const Case cases[] = {
      {L"", false},     {L"/OPT", false}, {L"x /opt", false},    {L"/opt2", false},
      {L"-opt", false}, {L"/opt", true},  {L"/opt extra", true},
  };
  long expected = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.arguments, c.arguments + wcslen(c.arguments)));
    EXPECT_EQ(StartSecond(c.arguments), 0u) << "the second instance did not end at once";
    if (c.forwarded) {
      ++expected;
      EXPECT_TRUE(running.WaitForTrace("ShowOptDlg 1 0"));
      CloseOptions(running);
    }
    // A forwarded request that follows shows that nothing else arrived meanwhile.
    EXPECT_EQ(StartSecond(L"/opt"), 0u);
    ++expected;
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (OptionRequests(running) < expected && std::chrono::steady_clock::now() < deadline) {
      Sleep(20);
    }
    EXPECT_EQ(OptionRequests(running), expected);
    CloseOptions(running);
  }
  EXPECT_TRUE(running.Running());
  EXPECT_EQ(KeyquillProcessCount(), 1);
  EXPECT_EQ(running.Stop(), 0u);
}

TEST_F(SingleInstance, FirstInstanceIgnoresItsOwnArguments) {
  KeyquillProcess running;
  running.Start(L"/opt");
  EXPECT_EQ(StartSecond(L"/opt"), 0u);
  ASSERT_TRUE(running.WaitForTrace("ShowOptDlg 1 0"));
  EXPECT_EQ(OptionRequests(running), 1);  // only the second start's request
  CloseOptions(running);
  running.Stop();
}

TEST_F(SingleInstance, BothMutexesExistWhileTheProgramRuns) {
  {
    KeyquillProcess running;
    running.Start();
    for (const wchar_t* name : {L"Run only one Keyquill", L"Global\\Run only one Keyquill2"}) {
      win::UniqueHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name));
      EXPECT_TRUE(mutex) << "missing mutex";
    }
    EXPECT_EQ(running.Stop(), 0u);
  }
  EXPECT_FALSE(win::UniqueHandle(OpenMutexW(SYNCHRONIZE, FALSE, L"Run only one Keyquill")));
}

TEST_F(SingleInstance, ClosingShutsDownInOrder) {
  KeyquillProcess running;
  running.Start();
  HWND window = running.ApplicationWindow();
  ASSERT_TRUE(window);
  EXPECT_FALSE(IsWindowVisible(window));
  wchar_t title[32];
  GetWindowTextW(window, title, 32);
  EXPECT_STREQ(title, L"Keyquill");
  EXPECT_EQ(running.Stop(), 0u);
  EXPECT_FALSE(running.Running());
  EXPECT_TRUE(running.WaitForTrace("Closed", 0ms));
  auto sort = ReadRaw(kSettingsKey, L"SortTextTogether");  // saved as the process ended
  ASSERT_TRUE(sort);
  EXPECT_EQ(sort->Text(), L"1");
}

}  // namespace
}  // namespace kq::testing
