#pragma once
// The standard controls, each created from a short description in its container:
//   auto& ok = panel.Add<Button>(Place{13, 7, 96, 25, akTop | akRight}, L"OK", mrOk);

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/win32/Control.h"

namespace kq::ui {

using Notify = std::function<void()>;

enum class TextAlign { Left, Center, Right };

class Button : public Control {
 public:
  // A push button; with a modal result, a click closes its form with that result.
  Button(Container& parent, const Place& place, const std::wstring& caption, int modalResult = 0);
  void SetDefault(bool isDefault);  // pressed by Enter
  void SetCancel(bool isCancel);    // pressed by Esc
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // What a click does: OnClick, then the modal result.
  void Click();
  void OnCommand(WORD code) override;

  Notify OnClick;

 private:
  int modalResult_;
};

class CheckBox : public Control {
 public:
  CheckBox(Container& parent, const Place& place, const std::wstring& caption);
  bool Checked() const;
  void SetChecked(bool checked);
  void OnCommand(WORD code) override;

  Notify OnClick;
};

class Label : public Control {
 public:
  Label(Container& parent, const Place& place, const std::wstring& caption,
        TextAlign align = TextAlign::Left, bool wordWrap = false);
  // Fits the label to its text: the height for a wrapping label, else the width.
  void SetAutoSize(bool autoSize);
  // Whether "&" marks a mnemonic (the default) or shows as itself.
  void SetShowAccelChar(bool show);
  void Relayout() override;

 private:
  void FitToText();
  bool wordWrap_;
  bool autoSize_ = false;
};

class Edit : public Control {
 public:
  Edit(Container& parent, const Place& place, const std::wstring& text = {});
  void SetReadOnly(bool readOnly);
  void SetMaxLength(int length);
  void OnCommand(WORD code) override;

  Notify OnChange;

 protected:
  Edit(Container& parent, const Place& place, DWORD style, const std::wstring& text);
};

enum class ScrollBars { None, Vertical, Horizontal, Both };

class Memo : public Edit {
 public:
  Memo(Container& parent, const Place& place, ScrollBars scrollBars = ScrollBars::Vertical);
  std::vector<std::wstring> Lines() const;
  void SetLines(const std::vector<std::wstring>& lines);
};

// An edit with up and down arrows holding a whole number between a minimum and a maximum.
class SpinEdit : public Control {
 public:
  SpinEdit(Container& parent, const Place& place, int minimum, int maximum, int value,
           TextAlign align = TextAlign::Left);
  // The typed value, clamped to the range; the minimum when the text is not a number.
  int Value() const;
  void SetValue(int value);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  void SetRange(int minimum, int maximum);
  void OnCommand(WORD code) override;
  void Relayout() override;

  Notify OnChange;

 private:
  void AttachArrows();
  int minimum_, maximum_;
  HWND arrows_ = nullptr;
};

// A drop-down list to choose one of its items from.
class ComboList : public Control {
 public:
  ComboList(Container& parent, const Place& place, const std::vector<std::wstring>& items = {});
  void SetItems(const std::vector<std::wstring>& items);
  int Count() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  // How many items the open list shows before it scrolls.
  void SetDropDownCount(int count);
  void OnCommand(WORD code) override;

  Notify OnChange;
};

// A framed box with a caption that holds controls.
class GroupBox : public Container {
 public:
  GroupBox(Container& parent, const Place& place, const std::wstring& caption);
  void SetCaption(const std::wstring& caption);
  void Relayout() override;

 private:
  HWND frame_;
};

// A group box of radio buttons, one of which is chosen.
class RadioGroup : public GroupBox {
 public:
  RadioGroup(Container& parent, const Place& place, const std::wstring& caption,
             const std::vector<std::wstring>& items, int columns = 1);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  Control& Item(int index) { return *buttons_.at(static_cast<size_t>(index)); }
  Notify OnClick;

 private:
  class Radio;
  std::vector<Control*> buttons_;
};

class ProgressBar : public Control {
 public:
  ProgressBar(Container& parent, const Place& place);
  void SetPosition(int percent);  // 0 to 100
  int Position() const;
};

// A text with a link that opens in the user's browser or mail program.
class LinkLabel : public Control {
 public:
  LinkLabel(Container& parent, const Place& place, const std::wstring& text, std::wstring target);
  LRESULT OnNotify(NMHDR& header) override;
  HBRUSH OnColor(HDC dc) override;
  const std::wstring& Target() const { return target_; }
  // Opens the target through the shell; the default click.
  void Open();
  // Moves the start of the text so that it stands in the middle of the control's place.
  void CenterOnText();

  Notify OnClick;  // replaces opening the target when set

 private:
  std::wstring text_;
  std::wstring target_;
};

// An icon shown at its place.
class Image : public Control {
 public:
  Image(Container& parent, const Place& place);
  void SetIcon(HICON icon);  // not owned
  // An icon resource of the program, loaded at the control's size for its dpi, and again
  // whenever the dpi changes.
  void SetIconResource(const wchar_t* name);
  void Relayout() override;

 private:
  const wchar_t* resource_ = nullptr;
  UINT resourceDpi_ = 0;
};

}  // namespace kq::ui
