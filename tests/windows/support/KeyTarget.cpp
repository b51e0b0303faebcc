#include "support/KeyTarget.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "support/KeyquillProcess.h"

namespace kq::testing {

namespace {

using namespace std::chrono_literals;

constexpr WORD kSentinelKey = VK_F11;  // a key with a scan code, whose messages carry it

bool IsExtended(WORD virtualKey) {
  switch (virtualKey) {
    case VK_RMENU:
    case VK_RCONTROL:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    default:
      return false;
  }
}

// "NAME wParam lParam" as the target wrote it, in the form Received() gives; empty for a
// key release from the keyboard.
std::string Normalise(const std::string& raw) {
  std::istringstream in(raw);
  std::string name, wParam, lParam, window;
  in >> name >> wParam >> lParam >> window;
  if (name.find("KEY") == std::string::npos && name.find("CHAR") == std::string::npos)
    return {};  // the focus and activation lines
  const bool fromKeyboard = lParam != "0" && lParam != "1";
  if (fromKeyboard && (name == "KEYUP" || name == "SYSKEYUP"))
    return {};
  return name + " " + wParam + " " + (fromKeyboard ? "key" : lParam) +
         (window.empty() ? "" : " " + window);
}

}  // namespace

KeyTarget::KeyTarget() : recordPath_(NewTempFilePath(L"kqk")) {}

KeyTarget::~KeyTarget() {
  Stop();
  DeleteFileW(recordPath_.c_str());
}

void KeyTarget::Start() {
  DeleteFileW(recordPath_.c_str());
  std::wstring line = L"\"" + TestProgramFolder() + L"\\kq_target.exe\" \"" + recordPath_ + L"\"";
  StartedProcess started = StartProcess(line);
  ASSERT_TRUE(started.process) << "cannot start kq_target.exe: error " << GetLastError();
  process_ = std::move(started.process);
  auto deadline = std::chrono::steady_clock::now() + 10s;
  while (!window_ && std::chrono::steady_clock::now() < deadline) {
    auto lines = RawLines();
    for (std::size_t i = 0; i < lines.size() && !window_; ++i) {
      if (lines[i].rfind("Ready ", 0) == 0) {
        window_ = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::stoull(lines[i].substr(6))));
        consumed_ = i + 1;
      }
    }
    if (!window_)
      std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(window_) << "the target window did not come up";
  while (GetForegroundWindow() != window_ && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(20ms);
  ASSERT_EQ(GetForegroundWindow(), window_) << "the target window is not in the foreground";
}

void KeyTarget::Stop() {
  if (!process_)
    return;
  if (window_)
    PostMessageW(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
  process_.reset();
  window_ = nullptr;
}

std::vector<std::string> KeyTarget::RawLines() const {
  return ReadLines(recordPath_);
}

std::vector<std::string> KeyTarget::Received() const {
  std::vector<std::string> received;
  auto lines = RawLines();
  for (std::size_t i = consumed_; i < lines.size(); ++i) {
    std::string message = Normalise(lines[i]);
    if (!message.empty())
      received.push_back(message);
  }
  return received;
}

bool KeyTarget::WaitFor(const std::string& line, std::chrono::milliseconds timeout) const {
  return WaitForLine([this] { return Received(); }, line, timeout);
}

std::vector<std::string> KeyTarget::ReceivedUntilNow() {
  const std::string sentinel = "KEYDOWN " + std::to_string(kSentinelKey) + " key";
  TapKeys({kSentinelKey});
  bool arrived = WaitFor(sentinel);
  auto lines = RawLines();
  if (!arrived) {
    std::string all;
    for (const auto& line : lines)
      all += "\n  " + line;
    ADD_FAILURE() << "the key sent last did not arrive; the target received:" << all;
  }
  std::vector<std::string> before;
  std::size_t i = consumed_;
  for (; i < lines.size(); ++i) {
    std::string message = Normalise(lines[i]);
    if (message == sentinel)
      break;
    if (!message.empty())
      before.push_back(message);
  }
  // The sentinel's release may still be on its way; it is left out of later answers anyway.
  consumed_ = i + 1;
  return before;
}

void SendKeys(std::initializer_list<KeyStroke> strokes) {
  SendKeys(std::vector<KeyStroke>(strokes));
}

void SendKeys(const std::vector<KeyStroke>& strokes) {
  std::vector<INPUT> inputs;
  for (const auto& stroke : strokes) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = stroke.virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(stroke.virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (stroke.down ? 0 : KEYEVENTF_KEYUP) |
                       (IsExtended(stroke.virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
  }
  UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  EXPECT_EQ(sent, inputs.size()) << "SendInput refused keys: error " << GetLastError();
}

void TapKeys(std::initializer_list<WORD> keys) {
  for (WORD key : keys)
    SendKeys({Press(key), Release(key)});
}

}  // namespace kq::testing
