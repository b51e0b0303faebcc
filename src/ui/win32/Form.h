#pragma once
// A top-level window of the program: caption, client size and controls in 96-dpi units
// scaled to the monitor's dpi (and rescaled when it changes), a border kind, a placement
// rule, and a modal showing that runs the application's one message loop.

#include <windows.h>

#include <functional>
#include <string>

#include "common/ModalResult.h"
#include "ui/win32/Control.h"

namespace kq::ui {

class Button;
class Menu;

enum class BorderKind { Dialog, Single, Sizeable, ToolWindow };
enum class Position { Designed, ScreenCenter, OwnerCenter, MainFormCenter };

class Form : public Container {
 public:
  // name: the form's name, which the placement storage uses.
  explicit Form(std::wstring name, HWND owner = nullptr);
  ~Form() override;

  // The form whose window this is, or null.
  static Form* FromHandle(HWND window);

  const std::wstring& Name() const { return name_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption) { SetText(caption); }
  void SetBorder(BorderKind border);
  BorderKind Border() const { return border_; }
  void SetPosition(Position position) { position_ = position; }
  Position PositionRule() const { return position_; }
  // The client area at 96 dpi; its top-left corner for the designed position.
  void SetClientSize(int width, int height);
  void SetDesignedOrigin(int left, int top);
  void SetMinClientSize(int width, int height);
  void SetFormFont(const FontSpec& font);
  const FontSpec& Font() const override { return font_; }
  HFONT FontHandle() const override { return fontHandle_.get(); }
  UINT ContainerDpi() const override { return dpi_; }
  void SetMenu(Menu* menu);
  // The buttons that Enter and Esc press.
  void SetDefaultButton(Button* button);
  void SetCancelButton(Button* button) { cancelButton_ = button; }

  // The owner: the window disabled while this form runs modally.
  HWND Owner() const;

  void Show();
  void Hide();
  // Shows the form modally and returns its modal result (mrCancel when the program ends
  // while it is open).
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  // While modal: closes the form with this result, unless the close query refuses.
  void SetModalResult(int result);
  // As the close box does: closes with Cancel when modal, hides otherwise.
  void Close();

 protected:
  // The form's events, for derived forms.
  virtual void DoShow() {}
  virtual bool DoCloseQuery() { return true; }
  virtual void DoClose() {}
  // The end of a move or resize by the user: what is costly to redo while dragging is redone.
  virtual void DoExitSizeMove() {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD Style() const;
  DWORD ExStyle() const;
  void ApplyClientSize();
  void PlaceOnFirstShow();
  void RescaleTo(UINT dpi, const RECT* suggested);
  bool CloseWith(int result);

  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
  std::wstring name_;
  int tag_ = 0;
  BorderKind border_ = BorderKind::Dialog;
  Position position_ = Position::Designed;
  SIZE clientSize_{500, 304};
  POINT origin_{0, 0};
  SIZE minClientSize_{0, 0};
  FontSpec font_;
  win::UniqueFont fontHandle_;
  UINT dpi_;
  Menu* menu_ = nullptr;
  bool placed_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
};

}  // namespace kq::ui
