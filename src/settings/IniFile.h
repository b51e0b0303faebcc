#pragma once
// The INI-style store over a classic INI file: "[section]" headers and "ident=value" lines.
// Every read goes to the file and every write rewrites it, like GetPrivateProfileString and
// WritePrivateProfileString. The text is UTF-8; values are text without a type of their own.

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
  std::vector<std::u16string> LoadLines() const;
  void SaveLines(const std::vector<std::u16string>& lines) const;

  std::u16string fileName_;
};

}  // namespace kq
