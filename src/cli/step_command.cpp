// tavimoro-cli step: the next logical step of each puzzle.
#include <iostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/puzzle_input.h"
#include "cli/step_json.h"
#include "engine/step_finder.h"

namespace tavimoro::cli {
namespace {

int RunStep(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const int maxTechnique = args.Int("--max-technique", kNoTechniqueLimit, -1, kNoTechniqueLimit, error);
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  return ForEachPuzzleLine(files, [&](const std::string& line) {
    const PuzzleState state = PuzzleFromString(line);
    if (const auto invalid = InvalidPuzzleLine(state)) {
      std::cout << *invalid << '\n';
      return;
    }
    std::cout << JsonLine(StepJson(FindNextStep(state, maxTechnique))) << '\n';
  });
}

const Registration kStep({"step", "[--max-technique N] [FILE...]",
                          "The first step the ladder finds, trying techniques 0..N (default 29;\n"
                          "Naked Single always), as a step object: {\"kind\", \"technique\", \"cell\",\n"
                          "\"value\", \"text\", \"digits\", \"eliminate\": [[cell, digit]...],\n"
                          "\"colours\": [[cell, 0x00BBGGRR]...], \"lines\": [[from, to, colour, width]...]}.\n"
                          "A grid that is not a proper puzzle gives {\"puzzle\", \"error\": \"Invalid puzzle - ...\"}.",
                          RunStep});

}  // namespace
}  // namespace tavimoro::cli
