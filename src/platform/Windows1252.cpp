#include "platform/CodePage.h"

namespace kq::platform {

namespace {

// Unicode of the bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined,
// which MultiByteToWideChar maps to the C1 control of the same number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ByteToUnicode(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0)
    return kHighControls[b - 0x80];
  return b;
}

}  // namespace

std::string Windows1252::FromUnicode(const std::u16string& text) const {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    char byte = '?';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      byte = static_cast<char>(c);
    } else {
      for (int i = 0; i < 32; ++i) {
        if (ByteToUnicode(static_cast<unsigned char>(0x80 + i)) == c) {
          byte = static_cast<char>(0x80 + i);
          break;
        }
      }
    }
    out += byte;
  }
  return out;
}

std::u16string Windows1252::ToUnicode(const std::string& bytes) const {
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes)
    out += ByteToUnicode(static_cast<unsigned char>(b));
  return out;
}

}  // namespace kq::platform
