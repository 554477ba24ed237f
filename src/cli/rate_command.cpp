// tavimoro-cli rate: the difficulty rating of each puzzle. Puzzles are rated
// in batches; with -j the batch is shared out to several threads, and each
// batch is printed in input order once it is done.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <iostream>
#include <thread>

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

constexpr std::size_t kBatchSize = 4096;
constexpr std::size_t kChunkSize = 32;  // puzzles a thread takes at a time

std::string RateLine(const std::string& line, int maxTechnique, bool extended, SearchOptions options) {
  const PuzzleState state = PositionFromLine(line);
  if (auto invalid = InvalidPuzzleLine(state)) return std::move(*invalid);
  TechniqueCounts counts{};
  ExtendedSolve solve;
  if (extended) {
    solve = SolveExtended(state, maxTechnique, {}, options);
    counts = solve.counts;
  }
  const int rating = extended ? solve.rating : Rate(state, counts, maxTechnique);
  PuzzleState singles = state;
  nlohmann::ordered_json object;
  object["puzzle"] = PuzzleToString(state);
  object["rating"] = rating;
  object["level"] = LevelOfRating(rating) + 1;
  object["counts"] = counts;
  object["singles"] = SolveWithSingles(singles);
  if (extended) {
    object["hardest"] = std::string(solve.hardest ? Technique(*solve.hardest).name : std::string_view());
    object["score"] = std::round(solve.score * 10) / 10;
    object["ep"] = std::round(solve.toFirstPlacement * 10) / 10;
    object["ed"] = std::round(solve.firstStep * 10) / 10;
    object["solved"] = solve.solved;
  }
  return JsonLine(object);
}

void RateBatch(const std::vector<std::string>& lines, std::vector<std::string>& results, int maxTechnique,
               bool extended, SearchOptions options, int threads) {
  results.resize(lines.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (;;) {
      const std::size_t begin = next.fetch_add(kChunkSize);
      if (begin >= lines.size()) return;
      const std::size_t end = std::min(lines.size(), begin + kChunkSize);
      for (std::size_t i = begin; i < end; ++i)
        results[i] = RateLine(lines[i], maxTechnique, extended, options);
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
  for (auto& helper : helpers) helper.join();
}

// "-jN" is taken as "-j N".
std::vector<std::string> SplitThreadOption(std::vector<std::string> args) {
  std::vector<std::string> out;
  for (auto& a : args) {
    if (a.size() > 2 && a.rfind("-j", 0) == 0 && a[2] != '=') {
      out.emplace_back("-j");
      out.push_back(a.substr(2));
    } else {
      out.push_back(std::move(a));
    }
  }
  return out;
}

int RunRate(std::vector<std::string> arguments) {
  Args args(SplitThreadOption(std::move(arguments)));
  std::string error;
  const int maxTechnique = args.Int("--max-technique", kNoTechniqueLimit, -1, kNoTechniqueLimit, error);
  const int threads = args.Int("-j", 1, 1, 256, error);
  const bool extended = args.Flag("--extended");
  SearchOptions options;
  options.missingCandidates = !args.Flag("--no-missing-candidates");
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (!options.missingCandidates && !extended)
    return UsageError("--no-missing-candidates goes with --extended");

  Progress progress;
  long done = 0;
  std::vector<std::string> batch, results;
  auto flush = [&] {
    RateBatch(batch, results, maxTechnique, extended, options, threads);
    for (const auto& r : results) std::cout << r << '\n';
    done += static_cast<long>(batch.size());
    progress.Tick(done);
    batch.clear();
  };
  const int status = ForEachPuzzleLine(files, [&](const std::string& line) {
    batch.push_back(line);
    if (batch.size() == kBatchSize) flush();
  });
  flush();
  return status;
}

const std::string kStuck = std::to_string(Index(kStuckRating));
const std::string kHelp =
    "Rates each puzzle with techniques 0..N (default " + std::to_string(kNoTechniqueLimit) +
    "): {\"puzzle\", \"rating\"\n(hardest technique, " + kStuck + " when stuck), \"level\" (1.." +
    std::to_string(kLevelCount) + "), \"counts\" (" + std::to_string(kTechniqueCount) +
    " uses\nof techniques 0.." + kStuck +
    "), \"singles\" (cells filled by singles alone)}.\n"
    "-j rates on several threads; output stays in input order.\n"
    "--extended adds \"hardest\" (the name of the hardest technique, beyond the\n"
    "ladder included), \"score\" (difficulty, one decimal: the hardest step of\n"
    "a solve that always takes the easiest step), \"ep\" (the hardest step up to\n"
    "its first placed digit), \"ed\" (its first step's) and \"solved\".\n"
    "--no-missing-candidates (with --extended): unique and hidden rectangles\n"
    "only where every corner still holds both digits.\n"
    "A line may hold the 81 cells followed by the pencil-mark text.\n"
    "A grid that is not a proper puzzle gives {\"puzzle\", \"error\": \"Invalid puzzle - ...\"}.";
const Registration kRate({"rate",
                          "[--max-technique N] [--extended [--no-missing-candidates]] [-j THREADS] [FILE...]",
                          kHelp, RunRate});

}  // namespace
}  // namespace tavimoro::cli
