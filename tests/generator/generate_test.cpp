#include "generator/generate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/cancel.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/validate.h"
#include "generator/random.h"

namespace tavimoro {
namespace {

int ClueCount(const std::string& puzzle) {
  int clues = 0;
  for (char ch : puzzle) clues += ch != '.';
  return clues;
}

bool HasOneSolution(const std::string& puzzle) {
  PuzzleState state = PuzzleFromString(puzzle);
  return Validate(state, false, true, true).empty();
}

std::string SolutionOf(const std::string& puzzle) {
  PuzzleState state = PuzzleFromString(puzzle);
  EXPECT_EQ(Validate(state, false, true, false), "");
  return PuzzleToString(state);
}

// No clue can go without losing uniqueness, except those that are alone in a
// house when that is protected.
bool IsMinimal(const std::string& puzzle, bool protectLoneClues) {
  const PuzzleState state = PuzzleFromString(puzzle);
  for (int c = 0; c < 81; ++c) {
    if (puzzle[c] == '.' || (protectLoneClues && CellAloneInHouse(state, c))) continue;
    std::string without = puzzle;
    without[c] = '.';
    if (HasOneSolution(without)) return false;
  }
  return true;
}

bool EveryHouseHasAClue(const std::string& puzzle) {
  for (int h = 0; h < 27; ++h) {
    bool any = false;
    for (int c : CellsOfHouse(h)) any = any || puzzle[c] != '.';
    if (!any) return false;
  }
  return true;
}

int RatingOf(const std::string& puzzle, TechniqueCounts& counts) {
  return Rate(PuzzleFromString(puzzle), counts, kNoTechniqueLimit);
}

bool InBand(int level, int rating) {
  const int lo = level == 0 ? -1 : LevelMaxTechnique(level - 1);
  return rating > lo && rating <= LevelMaxTechnique(level);
}

Generated Generate(std::uint32_t seed, int level, int clueChoice = 2, int symmetry = 0, int forceOne = 1,
                   const GeneratorSettings& settings = {}) {
  InitGenRand(seed);
  return GeneratePuzzle(level, clueChoice, forceOne, LevelAllowedTicks(level), TechniqueTicks{}, symmetry,
                        settings);
}

// Level 1 with only the singles allowed: every candidate either rates 0 or 1
// (below the band) or gets stuck (not allowed), so no attempt can pass.
Generated GenerateNothing(const GenerationProgress& progress = {}) {
  InitGenRand(3);
  return GeneratePuzzle(1, 2, 1, LevelAllowedTicks(0), TechniqueTicks{}, 0, {}, progress);
}

TEST(MakeRandomSolution, FillsAValidGridDeterminedByTheSeed) {
  PuzzleState a, b, c;
  InitGenRand(11);
  ASSERT_TRUE(MakeRandomSolution(a));
  InitGenRand(11);
  ASSERT_TRUE(MakeRandomSolution(b));
  InitGenRand(12);
  ASSERT_TRUE(MakeRandomSolution(c));
  EXPECT_EQ(a.FilledCount, 81);
  for (int h = 0; h < 27; ++h) EXPECT_EQ(a.HouseHasMask[h], kAllDigits) << "house " << h;
  EXPECT_EQ(a.Grid, b.Grid);
  EXPECT_NE(a.Grid, c.Grid);
}

TEST(MakeRandomPuzzle, IsUniqueAndMinimal) {
  for (bool forceOne : {false, true}) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
      InitGenRand(seed);
      PuzzleState state;
      MakeRandomPuzzle(state, forceOne);
      const std::string puzzle = PuzzleToString(state);
      SCOPED_TRACE(puzzle);
      EXPECT_EQ(state.FilledCount, ClueCount(puzzle));
      EXPECT_TRUE(HasOneSolution(puzzle));
      EXPECT_TRUE(IsMinimal(puzzle, forceOne));
      if (forceOne) {
        EXPECT_TRUE(EveryHouseHasAClue(puzzle));
      }
    }
  }
}

// How many clues each SymGroups group keeps, and whether a group of four that
// kept two kept a half-turn pair (slots 1 and 3, or 2 and 4).
struct GroupShape {
  bool wholeGroupsOnly = true;
  bool halfTurnPairsOnly = true;
};

GroupShape ShapeOf(const std::string& puzzle) {
  GroupShape shape;
  for (int g = 1; g <= 25; ++g) {
    const int size = SymGroups(g, 0);
    std::array<bool, 5> kept{};
    int count = 0;
    for (int slot = 1; slot <= size; ++slot) {
      kept[slot] = puzzle[SymGroups(g, slot)] != '.';
      count += kept[slot];
    }
    if (count == 0 || count == size) continue;
    shape.wholeGroupsOnly = false;
    const bool pair = size == 4 && count == 2 && kept[1] == kept[3] && kept[2] == kept[4];
    if (!pair) shape.halfTurnPairsOnly = false;
  }
  return shape;
}

TEST(MakeSymmetricPuzzle, FullSymmetryKeepsWholeGroups) {
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    InitGenRand(seed);
    PuzzleState state;
    MakeSymmetricPuzzle(state, true);
    const std::string puzzle = PuzzleToString(state);
    SCOPED_TRACE(puzzle);
    EXPECT_TRUE(HasOneSolution(puzzle));
    EXPECT_TRUE(ShapeOf(puzzle).wholeGroupsOnly);
    for (int c = 0; c < 81; ++c) {
      const int row = CellRow(c), col = CellCol(c);
      EXPECT_EQ(puzzle[c] == '.', puzzle[9 * (9 - row) + col - 1] == '.');
      EXPECT_EQ(puzzle[c] == '.', puzzle[9 * (row - 1) + 9 - col] == '.');
    }
  }
}

TEST(MakeSymmetricPuzzle, PartialSymmetryMayBreakGroupsIntoHalfTurnPairs) {
  bool sawBrokenGroup = false;
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    InitGenRand(seed);
    PuzzleState state;
    MakeSymmetricPuzzle(state, false);
    const std::string puzzle = PuzzleToString(state);
    SCOPED_TRACE(puzzle);
    EXPECT_TRUE(HasOneSolution(puzzle));
    const GroupShape shape = ShapeOf(puzzle);
    EXPECT_TRUE(shape.halfTurnPairsOnly);
    sawBrokenGroup = sawBrokenGroup || !shape.wholeGroupsOnly;
  }
  EXPECT_TRUE(sawBrokenGroup);
}

// Adding clues back draws no random numbers, so one seed gives the same
// minimal puzzle whatever the clue choice; the choice only tops it up.
TEST(GeneratePuzzle, ClueChoiceTopsUpTheSamePuzzle) {
  for (int symmetry : {0, 2}) {
    for (std::uint32_t seed : {21u, 22u}) {
      const std::string least = Generate(seed, 0, 2, symmetry).Puzzle;
      const std::string solution = SolutionOf(least);
      for (auto [choice, target] : {std::pair{0, 35}, std::pair{1, 30}}) {
        const std::string more = Generate(seed, 0, choice, symmetry).Puzzle;
        SCOPED_TRACE(least + " -> " + more);
        EXPECT_EQ(ClueCount(more), std::max(target, ClueCount(least)));
        for (int c = 0; c < 81; ++c) {
          if (least[c] != '.') {
            EXPECT_EQ(more[c], least[c]);
          }
          if (more[c] != '.') {
            EXPECT_EQ(more[c], solution[c]);
          }
        }
      }
    }
  }
}

TEST(GeneratePuzzle, LeastLeavesTheBuiltPuzzle) {
  const std::string plain = Generate(5, 0).Puzzle;
  EXPECT_TRUE(IsMinimal(plain, true));
  EXPECT_TRUE(EveryHouseHasAClue(plain));
  const std::string full = Generate(5, 0, 2, 2).Puzzle;
  EXPECT_TRUE(ShapeOf(full).wholeGroupsOnly);
  EXPECT_TRUE(HasOneSolution(full));
}

class LevelBand : public ::testing::TestWithParam<int> {};

TEST_P(LevelBand, ResultsRateInTheLevelsBand) {
  const int level = GetParam();
  // Clues added back must not take the puzzle out of its band.
  struct Case {
    std::uint32_t seed;
    int clueChoice, symmetry;
  };
  for (const Case& c : {Case{1, 2, 0}, Case{2, 2, 2}, Case{3, 0, 0}}) {
    const Generated generated = Generate(c.seed, level, c.clueChoice, c.symmetry);
    SCOPED_TRACE(generated.Puzzle);
    ASSERT_EQ(generated.Puzzle.size(), 81u);
    EXPECT_GE(generated.Attempts, 1);
    EXPECT_TRUE(HasOneSolution(generated.Puzzle));
    TechniqueCounts counts{};
    EXPECT_TRUE(InBand(level, RatingOf(generated.Puzzle, counts)));
  }
}

INSTANTIATE_TEST_SUITE_P(Levels0To4, LevelBand, ::testing::Range(0, 5));

TEST(GeneratePuzzle, GeniusNeedsMoreThanTheLadder) {
  const Generated generated = Generate(1, 5);
  TechniqueCounts counts{};
  EXPECT_EQ(RatingOf(generated.Puzzle, counts), kComplexForcingChains);
  EXPECT_TRUE(HasOneSolution(generated.Puzzle));
}

TEST(GeneratePuzzle, SameSeedSamePuzzles) {
  const Generated a = Generate(77, 1, 0, 1);
  const Generated b = Generate(77, 1, 0, 1);
  const Generated c = Generate(78, 1, 0, 1);
  EXPECT_EQ(a.Puzzle, b.Puzzle);
  EXPECT_EQ(a.Attempts, b.Attempts);
  EXPECT_NE(a.Puzzle, c.Puzzle);
}

TEST(GeneratePuzzle, CustomLevelHonoursAllowedAndRequired) {
  TechniqueTicks allowed = LevelAllowedTicks(kCustomLevel);
  TechniqueTicks required{};
  InitGenRand(9);
  const std::string singles = GeneratePuzzle(kCustomLevel, 2, 1, allowed, required, 0).Puzzle;
  TechniqueCounts counts{};
  EXPECT_LE(RatingOf(singles, counts), 1);

  allowed[3] = allowed[5] = 1;
  required[3] = 1;
  InitGenRand(9);
  const std::string omission = GeneratePuzzle(kCustomLevel, 2, 1, allowed, required, 0).Puzzle;
  SCOPED_TRACE(omission);
  const int rating = RatingOf(omission, counts);
  EXPECT_GT(counts[3], 0);
  EXPECT_TRUE(rating == 3 || rating == 5);
  EXPECT_EQ(counts[2] + counts[4], 0);
}

TEST(GeneratePuzzle, TuningValuesAtZeroChangeNothing) {
  const Generated plain = Generate(31, 3);
  const Generated zeros = Generate(31, 3, 2, 0, 1, GeneratorSettings{0, 0});
  EXPECT_EQ(plain.Puzzle, zeros.Puzzle);
  EXPECT_EQ(plain.Attempts, zeros.Attempts);
}

TEST(GeneratePuzzle, MinvisAndNumproRejectWhatFallsShort) {
  const Generated visible = Generate(31, 0, 2, 0, 1, GeneratorSettings{45, 0});
  PuzzleState state = PuzzleFromString(visible.Puzzle);
  EXPECT_GE(SolveWithSingles(state), 45);

  const Generated pro = Generate(31, 3, 2, 0, 1, GeneratorSettings{0, 3});
  TechniqueCounts counts{};
  RatingOf(pro.Puzzle, counts);
  int proUses = 0;
  for (int t = 8; t <= 13; ++t) proUses += counts[t];
  EXPECT_GE(proUses, 3);
}

TEST(GeneratePuzzle, CancelSetBeforehandStopsAfterOneAttempt) {
  CancelGeneration();
  const Generated generated = GenerateNothing();
  EXPECT_EQ(generated.Puzzle, "");
  EXPECT_EQ(generated.Attempts, 1);
  EXPECT_FALSE(GenerationCancelled.load());
}

TEST(GeneratePuzzle, CancelFromAnotherThread) {
  std::atomic<bool> running{false};
  Generated generated;
  std::thread worker([&] {
    generated = GenerateNothing([&](long) {
      running = true;
      return true;
    });
  });
  while (!running) std::this_thread::yield();
  CancelGeneration();
  worker.join();
  EXPECT_EQ(generated.Puzzle, "");
  EXPECT_GE(generated.Attempts, 5);
  EXPECT_FALSE(GenerationCancelled.load());
}

TEST(GeneratePuzzle, ProgressSeesEveryFifthAttemptAndMayStop) {
  std::vector<long> seen;
  const Generated generated = GenerateNothing([&](long attempts) {
    seen.push_back(attempts);
    return attempts < 15;
  });
  EXPECT_EQ(generated.Puzzle, "");
  EXPECT_EQ(generated.Attempts, 15);
  EXPECT_EQ(seen, (std::vector<long>{5, 10, 15}));
  EXPECT_FALSE(GenerationCancelled.load());
}

}  // namespace
}  // namespace tavimoro
