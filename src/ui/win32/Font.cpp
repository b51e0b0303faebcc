#include "ui/win32/Font.h"

#include "platform/win32/Handles.h"
#include "ui/win32/Dpi.h"

namespace kq::ui {

win::UniqueFont CreateFontFor(const FontSpec& spec, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = spec.pointSize ? -MulDiv(spec.pointSize, static_cast<int>(dpi), 72)
                                 : -Scale(spec.pixelHeight, dpi);
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = spec.underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, spec.face.c_str(), LF_FACESIZE);
  return win::UniqueFont(CreateFontIndirectW(&font));
}

bool FontInstalled(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  win::WindowDC screen;
  EnumFontFamiliesExW(
      screen.get(), &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace kq::ui
