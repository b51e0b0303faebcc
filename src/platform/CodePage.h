#pragma once
// The system's ANSI code page: sequences are single-byte strings in it.

#include <memory>
#include <string>

namespace kq::platform {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Characters the code page lacks become its default character.
  virtual std::string FromUnicode(const std::u16string& text) const = 0;
  virtual std::u16string ToUnicode(const std::string& bytes) const = 0;
};

// Windows-1252 with "?" as default character: the ANSI code page of the native build.
class Windows1252 : public AnsiCodePage {
 public:
  std::string FromUnicode(const std::u16string& text) const override;
  std::u16string ToUnicode(const std::string& bytes) const override;
};

}  // namespace kq::platform
