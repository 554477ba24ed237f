// The command table of tavimoro-cli. Each command lives in its own file and
// registers itself with a static Registration, so adding one touches no
// other file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavimoro::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;  // also: standard output could not be written
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefusedLines = 3;  // some input lines were not puzzles

struct Command {
  std::string_view name;
  std::string_view synopsis;  // one line, after the command name
  std::string_view help;      // what it prints, a few lines
  int (*run)(std::vector<std::string> args);
};

struct Registration {
  explicit Registration(const Command& command);
};

const std::vector<Command>& Commands();

// Prints "tavimoro-cli: <message>" and the hint to --help on stderr; returns
// kExitUsage.
int UsageError(std::string_view message);

}  // namespace tavimoro::cli
