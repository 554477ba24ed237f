// tavimoro-cli: batch work on puzzle files. Every command reads puzzles one
// per line and prints one result per line, in input order.
#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/standard_output.h"
#include "engine/tables.h"

namespace tavimoro::cli {
namespace {

std::vector<Command>& Table() {
  static std::vector<Command> table;
  return table;
}

void PrintHelp(std::ostream& out) {
  out << "usage: tavimoro-cli COMMAND [OPTIONS] [FILE...]\n"
         "Reads puzzles one per line (81 characters, \"1\"-\"9\" a given, anything else\n"
         "empty) from the FILEs, or standard input when none is named or for \"-\".\n"
         "Blank lines and lines starting with \"#\" are skipped. One result per line.\n"
         "A file of nine-row blocks (.sdk, .ss), pencil-mark grids or 729-character\n"
         "candidate lines is read puzzle by puzzle, one result per puzzle; there a line\n"
         "without digits (a title) is skipped, and a grid of more than nine rows is refused.\n"
         "Any other line that is not 81 cells, alone or followed by the pencil-mark text, is\n"
         "refused with an error on standard error naming its file and line number;\n"
         "the other lines are still handled.\n"
         "A \"+\" before a digit among the cells marks it placed by the player, not given.\n"
         "A regression library's case (\":CODE:CANDIDATES:GIVENS:DELETED:...\") is read as\n"
         "its position.\n"
         "Exit status: 0 done, 1 a file could not be read or the output could not be\n"
         "written, 2 usage error, 3 some lines were refused as not puzzles or generate\n"
         "reached its attempt limit.\n\n"
         "Commands:\n";
  auto commands = Commands();
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const auto& c : commands) {
    out << "  " << c.name << " " << c.synopsis << "\n";
    std::string_view help = c.help;
    while (!help.empty()) {
      const auto end = help.find('\n');
      out << "      " << help.substr(0, end) << "\n";
      if (end == std::string_view::npos) break;
      help.remove_prefix(end + 1);
    }
  }
}

// Everything written must reach standard output (a full disk, a closed
// pipe): flushes and reports with the reason. True when it did.
bool OutputComplete() {
  std::cout.flush();
  if (std::cout && StandardOutputError() == 0) return true;
  std::cerr << "tavimoro-cli: cannot write standard output";
  if (StandardOutputError() != 0) std::cerr << ": " << std::strerror(StandardOutputError());
  std::cerr << "\n";
  return false;
}

}  // namespace

Registration::Registration(const Command& command) { Table().push_back(command); }

const std::vector<Command>& Commands() { return Table(); }

int UsageError(std::string_view message) {
  std::cerr << "tavimoro-cli: " << message << "\nTry 'tavimoro-cli --help'.\n";
  return kExitUsage;
}

}  // namespace tavimoro::cli

int main(int argc, char** argv) {
  using namespace tavimoro::cli;
  std::ios::sync_with_stdio(false);
  InstallStandardOutput();
  tavimoro::InitEngine();
  if (argc < 2) return UsageError("no command given");
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintHelp(std::cout);
    return OutputComplete() ? kExitOk : kExitFileError;
  }
  for (const auto& command : Commands()) {
    if (command.name != name) continue;
    const int status = command.run(std::vector<std::string>(argv + 2, argv + argc));
    return OutputComplete() ? status : kExitFileError;
  }
  return UsageError("unknown command '" + name + "'");
}
