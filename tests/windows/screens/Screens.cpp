// kq_screens: shows windows of the program one after another and saves a picture of each, so
// that their look can be checked by eye. scripts/screens runs it under Wine.
//   kq_screens OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/win32/Keyquillfrm.h"
#include "app/win32/NewWaitDlg.h"
#include "app/win32/ProgramGlobals.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32System.h"
#include "support/ProgramFiles.h"
#include "support/RawRegistry.h"
#include "support/UiDriver.h"
#include "ui/win32/Application.h"

namespace kq::testing {
namespace {

// Saves what the screen shows inside the window's rectangle as a 24-bit bitmap file.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT r;
  if (!GetWindowRect(window, &r))
    return false;
  int width = r.right - r.left, height = r.bottom - r.top;
  win::WindowDC screen;
  win::UniqueDC memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::UniqueBitmap bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::SelectionGuard selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  GdiFlush();
  DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes),
      0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  info.bmiHeader.biSizeImage = imageBytes;
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageBytes);
  return static_cast<bool>(out);
}

// Steps that wait for the window, let it paint, picture it and close it.
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

int Run(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
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
                    folder + L"\\wait-dialog.bmp", [&](HWND) { dialog.CancelBtn->Click(); }));
    dialog.ShowModal();
  }
  for (bool dialogOpen : {false, true}) {
    form.DialogOpen = dialogOpen;
    std::wstring name = dialogOpen ? L"\\close-only-menu.bmp" : L"\\tray-menu.bmp";
    std::vector<UiSteps::Step> steps{
        Do([&] { PostMessageW(form.Handle(), WM_USER, 1, WM_RBUTTONDOWN); })};
    for (auto& step : PictureThen(MenuWindow, folder + name, [](HWND) { EndMenu(); }))
      steps.push_back(step);
    UiSteps run(steps);
    application.RunUntil([&] { return run.Done(); });
  }
  form.DialogOpen = false;
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
