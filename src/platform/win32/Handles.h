#pragma once
// One owner for every kind of Win32 handle: HandleOwner closes its handle when it goes, with
// the close function its traits name. Each handle kind is one traits struct:
//   using Handle = ...;                   the handle type
//   static Handle None();                 the value that owns nothing
//   static bool IsValid(Handle);          whether a value is a handle to close
//   void Close(Handle) (may be static);   closes it
// Traits may carry state that closing needs (the window of a DC); most carry none.

#include <windows.h>

#include <utility>

namespace kq::win {

template <typename Traits>
class HandleOwner {
 public:
  using Handle = typename Traits::Handle;

  HandleOwner() = default;
  explicit HandleOwner(Handle handle, Traits traits = {}) : handle_(handle), traits_(traits) {}
  HandleOwner(HandleOwner&& other) noexcept : handle_(other.release()), traits_(other.traits_) {}
  HandleOwner& operator=(HandleOwner&& other) noexcept {
    if (this != &other) {
      reset(other.release());
      traits_ = other.traits_;
    }
    return *this;
  }
  ~HandleOwner() { reset(); }

  explicit operator bool() const { return Traits::IsValid(handle_); }
  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, Traits::None()); }
  void reset(Handle handle = Traits::None()) {
    if (Traits::IsValid(handle_))
      traits_.Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::None();
  [[no_unique_address]] Traits traits_;
};

// Handles for which null means none.
template <typename H>
struct NullMeansNone {
  using Handle = H;
  static constexpr H None() { return nullptr; }
  static bool IsValid(H handle) { return handle != nullptr; }
};

// A kernel handle; both null and INVALID_HANDLE_VALUE mean none.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static constexpr HANDLE None() { return nullptr; }
  static bool IsValid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

// A registry key. HKEY_CURRENT_USER and its kin are borrowed, never closed.
struct RegistryKeyTraits : NullMeansNone<HKEY> {
  static bool IsPredefined(HKEY key) {
    auto value = reinterpret_cast<ULONG_PTR>(key);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           value <= reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER_LOCAL_SETTINGS);
  }
  static void Close(HKEY key) {
    if (!IsPredefined(key))
      RegCloseKey(key);
  }
};

template <typename H>
struct GdiObjectTraits : NullMeansNone<H> {
  static void Close(H object) { DeleteObject(object); }
};
struct IconTraits : NullMeansNone<HICON> {
  static void Close(HICON icon) { DestroyIcon(icon); }
};
struct MenuTraits : NullMeansNone<HMENU> {
  static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct HookTraits : NullMeansNone<HHOOK> {
  static void Close(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
// A window the owner made itself and destroys on the thread that made it.
struct WindowTraits : NullMeansNone<HWND> {
  static void Close(HWND window) { DestroyWindow(window); }
};
// A view of a file mapping, from MapViewOfFile.
struct MappedViewTraits : NullMeansNone<void*> {
  static void Close(void* view) { UnmapViewOfFile(view); }
};
// A DC made with CreateCompatibleDC or CreateDC.
struct CreatedDcTraits : NullMeansNone<HDC> {
  static void Close(HDC dc) { DeleteDC(dc); }
};
// A DC borrowed from a window with GetDC, given back to that window.
struct WindowDcTraits : NullMeansNone<HDC> {
  WindowDcTraits() = default;
  explicit WindowDcTraits(HWND owner) : window(owner) {}
  void Close(HDC dc) const { ReleaseDC(window, dc); }
  HWND window = nullptr;
};

using UniqueHandle = HandleOwner<KernelHandleTraits>;
using UniqueHKey = HandleOwner<RegistryKeyTraits>;
using UniqueFont = HandleOwner<GdiObjectTraits<HFONT>>;
using UniqueBrush = HandleOwner<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = HandleOwner<GdiObjectTraits<HBITMAP>>;
using UniqueIcon = HandleOwner<IconTraits>;
using UniqueMenu = HandleOwner<MenuTraits>;
using UniqueHook = HandleOwner<HookTraits>;
using UniqueWindow = HandleOwner<WindowTraits>;
using UniqueDC = HandleOwner<CreatedDcTraits>;
using UniqueMappedView = HandleOwner<MappedViewTraits>;

// The DC of a window, or of the whole screen for no window, for as long as it lives.
class WindowDC : public HandleOwner<WindowDcTraits> {
 public:
  explicit WindowDC(HWND window = nullptr) : HandleOwner(GetDC(window), WindowDcTraits(window)) {}
};

// An object selected into a DC for as long as the guard lives; the one it replaced is
// selected back at the end.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectionGuard() { SelectObject(dc_, previous_); }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace kq::win
