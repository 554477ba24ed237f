// tavimoro-cli validate: the uniqueness check of every puzzle line; prints
// the verdict, or the solution when the puzzle has exactly one.
#include <iostream>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/library_line.h"
#include "cli/puzzle_input.h"
#include "engine/validate.h"

namespace tavimoro::cli {
namespace {

int RunValidate(std::vector<std::string> argv) {
  Args args(std::move(argv));
  bool limitSteps = false, allowFewGivens = false;
  while (args.Flag("--limit-steps")) limitSteps = true;
  while (args.Flag("--allow-few-givens")) allowFewGivens = true;
  std::string error;
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);

  Progress progress;
  long done = 0;
  std::string out;
  const int status = ForEachPuzzleLine(files, [&](const std::string& line) {
    std::vector<int> placed;
    const std::string cells = line.find('+') == std::string::npos ? line : WithoutPlacedMarks(line, placed);
    PuzzleState state;
    for (std::size_t c = 0; c < 81 && c < cells.size(); ++c) {
      if (cells[c] >= '1' && cells[c] <= '9') state.Grid[c] = static_cast<std::uint8_t>(cells[c] - '0');
    }
    const std::string_view verdict = Validate(state, limitSteps, allowFewGivens, false);
    if (verdict.empty()) {
      for (const int digit : state.Grid) out += static_cast<char>('0' + digit);
    } else {
      out += verdict;
    }
    out += '\n';
    if (out.size() >= 1 << 16) {
      std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
      out.clear();
    }
    progress.Tick(++done);
  });
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  return status;
}

const Registration kValidate({
    "validate",
    "[--limit-steps] [--allow-few-givens] [FILE...]",
    "Checks that each puzzle has exactly one solution and prints the solution\n"
    "(81 digits) or one of the messages \"Invalid puzzle - multiple solutions\",\n"
    "\"... - basic rules violated\", \"... - no solution\", \"... - took too long\".\n"
    "--limit-steps gives up after 20000 search steps; --allow-few-givens accepts\n"
    "puzzles with fewer than 17 givens.",
    RunValidate,
});

}  // namespace
}  // namespace tavimoro::cli
