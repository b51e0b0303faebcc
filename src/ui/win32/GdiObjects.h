#pragma once
// Owners for GDI and USER handles.

#include <windows.h>

#include <utility>

namespace kq::ui {

template <typename Handle, typename Deleter>
class UniqueGuiHandle {
 public:
  UniqueGuiHandle() = default;
  explicit UniqueGuiHandle(Handle handle) : handle_(handle) {}
  UniqueGuiHandle(UniqueGuiHandle&& other) noexcept : handle_(other.release()) {}
  UniqueGuiHandle& operator=(UniqueGuiHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueGuiHandle() { reset(); }

  explicit operator bool() const { return handle_ != nullptr; }
  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_)
      Deleter{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};

using UniqueFont = UniqueGuiHandle<HFONT, GdiObjectDeleter>;
using UniqueBrush = UniqueGuiHandle<HBRUSH, GdiObjectDeleter>;
using UniqueBitmap = UniqueGuiHandle<HBITMAP, GdiObjectDeleter>;
using UniqueIcon = UniqueGuiHandle<HICON, IconDeleter>;
using UniqueMenu = UniqueGuiHandle<HMENU, MenuDeleter>;

}  // namespace kq::ui
