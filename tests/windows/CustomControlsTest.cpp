// The UI layer's pieces for controls of our own, on real windows: the window-to-object lookup
// that only our windows answer, the routing of a container's messages from children that are
// not ours, the custom-control base, and subclassing.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/win32/Application.h"
#include "ui/win32/CustomControl.h"
#include "ui/win32/Form.h"
#include "ui/win32/Subclass.h"

namespace kq::testing {
namespace {

using ui::Place;

// A control of our own that records what its container routed to it.
class RecordingControl : public ui::CustomControl {
 public:
  RecordingControl(ui::Container& parent, const Place& place)
      : CustomControl(parent, place, WS_TABSTOP | WS_VSCROLL, 0) {}

  std::vector<UINT> notified, drawn, measured, scrolled;
  std::vector<POINT> menus;
  int fieldColours = 0;
  HBRUSH fieldBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  using CustomControl::ScrollPosition;
  using CustomControl::SetScrollRange;

  LRESULT OnNotify(NMHDR& header) override {
    notified.push_back(header.code);
    return 7;
  }
  bool OnDrawItem(DRAWITEMSTRUCT& item) override { return drawn.push_back(item.itemID), true; }
  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override {
    return measured.push_back(item.itemID), true;
  }
  HBRUSH OnFieldColor(HDC) override { return ++fieldColours, fieldBrush; }
  bool OnContextMenu(POINT screen) override { return menus.push_back(screen), true; }

 protected:
  void Paint(HDC, const RECT&) override {}
  UINT WantedKeys() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  void OnScrolled(int bar) override { scrolled.push_back(static_cast<UINT>(bar)); }
};

class ExitSizeMoveForm : public ui::Form {
 public:
  ExitSizeMoveForm() : Form(L"Custom controls") {}
  int ends = 0;

 protected:
  void DoExitSizeMove() override { ++ends; }
};

class CustomControls : public ::testing::Test {
 protected:
  // A window of another's making, a child of parent, whose user data holds a pointer that is
  // not a control, as a common control's own child may.
  HWND ForeignChild(HWND parent) {
    HWND window = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0x1234);
    return window;
  }

  ui::Application application{GetModuleHandleW(nullptr)};
  ExitSizeMoveForm form;
  RecordingControl& control = form.Add<RecordingControl>(Place{10, 10, 200, 100});
};

TEST_F(CustomControls, OnlyOurOwnWindowsAreFoundAsControls) {
  EXPECT_EQ(ui::Control::FromWindow(control.Handle()), &control);
  EXPECT_EQ(ui::Control::FromWindow(form.Handle()), &form);
  EXPECT_EQ(ui::Form::FromHandle(form.Handle()), &form);
  EXPECT_EQ(ui::Form::FromHandle(control.Handle()), nullptr);
  EXPECT_EQ(ui::Control::FromWindow(ForeignChild(form.Handle())), nullptr);
  EXPECT_EQ(ui::Control::FromWindow(GetDesktopWindow()), nullptr);
}

TEST_F(CustomControls, AContainerRoutesItsChildrensMessagesToTheControlThatHoldsThem) {
  HWND inside = ForeignChild(control.Handle());  // as a list view's header sits in it
  HWND beside = ForeignChild(form.Handle());     // ours to no one
  POINT inClient{60, 60};  // the client area: no system menu for an unanswered request
  ClientToScreen(control.Handle(), &inClient);
  for (HWND from : {control.Handle(), inside, beside}) {
    NMHDR header{from, 0, NM_CLICK};
    SendMessageW(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.itemID = 5;
    draw.hwndItem = from;
    SendMessageW(form.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    SendMessageW(form.Handle(), WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(from));
    SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(from),
                 MAKELPARAM(inClient.x, inClient.y));
  }
  EXPECT_EQ(control.notified, (std::vector<UINT>{UINT(NM_CLICK), UINT(NM_CLICK)}));
  EXPECT_EQ(control.drawn.size(), 2u);
  EXPECT_EQ(control.fieldColours, 2);
  EXPECT_EQ(control.menus.size(), 2u);
  EXPECT_EQ(control.menus.front().y, inClient.y);

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(control.Id());
  measure.itemID = 9;
  EXPECT_EQ(SendMessageW(form.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)),
            TRUE);
  EXPECT_EQ(control.measured, std::vector<UINT>{9});
}

TEST_F(CustomControls, TheBaseAnswersTheDialogManagerAndScrolls) {
  EXPECT_EQ(SendMessageW(control.Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  control.SetScrollRange(SB_VERT, 19, 5);
  SendMessageW(control.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(control.ScrollPosition(SB_VERT), 5);
  SendMessageW(control.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(control.ScrollPosition(SB_VERT), 15);  // the last page stays whole
  SendMessageW(control.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(control.scrolled.size(), 2u);  // nothing moved the third time

  SendMessageW(form.Handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(form.ends, 1);
}

TEST_F(CustomControls, ASubclassTakesMessagesOnlyWhileItLives) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, form.Handle(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  std::vector<WPARAM> keys;
  {
    ui::WindowSubclass editor(edit, [&](UINT message, WPARAM wParam, LPARAM) {
      std::optional<LRESULT> answer;
      if (message == WM_CHAR && wParam == VK_RETURN) {
        keys.push_back(wParam);
        answer = 0;
      }
      return answer;
    });
    SendMessageW(edit, WM_CHAR, L'a', 0);
    SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
  }
  SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
  wchar_t text[8]{};
  GetWindowTextW(edit, text, 8);
  EXPECT_STREQ(text, L"a");  // typed through to the edit box
  EXPECT_EQ(keys, std::vector<WPARAM>{VK_RETURN});
  DestroyWindow(edit);
}

}  // namespace
}  // namespace kq::testing
