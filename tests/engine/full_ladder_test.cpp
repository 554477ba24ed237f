// The upper rungs seen through FindNextStep and the rating, on puzzles of
// the shared collections written into the test.
#include <gtest/gtest.h>

#include <string>

#include "common/hand_board.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

// Solves as the rating does until the next step is of the given technique;
// returns that state (candidates fresh, earlier eliminations kept).
PuzzleState AdvanceTo(const std::string& puzzle, TechniqueId technique) {
  PuzzleState s = PuzzleFromString(puzzle);
  ExclusionTable exclusions;
  for (;;) {
    const StepRecord step = FindNextStep(s, kNoTechniqueLimit);
    if (step.Kind == kNoStep || step.Technique == technique) return s;
    if (step.Kind == kPlaceValue) s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
    for (int c = 0; c < 81; ++c) exclusions.Mask[c] |= step.EliminateMask[c];
    CalcCandidates(s, exclusions);
  }
}

struct RatedPuzzle {
  const char* puzzle;
  int rating;
};

// The first puzzle of each rating 9..18 in the shared collections.
constexpr RatedPuzzle kRated[] = {
    {"................12....34...............1..56..23.....7......2.8..9.....35.4..9...", 9},
    {"................12..3.45...............1.2.6...5..34........5...6..7....12.8.....", 10},
    {"................12..3.45.................63.714...2.......1.4....7.8.9..6........", 11},
    {"................12....34........134...5.......62..........7...6.5.6..7.84........", 12},
    {".................1..2..3.4.............15...6..3.7..2......473..5.......16...8...", 13},
    {"................12..3..4........53...16...4..72...........2.......81...74.....6..", 14},
    {"................12....34..5.....63....2........78........1....7.6....4..43.2.....", 15},
    {".................1....23.4......2.3...51.......67......2......7.8......943...8...", 16},
    {".................1..2..3.4......253..16..7....8...........1.....5..8....4......27", 17},
    {".................1..2..3.4........2......43...5..1...6...47...8.2..8....3.9......", 18},
};

TEST(FullLadder, EveryRatingFromNineToEighteenIsReached) {
  for (const auto& [puzzle, rating] : kRated) {
    TechniqueCounts counts{};
    EXPECT_EQ(Rate(PuzzleFromString(puzzle), counts, kNoTechniqueLimit), rating) << puzzle;
    EXPECT_GE(counts[rating], 1) << puzzle;
  }
}

TEST(FullLadder, BugType1PlacesTheSolutionDigit) {
  const std::string puzzle = kRated[0].puzzle;
  const PuzzleState s = AdvanceTo(puzzle, TechniqueId::BugType1);
  const StepRecord step = FindNextStep(s, kNoTechniqueLimit);
  ASSERT_EQ(step.Technique, TechniqueId::BugType1);
  PuzzleState solved = PuzzleFromString(puzzle);
  ASSERT_EQ(Validate(solved, false, false, false), "");
  EXPECT_EQ(step.Kind, kPlaceValue);
  EXPECT_EQ(s.CandCount[step.Cell], 3);
  EXPECT_EQ(step.Value, solved.Grid[step.Cell]);
  EXPECT_EQ(step.Text, "BUG TYPE 1: ");
}

TEST(FullLadder, LimitSixteenNeverTriesTheSecondChain) {
  const PuzzleState s = AdvanceTo(kRated[8].puzzle, TechniqueId::ForcingChain2);
  const StepRecord chain = FindNextStep(s, kNoTechniqueLimit);
  ASSERT_EQ(chain.Technique, TechniqueId::ForcingChain2);
  EXPECT_EQ(chain.Text.view().substr(0, 24), "FORCING CHAIN Type 2: \r\n");
  EXPECT_EQ(FindNextStep(s, 17).Technique, TechniqueId::ForcingChain2);
  EXPECT_EQ(testing::HeadOf(FindNextStep(s, 16)), testing::StepHead(kNoStep, 0, -1, 0, "", ""));
  // On an empty board no rung applies and no trial forces anything.
  EXPECT_EQ(FindNextStep(PuzzleFromString(""), kNoTechniqueLimit).Kind, kNoStep);
}

}  // namespace
}  // namespace tavimoro
