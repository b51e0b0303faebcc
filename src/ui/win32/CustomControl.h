#pragma once
// The base of controls of our own, for what no common control does (the glyph grid). It gives
// them what a common control has: keyboard focus, the keys it wants from the dialog manager,
// painting through an off-screen bitmap so nothing flickers, scroll bars, and the mouse in
// client coordinates for hit-testing.

#include <windows.h>

#include "ui/win32/Control.h"

namespace kq::ui {

class CustomControl : public Container {
 public:
  CustomControl(Container& parent, const Place& place, DWORD style, DWORD exStyle);

  void Invalidate() { InvalidateRect(Handle(), nullptr, FALSE); }
  SIZE ClientSize() const;

 protected:
  // Draws the dirty part of the client area into dc, which is off-screen and already filled
  // with the window colour; what is drawn reaches the screen in one copy.
  virtual void Paint(HDC dc, const RECT& dirty) = 0;
  // The keys the control takes from the dialog manager (DLGC_* flags).
  virtual UINT WantedKeys() const { return DLGC_WANTARROWS; }
  virtual void OnKeyDown(UINT /*key*/) {}
  // A press of the left button at a point of the client area; the control has the focus.
  virtual void OnMouseDown(POINT /*client*/) {}
  virtual void OnDoubleClick(POINT /*client*/) {}
  virtual void OnFocusChanged(bool /*focused*/) { Invalidate(); }
  virtual void OnSized() {}
  // The scroll bar moved to a new position (a line or a pixel, as the control set it up).
  virtual void OnScrolled(int /*bar*/) { Invalidate(); }

  // Scroll bar bar (SB_VERT, SB_HORZ) runs over 0..last with page units in view.
  void SetScrollRange(int bar, int last, int page);
  int ScrollPosition(int bar) const;
  // Moves the scroll bar within its range; true when it moved.
  bool ScrollTo(int bar, int position);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintBuffered();
  void Scroll(int bar, WORD request);
};

}  // namespace kq::ui
