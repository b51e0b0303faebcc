#include "app/win32/SingleInstance.h"

#include "common/Errors.h"
#include "platform/win32/Win32System.h"
#include "ui/win32/Application.h"

namespace kq::app {

namespace {

// A small shared record in the session's namespace naming the running instance's window.
// The window is trusted only when it still exists, belongs to the process that wrote the
// record and is of the application window's class.
constexpr wchar_t kRecordName[] = L"Local\\Keyquill2 running instance";
constexpr DWORD kRecordMagic = 0x4B515732;  // "KQW2"

struct InstanceRecord {
  DWORD magic;
  DWORD processId;
  ULONGLONG window;
};

class MappedView {
 public:
  explicit MappedView(void* view) : view_(view) {}
  ~MappedView() {
    if (view_)
      UnmapViewOfFile(view_);
  }
  InstanceRecord* get() const { return static_cast<InstanceRecord*>(view_); }

 private:
  void* view_;
};

HWND ReadRecord() {
  win::UniqueHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, kRecordName));
  if (!mapping)
    return nullptr;
  MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(InstanceRecord)));
  if (!view.get() || view.get()->magic != kRecordMagic)
    return nullptr;
  HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(view.get()->window));
  DWORD owner = 0;
  if (!IsWindow(window) || !GetWindowThreadProcessId(window, &owner) ||
      owner != view.get()->processId) {
    return nullptr;
  }
  wchar_t className[64];
  if (!GetClassNameW(window, className, 64) ||
      wcscmp(className, ui::Application::kWindowClass) != 0) {
    return nullptr;
  }
  return window;
}

}  // namespace

OpenSecurityAttributes::OpenSecurityAttributes() {
  if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor_, TRUE, nullptr, FALSE)) {
    DWORD code = GetLastError();
    throw Error(win::SystemErrorText(code));
  }
  attributes_.nLength = sizeof attributes_;
  attributes_.lpSecurityDescriptor = &descriptor_;
  attributes_.bInheritHandle = FALSE;
}

SingleInstance::SingleInstance()
    : sessionMutex_(CreateMutexW(security_.get(), FALSE, kSessionMutex)) {
  first_ = sessionMutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::CreateGlobalMutex() {
  globalMutex_.reset(CreateMutexW(security_.get(), FALSE, kGlobalMutex));
}

void SingleInstance::PublishWindow(HWND applicationWindow) {
  published_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(InstanceRecord), kRecordName));
  if (!published_)
    return;
  MappedView view(MapViewOfFile(published_.get(), FILE_MAP_WRITE, 0, 0, sizeof(InstanceRecord)));
  if (!view.get())
    return;
  view.get()->processId = GetCurrentProcessId();
  view.get()->window = reinterpret_cast<ULONG_PTR>(applicationWindow);
  view.get()->magic = kRecordMagic;
}

HWND SingleInstance::FindRunningInstanceWindow() {
  // The running instance may hold the mutex but not yet have published its window.
  for (int attempt = 0; attempt < 30; ++attempt) {
    if (HWND window = ReadRecord())
      return window;
    Sleep(100);
  }
  return nullptr;
}

}  // namespace kq::app
