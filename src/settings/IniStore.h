#pragma once
// An INI-style store: sections of named values. Section and value names compare without
// regard to letter case. RegistryIniFile keeps them in a registry key, IniFile in a file;
// the reads every store shares are written once, here, over the value as the store holds it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/NameValueList.h"

namespace kq {

// A value as a store holds it. An INI file knows only text; the registry also knows numbers
// and other data, and its string values are text that was stored as text.
struct StoredValue {
  enum class Kind {
    Text,    // an INI file's value, which has no type of its own
    String,  // a registry string or expandable string value
    Number,  // a registry DWORD value
    Other,   // any other registry data
  };
  Kind kind = Kind::Text;
  std::u16string text;      // Text, String
  std::int32_t number = 0;  // Number
};

class IniStore {
 public:
  virtual ~IniStore() = default;

  // The file name or key path the store was opened on.
  virtual const std::u16string& FileName() const = 0;

  // The value, or nothing when the section or the value is missing. Never creates anything.
  virtual std::optional<StoredValue> ReadValue(const std::u16string& section,
                                               const std::u16string& ident) const = 0;
  // Writes create a missing section; a store that cannot be written raises.
  virtual void WriteString(const std::u16string& section, const std::u16string& ident,
                           const std::u16string& value) = 0;
  virtual void WriteInteger(const std::u16string& section, const std::u16string& ident,
                            std::int32_t value) = 0;

  virtual std::vector<std::u16string> ReadSections() const = 0;
  // The value names of the section, in the store's order.
  virtual std::vector<std::u16string> ReadSection(const std::u16string& section) const = 0;
  // False when there was no such value.
  virtual bool DeleteKey(const std::u16string& section, const std::u16string& ident) = 0;
  virtual void EraseSection(const std::u16string& section) = 0;
  // Opens the store's key again after it was deleted underneath, creating it anew. A file is
  // opened at each access and needs nothing.
  virtual void Reopen() {}

  // The text; fallback when missing. A number or other data raises RegistryError.
  std::u16string ReadString(const std::u16string& section, const std::u16string& ident,
                            const std::u16string& fallback) const;
  // The number, or the text as a decimal integer; fallback when missing or when the text is
  // not a number. Other data raises RegistryError.
  std::int32_t ReadInteger(const std::u16string& section, const std::u16string& ident,
                           std::int32_t fallback) const;
  // Read as an integer with 0 or 1 as fallback; true when not 0.
  bool ReadBool(const std::u16string& section, const std::u16string& ident, bool fallback) const;
  // Written as the text "1" or "0".
  void WriteBool(const std::u16string& section, const std::u16string& ident, bool value);
  bool ValueExists(const std::u16string& section, const std::u16string& ident) const;
  // Each text and number of the section as name=value, in the section's order; other data is
  // left out, and an empty text removes the name (NameValueList's rule).
  void ReadSectionValues(const std::u16string& section, NameValueList& strings) const;
};

}  // namespace kq
