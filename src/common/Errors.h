#pragma once
// The program's exception types. Messages are UTF-16 like every core string; what()
// gives the same text in UTF-8 for tools and test output.

#include <cstdint>
#include <exception>
#include <string>

namespace kq {

class Error : public std::exception {
 public:
  explicit Error(std::u16string message);
  const std::u16string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string message_;
  std::string utf8_;
};

// A text that should hold a number and does not (StrToInt's failure).
class ConvertError : public Error {
 public:
  using Error::Error;
};

// A registry operation the system refused; Code() is the system error code (0 when none).
class RegistryError : public Error {
 public:
  RegistryError(std::u16string message, std::uint32_t code = 0)
      : Error(std::move(message)), code_(code) {}
  std::uint32_t Code() const noexcept { return code_; }

 private:
  std::uint32_t code_;
};

// A file input/output failure; Code() is the system or runtime error code.
class FileError : public Error {
 public:
  FileError(std::u16string message, std::uint32_t code) : Error(std::move(message)), code_(code) {}
  std::uint32_t Code() const noexcept { return code_; }

 private:
  std::uint32_t code_;
};

}  // namespace kq

namespace kq {

// The text an exception shows: the program's own message, or the runtime's in UTF-8.
std::u16string ExceptionMessage(const std::exception& error);

// The silent abort: it unwinds a cancelled operation, and the error handling never shows it.
class Abort : public Error {
 public:
  Abort() : Error(u"Operation aborted") {}
};

}  // namespace kq
