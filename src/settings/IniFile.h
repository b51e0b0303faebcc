#pragma once
// A classic INI file: "[section]" headers and "ident=value" lines, names compared without
// regard to letter case. Every read goes to the file and every write rewrites it, like
// GetPrivateProfileString and WritePrivateProfileString. The text is UTF-8.

#include <cstdint>
#include <string>
#include <vector>

namespace kq {

class IniFile {
 public:
  explicit IniFile(std::u16string fileName) : fileName_(std::move(fileName)) {}

  const std::u16string& FileName() const { return fileName_; }

  std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                            const std::u16string& fallback) const;
  // Raises FileError when the file cannot be written.
  void WriteString(const std::u16string& section, const std::u16string& ident,
                   const std::u16string& value);
  std::int32_t ReadInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t fallback) const;
  void WriteInteger(const std::u16string& section, const std::u16string& ident, std::int32_t value);
  bool ReadBool(const std::u16string& section, const std::u16string& ident, bool fallback) const;
  void WriteBool(const std::u16string& section, const std::u16string& ident, bool value);

  std::vector<std::u16string> ReadSections() const;
  std::vector<std::u16string> ReadSection(const std::u16string& section) const;
  bool ValueExists(const std::u16string& section, const std::u16string& ident) const;

 private:
  std::vector<std::u16string> LoadLines() const;
  void SaveLines(const std::vector<std::u16string>& lines) const;

  std::u16string fileName_;
};

}  // namespace kq
