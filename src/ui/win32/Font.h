#pragma once
// Fonts as forms and controls describe them, made for a dpi.

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace kq::ui {

struct FontSpec {
  std::wstring face = L"Arial";
  int pointSize = 0;     // used when not 0
  int pixelHeight = 11;  // the character height at 96 dpi, used when pointSize is 0
  bool bold = false;
  bool underline = false;

  bool operator==(const FontSpec&) const = default;
};

win::UniqueFont CreateFontFor(const FontSpec& spec, UINT dpi);
bool FontInstalled(const std::wstring& face);

}  // namespace kq::ui
