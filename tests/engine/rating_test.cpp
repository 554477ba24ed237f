// The logical solve, the levels, the technique names and the singles-only
// solve.
#include "engine/rating.h"

#include <gtest/gtest.h>

#include <numeric>

#include "common/corpus.h"
#include "common/hand_board.h"
#include "common/puzzles.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

using testing::HandBoard;
using testing::kSinglesOnly;
using testing::kSolvedGrid;
using testing::kTop1465First;

int Sum(const TechniqueCounts& counts, int from, int to) {
  return std::accumulate(counts.begin() + from, counts.begin() + to + 1, 0);
}

TEST(Levels, EachRatingFallsInTheLowestLevelAdmittingIt) {
  const int expected[19] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 5};
  for (int r = 0; r <= 18; ++r) EXPECT_EQ(LevelOfRating(r), expected[r]) << r;
  const int maxTechnique[] = {0, 1, 4, 7, 13, 17, 18, -1, 0};  // levels -1..7
  for (int level = -1; level <= 7; ++level)
    EXPECT_EQ(LevelMaxTechnique(level), maxTechnique[level + 1]) << level;
}

TEST(TechniqueNames, PlainAndAsLink) {
  EXPECT_EQ(TechniqueName(TechniqueId::XWing, false), "X Wing");
  EXPECT_EQ(TechniqueName(kStuckRating, false), "Complex Forcing Chains");
  EXPECT_EQ(TechniqueName(TechniqueId::Skyscraper, false), "Skyscraper");
  EXPECT_EQ(TechniqueName(TechniqueId::XChain, false), "X-Chain");
  EXPECT_EQ(TechniqueName(static_cast<TechniqueId>(kTechniqueRowCount), false), "");
  EXPECT_EQ(TechniqueName(TechniqueId::Omission, true),
            "<a href='http://www.tavimoro.app/help/techniques.html#b3'>Omission</a>");
  const std::string saved = HelpBase();
  SetHelpBase("file:///usr/share/tavimoro/help/");
  EXPECT_EQ(TechniqueName(TechniqueId::ForcingChain2, true),
            "<a href='file:///usr/share/tavimoro/help/techniques.html#b17'>Forcing Chain Type 2</a>");
  SetHelpBase(saved);
}

TEST(Rate, SolvedAndSinglesOnlyPuzzles) {
  TechniqueCounts counts;
  counts.fill(7);
  EXPECT_EQ(Rate(PuzzleFromString(kSolvedGrid), counts, kNoTechniqueLimit), 0);
  EXPECT_EQ(Sum(counts, 0, 18), 0);

  const PuzzleState s = PuzzleFromString(kSinglesOnly);
  const PuzzleState before = s;
  EXPECT_LE(Rate(s, counts, kNoTechniqueLimit), 1);
  EXPECT_EQ(Sum(counts, 0, 1), 4);
  EXPECT_EQ(Sum(counts, 2, 18), 0);
  EXPECT_TRUE(testing::SameRecord(s, before));
}

TEST(Rate, StuckSolveRates18AndKeepsTheCountsSoFar) {
  TechniqueCounts counts;
  EXPECT_EQ(Rate(PuzzleFromString(kTop1465First), counts, 8), 18);
  EXPECT_EQ(counts[18], 1);
  EXPECT_GT(Sum(counts, 0, 8), 0);
  EXPECT_EQ(Sum(counts, 9, 17), 0);

  // Needs a hidden single, but only Naked Single may be tried.
  EXPECT_EQ(Rate(HandBoard().RemoveInHouseExcept(0, {4}, "2").State(), counts, 0), 18);
  EXPECT_EQ(counts[0], 0);
  EXPECT_EQ(counts[18], 1);
}

TEST(Rate, CandidatesTheCallerRemovedStayRemoved) {
  StepRecord first;
  TechniqueCounts counts;
  Rate(HandBoard(kTop1465First).Only(1, "2").State(), counts, 8, [&](const StepRecord& step) {
    if (first.Kind == kNoStep) first = step;
  });
  EXPECT_EQ(first.Technique, TechniqueId::NakedSingle);
  EXPECT_EQ(first.Cell, 1);
  EXPECT_EQ(first.Value, 2);
}

// The solve updates candidates step by step; it must see exactly what a full
// recomputation with the eliminations as exclusions would give.
TEST(Rate, StepsMatchASolveThatRecomputesEveryCandidate) {
  std::vector<std::string> puzzles = {kSinglesOnly, kTop1465First};
  for (const char* file : {"top1465.txt", "17clue.txt"}) {
    auto lines = testing::CorpusLines(file);
    if (lines.size() > 150) lines.resize(150);
    puzzles.insert(puzzles.end(), lines.begin(), lines.end());
  }
  for (const auto& puzzle : puzzles) {
    PuzzleState reference = PuzzleFromString(puzzle);
    ExclusionTable exclusions;
    int applied = 0;
    TechniqueCounts counts;
    Rate(PuzzleFromString(puzzle), counts, kNoTechniqueLimit, [&](const StepRecord& step) {
      const StepRecord expected = FindNextStep(reference, kNoTechniqueLimit);
      ASSERT_EQ(Index(step.Technique), Index(expected.Technique)) << puzzle << " step " << applied;
      ASSERT_EQ(step.Cell, expected.Cell) << puzzle << " step " << applied;
      ASSERT_EQ(step.Value, expected.Value) << puzzle << " step " << applied;
      ASSERT_EQ(step.EliminateMask, expected.EliminateMask) << puzzle << " step " << applied;
      if (step.Kind == kPlaceValue) reference.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
      for (int c = 0; c < 81; ++c) exclusions.Mask[c] |= step.EliminateMask[c];
      CalcCandidates(reference, exclusions);
      ++applied;
    });
  }
}

// Puzzles with several solutions, none, or a digit given twice in a house:
// the solve still ends, and within the number of candidates it can remove.
TEST(Rate, ImproperPuzzlesStillEnd) {
  for (const char* file : {"multiple_solutions.txt", "invalid.txt"}) {
    for (const auto& line : testing::CorpusLines(file)) {
      const PuzzleState s = PuzzleFromString(line);
      TechniqueCounts counts;
      int steps = 0;
      const int rating = Rate(s, counts, kNoTechniqueLimit, [&](const StepRecord&) { ++steps; });
      EXPECT_LE(steps, 81 * 9) << line;
      EXPECT_TRUE(rating >= 0 && rating <= 18) << line;
      PuzzleState copy = s;
      EXPECT_LE(SolveWithSingles(copy), 81 - s.FilledCount);
    }
  }
}

TEST(SolveWithSingles, FinishesWhatHiddenSinglesFinishAndDropsExclusions) {
  PuzzleState s = PuzzleFromString(kSolvedGrid);
  EXPECT_EQ(SolveWithSingles(s), 0);
  s = HandBoard(kSinglesOnly).Remove({1}, "2").State();
  EXPECT_EQ(SolveWithSingles(s), 4);
  EXPECT_EQ(PuzzleToString(s), kSolvedGrid);
  EXPECT_EQ(s.FilledCount, 81);

  // Cell 0 can only be 9, yet 9 has three places in row 1.
  s = PuzzleFromString(
      "...123456"
      "........."
      "........."
      "7........"
      "8........");
  EXPECT_EQ(FindNextStep(s, 0).Cell, 0);
  EXPECT_EQ(SolveWithSingles(s), 0);
}

TEST(SolveWithSingles, LeavesFreshCandidatesWhereItStops) {
  PuzzleState s = PuzzleFromString(kTop1465First);
  EXPECT_GT(SolveWithSingles(s), 0);
  EXPECT_LT(s.FilledCount, 81);
  PuzzleState fresh = s;
  CalcCandidates(fresh);
  EXPECT_TRUE(testing::SameRecord(s, fresh));
}

}  // namespace
}  // namespace tavimoro
