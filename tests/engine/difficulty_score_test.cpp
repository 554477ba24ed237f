// The difficulty score: the easiest-first solve and the score of what it
// leaves unfinished (its calibration: difficulty_scale_test.cpp).
#include "engine/difficulty_score.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/puzzles.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

PuzzleState Fresh(std::string_view text) {
  PuzzleState s = PuzzleFromString(text);
  CalcCandidates(s);
  return s;
}

TEST(DifficultyScore, TakesTheEasiestStepEachTime) {
  // Every empty cell is a naked and a hidden single: the hidden single scores.
  const DifficultyScore singles = ScoreDifficulty(Fresh(testing::kSinglesOnly));
  EXPECT_TRUE(singles.solved);
  EXPECT_EQ(singles.hardestTechnique, Index(TechniqueId::HiddenSingle));
  EXPECT_DOUBLE_EQ(singles.score, 1.2);
  EXPECT_DOUBLE_EQ(singles.toFirstPlacement, 1.2);
  EXPECT_DOUBLE_EQ(singles.firstStep, 1.2);
  EXPECT_EQ(singles.cellsLeft, 0);
  const DifficultyScore solved = ScoreDifficulty(Fresh(testing::kSolvedGrid));
  EXPECT_TRUE(solved.solved);
  EXPECT_EQ(solved.hardestTechnique, -1);
  EXPECT_DOUBLE_EQ(solved.score, 0);
  EXPECT_DOUBLE_EQ(solved.firstStep, 0);
}

TEST(DifficultyScore, UnfinishedScoresFromTheStuckRatingByCellsLeft) {
  const double stuck = Technique(kStuckRating).score;
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 0), stuck);
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 4), stuck);
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 25), std::round((stuck + 0.5) * 10) / 10);
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 81), std::round((stuck + 0.9) * 10) / 10);
  EXPECT_DOUBLE_EQ(UnfinishedScore(stuck + 1, 0), stuck + 1);
}

}  // namespace
}  // namespace tavimoro
