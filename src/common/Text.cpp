#include "common/Text.h"

namespace kq {

namespace {

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool HasUtf8Form(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      ++i;
    else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
      return false;
  }
  return true;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacementCharacter;  // a lone surrogate has no UTF-8 form
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

namespace {

// The range a UTF-8 sequence's second byte must lie in after this lead byte; the ranges
// that shut out overlong forms, encoded surrogates and code points above U+10FFFF.
struct LeadByte {
  int continuationBytes;  // -1: the byte cannot start a character
  unsigned char secondLow;
  unsigned char secondHigh;
};

LeadByte Classify(unsigned char byte) {
  if (byte < 0x80)
    return {0, 0, 0};
  if (byte >= 0xC2 && byte <= 0xDF)
    return {1, 0x80, 0xBF};
  if (byte == 0xE0)
    return {2, 0xA0, 0xBF};
  if (byte == 0xED)
    return {2, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF)
    return {2, 0x80, 0xBF};
  if (byte == 0xF0)
    return {3, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3)
    return {3, 0x80, 0xBF};
  if (byte == 0xF4)
    return {3, 0x80, 0x8F};
  return {-1, 0, 0};  // a continuation byte, C0, C1, F5 to FF
}

}  // namespace

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i++]);
    const LeadByte lead = Classify(byte);
    if (lead.continuationBytes < 0) {
      out += kReplacementCharacter;
      continue;
    }
    char32_t c = lead.continuationBytes == 0   ? byte
                 : lead.continuationBytes == 1 ? byte & 0x1F
                 : lead.continuationBytes == 2 ? byte & 0x0F
                                               : byte & 0x07;
    bool complete = true;
    for (int k = 0; k < lead.continuationBytes; ++k) {
      auto next = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
      const unsigned char low = k == 0 ? lead.secondLow : 0x80;
      const unsigned char high = k == 0 ? lead.secondHigh : 0xBF;
      if (next < low || next > high) {
        // The bytes so far are one maximal invalid part; the byte that broke it is read
        // afresh, so a valid character right after a broken one is kept.
        complete = false;
        break;
      }
      c = (c << 6) | (next & 0x3F);
      ++i;
    }
    if (!complete) {
      out += kReplacementCharacter;
    } else if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u16string FormatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> arguments) {
  std::u16string out;
  auto next = arguments.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    char16_t c = pattern[i];
    char16_t kind = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    if (c == u'%' && kind == u'%') {
      out += u'%';
      ++i;
    } else if (c == u'%' && (kind == u's' || kind == u'd') && next != arguments.end()) {
      out += *next++;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::u16string IntToStr(long long value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return c - 32;
  // Latin-1 letters, except the multiplication/division signs and the two without capitals.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return c - 32;
  if (c == 0xFF)
    return 0x178;
  // Latin Extended-A pairs capital/small letters at even/odd code points.
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    bool oddIsSmall = (c < 0x139) || (c > 0x148 && c < 0x179);
    if (oddIsSmall ? (c & 1) : !(c & 1))
      return c - 1;
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
    return c - 32;  // Greek
  if (c >= 0x430 && c <= 0x44F)
    return c - 32;  // Cyrillic
  if (c >= 0x450 && c <= 0x45F)
    return c - 80;
  return c;
}

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i]))
      return false;
  }
  return true;
}

}  // namespace kq
