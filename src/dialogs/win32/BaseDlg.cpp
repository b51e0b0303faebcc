#include "dialogs/win32/BaseDlg.h"

#include "common/Errors.h"
#include "dialogs/FormPlacement.h"
#include "dialogs/win32/SizeGrip.h"
#include "dialogs/win32/ThemeColor.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Application.h"
#include "ui/win32/Dpi.h"

namespace kq::win {

TBaseDialog::TBaseDialog(std::wstring name, const DialogEnvironment& environment, HWND owner)
    : Form(std::move(name), owner), environment_(environment) {
  SetBorder(ui::BorderKind::Dialog);
  SetCaption(L"Dialog");
  SetClientSize(500, 304);
  SetFormFont({L"Arial", 0, 11});
  SetPosition(ui::Position::MainFormCenter);
  FormCreate();
}

TBaseDialog::~TBaseDialog() {
  fSizeGrip.reset();
}

void TBaseDialog::FormCreate() {
  if (environment_.settingsStore)
    SetColor(ThemeColor(environment_.settingsStore));
  // The placement lies in the form's own subkey of the program's key (see FormPlacement).
  const auto& release = environment_.release;
  if (release.IsVistaOrLater()) {
    SetFormFont({ui::FontInstalled(L"Segoe UI") ? L"Segoe UI" : Font().face, 8});
  } else if (release.major == 5 && (release.minor == 1 || release.minor == 2)) {
    SetFormFont({ui::FontInstalled(L"Tahoma") ? L"Tahoma" : Font().face, 8});
  }
  auto* application = ui::Application::Current();
  ui::Form* mainForm = application ? application->MainForm() : nullptr;
  if (!mainForm || !IsWindowVisible(mainForm->Handle()))
    SetPosition(ui::Position::ScreenCenter);
}

void TBaseDialog::SetHasSizeGrip(bool value) {
  if (value == fHasSizeGrip)
    return;
  fHasSizeGrip = value;
  if (value)
    fSizeGrip = std::make_unique<TSizeGrip>(*this);
  else
    fSizeGrip.reset();
}

void TBaseDialog::ShowHelp(int context) {
  if (auto* application = ui::Application::Current())
    application->ShowHelpContext(context);
}

bool TBaseDialog::FormCloseQuery() {
  placementActive_ = ModalResult() == mrOk;
  return true;
}

void TBaseDialog::StoreProperty(std::u16string name, std::function<std::u16string()> read,
                                std::function<void(const std::u16string&)> apply) {
  storedProperties_.push_back({std::move(name), std::move(read), std::move(apply)});
}

void TBaseDialog::DoShow() {
  placementActive_ = false;
  RestorePlacement();
  FormShow();
}

bool TBaseDialog::DoCloseQuery() {
  placementActive_ = false;
  return FormCloseQuery();
}

void TBaseDialog::DoClose() {
  FormClose();
  if (placementActive_)
    SavePlacement();
}

void TBaseDialog::RestorePlacement() {
  if (!environment_.settingsStore)
    return;
  FormPlacementStorage storage(*environment_.settingsStore, Core(Name()));
  for (const auto& property : storedProperties_) {
    if (auto value = storage.ReadProperty(property.name))
      property.apply(*value);
  }
  auto saved = storage.ReadPlacement();
  if (!saved)
    return;
  RECT rect{saved->left, saved->top, saved->right, saved->bottom};
  // A place on a monitor that is no longer there is not restored.
  if (!MonitorFromRect(&rect, MONITOR_DEFAULTTONULL))
    return;
  RECT current;
  GetWindowRect(Handle(), &current);
  bool sized = storeSize_ && Border() == ui::BorderKind::Sizeable;
  int width = current.right - current.left, height = current.bottom - current.top;
  if (sized) {
    UINT dpi = ContainerDpi();
    width = MulDiv(rect.right - rect.left, static_cast<int>(dpi), saved->pixelsPerInch);
    height = MulDiv(rect.bottom - rect.top, static_cast<int>(dpi), saved->pixelsPerInch);
  }
  SetWindowPos(Handle(), nullptr, rect.left, rect.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | (sized ? 0 : SWP_NOSIZE));
  if (sized && saved->state == 2)
    ShowWindow(Handle(), SW_MAXIMIZE);
}

void TBaseDialog::SavePlacement() {
  if (!environment_.settingsStore)
    return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Handle(), &placement);
  // The normal rectangle is in workspace coordinates; the saved one is in screen pixels.
  RECT rect;
  GetWindowRect(Handle(), &rect);
  if (placement.showCmd == SW_SHOWMAXIMIZED || IsZoomed(Handle())) {
    rect = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  WindowPlacement saved;
  saved.state = IsZoomed(Handle()) ? 2 : 0;
  saved.left = rect.left;
  saved.top = rect.top;
  saved.right = rect.right;
  saved.bottom = rect.bottom;
  saved.pixelsPerInch = static_cast<std::int32_t>(ContainerDpi());
  FormPlacementStorage storage(*environment_.settingsStore, Core(Name()));
  storage.WritePlacement(saved);
  for (const auto& property : storedProperties_)
    storage.WriteProperty(property.name, property.read());
}

}  // namespace kq::win
