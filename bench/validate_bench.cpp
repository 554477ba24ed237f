// Validate and CalcCandidates over the shared collections, one thread. One
// iteration handles the whole collection; items per second are puzzles per
// second, and "unique" counts the puzzles found proper in one pass.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/corpus.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

std::vector<PuzzleState> Load(const std::string& file) {
  std::vector<PuzzleState> states;
  for (const auto& line : testing::CorpusLines(file)) states.push_back(PuzzleFromString(line));
  return states;
}

void ValidateCollection(benchmark::State& state, const std::string& file, bool limitSteps) {
  const auto puzzles = Load(file);
  if (puzzles.empty()) {
    state.SkipWithError(("collection not found: " + file).c_str());
    return;
  }
  int unique = 0;
  for (auto _ : state) {
    unique = 0;
    for (const auto& puzzle : puzzles) {
      PuzzleState s = puzzle;
      unique += Validate(s, limitSteps, false, false).empty();
      benchmark::DoNotOptimize(s.Grid);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(puzzles.size()));
  state.counters["unique"] = unique;
}

void CalcCandidatesCollection(benchmark::State& state, const std::string& file) {
  auto puzzles = Load(file);
  if (puzzles.empty()) {
    state.SkipWithError(("collection not found: " + file).c_str());
    return;
  }
  for (auto _ : state) {
    for (auto& puzzle : puzzles) {
      CalcCandidates(puzzle);
      benchmark::DoNotOptimize(puzzle);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(puzzles.size()));
}

BENCHMARK_CAPTURE(ValidateCollection, fast_17clue, std::string("17clue.txt"), false);
BENCHMARK_CAPTURE(ValidateCollection, fast_top1465, std::string("top1465.txt"), false);
BENCHMARK_CAPTURE(ValidateCollection, limited_17clue, std::string("17clue.txt"), true);
BENCHMARK_CAPTURE(ValidateCollection, limited_top1465, std::string("top1465.txt"), true);
BENCHMARK_CAPTURE(CalcCandidatesCollection, 17clue, std::string("17clue.txt"));
BENCHMARK_CAPTURE(CalcCandidatesCollection, top1465, std::string("top1465.txt"));

}  // namespace
}  // namespace tavimoro
