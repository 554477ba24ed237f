// The logical solve, the levels, the technique names and the singles-only
// solve.
#include <gtest/gtest.h>

#include <numeric>

#include "common/corpus.h"
#include "common/hand_board.h"
#include "engine/rating.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

using testing::HandBoard;

constexpr const char* kSolved =
    "123456789456789123789123456214365897365897214897214365531642978642978531978531642";
// The solved grid with one box row opened: singles alone finish it.
constexpr const char* kEasy =
    "1.3.5.7.9456789123789123456214365897365897214897214365531642978642978531978531642";
// Stuck with techniques up to 8 after a few steps (first of top1465).
constexpr const char* kHard =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

int Sum(const TechniqueCounts& counts, int from, int to) {
  return std::accumulate(counts.begin() + from, counts.begin() + to + 1, 0);
}

TEST(Levels, EachRatingFallsInTheLowestLevelAdmittingIt) {
  const int expected[19] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 5};
  for (int r = 0; r <= 18; ++r) EXPECT_EQ(LevelOfRating(r), expected[r]) << r;
  EXPECT_EQ(LevelMaxTechnique(0), 1);
  EXPECT_EQ(LevelMaxTechnique(5), 18);
  EXPECT_EQ(LevelMaxTechnique(6), -1);
  EXPECT_EQ(LevelMaxTechnique(7), 0);
  EXPECT_EQ(LevelMaxTechnique(-1), 0);
}

TEST(TechniqueNames, PlainAndAsLink) {
  EXPECT_EQ(TechniqueName(0, false), "Naked Single");
  EXPECT_EQ(TechniqueName(10, false), "X Wing");
  EXPECT_EQ(TechniqueName(18, false), "Complex Forcing Chains");
  EXPECT_EQ(TechniqueName(3, true),
            "<a href='http://www.tavimoro.app/help/techniques.html#b3'>Omission</a>");
  const std::string saved = HelpBase();
  SetHelpBase("file:///usr/share/tavimoro/help/");
  EXPECT_EQ(TechniqueName(17, true),
            "<a href='file:///usr/share/tavimoro/help/techniques.html#b17'>Forcing Chain Type 2</a>");
  SetHelpBase(saved);
  EXPECT_EQ(TechniqueName(19, false), "");
}

TEST(Rate, AGridWithoutAnEmptyCellRatesZero) {
  TechniqueCounts counts;
  counts.fill(7);
  EXPECT_EQ(Rate(PuzzleFromString(kSolved), counts, kNoTechniqueLimit), 0);
  EXPECT_EQ(Sum(counts, 0, 18), 0);
}

TEST(Rate, SinglesOnlyPuzzleCountsEveryPlacementAndLeavesTheCallerAlone) {
  const PuzzleState s = PuzzleFromString(kEasy);
  const PuzzleState before = s;
  TechniqueCounts counts;
  const int rating = Rate(s, counts, kNoTechniqueLimit);
  EXPECT_LE(rating, 1);
  EXPECT_EQ(LevelOfRating(rating), 0);
  EXPECT_EQ(Sum(counts, 0, 1), 4);
  EXPECT_EQ(Sum(counts, 2, 18), 0);
  EXPECT_EQ(PuzzleToString(s), PuzzleToString(before));
  EXPECT_EQ(s.CandMask, before.CandMask);
}

TEST(Rate, StuckSolveRates18AndKeepsTheCountsSoFar) {
  TechniqueCounts counts;
  EXPECT_EQ(Rate(PuzzleFromString(kHard), counts, 8), 18);
  EXPECT_EQ(counts[18], 1);
  EXPECT_GT(Sum(counts, 0, 8), 0);
  EXPECT_EQ(Sum(counts, 9, 17), 0);
}

TEST(Rate, NothingFoundAtOnceCountsNoNakedSingle) {
  // Needs a hidden single, but only Naked Single may be tried.
  TechniqueCounts counts;
  EXPECT_EQ(Rate(HandBoard().RemoveInHouseExcept(0, {4}, "2").State(), counts, 0), 18);
  EXPECT_EQ(counts[0], 0);
  EXPECT_EQ(counts[18], 1);
}

TEST(Rate, CandidatesTheCallerRemovedStayRemoved) {
  const PuzzleState s = HandBoard(kHard).Only(1, "2").State();
  StepRecord first;
  bool seen = false;
  TechniqueCounts counts;
  Rate(s, counts, 8, [&](const StepRecord& step) {
    if (!seen) first = step;
    seen = true;
  });
  ASSERT_TRUE(seen);
  EXPECT_EQ(first.Technique, 0);
  EXPECT_EQ(first.Cell, 1);
  EXPECT_EQ(first.Value, 2);
}

// The solve updates candidates step by step; it must see exactly what a full
// recomputation with the eliminations as exclusions would give.
TEST(Rate, StepsMatchASolveThatRecomputesEveryCandidate) {
  std::vector<std::string> puzzles = {kEasy, kHard};
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
      ASSERT_EQ(step.Technique, expected.Technique) << puzzle << " step " << applied;
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
    const auto lines = testing::CorpusLines(file);
    for (const auto& line : lines) {
      const PuzzleState s = PuzzleFromString(line);
      TechniqueCounts counts;
      int steps = 0;
      const int rating = Rate(s, counts, kNoTechniqueLimit, [&](const StepRecord&) { ++steps; });
      EXPECT_LE(steps, 81 * 9) << line;
      EXPECT_GE(rating, 0);
      EXPECT_LE(rating, 18);
      PuzzleState copy = s;
      EXPECT_LE(SolveWithSingles(copy), 81 - s.FilledCount);
    }
  }
}

TEST(SolveWithSingles, SolvedGridReturnsZero) {
  PuzzleState s = PuzzleFromString(kSolved);
  EXPECT_EQ(SolveWithSingles(s), 0);
  EXPECT_EQ(PuzzleToString(s), kSolved);
}

TEST(SolveWithSingles, IgnoresANakedSingleThatIsNoHiddenSingle) {
  // Cell 0 can only be 9, yet 9 has three places in row 1.
  PuzzleState s = PuzzleFromString("...123456" "........." "........." "7........" "8........");
  EXPECT_EQ(FindNextStep(s, 0).Cell, 0);
  EXPECT_EQ(SolveWithSingles(s), 0);
}

TEST(SolveWithSingles, DropsTheExclusionsOfTheRecord) {
  PuzzleState s = HandBoard(kEasy).Remove({1}, "2").State();
  EXPECT_EQ(SolveWithSingles(s), 4);
  EXPECT_EQ(PuzzleToString(s), kSolved);
  EXPECT_EQ(s.FilledCount, 81);
}

TEST(SolveWithSingles, LeavesFreshCandidatesWhereItStops) {
  PuzzleState s = PuzzleFromString(kHard);
  EXPECT_GT(SolveWithSingles(s), 0);
  EXPECT_LT(s.FilledCount, 81);
  PuzzleState fresh = s;
  CalcCandidates(fresh);
  EXPECT_EQ(s.CandMask, fresh.CandMask);
  EXPECT_EQ(s.CandCount, fresh.CandCount);
  EXPECT_EQ(s.HouseDigitCount, fresh.HouseDigitCount);
  EXPECT_EQ(s.HouseHasMask, fresh.HouseHasMask);
  EXPECT_EQ(s.EmptyCount, fresh.EmptyCount);
  EXPECT_EQ(s.FilledCount, fresh.FilledCount);
}

}  // namespace
}  // namespace tavimoro
