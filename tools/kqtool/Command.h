#pragma once
// The commands of kqtool. Each group of commands lives in a file of its own and hands its table
// to Main.cpp, which finds the command named by the first argument and runs it.

#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kq::tool {

using Arguments = std::span<const std::string_view>;

struct Command {
  std::string_view name;
  std::string_view arguments;  // as shown in the help, e.g. "U+XXXX"
  std::string_view summary;
  int (*run)(Arguments arguments, std::ostream& out);  // the exit status
};

// A command line that cannot be carried out; main prints it and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "U+XXXX" (one to four hexadecimal digits, either case) as a code unit.
int ParseCodePoint(std::string_view text);

// Throws a UsageError unless the command got exactly `count` arguments.
void ExpectArgumentCount(std::string_view command, Arguments arguments, std::size_t count);

std::span<const Command> UnicodeCommands();
std::span<const Command> SequenceCommands();

}  // namespace kq::tool
