// The extension joined to the ladder: the easiest extended step by score,
// and an extended solve that keeps Rate's rating and counts.
#include "engine/extended_solve.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/corpus.h"
#include "common/hand_board.h"
#include "common/puzzles.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

using testing::HandBoard;

constexpr int Cell(int row, int col) { return 9 * (row - 1) + col - 1; }

// A Jellyfish on 9 over rows 1, 4, 7 and 9, each holding 9 in three of
// the columns 1, 4, 7 and 9.
HandBoard WithJellyfish() {
  HandBoard board;
  board.Remove({Cell(1, 2), Cell(1, 3), Cell(1, 5), Cell(1, 6), Cell(1, 8), Cell(1, 9)}, "9")
      .Remove({Cell(4, 1), Cell(4, 2), Cell(4, 3), Cell(4, 5), Cell(4, 6), Cell(4, 8)}, "9")
      .Remove({Cell(7, 2), Cell(7, 3), Cell(7, 4), Cell(7, 5), Cell(7, 6), Cell(7, 8)}, "9")
      .Remove({Cell(9, 2), Cell(9, 3), Cell(9, 5), Cell(9, 6), Cell(9, 7), Cell(9, 8)}, "9");
  return board;
}

// The lowest score among the techniques that find something.
double LowestScoreFound(const PuzzleState& s) {
  double lowest = 99;
  for (const TechniqueRow& row : ExtensionRows()) {
    StepRecord step;
    StepContext context;
    if (row.find(s, step, context)) lowest = std::min(lowest, row.score);
  }
  return lowest;
}

TEST(FindExtendedStep, OffersTheLowestScoreFirst) {
  HandBoard board = WithJellyfish();
  StepRecord step = FindExtendedStep(board.State());
  EXPECT_EQ(Technique(step.Technique).score, LowestScoreFound(board.State()));
  // A Skyscraper on 5 (rows 1 and 4) scores lowest of all.
  board.Remove({Cell(1, 2), Cell(1, 3), Cell(1, 4), Cell(1, 6), Cell(1, 7), Cell(1, 8), Cell(1, 9)}, "5")
      .Remove({Cell(4, 2), Cell(4, 3), Cell(4, 4), Cell(4, 5), Cell(4, 7), Cell(4, 8), Cell(4, 9)}, "5");
  step = FindExtendedStep(board.State());
  EXPECT_EQ(step.Technique, TechniqueId::Skyscraper);
  EXPECT_EQ(step.Digits, "5");
}

TEST(FindExtendedStep, NothingOnAnOpenGrid) {
  EXPECT_EQ(FindExtendedStep(PuzzleFromString("")).Kind, kNoStep);
}

TEST(ExtendedTechniqueNames, EveryTechniqueHasOneNameFoundAgain) {
  for (const TechniqueRow& row : TechniqueRows()) {
    ASSERT_FALSE(row.name.empty()) << Index(row.id);
    EXPECT_EQ(TechniqueFromName(row.name), row.id);
    EXPECT_GT(row.score, 0) << row.name;
  }
  EXPECT_EQ(TechniqueFromName("SKYSCRAPER"), TechniqueId::Skyscraper);
  EXPECT_EQ(TechniqueFromName("Skyscrapers"), std::nullopt);
}

TEST(SolveExtended, AFullGridIsSolvedWithoutSteps) {
  const ExtendedSolve solve = SolveExtended(PuzzleFromString(testing::kSolvedGrid), kNoTechniqueLimit);
  EXPECT_TRUE(solve.solved);
  EXPECT_EQ(solve.rating, 0);
  EXPECT_EQ(solve.hardest, std::nullopt);
  EXPECT_EQ(solve.score, 0);
}

class SolveExtendedCorpus : public ::testing::TestWithParam<const char*> {};

TEST_P(SolveExtendedCorpus, KeepsRatesRatingAndCounts) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  const std::size_t stride = std::getenv("TAVIMORO_SANITIZED") ? 50 : 5;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    const PuzzleState state = PuzzleFromString(lines[i]);
    TechniqueCounts counts{};
    const int rating = Rate(state, counts, kNoTechniqueLimit);
    const ExtendedSolve solve = SolveExtended(state, kNoTechniqueLimit);
    ASSERT_EQ(solve.rating, rating) << lines[i];
    ASSERT_EQ(solve.counts, counts) << lines[i];
    if (rating != Index(kStuckRating)) {
      EXPECT_TRUE(solve.solved) << lines[i];
    }
    if (!solve.solved) {
      EXPECT_EQ(solve.hardest, kStuckRating) << lines[i];
    }
    ASSERT_TRUE(solve.hardest) << lines[i];
    EXPECT_GE(solve.score, Technique(*solve.hardest).score) << lines[i];
  }
}

INSTANTIATE_TEST_SUITE_P(SharedCollections, SolveExtendedCorpus,
                         ::testing::Values("top1465.txt", "unbiased.txt"), [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace tavimoro
