// kqtool's commands over the built-in sequence tables.
#include "Command.h"
#include "common/Text.h"
#include "sequences/DefaultTables.h"
#include "sequences/SeqFile.h"

namespace kq::tool {
namespace {

// The table's entries, one a line, each as the sequence file holds it.
template <std::span<const DefaultSequence> (*table)()>
int Dump(std::string_view command, Arguments arguments, std::ostream& out) {
  ExpectArgumentCount(command, arguments, 0);
  for (const DefaultSequence& row : table()) {
    std::u16string entry = row.result + (u'\t' + FromUtf8(row.sequence));
    out << ToUtf8(EscapeLineBreaks(entry)) << '\n';
  }
  return 0;
}

const Command kCommands[] = {
    {"sequence-defaults", "", "prints the default sequences as file lines, in table order",
     [](Arguments a, std::ostream& out) {
       return Dump<DefaultSequences>("sequence-defaults", a, out);
     }},
    {"sequence-ver1-defaults", "", "prints the default sequences of version 1 the same way",
     [](Arguments a, std::ostream& out) {
       return Dump<Ver1DefaultSequences>("sequence-ver1-defaults", a, out);
     }},
};

}  // namespace

std::span<const Command> SequenceCommands() {
  return kCommands;
}

}  // namespace kq::tool
