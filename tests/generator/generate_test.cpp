#include "generator/generate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "engine/cancel.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/validate.h"
#include "generator/random.h"

namespace tavimoro {
namespace {

int ClueCount(const std::string& puzzle) {
  return 81 - static_cast<int>(std::count(puzzle.begin(), puzzle.end(), '.'));
}

bool HasOneSolution(const std::string& puzzle) {
  PuzzleState state = PuzzleFromString(puzzle);
  return Validate(state, false, true, true).empty();
}

// No clue can go without losing uniqueness, except those alone in a house
// when those are protected; and then every house keeps a clue.
void ExpectMinimal(const std::string& puzzle, bool protectLoneClues) {
  const PuzzleState state = PuzzleFromString(puzzle);
  for (int c = 0; c < 81; ++c) {
    if (puzzle[c] == '.' || (protectLoneClues && CellAloneInHouse(state, c))) continue;
    std::string without = puzzle;
    without[c] = '.';
    EXPECT_FALSE(HasOneSolution(without)) << puzzle << " without clue " << c;
  }
  if (!protectLoneClues) return;
  for (int h = 0; h < 27; ++h) EXPECT_NE(state.EmptyCount[h], 9) << puzzle << " house " << h;
}

int RatingOf(const std::string& puzzle, TechniqueCounts& counts) {
  return Rate(PuzzleFromString(puzzle), counts, kNoTechniqueLimit);
}

Generated Generate(std::uint32_t seed, int level, int clueChoice = 2, int symmetry = 0,
                   const GeneratorSettings& settings = {}) {
  InitGenRand(seed);
  GenerationRequest request;
  request.level = static_cast<GeneratorLevel>(level);
  request.clueChoice = static_cast<ClueChoice>(clueChoice);
  request.allowed = LevelAllowedTicks(request.level);
  request.symmetry = static_cast<Symmetry>(symmetry);
  request.settings = settings;
  return GeneratePuzzle(request);
}

// Level 1 with only the singles allowed: every candidate either rates 0 or 1
// (below the band) or gets stuck (not allowed), so no attempt can pass.
Generated GenerateNothing(const GenerationProgress& progress = {}) {
  InitGenRand(3);
  GenerationRequest request;
  request.level = GeneratorLevel::Intermediate;
  request.allowed = LevelAllowedTicks(GeneratorLevel::Beginner);
  return GeneratePuzzle(request, progress);
}

TEST(MakeRandomSolution, FillsAValidGridDeterminedByTheSeed) {
  PuzzleState a, b, c;
  for (auto [state, seed] : {std::pair{&a, 11u}, std::pair{&b, 11u}, std::pair{&c, 12u}}) {
    InitGenRand(seed);
    ASSERT_TRUE(MakeRandomSolution(*state));
  }
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
      EXPECT_EQ(state.FilledCount, ClueCount(puzzle));
      EXPECT_TRUE(HasOneSolution(puzzle)) << puzzle;
      ExpectMinimal(puzzle, forceOne);
    }
  }
}

// Whether clues and holes stay in place under a map of the cells: the row
// mirror, the column mirror, or the half turn (both).
template <class Image>
bool SymmetricUnder(const std::string& puzzle, Image image) {
  for (int c = 0; c < 81; ++c)
    if ((puzzle[c] == '.') != (puzzle[image(c)] == '.')) return false;
  return true;
}
bool Mirrored(const std::string& puzzle) {
  return SymmetricUnder(puzzle, [](int c) { return 72 - c / 9 * 9 + c % 9; }) &&
         SymmetricUnder(puzzle, [](int c) { return c / 9 * 9 + 8 - c % 9; });
}
bool HalfTurned(const std::string& puzzle) {
  return SymmetricUnder(puzzle, [](int c) { return 80 - c; });
}

// Full symmetry keeps both mirrors; partial may break a group of four into a
// half-turn pair.
TEST(MakeSymmetricPuzzle, FullKeepsBothMirrorsPartialTheHalfTurn) {
  bool sawBrokenGroup = false;
  for (bool full : {true, false}) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
      InitGenRand(seed);
      PuzzleState state;
      MakeSymmetricPuzzle(state, full);
      const std::string puzzle = PuzzleToString(state);
      EXPECT_TRUE(HasOneSolution(puzzle)) << puzzle;
      EXPECT_TRUE(full ? Mirrored(puzzle) : HalfTurned(puzzle)) << puzzle;
      sawBrokenGroup |= !Mirrored(puzzle);
    }
  }
  EXPECT_TRUE(sawBrokenGroup);
}

// Adding clues back draws no random numbers, so one seed gives the same
// minimal puzzle whatever the clue choice; the choice only tops it up.
TEST(GeneratePuzzle, ClueChoiceTopsUpTheSamePuzzle) {
  for (int symmetry : {0, 2}) {
    for (std::uint32_t seed : {21u, 22u}) {
      const std::string least = Generate(seed, 0, 2, symmetry).Puzzle;
      if (symmetry == 0) ExpectMinimal(least, true);
      if (symmetry == 2) {
        EXPECT_TRUE(Mirrored(least)) << least;
      }
      PuzzleState solved = PuzzleFromString(least);
      ASSERT_EQ(Validate(solved, false, true, false), "") << least;
      for (auto [choice, target] : {std::pair{0, 35}, std::pair{1, 30}}) {
        const std::string more = Generate(seed, 0, choice, symmetry).Puzzle;
        SCOPED_TRACE(least + " -> " + more);
        EXPECT_EQ(ClueCount(more), std::max(target, ClueCount(least)));
        for (int c = 0; c < 81; ++c) {
          if (least[c] != '.') {
            EXPECT_EQ(more[c], least[c]);
          }
          if (more[c] != '.') {
            EXPECT_EQ(more[c] - '0', solved.Grid[c]);
          }
        }
      }
    }
  }
}

// Clues added back must not take the puzzle out of its band.
class LevelBand : public ::testing::TestWithParam<int> {};

TEST_P(LevelBand, ResultsRateInTheLevelsBand) {
  const int level = GetParam();
  const int lowest = level == 0 ? 0 : LevelMaxTechnique(level - 1) + 1;
  for (const auto& [seed, clueChoice, symmetry] :
       {std::tuple{1u, 2, 0}, std::tuple{2u, 2, 2}, std::tuple{3u, 0, 0}}) {
    const Generated generated = Generate(seed, level, clueChoice, symmetry);
    SCOPED_TRACE(generated.Puzzle);
    ASSERT_EQ(generated.Puzzle.size(), 81u);
    EXPECT_GE(generated.Attempts, 1);
    EXPECT_TRUE(HasOneSolution(generated.Puzzle));
    TechniqueCounts counts{};
    const int rating = RatingOf(generated.Puzzle, counts);
    EXPECT_TRUE(rating >= lowest && rating <= LevelMaxTechnique(level)) << rating;
  }
}

// Level 5 (genius) needs more than the whole ladder.
INSTANTIATE_TEST_SUITE_P(Levels0To5, LevelBand, ::testing::Range(0, 6));

TEST(GeneratePuzzle, SameSeedSamePuzzlesAndZeroTuningChangesNothing) {
  const Generated a = Generate(77, 1, 0, 1), b = Generate(77, 1, 0, 1), c = Generate(78, 1, 0, 1);
  EXPECT_EQ(a.Puzzle, b.Puzzle);
  EXPECT_EQ(a.Attempts, b.Attempts);
  EXPECT_NE(a.Puzzle, c.Puzzle);

  const Generated plain = Generate(31, 3), zeros = Generate(31, 3, 2, 0, GeneratorSettings{0, 0});
  EXPECT_EQ(plain.Puzzle, zeros.Puzzle);
  EXPECT_EQ(plain.Attempts, zeros.Attempts);
}

TEST(GeneratePuzzle, CustomLevelHonoursAllowedAndRequired) {
  GenerationRequest request;
  request.level = GeneratorLevel::Custom;
  request.allowed = LevelAllowedTicks(GeneratorLevel::Custom);
  InitGenRand(9);
  TechniqueCounts counts{};
  EXPECT_LE(RatingOf(GeneratePuzzle(request).Puzzle, counts), 1);

  request.allowed[3] = request.allowed[5] = 1;
  request.required[3] = 1;
  InitGenRand(9);
  const std::string omission = GeneratePuzzle(request).Puzzle;
  const int rating = RatingOf(omission, counts);
  EXPECT_GT(counts[3], 0) << omission;
  EXPECT_TRUE(rating == 3 || rating == 5) << omission;
  EXPECT_EQ(counts[2] + counts[4], 0) << omission;
}

TEST(GeneratePuzzle, MinvisAndNumproRejectWhatFallsShort) {
  PuzzleState visible = PuzzleFromString(Generate(31, 0, 2, 0, GeneratorSettings{45, 0}).Puzzle);
  EXPECT_GE(SolveWithSingles(visible), 45);

  TechniqueCounts counts{};
  RatingOf(Generate(31, 3, 2, 0, GeneratorSettings{0, 3}).Puzzle, counts);
  EXPECT_GE(std::accumulate(counts.begin() + 8, counts.begin() + 14, 0), 3);
}

TEST(GeneratePuzzle, CancelSetBeforehandStopsAfterOneAttempt) {
  CancelGeneration();
  EXPECT_EQ(GenerateNothing().Attempts, 1);
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
