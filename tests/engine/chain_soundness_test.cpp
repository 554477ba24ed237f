// Soundness of the chain and almost-locked-set finders on the shared
// collections: from every position the ladder leaves stuck, each finder's
// step must keep the solution (no elimination of a solution digit, no
// placement that differs from it). The solve goes on with the first finder
// that has a step, as the extended solve does, so later positions are
// reached too. TAVIMORO_CHAIN_STRIDE=1 checks every puzzle (slow); the
// default takes a sample of each collection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "common/corpus.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

void ExpectSound(const StepRecord& step, const PuzzleState& solved, const std::string& where) {
  if (step.Kind == kPlaceValue) {
    EXPECT_EQ(step.Value, solved.Grid[step.Cell]) << where << "\n" << step.Text.view();
    return;
  }
  ASSERT_EQ(step.Kind, kEliminate) << where;
  ASSERT_TRUE(step.AnyEliminated()) << where << "\n" << step.Text.view();
  for (int c = 0; c < 81; ++c) {
    EXPECT_FALSE(step.Eliminate(c, solved.Grid[c]))
        << where << " removes the solution from r" << c / 9 + 1 << "c" << c % 9 + 1 << "\n"
        << step.Text.view();
  }
}

// Solves with the ladder and, where it is stuck, the first finder with a
// step (in registry order); with checkAll, every finder is checked at every stuck position.
// True when solved. slowest, when given, keeps the longest CPU time one
// stuck position took to find its step.
bool SolveChecked(const std::string& puzzle, bool checkAll = true, double* slowest = nullptr) {
  PuzzleState solved = PuzzleFromString(puzzle);
  if (Validate(solved, false, true, false) != "") return false;
  PuzzleState s = PuzzleFromString(puzzle);
  ExclusionTable removed;
  for (int guard = 0; guard < 400 && s.FilledCount < 81; ++guard) {
    StepRecord step = FindNextStep(s, kNoTechniqueLimit);
    if (step.Kind == kNoStep) {
      const std::clock_t begin = std::clock();
      bool any = false;
      for (int id = Index(TechniqueId::XChain); id <= Index(TechniqueId::DeathBlossom); ++id) {
        const TechniqueRow& row = TechniqueRows()[id];
        StepRecord tried;
        StepContext context;
        if (!row.find(s, tried, context)) continue;
        ExpectSound(tried, solved, puzzle + " " + std::string(row.name));
        if (::testing::Test::HasFailure()) return false;
        if (!any) step = tried;
        any = true;
        if (!checkAll) break;
      }
      if (slowest) *slowest = std::max(*slowest, static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC);
      if (!any) return false;
    }
    if (step.Kind == kPlaceValue) {
      s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
    } else {
      for (int c = 0; c < 81; ++c) removed.Mask[c] |= step.EliminateMask[c];
    }
    CalcCandidates(s, removed);
  }
  return s.FilledCount == 81;
}

class ChainSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(ChainSoundness, EveryStepKeepsTheSolution) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  const char* strideText = std::getenv("TAVIMORO_CHAIN_STRIDE");
  const std::size_t stride = strideText ? std::max(1, std::atoi(strideText)) : 40;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    const std::string puzzle = lines[i].substr(0, 81);
    SolveChecked(puzzle);
    ASSERT_FALSE(HasFailure()) << puzzle;
  }
}

// Coverage of the ladder's stuck puzzles, for the benchmark notes: run with
// TAVIMORO_CHAIN_COVERAGE=1 (it takes minutes); prints solved / stuck and
// the CPU time of the extended solves.
class ChainCoverage : public ::testing::TestWithParam<const char*> {};

TEST_P(ChainCoverage, SolvesStuckPuzzles) {
  if (!std::getenv("TAVIMORO_CHAIN_COVERAGE")) GTEST_SKIP() << "set TAVIMORO_CHAIN_COVERAGE=1 to measure";
  const std::string file = GetParam();
  const auto lines = testing::CorpusLines(file);
  TAVIMORO_REQUIRE_CORPUS(lines, file);
  int stuck = 0, solved = 0;
  double seconds = 0, slowest = 0;
  for (const auto& line : lines) {
    if (file == "rated.tsv" && std::atof(line.c_str() + line.find('\t') + 1) < 6.0) continue;
    const std::string puzzle = line.substr(0, 81);
    TechniqueCounts counts{};
    if (Rate(PuzzleFromString(puzzle), counts, kNoTechniqueLimit) != Index(kStuckRating)) continue;
    ++stuck;
    const std::clock_t begin = std::clock();
    solved += SolveChecked(puzzle, false, &slowest);
    seconds += static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    ASSERT_FALSE(HasFailure()) << puzzle;
  }
  std::printf("%s: %d of %d stuck puzzles solved (%.1f%%), %.2f s CPU, slowest step %.0f ms\n", file.c_str(),
              solved, stuck, stuck ? 100.0 * solved / stuck : 0.0, seconds, slowest * 1000);
}

INSTANTIATE_TEST_SUITE_P(SharedCollections, ChainCoverage,
                         ::testing::Values("17clue.txt", "unbiased.txt", "top1465.txt", "rated.tsv"),
                         [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

INSTANTIATE_TEST_SUITE_P(SharedCollections, ChainSoundness,
                         ::testing::Values("17clue.txt", "unbiased.txt", "top1465.txt", "forum_hardest.txt",
                                           "rated.tsv"),
                         [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
