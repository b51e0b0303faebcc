// kq_screens: shows windows of the program one after another and saves a picture of each, so
// that their look can be checked by eye. scripts/screens runs it under Wine.
//   kq_screens OUTPUT_FOLDER
#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/win32/Keyquillfrm.h"
#include "app/win32/NewWaitDlg.h"
#include "app/win32/ProgramGlobals.h"
#include "charmap/win32/NewCharMap.h"
#include "dialogs/win32/NewAboutBox.h"
#include "dialogs/win32/NewFixDlg.h"
#include "dialogs/win32/NewOptDlg.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32System.h"
#include "support/ProgramFiles.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

// Saves what the screen shows inside the window's rectangle as a PNG file, through WIC.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT r;
  if (!GetWindowRect(window, &r))
    return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  win::WindowDC screen;
  win::UniqueDC memory(CreateCompatibleDC(screen.get()));
  win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  {
    win::SelectionGuard selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  }
  using Microsoft::WRL::ComPtr;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmap> picture;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(&factory))) &&
         SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap.get(), nullptr, WICBitmapIgnoreAlpha,
                                                    &picture)) &&
         SUCCEEDED(factory->CreateStream(&stream)) &&
         SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
         SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
         SUCCEEDED(frame->Initialize(nullptr)) &&
         SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(frame->WriteSource(picture.Get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
         SUCCEEDED(encoder->Commit());
}

std::vector<UiSteps::Step> PictureThen(std::function<HWND()> find, std::wstring path,
                                       std::function<void(HWND)> close) {
  auto window = std::make_shared<HWND>(nullptr);
  auto ticks = std::make_shared<int>(0);
  return {[=] { return (*window = find()) != nullptr; },
          [=] { return ++*ticks > 10; },  // a few ticks for painting
          Do([=] {
            bool saved = SaveWindowPicture(*window, path);
            std::fwprintf(stdout, L"%ls %ls\n", saved ? L"saved" : L"FAILED", path.c_str());
          }),
          Do([=] { close(*window); })};
}

HWND MenuWindow() {
  return FindThreadWindow(L"#32768", L"");
}

// Shows the dialog modally, runs prepare once it shows, saves its picture and closes it.
void Picture(ui::Form& dialog, const std::wstring& path, std::function<void()> prepare = {}) {
  std::vector<UiSteps::Step> steps{[&] { return IsWindowVisible(dialog.Handle()) != FALSE; },
                                   Do([&] {
                                     if (prepare)
                                       prepare();
                                   })};
  for (auto& step : PictureThen([&] { return dialog.Handle(); }, path,
                                [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }))
    steps.push_back(step);
  UiSteps run(steps);
  dialog.ShowModal();
}

// The dialog as a monitor at 144 dpi shows it, as Windows tells a window moved onto one.
void RescaleTo144(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  RECT suggested{r.left, r.top, r.left + (r.right - r.left) * 3 / 2,
                 r.top + (r.bottom - r.top) * 3 / 2};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
}

// A layout that types @ and the euro sign with AltGr, as the German one does.
class AltGrLayout : public platform::KeyboardLayout {
 public:
  std::optional<platform::KeyStroke> KeyFor(char16_t character) const override {
    if (character == u'@')
      return platform::KeyStroke{'Q', platform::kAltGr};
    return std::nullopt;
  }
};

// Chooses a range of the character map's range box by its text, as the user does.
void ChooseRange(win::TCharMapDlg& map, const wchar_t* name) {
  SendMessageW(map.Subranges->Handle(), CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(name));
  SendMessageW(map.Handle(), WM_COMMAND, MAKEWPARAM(map.Subranges->Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(map.Subranges->Handle()));
}

// Selects the cell of a character the grid shows.
void SelectCharacter(win::TCharMapDlg& map, char16_t wanted) {
  auto& grid = *map.CharGrid1;
  for (int row = 0; row < grid.Rows(); ++row)
    for (int column = 0; column < grid.Columns(); ++column)
      if (grid.CellCharacter(column, row) == wanted)
        return grid.SelectCell(column, row);
}

void CharMapPictures(const win::DialogEnvironment& environment, HWND owner,
                     const std::wstring& folder) {
  // Some characters already defined, so that dimmed cells show.
  auto defined = [](char16_t c) { return c == u'\u00E9' || c == u'\u03B1' || c == u'\u00C0'; };
  {
    win::TCharMapDlg map(environment, owner, L"Tahoma", 12, defined);
    Picture(map, folder + L"\\charmap-all.png");
  }
  {
    win::TCharMapDlg map(environment, owner, L"Tahoma", 12, defined);
    Picture(map, folder + L"\\charmap-greek.png", [&] {
      ChooseRange(map, L"Greek and Coptic");
      SelectCharacter(map, u'\u03B1');
    });
  }
  {
    win::TCharMapDlg map(environment, owner, L"Tahoma", 12, defined);
    Picture(map, folder + L"\\charmap-search.png", [&] {
      map.FindBox->SetText(L"latin small e");
      SelectCharacter(map, u'\u00E9');
    });
  }
  {
    win::TCharMapDlg map(environment, owner, L"Tahoma", 12, defined);
    Picture(map, folder + L"\\charmap-greek-144dpi.png", [&] {
      ChooseRange(map, L"Greek and Coptic");
      SelectCharacter(map, u'\u03B1');
      RescaleTo144(map.Handle());
      // Whole on the screen: the centred dialog at half as large again runs off its foot.
      SetWindowPos(map.Handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    });
  }
}

int Run(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  CoInitialize(nullptr);
  // A later run with a sequence file in place, so that the start shows nothing of its own.
  DeleteRawTree(kSettingsKey);
  WriteRawString(kSettingsKey, L"FirstRun2", L"0");
  WriteFileBytes(SequenceFilePath(), "\xEF\xBB\xBF\xC3\xA9\t'e\r\n");

  ui::Application application(GetModuleHandleW(nullptr));
  application.SetTitle(L"Keyquill");
  app::ProgramObjects objects;
  app::TKeyquillForm form(application, objects);

  {
    app::TWaitingTooLongDlg dialog(*app::SharedData,
                                   {app::SettingsStore, win::QueryWindowsRelease()}, form.Handle());
    UiSteps steps(
        PictureThen([&] { return IsWindowVisible(dialog.Handle()) ? dialog.Handle() : nullptr; },
                    folder + L"\\wait-dialog.png", [&](HWND) { dialog.CancelBtn->Click(); }));
    dialog.ShowModal();
  }
  for (bool dialogOpen : {false, true}) {
    form.DialogOpen = dialogOpen;
    std::wstring name = dialogOpen ? L"\\close-only-menu.png" : L"\\tray-menu.png";
    std::vector<UiSteps::Step> steps{
        Do([&] { PostMessageW(form.Handle(), WM_USER, 1, WM_RBUTTONDOWN); })};
    for (auto& step : PictureThen(MenuWindow, folder + name, [](HWND) { EndMenu(); }))
      steps.push_back(step);
    UiSteps run(steps);
    application.RunUntil([&] { return run.Done(); });
  }
  form.DialogOpen = false;

  const win::DialogEnvironment environment = form.DialogEnvironment();
  win::Win32KeyboardLayout systemLayout;
  AltGrLayout altGrLayout;
  {
    win::TOptionDlg options({*app::SharedData, systemLayout, {}}, environment, form.Handle());
    Picture(options, folder + L"\\options.png");
  }
  {
    win::TOptionDlg options({*app::SharedData, altGrLayout, {}}, environment, form.Handle());
    Picture(options, folder + L"\\options-altgr-warning.png");
  }
  {
    win::TOptionDlg options({*app::SharedData, altGrLayout, {}}, environment, form.Handle());
    Picture(options, folder + L"\\options-144dpi.png", [&] { RescaleTo144(options.Handle()); });
  }
  {
    win::TKeyFixDlg advanced(*app::SharedData, environment, form.Handle());
    Picture(advanced, folder + L"\\advanced-options.png");
  }
  {
    win::TKeyFixDlg advanced(*app::SharedData, environment, form.Handle());
    Picture(advanced, folder + L"\\advanced-options-144dpi.png",
            [&] { RescaleTo144(advanced.Handle()); });
  }
  {
    win::TClearPrefDlg clear(form.PreferenceKeys(), environment, form.Handle());
    Picture(clear, folder + L"\\clear-preferences.png");
  }
  {
    win::TAboutDlg about(form.PreferenceKeys(), environment, form.Handle());
    Picture(about, folder + L"\\about.png");
  }
  {
    win::TAboutDlg about(form.PreferenceKeys(), environment, form.Handle());
    Picture(about, folder + L"\\about-144dpi.png", [&] { RescaleTo144(about.Handle()); });
  }
  CharMapPictures(environment, form.Handle(), folder);
  DeleteFileW(SequenceFilePath().c_str());
  DeleteRawTree(kSettingsKey);
  return 0;
}

}  // namespace
}  // namespace kq::testing

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fwprintf(stderr, L"usage: kq_screens OUTPUT_FOLDER\n");
    return 2;
  }
  return kq::testing::Run(argv[1]);
}
