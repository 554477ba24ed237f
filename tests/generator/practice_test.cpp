// Practice generation: success, giving up after the attempt limit, and the
// two ways of stopping early.
#include "generator/practice.h"

#include <gtest/gtest.h>

#include "engine/cancel.h"
#include "engine/validate.h"
#include "generator/random.h"

namespace tavimoro {
namespace {

int ClueParity(const PuzzleState& p) { return p.FilledCount % 2; }

TEST(Practice, ReturnsTheFirstPuzzleWhoseHardestStepMatches) {
  InitGenRand(7);
  const PracticeResult r = GenerateForPractice(1, ClueParity, true, 50);
  ASSERT_EQ(r.Puzzle.size(), 81u);
  EXPECT_FALSE(r.GaveUp);
  PuzzleState p = PuzzleFromString(r.Puzzle);
  EXPECT_EQ(p.FilledCount % 2, 1);
  EXPECT_EQ(Validate(p, false, true, false), "");
}

TEST(Practice, GivesUpAfterTheAttemptLimitWhenNothingMatches) {
  InitGenRand(7);
  const PracticeResult r = GenerateForPractice(
      5, [](const PuzzleState&) { return -1; }, false, 7);
  EXPECT_TRUE(r.GaveUp);
  EXPECT_EQ(r.Attempts, 7);
  EXPECT_TRUE(r.Puzzle.empty());
}

TEST(Practice, ProgressOrCancelStopsWithoutGivingUp) {
  InitGenRand(7);
  const auto never = [](const PuzzleState&) { return -1; };
  const PracticeResult stopped = GenerateForPractice(5, never, false, 100, [](long) { return false; });
  EXPECT_EQ(stopped.Attempts, 5);
  EXPECT_FALSE(stopped.GaveUp);
  EXPECT_TRUE(stopped.Puzzle.empty());

  CancelGeneration();
  const PracticeResult cancelled = GenerateForPractice(5, never, false, 100);
  EXPECT_EQ(cancelled.Attempts, 1);
  EXPECT_FALSE(cancelled.GaveUp);
  EXPECT_FALSE(GenerationCancelled.load());
}

}  // namespace
}  // namespace tavimoro
