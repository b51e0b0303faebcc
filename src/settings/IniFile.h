#pragma once
// The INI-style store over a classic INI file: "[section]" headers and "ident=value" lines.
// Every read goes to the file and every write rewrites it, like GetPrivateProfileString and
// WritePrivateProfileString. The text is UTF-8, with or without a byte-order mark (kept when
// there is one), and invalid bytes read as common/Text says; values are text without a type of
// their own. A line ends at CR LF, a lone CR or a lone LF. A write rewrites only the line it
// changes or adds: every other line keeps its bytes, so a value that was not written reads
// the same afterwards, whatever bytes it holds.

#include <optional>
#include <string>
#include <vector>

#include "settings/IniStore.h"

namespace kq {

class IniFile : public IniStore {
 public:
  explicit IniFile(std::u16string fileName) : fileName_(std::move(fileName)) {}

  const std::u16string& FileName() const override { return fileName_; }
  std::optional<StoredValue> ReadValue(const std::u16string& section,
                                       const std::u16string& ident) const override;
  // Raises FileError when the file cannot be written.
  void WriteString(const std::u16string& section, const std::u16string& ident,
                   const std::u16string& value) override;
  void WriteInteger(const std::u16string& section, const std::u16string& ident,
                    std::int32_t value) override;
  std::vector<std::u16string> ReadSections() const override;
  std::vector<std::u16string> ReadSection(const std::u16string& section) const override;
  bool DeleteKey(const std::u16string& section, const std::u16string& ident) override;
  // Removes the section's header and every line up to the next header.
  void EraseSection(const std::u16string& section) override;

 private:
  // One line of the file: its bytes as read, and its text. A line made or changed by a write
  // has no bytes yet; it is written from its text.
  struct Line {
    std::u16string text;
    std::optional<std::string> bytes;
  };
  struct Lines {
    bool byteOrderMark = false;
    std::vector<Line> lines;
  };
  Lines LoadLines() const;
  void SaveLines(const Lines& file) const;

  std::u16string fileName_;
};

}  // namespace kq
