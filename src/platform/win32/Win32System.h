#pragma once
// System facts and services behind the portable interfaces: the Windows release, the user's
// number format, the ANSI code page and the text of system error codes.

#include <windows.h>

#include <string>

#include "common/NumberFormat.h"
#include "platform/CodePage.h"
#include "platform/WindowsRelease.h"

namespace kq::win {

// The release as the kernel reports it, whatever the manifest claims.
platform::WindowsRelease QueryWindowsRelease();

NumberFormat QueryUserNumberFormat();

// CP_ACP through WideCharToMultiByte and MultiByteToWideChar.
class Win32AnsiCodePage : public platform::AnsiCodePage {
 public:
  std::string FromUnicode(const std::u16string& text) const override;
  std::u16string ToUnicode(const std::string& bytes) const override;
};

// FormatMessage's text for a system error code, without the trailing line break.
std::u16string SystemErrorText(DWORD code);

// The full path of the running executable.
std::u16string ExecutablePath();

}  // namespace kq::win
