// Forms and dialogs driven through their real controls: the buttons and keys that close them,
// the placement they remember, the message filter while they run, and dpi scaling.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "dialogs/win32/BaseButtonDlgs.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "settings/Qvxinif.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Form.h"
#include "ui/win32/UiErrors.h"

namespace kq::testing {
namespace {

using ui::Place;

class EntryForm : public ui::Form {
 public:
  EntryForm() : Form(L"EntryForm") {
    SetCaption(L"Entry");
    SetClientSize(300, 120);
    first = &Add<ui::Edit>(Place{10, 10, 200, 22});
    second = &Add<ui::Edit>(Place{10, 40, 200, 22});
    apply = &Add<ui::Button>(Place{10, 80, 80, 25}, L"&Apply");
    apply->OnClick = [this] { ++applied; };
    ok = &Add<ui::Button>(Place{100, 80, 80, 25}, L"OK", mrOk);
    ok->SetDefault(true);
    cancel = &Add<ui::Button>(Place{190, 80, 80, 25}, L"Cancel", mrCancel);
    cancel->SetCancel(true);
  }
  ui::Edit* first;
  ui::Edit* second;
  ui::Button* apply;
  ui::Button* ok;
  ui::Button* cancel;
  int applied = 0;
};

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override { application.SetTitle(L"Keyquill"); }
  ui::Application application{GetModuleHandleW(nullptr)};
};

TEST_F(FormsTest, TabMovesBetweenEditsAndEnterPressesTheDefaultButton) {
  EntryForm form;
  UiSteps steps({Do([] { TypeText(L"abc"); }), Do([] { PressKey(VK_TAB); }),
                 [&] { return form.second->Focused(); }, Do([] { TypeText(L"xy"); }),
                 Do([] { PressKey(VK_RETURN); })});
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_FALSE(steps.TimedOut());
  EXPECT_EQ(form.first->Text(), L"abc");
  EXPECT_EQ(form.second->Text(), L"xy");
}

TEST_F(FormsTest, EscapePressesCancelAndMnemonicsPressTheirButton) {
  EntryForm form;
  UiSteps steps({Do([&] { PostMessageW(form.first->Handle(), WM_SYSCHAR, L'a', 1 << 29); }),
                 [&] { return form.applied == 1; }, Do([] { PressKey(VK_ESCAPE); })});
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_FALSE(steps.TimedOut());
  EXPECT_EQ(form.applied, 1);
}

TEST_F(FormsTest, OwnerIsDisabledWhileTheFormRunsModally) {
  EntryForm owner;
  owner.Show();
  ui::Form inner(L"Inner", owner.Handle());
  bool ownerDisabled = false;
  UiSteps steps(
      {Do([&] { ownerDisabled = !IsWindowEnabled(owner.Handle()); }), Do([&] { inner.Close(); })});
  EXPECT_EQ(inner.ShowModal(), mrCancel);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(FormsTest, MessageFilterSeesPostedMessagesWhileAModalFormRuns) {
  UINT message = RegisterWindowMessageW(L"Keyquill ToggleIcon");
  std::vector<WPARAM> seen;
  application.SetMessageFilter([&](MSG& msg) {
    if (msg.message != message)
      return false;
    seen.push_back(msg.wParam);
    return true;
  });
  EntryForm form;
  UiSteps steps({Do([&] { PostMessageW(application.Handle(), message, 1, 0); }),
                 [&] { return !seen.empty(); }, Do([&] { form.cancel->Click(); })});
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(seen, std::vector<WPARAM>{1});
}

TEST_F(FormsTest, AnExceptionInAHandlerReachesTheHandlerNotUser32) {
  std::string reported;
  ui::SetUiExceptionHandler([&](const std::exception& error) { reported = error.what(); });
  EntryForm form;
  form.apply->OnClick = [] { throw std::runtime_error("apply failed"); };
  UiSteps steps({Do([&] { SendMessageW(form.apply->Handle(), BM_CLICK, 0, 0); }),
                 Do([&] { form.ok->Click(); })});
  EXPECT_EQ(form.ShowModal(), mrOk);
  ui::SetUiExceptionHandler({});
  EXPECT_EQ(reported, "apply failed");
}

TEST_F(FormsTest, ControlsFollowTheDpiAndTheirAnchors) {
  ui::Form form(L"Scaled");
  form.SetBorder(ui::BorderKind::Sizeable);
  form.SetClientSize(300, 200);
  auto& fixed = form.Add<ui::Button>(Place{10, 10, 100, 25}, L"Fixed");
  auto& right = form.Add<ui::Button>(Place{190, 170, 100, 25, ui::akRight | ui::akBottom}, L"R");
  form.Show();
  ASSERT_EQ(form.ContainerDpi(), 96u) << "the test prefix runs at 96 dpi";
  RECT r = RectInParent(fixed.Handle());
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 25);

  RECT window;
  GetWindowRect(form.Handle(), &window);
  RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                 window.top + (window.bottom - window.top) * 3 / 2};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  r = RectInParent(fixed.Handle());
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 38);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(fixed.Handle(), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_EQ(font.lfHeight, -17) << "11 pixels at 96 dpi become 17 at 144";

  // The right-bottom anchored button keeps its distance to those edges.
  RECT client;
  GetClientRect(form.Handle(), &client);
  r = RectInParent(right.Handle());
  EXPECT_NEAR(client.right - r.right, 15, 1);
  EXPECT_NEAR(client.bottom - r.bottom, 8, 1);
  SetWindowPos(form.Handle(), nullptr, 0, 0, suggested.right - suggested.left + 60,
               suggested.bottom - suggested.top + 30, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(form.Handle(), &client);
  r = RectInParent(right.Handle());
  EXPECT_NEAR(client.right - r.right, 15, 1);
  EXPECT_NEAR(client.bottom - r.bottom, 8, 1);
  form.Hide();
}

// A dialog of the program's kind whose placement lives in the real registry.
class PlacedDialog : public win::TBaseRBDialog {
 public:
  explicit PlacedDialog(TQvxIniFile& store)
      : TBaseRBDialog(L"TestPlacedDlg", {&store, win::QueryWindowsRelease()}) {
    SetBorder(ui::BorderKind::Sizeable);
  }
};

class DialogPlacement : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    DeleteRawTree(kPlacementKey);
  }
  static constexpr wchar_t kPlacementKey[] = L"Software\\Brenhollow\\Keyquill\\TestPlacedDlg";

  // Shows the dialog, moves it, closes it with closer, and returns the modal result.
  int MoveAndClose(int left, int top, const std::function<void(PlacedDialog&)>& closer) {
    PlacedDialog dialog(store);
    UiSteps steps({Do([&] {
                     SetWindowPos(dialog.Handle(), nullptr, left, top, 420, 330,
                                  SWP_NOZORDER | SWP_NOACTIVATE);
                   }),
                   Do([&] { closer(dialog); })});
    int result = dialog.ShowModal();
    EXPECT_FALSE(steps.TimedOut());
    return result;
  }

  RECT ShownRect() {
    PlacedDialog dialog(store);
    RECT shown{};
    UiSteps steps({Do([&] { GetWindowRect(dialog.Handle(), &shown); }),
                   Do([&] { dialog.CancelBtn->Click(); })});
    dialog.ShowModal();
    return shown;
  }

  win::Win32Registry registry;
  TQvxIniFile store{registry, kSettingsKeyPath};
};

struct CloserCase {
  const char* name;
  std::function<void(PlacedDialog&)> close;
  int result;
};

class DialogClosers : public DialogPlacement, public ::testing::WithParamInterface<CloserCase> {};

TEST_P(DialogClosers, SavePlacementOnlyWithOk) {
  EXPECT_EQ(MoveAndClose(140, 90, GetParam().close), GetParam().result);
  bool saved = GetParam().result == mrOk;
  EXPECT_EQ(ReadRaw(kPlacementKey, L"Left").has_value(), saved);
  if (saved) {
    EXPECT_EQ(ReadRaw(kPlacementKey, L"Left")->Number(), 140u);
    EXPECT_EQ(ReadRaw(kPlacementKey, L"Top")->Number(), 90u);
    EXPECT_EQ(ReadRaw(kPlacementKey, L"Right")->Number(), 560u);
    EXPECT_EQ(ReadRaw(kPlacementKey, L"PixelsPerInch")->Number(), 96u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Closers, DialogClosers,
    ::testing::Values(
        CloserCase{"OkButton",
                   [](PlacedDialog& d) { SendMessageW(d.OKBtn->Handle(), BM_CLICK, 0, 0); }, mrOk},
        CloserCase{"EnterKey", [](PlacedDialog&) { PressKey(VK_RETURN); }, mrOk},
        CloserCase{"CancelButton",
                   [](PlacedDialog& d) { SendMessageW(d.CancelBtn->Handle(), BM_CLICK, 0, 0); },
                   mrCancel},
        CloserCase{"EscapeKey", [](PlacedDialog&) { PressKey(VK_ESCAPE); }, mrCancel},
        CloserCase{"CloseBox",
                   [](PlacedDialog& d) { PostMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
                   mrCancel}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogPlacement, OpensWhereItWasLastClosedWithOk) {
  RECT first = ShownRect();
  EXPECT_NE(first.left, 211);
  EXPECT_EQ(MoveAndClose(211, 133, [](PlacedDialog& d) { d.OKBtn->Click(); }), mrOk);
  RECT second = ShownRect();
  EXPECT_EQ(second.left, 211);
  EXPECT_EQ(second.top, 133);
  EXPECT_EQ(second.right - second.left, 420);
  // Moved, then cancelled: the next showing is at the place saved with OK.
  EXPECT_EQ(MoveAndClose(20, 20, [](PlacedDialog& d) { d.CancelBtn->Click(); }), mrCancel);
  EXPECT_EQ(ShownRect().left, 211);
}

TEST_F(DialogPlacement, CentresOnTheScreenWhileThereIsNoMainWindow) {
  RECT shown = ShownRect();
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((shown.left + shown.right) / 2, (work.left + work.right) / 2, 2);
  EXPECT_NEAR((shown.top + shown.bottom) / 2, (work.top + work.bottom) / 2, 2);
}

}  // namespace
}  // namespace kq::testing
