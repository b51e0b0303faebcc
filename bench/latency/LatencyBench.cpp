// How much later a composed character reaches a window than a plain key press does, through
// the real Keyquill.exe under the system's input: 200 plain key presses and 200 composed pairs
// typed with SendInput at a window of another process (kq_latency_target.exe), each measured
// from the SendInput of its last key to the first WM_CHAR the window receives. The keys of a
// pair are sent one after the other with no pause, as a quick typist's are, and once more with
// a pause before each. Prints the medians and the ratio composed / plain (the target is at most
// 1.2).
//
// Then the stress run: 10,000 composed pairs at full speed; all must arrive, in order, with no
// key press of a sequence reaching the window, and no modifier left down.
//
//   kq_latency_bench.exe [KEYQUILL_EXE]   (Keyquill.exe beside this program by default)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "SharedRecord.h"
#include "platform/win32/Handles.h"

namespace {

using namespace std::chrono_literals;
using kq::bench::ReceivedMessage;
using kq::bench::SharedRecord;

constexpr int kTrials = 200;
constexpr int kStressPairs = 10000;
constexpr wchar_t kSettingsKey[] = L"Software\\Brenhollow\\Keyquill";

struct Failure {
  std::string what;
};

std::int64_t Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Milliseconds(std::int64_t ticks) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return 1000.0 * static_cast<double>(ticks) / frequency;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

kq::win::UniqueHandle StartProgram(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    std::string line(commandLine.begin(), commandLine.end());
    throw Failure{"cannot start " + line + ": error " + std::to_string(GetLastError())};
  }
  kq::win::UniqueHandle thread(info.hThread);
  return kq::win::UniqueHandle(info.hProcess);
}

// A started program, closed through WM_CLOSE to a window of its own when the run ends.
class Running {
 public:
  explicit Running(kq::win::UniqueHandle process) : process_(std::move(process)) {}
  ~Running() {
    if (!process_)
      return;
    DWORD id = GetProcessId(process_.get());
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == static_cast<DWORD>(parameter))
            PostMessageW(window, WM_CLOSE, 0, 0);
          return TRUE;
        },
        static_cast<LPARAM>(id));
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.get(), 99);
  }
  Running(Running&&) = default;

 private:
  kq::win::UniqueHandle process_;
};

// A first start of the program, without the help page a first start opens.
void PrepareSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS)
    throw Failure{"cannot create the settings key"};
  kq::win::UniqueHKey key(raw);
  const wchar_t no[] = L"0";
  RegSetValueExW(key.get(), L"FirstRun2", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no);
}

bool IsExtended(WORD virtualKey) {
  return virtualKey == VK_RMENU;
}

INPUT Stroke(WORD virtualKey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags =
      (down ? 0 : KEYEVENTF_KEYUP) | (IsExtended(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

// A press and release of the key, in one SendInput call.
void Tap(WORD virtualKey) {
  INPUT inputs[2] = {Stroke(virtualKey, true), Stroke(virtualKey, false)};
  if (SendInput(2, inputs, sizeof(INPUT)) != 2)
    throw Failure{"SendInput refused keys: error " + std::to_string(GetLastError())};
}

class Target {
 public:
  Target() {
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(SharedRecord), kq::bench::kRecordName));
    if (!mapping_)
      throw Failure{"cannot create the shared record"};
    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view_)
      throw Failure{"cannot map the shared record"};
    record_ = static_cast<SharedRecord*>(view_.get());
  }

  Running Start() {
    Running running(StartProgram(L"\"" + ProgramFolder() + L"\\kq_latency_target.exe\""));
    HWND window = nullptr;
    for (int i = 0; i < 1500 && !window; ++i) {
      window = reinterpret_cast<HWND>(record_->window.load(std::memory_order_acquire));
      std::this_thread::sleep_for(20ms);
    }
    if (!window)
      throw Failure{"the target window did not come up"};
    for (int i = 0; i < 500 && GetForegroundWindow() != window; ++i)
      std::this_thread::sleep_for(20ms);
    if (GetForegroundWindow() != window)
      throw Failure{"the target window is not in the foreground"};
    return running;
  }

  std::uint32_t Count() const { return record_->count.load(std::memory_order_acquire); }
  const ReceivedMessage& At(std::uint32_t index) const { return record_->messages[index]; }

  // The first WM_CHAR at or after the index, waited for; null when none came in time.
  const ReceivedMessage* FirstCharFrom(std::uint32_t index,
                                       std::chrono::milliseconds timeout = 5s) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      for (std::uint32_t count = Count(); index < count; ++index) {
        if (At(index).message == WM_CHAR)
          return &At(index);
      }
      if (std::chrono::steady_clock::now() >= deadline)
        return nullptr;
      std::this_thread::yield();
    }
  }

  // Waits until nothing more arrived for the quiet time.
  void Settle(std::chrono::milliseconds quiet = 100ms) const {
    std::uint32_t seen = Count();
    for (;;) {
      std::this_thread::sleep_for(quiet);
      const std::uint32_t now = Count();
      if (now == seen)
        return;
      seen = now;
    }
  }

 private:
  kq::win::UniqueHandle mapping_;
  kq::win::UniqueMappedView view_;
  SharedRecord* record_ = nullptr;
};

void TypePair(WORD first, WORD second) {
  Tap(VK_RMENU);
  Tap(first);
  Tap(second);
}

// The program's application window, then a moment for the rest of its start: the hook is
// installed after the window exists.
void WaitForApplicationWindow() {
  for (int i = 0; i < 500 && !FindWindowW(L"KeyquillApplication", nullptr); ++i)
    std::this_thread::sleep_for(20ms);
  if (!FindWindowW(L"KeyquillApplication", nullptr))
    throw Failure{"Keyquill's window did not come up"};
  std::this_thread::sleep_for(2s);
}

// Types the apostrophe and e pair until its é arrives: the program's hook is then in place.
bool Composing(const Target& target) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    const std::uint32_t from = target.Count();
    TypePair(VK_OEM_7, 'E');
    if (const ReceivedMessage* typed = target.FirstCharFrom(from, 500ms);
        typed && typed->wParam == 0xE9 && !FromKeyboard(*typed))
      return true;
    target.Settle();
  }
  return false;
}

// Starts the program and waits until it composes. The first program started in a fresh Wine
// session sometimes has its hook installed but never called; a second start then works.
Running StartComposing(const std::wstring& keyquill, const Target& target) {
  for (int start = 1; start <= 2; ++start) {
    Running program(StartProgram(L"\"" + keyquill + L"\""));
    WaitForApplicationWindow();
    if (Composing(target))
      return program;
    std::printf("bench: start %d of Keyquill did not compose; starting it again\n", start);
  }
  std::string received = "Keyquill did not compose; the window received";
  for (std::uint32_t index = 0; index < target.Count() && index < 12; ++index) {
    const ReceivedMessage& message = target.At(index);
    char line[64];
    std::snprintf(line, sizeof line, " %x:%x:%llx", message.message, message.wParam,
                  static_cast<unsigned long long>(message.lParam));
    received += line;
  }
  throw Failure{received};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One latency per trial: from the last key's SendInput to the first WM_CHAR. Each trial
// starts once the one before has settled, the icon changes included.
template <typename TypeBeforeLast>
std::vector<double> Latencies(const Target& target, TypeBeforeLast typeBeforeLast, WORD last,
                              wchar_t expected) {
  std::vector<double> latencies;
  for (int trial = 0; trial < kTrials; ++trial) {
    const std::uint32_t from = target.Count();
    typeBeforeLast();
    const std::int64_t sent = Now();
    Tap(last);
    const ReceivedMessage* typed = target.FirstCharFrom(from);
    if (!typed || typed->wParam != expected)
      throw Failure{"trial " + std::to_string(trial) + ": the character did not arrive"};
    latencies.push_back(Milliseconds(typed->arrived - sent));
    target.Settle(30ms);
  }
  return latencies;
}

void PrintLatencies(const char* name, const std::vector<double>& latencies, double plainMedian) {
  std::printf("  %-36s median %7.3f ms  (min %.3f, max %.3f)  ratio to plain %.2f\n", name,
              Median(latencies), *std::min_element(latencies.begin(), latencies.end()),
              *std::max_element(latencies.begin(), latencies.end()),
              Median(latencies) / plainMedian);
}

void MeasureLatency(const Target& target) {
  auto plain = Latencies(
      target, [] {}, 'X', L'x');
  auto composed = Latencies(
      target,
      [] {
        Tap(VK_RMENU);
        Tap(VK_OEM_7);
      },
      'E', 0xE9);
  // The same with a steady typist's pause before each key: the work that the compose key starts
  // (the icon's change in the shell) is then over before the last key comes.
  auto paused = Latencies(
      target,
      [] {
        Tap(VK_RMENU);
        std::this_thread::sleep_for(50ms);
        Tap(VK_OEM_7);
        std::this_thread::sleep_for(50ms);
      },
      'E', 0xE9);
  const double plainMedian = Median(plain);
  std::printf("latency: %d trials each, from the last key's SendInput to the first WM_CHAR\n",
              kTrials);
  PrintLatencies("plain key press", plain, plainMedian);
  PrintLatencies("composed pair, keys at full speed", composed, plainMedian);
  PrintLatencies("composed pair, keys 50 ms apart", paused, plainMedian);
  std::printf("  ratio composed / plain: %.2f (target: at most 1.2)\n",
              Median(composed) / plainMedian);
}

// Returns false when the stress run found a fault.
bool Stress(const Target& target) {
  target.Settle();
  const std::uint32_t from = target.Count();
  const std::int64_t start = Now();
  for (int i = 0; i < kStressPairs; ++i)
    TypePair(VK_OEM_7, i % 2 ? 'A' : 'E');
  const std::int64_t typed = Now();
  // Waits until every pair arrived, or nothing more arrives for ten seconds.
  std::uint32_t seen = target.Count();
  auto lastChange = std::chrono::steady_clock::now();
  while (target.Count() - from < static_cast<std::uint32_t>(kStressPairs) &&
         std::chrono::steady_clock::now() - lastChange < 10s) {
    std::this_thread::sleep_for(50ms);
    if (target.Count() != seen) {
      seen = target.Count();
      lastChange = std::chrono::steady_clock::now();
    }
  }
  target.Settle(500ms);
  const std::int64_t done = Now();

  int composed = 0, outOfOrder = 0, leaked = 0;
  for (std::uint32_t index = from; index < target.Count(); ++index) {
    const ReceivedMessage& message = target.At(index);
    if (FromKeyboard(message)) {
      ++leaked;
      continue;
    }
    const wchar_t expected = composed % 2 ? 0xE1 : 0xE9;
    if (message.message != WM_CHAR || message.wParam != expected)
      ++outOfOrder;
    ++composed;
  }
  std::vector<int> stillDown;
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN}) {
    if (GetAsyncKeyState(key) & 0x8000)
      stillDown.push_back(key);
  }
  std::printf("stress: %d pairs typed in %.0f ms, all handled after %.0f ms\n", kStressPairs,
              Milliseconds(typed - start), Milliseconds(done - start));
  std::printf("  arrived %d of %d, out of order %d, key presses leaked %d, modifiers down %zu\n",
              composed, kStressPairs, outOfOrder, leaked, stillDown.size());
  return composed == kStressPairs && outOfOrder == 0 && leaked == 0 && stillDown.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    const std::wstring keyquill =
        argc > 1 ? std::wstring(argv[1]) : ProgramFolder() + L"\\Keyquill.exe";
    PrepareSettings();
    Target target;
    Running window = target.Start();
    Running program = StartComposing(keyquill, target);
    target.Settle(300ms);
    MeasureLatency(target);
    const bool stressPassed = Stress(target);
    std::printf("%s\n", stressPassed ? "stress: passed" : "stress: FAILED");
    return stressPassed ? 0 : 1;
  } catch (const Failure& failure) {
    std::fprintf(stderr, "bench: %s\n", failure.what.c_str());
    return 2;
  }
}
