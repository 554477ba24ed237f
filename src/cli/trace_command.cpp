// tavimoro-cli trace: the logical solve of each puzzle, step by step.
#include <cmath>
#include <iostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/puzzle_input.h"
#include "cli/step_json.h"
#include "engine/extended_solve.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"

namespace tavimoro::cli {
namespace {

int RunTrace(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const int maxTechnique = args.Int("--max-technique", kNoTechniqueLimit, -1, kNoTechniqueLimit, error);
  const bool extended = args.Flag("--extended");
  SearchOptions options;
  options.missingCandidates = !args.Flag("--no-missing-candidates");
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (!options.missingCandidates && !extended)
    return UsageError("--no-missing-candidates goes with --extended");
  return ForEachPuzzleLine(files, [&](const std::string& line) {
    const PuzzleState state = PositionFromLine(line);
    if (const auto invalid = InvalidPuzzleLine(state)) {
      std::cout << *invalid << '\n';
      return;
    }
    if (extended) {
      const ExtendedSolve solve = SolveExtended(
          state, maxTechnique,
          [](const StepRecord& step) { std::cout << JsonLine(NamedStepJson(step)) << '\n'; }, options);
      nlohmann::ordered_json summary;
      summary["rating"] = solve.rating;
      summary["counts"] = solve.counts;
      summary["hardest"] = std::string(solve.hardest ? Technique(*solve.hardest).name : std::string_view());
      summary["score"] = std::round(solve.score * 10) / 10;
      summary["ep"] = std::round(solve.toFirstPlacement * 10) / 10;
      summary["ed"] = std::round(solve.firstStep * 10) / 10;
      summary["solved"] = solve.solved;
      std::cout << JsonLine(summary) << '\n';
      return;
    }
    TechniqueCounts counts{};
    const int rating = Rate(state, counts, maxTechnique,
                            [](const StepRecord& step) { std::cout << JsonLine(StepJson(step)) << '\n'; });
    nlohmann::ordered_json summary;
    summary["rating"] = rating;
    summary["counts"] = counts;
    std::cout << JsonLine(summary) << '\n';
  });
}

const std::string kHelp =
    "Solves each puzzle as the rating does and prints the step object of\n"
    "every step applied, one per line, then {\"rating\", \"counts\": [" +
    std::to_string(kTechniqueCount) + " uses\nof techniques 0.." + std::to_string(Index(kStuckRating)) +
    "]}.\n"
    "--extended: where the ladder is stuck the solve goes on with the techniques\n"
    "beyond it; step objects end with \"name\", and the summary adds \"hardest\"\n"
    "(a name), \"score\" (difficulty, one decimal), \"ep\" and \"ed\" (the\n"
    "hardest step up to the first placed digit, and the first step, of the\n"
    "score's solve) and \"solved\" (true or false).\n"
    "--no-missing-candidates (with --extended): unique and hidden rectangles\n"
    "only where every corner still holds both digits.\n"
    "A line may hold the 81 cells followed by the pencil-mark text.\n"
    "A grid that is not a proper puzzle gives {\"puzzle\", \"error\": \"Invalid puzzle - ...\"} instead.";
const Registration kTrace({"trace", "[--max-technique N] [--extended [--no-missing-candidates]] [FILE...]",
                           kHelp, RunTrace});

}  // namespace
}  // namespace tavimoro::cli
