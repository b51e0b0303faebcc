// kqtool: inspects the data that Keyquill holds, from the command line.
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "Command.h"

namespace kq::tool {
namespace {

const std::array<std::span<const Command>, 2> kCommandGroups = {UnicodeCommands(),
                                                                SequenceCommands()};

const Command* FindCommand(std::string_view name) {
  for (std::span<const Command> group : kCommandGroups) {
    for (const Command& command : group) {
      if (command.name == name) {
        return &command;
      }
    }
  }
  return nullptr;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: kqtool COMMAND [ARGUMENTS]\n"
         "Shows the data that Keyquill holds.\n\nCommands:\n";
  for (std::span<const Command> group : kCommandGroups) {
    for (const Command& command : group) {
      std::string usage(command.name);
      if (!command.arguments.empty()) {
        usage += ' ';
        usage += command.arguments;
      }
      out << "  " << usage << std::string(usage.size() < 24 ? 24 - usage.size() : 1, ' ')
          << command.summary << '\n';
    }
  }
  out << "  --help                  shows this text\n";
}

int Run(Arguments arguments) {
  if (arguments.empty()) {
    throw UsageError("no command given");
  }
  if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
    PrintHelp(std::cout);
    return 0;
  }
  const Command* command = FindCommand(arguments[0]);
  if (command == nullptr) {
    throw UsageError("unknown command '" + std::string(arguments[0]) + "'");
  }
  return command->run(arguments.subspan(1), std::cout);
}

}  // namespace

void ExpectArgumentCount(std::string_view command, Arguments arguments, std::size_t count) {
  if (arguments.size() != count) {
    throw UsageError(std::string(command) + " takes " + std::to_string(count) + " argument" +
                     (count == 1 ? "" : "s") + ", got " + std::to_string(arguments.size()));
  }
}

}  // namespace kq::tool

int main(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  try {
    int status = kq::tool::Run(arguments);
    std::cout.flush();
    return std::cout ? status : 1;
  } catch (const kq::tool::UsageError& error) {
    std::cerr << "kqtool: " << error.what() << "\nRun 'kqtool --help' for the commands.\n";
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "kqtool: " << error.what() << '\n';
    return 1;
  }
}
