#pragma once
// The sequence file: UTF-8 text, one entry a line.
//
// Writing puts the UTF-8 byte-order mark first and ends every line, the last included, with
// CR LF. Reading skips a byte-order mark when there is one and ends a line at CR LF, at a lone
// CR or at a lone LF. Lines of 4 characters or fewer (single-character entries) are stored as
// they are. In a longer line (a text entry) the line breaks of the text are coded so that the
// entry stays on one line:
//   - CR LF is written as the six characters "<CRLF>", and "<CRLF>" reads as CR LF;
//   - a CR or an LF that is not part of a CR LF pair is written as the noncharacter U+FDD0
//     (CR) or U+FDD1 (LF), which read back as CR and LF.
// Only the result is coded: the two sequence characters after the last TAB are stored as they
// are, so a sequence of U+FDD0 and U+FDD1 stays a sequence.
// Noncharacters are reserved by Unicode for a program's internal use, so no text a user types
// or picks from a character map holds them, and every file in the plain "<CRLF>" form reads
// the same. As with "<CRLF>", a text that holds U+FDD0 or U+FDD1 itself reads back with a
// line break in its place.

#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

namespace kq {

enum class TTextEncoding {
  UTF8,  // the file format's own
  Ansi,  // the ANSI code page, for a file without byte-order mark
};

inline constexpr char16_t kLoneCRMark = u'\uFDD0';
inline constexpr char16_t kLoneLFMark = u'\uFDD1';

// The entry as its line in the file: a text entry's line breaks coded as above.
std::u16string EscapeLineBreaks(const std::u16string& entry);
// A line of the file as its entry: the coded line breaks of a text entry decoded.
std::u16string UnescapeLineBreaks(const std::u16string& line);

// Whether an entry can be kept in the list and in the file: something, a TAB, and exactly two
// sequence characters after it (the last TAB separates). A single-character entry is stored
// as it is, so neither its result nor a sequence character may be a line break; and every
// surrogate must have its partner, since the file's UTF-8 cannot hold a lone one.
bool IsWellFormedEntry(std::u16string_view entry);

// The bytes of a file holding these lines (already escaped).
std::string SequenceFileBytes(const std::vector<std::u16string>& lines);
// The lines of a file (still escaped). Bytes after a UTF-8 byte-order mark are UTF-8; without
// one they are read in the given encoding.
std::vector<std::u16string> SequenceFileLines(std::string_view bytes, TTextEncoding encoding,
                                              const platform::AnsiCodePage& codePage);

}  // namespace kq
