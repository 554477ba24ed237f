// tavimoro-cli trace: the logical solve of each puzzle, step by step.
#include <iostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/puzzle_input.h"
#include "cli/step_json.h"
#include "engine/rating.h"
#include "engine/step_finder.h"

namespace tavimoro::cli {
namespace {

int RunTrace(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const int maxTechnique = args.Int("--max-technique", kNoTechniqueLimit, -1, kNoTechniqueLimit, error);
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  return ForEachPuzzleLine(files, [&](const std::string& line) {
    TechniqueCounts counts{};
    const int rating = Rate(PuzzleFromString(line), counts, maxTechnique, [](const StepRecord& step) {
      std::cout << JsonLine(StepJson(step)) << '\n';
    });
    nlohmann::ordered_json summary;
    summary["rating"] = rating;
    summary["counts"] = counts;
    std::cout << JsonLine(summary) << '\n';
  });
}

const std::string kHelp =
    "Solves each puzzle as the rating does and prints the step object of\n"
    "every step applied, one per line, then {\"rating\", \"counts\": [" +
    std::to_string(kTechniqueCount) + " uses\nof techniques 0.." + std::to_string(Index(kStuckRating)) + "]}.";
const Registration kTrace({"trace", "[--max-technique N] [FILE...]", kHelp, RunTrace});

}  // namespace
}  // namespace tavimoro::cli
