#include "engine/validate.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/corpus.h"
#include "common/puzzles.h"
#include "engine/counted_search.h"
#include "engine/steps/grid_solution.h"

namespace tavimoro {
namespace {

using Grid = std::array<std::uint8_t, 81>;
using testing::kEasy17;
using testing::kSlow17;
using testing::kSlow17Solution;
using testing::kTop1465First;
using testing::SameRecord;

// The text is a full grid, every house holding each digit once, that keeps
// the givens.
bool Solves(const std::string& solution, const std::string& givens) {
  const PuzzleState s = PuzzleFromString(solution);
  bool ok = s.FilledCount == 81;
  for (int h = 0; h < 27; ++h) ok &= s.HouseHasMask[h] == kAllDigits;
  for (int c = 0; c < 81; ++c) ok &= givens[c] == '.' || givens[c] == solution[c];
  return ok;
}

std::string WithEmpty(std::initializer_list<int> cells) {
  std::string text(kSlow17Solution);
  for (const int c : cells) text[c] = '.';
  return text;
}

// Cases that end without a new solution: the record must stay as it was,
// with and without the step limit.
TEST(Validate, VerdictsThatLeaveTheRecordAlone) {
  std::string blockRepeat(kSlow17);
  blockRepeat[0] = blockRepeat[10] = '5';  // same block, different row and column
  const struct {
    std::string text;
    bool allowFew;
    std::string_view verdict;
  } cases[] = {
      // 16 givens, the last repeating its row's first digit: the count is
      // checked before the repeat.
      {"1395478627253867", false, kMultipleSolutions},
      {"1395478627253867", true, kRulesViolated},
      // 16 givens: the top left cell sees 1..8 in its row and the 9 below it.
      {".123456789........4567891", false, kMultipleSolutions},
      {".123456789........4567891", true, kNoSolution},
      {"", true, kMultipleSolutions},
      {std::string(kSlow17Solution), false, ""},
      {blockRepeat, true, kRulesViolated},
      {".12345678" + std::string(18, '.') + "9", true, kNoSolution},
      {WithEmpty({29, 33, 47, 51}), false, kMultipleSolutions},  // a rectangle of 2s and 4s
  };
  for (const auto& c : cases) {
    for (const bool limit : {false, true}) {
      PuzzleState s = PuzzleFromString(c.text);
      const PuzzleState before = s;
      EXPECT_EQ(Validate(s, limit, c.allowFew, false), c.verdict) << c.text << " limit " << limit;
      EXPECT_TRUE(SameRecord(s, before)) << c.text;
    }
  }
}

// Sparse grids without a solution whose contradiction (four digits left
// three cells of one row, by Hall's counting) the per-digit reasoning cannot
// see: the search without a step limit used to walk the rest of the grid
// for seconds to minutes before reaching it.
TEST(Validate, SparseContradictionIsFoundWithoutWalkingTheGrid) {
  for (const char* text : {
           "9.128..6.8..............8..798..5...5..798.......................................",
           "16..7..............2.8........................5.....3.8.1..................5..26.",
       }) {
    PuzzleState s = PuzzleFromString(text);
    EXPECT_EQ(Validate(s, false, true, false), kNoSolution) << text;
  }
}

TEST(Validate, UniqueSolutionIsWrittenBackOnlyIntoGrid) {
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(kEasy17);
    const PuzzleState before = s;
    ASSERT_EQ(Validate(s, limit, false, true), "");
    EXPECT_TRUE(SameRecord(s, before)) << "keepPuzzle must leave the record alone";
    ASSERT_EQ(Validate(s, limit, false, false), "");
    EXPECT_EQ(PuzzleToString(s), testing::kEasy17Solution);
    s.Grid = before.Grid;
    EXPECT_TRUE(SameRecord(s, before));
  }
}

// The solution is kept per thread while the grid grows along it.
TEST(UniqueSolution, FollowsAGrowingGridAndRefusesAWrongDigitOrTooFewGivens) {
  PuzzleState s = PuzzleFromString(kSlow17);
  const std::string solution = testing::kSlow17Solution;
  auto solved = [&] {
    const steps::SolutionGrid* grid = steps::UniqueSolution(s);
    return grid ? std::string(grid->begin(), grid->end()) : std::string("none");
  };
  std::string expected(81, 0);
  for (int c = 0; c < 81; ++c) expected[c] = static_cast<char>(solution[c] - '0');
  ASSERT_EQ(solved(), expected);
  const auto first = static_cast<int>(std::string(kSlow17).find('.'));
  const auto second = static_cast<int>(std::string(kSlow17).find('.', first + 1));
  s.Grid[first] = static_cast<std::uint8_t>(solution[first] - '0');
  EXPECT_EQ(solved(), expected);
  s.Grid[second] = static_cast<std::uint8_t>((solution[second] - '0') % 9 + 1);
  EXPECT_EQ(solved(), "none") << "a digit off the solution leaves none";
  s = PuzzleFromString(kSlow17);
  s.Grid[std::string(kSlow17).find_first_not_of('.')] = 0;
  EXPECT_EQ(solved(), "none") << "16 givens of a minimal puzzle leave several";
  s = PuzzleFromString(kSlow17);
  EXPECT_EQ(solved(), expected);
}

TEST(Validate, StepLimitGivesUpWhereTheUnlimitedSearchDecides) {
  PuzzleState s = PuzzleFromString(kSlow17);
  EXPECT_EQ(Validate(s, true, false, false), kTookTooLong);
  EXPECT_EQ(PuzzleToString(s), kSlow17);
  EXPECT_EQ(Validate(s, false, false, false), "");
  EXPECT_EQ(PuzzleToString(s), kSlow17Solution);
}

TEST(Validate, UnexpectedGridValuesDoNotCrash) {
  PuzzleState s = PuzzleFromString(kTop1465First);
  s.Grid[1] = 200;
  s.Grid[2] = 12;
  EXPECT_NO_FATAL_FAILURE(Validate(s, false, false, true));
  EXPECT_NO_FATAL_FAILURE(Validate(s, true, false, true));
}

// One iteration per pass; the backtracking that ends a pass starts none.
TEST(CountedSearch, IterationCountsAndTheExactLimit) {
  const struct {
    std::string text;
    long iterations;  // 0: not known beforehand, above 100
    std::string_view verdict;
  } cases[] = {
      {WithEmpty({}), 1, ""},
      {WithEmpty({40}), 2, ""},
      {WithEmpty({0, 40, 80}), 4, ""},
      // Four iterations down each of the rectangle's two solutions, and the
      // one that meets the second solution.
      {WithEmpty({29, 33, 47, 51}), 9, kMultipleSolutions},
      {kEasy17, 0, ""},
      {kTop1465First, 0, ""},
  };
  for (const auto& c : cases) {
    const Grid grid = PuzzleFromString(c.text).Grid;
    Grid solution{};
    long needed = 0;
    EXPECT_EQ(detail::CountedSearch(grid, 0, solution, needed), c.verdict) << c.text;
    if (c.iterations) {
      EXPECT_EQ(needed, c.iterations) << c.text;
      if (c.verdict.empty()) {
        EXPECT_EQ(solution, PuzzleFromString(kSlow17Solution).Grid);
      }
    } else {
      EXPECT_GT(needed, 100) << c.text;
    }
    long iterations = 0;
    EXPECT_EQ(detail::CountedSearch(grid, needed, solution, iterations), c.verdict) << c.text;
    if (needed == 1) continue;
    EXPECT_EQ(detail::CountedSearch(grid, needed - 1, solution, iterations), kTookTooLong) << c.text;
    EXPECT_EQ(iterations, needed) << c.text;
  }
}

// Validate against the verdicts the collections document: all unique, all
// with several solutions, or tagged line by line. The step-limited check runs
// on every `limitedEvery`-th puzzle.
struct Collection {
  const char* file;
  int limitedEvery;
  std::string_view verdict;  // nullptr: the tag after the tab
};

class ValidateCollection : public ::testing::TestWithParam<Collection> {};

TEST_P(ValidateCollection, AgreesWithTheDocumentedVerdicts) {
  const auto [file, limitedEvery, documented] = GetParam();
  const auto lines = testing::CorpusLines(file);
  TAVIMORO_REQUIRE_CORPUS(lines, file);
  const int stride = std::getenv("TAVIMORO_SANITIZED") ? 25 : 1;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    const auto tab = lines[i].find('\t');
    const std::string text = lines[i].substr(0, tab);
    std::string_view verdict = documented;
    if (verdict.data() == nullptr) {
      const std::string tag = lines[i].substr(tab + 1);
      verdict = tag == "multiple" ? kMultipleSolutions : tag == "none" ? kNoSolution : kRulesViolated;
    }
    PuzzleState s = PuzzleFromString(text);
    ASSERT_EQ(Validate(s, false, true, false), verdict) << text;
    const std::string solution = PuzzleToString(s);
    if (verdict.empty()) {
      ASSERT_TRUE(Solves(solution, text)) << text << " -> " << solution;
    }

    if (static_cast<int>(i / stride) % limitedEvery != 0) continue;
    PuzzleState limited = PuzzleFromString(text);
    Grid unused;
    long iterations = 0;
    const auto counted = detail::CountedSearch(limited.Grid, kValidateStepLimit + 1, unused, iterations);
    const auto result = Validate(limited, true, true, false);
    if (iterations > kValidateStepLimit) {
      EXPECT_EQ(result, kTookTooLong) << text;
      continue;
    }
    ASSERT_EQ(result, verdict) << text;
    ASSERT_EQ(counted, verdict) << text;
    ASSERT_EQ(PuzzleToString(limited), verdict.empty() ? solution : text) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, ValidateCollection,
                         ::testing::Values(Collection{"17clue.txt", 8, ""}, Collection{"top1465.txt", 2, ""},
                                           Collection{"forum_hardest.txt", 4, ""},
                                           Collection{"unbiased.txt", 4, ""}, Collection{"kaggle.txt", 1, ""},
                                           Collection{"multiple_solutions.txt", 1, kMultipleSolutions},
                                           Collection{"invalid.txt", 1, {}}),
                         [](const auto& param) {
                           std::string name = param.param.file;
                           name = name.substr(0, name.find('.'));
                           for (auto& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return "c" + name;
                         });

TEST(FindContradictionOrSingles, FirstContradictionOrTheSingles) {
  const struct {
    const char* grid;
    int result;
    const char* trace;
  } cases[] = {
      // Cells 0 and 80 both see all nine digits.
      {".12345678..................9...........................................912345678.", 0,
       "DONE: NOCAND 0"},
      // A 1 in each block of the second row leaves no place for 1 in the first.
      {".........1...1..1", 0, "DONE: BADHOUSE 0,1"},
      // Row 1 lacks 4 and 9; the 9s below its first two cells leave both
      // with the single candidate 4.
      {"..1235678..................9...........................9", 0, "DONE: HOUSESINGLES 0,4,0,1"},
      // Cell 0 is the only place of 4 in row 1 (found first) and of 5 in
      // block 1 (found last): the last digit is kept.
      {"............54..........54..4........54.................5", 1, ""},
      {"", -1, ""},
  };
  for (const auto& c : cases) {
    SinglesTable singles;
    singles.fill(3);
    ChainText trace;
    EXPECT_EQ(FindContradictionOrSingles(PuzzleFromString(c.grid), singles, trace), c.result) << c.grid;
    EXPECT_EQ(trace, c.trace) << c.grid;
    if (c.result == 1) {
      EXPECT_EQ(singles[0], 5);
    }
    if (c.result == -1) {
      EXPECT_EQ(singles, SinglesTable{});
    }
  }
}

TEST(TrialPropagate, DepthLimitAndContradictionTexts) {
  PuzzleState s = PuzzleFromString(kTop1465First);
  const PuzzleState before = s;
  EXPECT_EQ(TrialPropagate(s, 1, 1, 2, 3, true), "");  // beyond the depth limit
  EXPECT_TRUE(SameRecord(s, before));

  // Only cells 0 and 1 are empty; cell 1 needs the 3 the trial puts in cell 0.
  s = PuzzleFromString(WithEmpty({0, 1}));
  EXPECT_EQ(TrialPropagate(s, 0, 3, 2, 1, true), "1,0,3\r\nDONE: NOCAND 1");
  EXPECT_EQ(s.Grid[0], 3);
  EXPECT_EQ(s.CandCount[1], 0);

  // The rectangle of 2s and 4s plus cell 27: a 2 in cell 27 leaves cells 29
  // and 33 of row 4 both needing its 4.
  s = PuzzleFromString(WithEmpty({29, 33, 47, 51, 27}));
  EXPECT_EQ(TrialPropagate(s, 27, 2, 0, 1, false), "1,27,2\r\nDONE: HOUSESINGLES 3,4,29,33");
}

// Every line of a chain is "depth,cell,digit" with depths 1, 2, ...; the
// record keeps the chain's placements and the last line holds in it.
void ExpectChainHolds(const ChainText& chain, const PuzzleState& after) {
  std::string_view rest = chain.view();
  for (int expectedDepth = 1;; ++expectedDepth) {
    const auto end = rest.find("\r\n");
    const std::string line(rest.substr(0, end));
    int a = -1, b = -1, c = -1;
    if (line.starts_with("DONE: ")) {
      EXPECT_EQ(end, std::string_view::npos) << chain.view();
      if (std::sscanf(line.c_str(), "DONE: NOCAND %d", &a) == 1) {
        EXPECT_EQ(after.Grid[a] + after.CandCount[a], 0);
      } else if (std::sscanf(line.c_str(), "DONE: BADHOUSE %d,%d", &a, &b) == 2) {
        EXPECT_FALSE(after.HouseHas(a, b));
        EXPECT_EQ(after.HouseCandCount(a, b), 0);
      } else {
        EXPECT_TRUE(line.starts_with("DONE: HOUSESINGLES ")) << line;
      }
      return;
    }
    ASSERT_NE(end, std::string_view::npos) << chain.view();
    ASSERT_EQ(std::sscanf(line.c_str(), "%d,%d,%d", &a, &b, &c), 3) << line;
    EXPECT_EQ(a, expectedDepth);
    EXPECT_EQ(after.Grid[b], c);
    rest.remove_prefix(end + 2);
  }
}

TEST(TrialPropagate, TrialsOfTheSolutionNeverContradictAndWrongOnesAreRestoredOrProven) {
  PuzzleState solved = PuzzleFromString(kTop1465First);
  ASSERT_EQ(Validate(solved, false, false, false), "");
  int contradictions = 0, longChains = 0;
  for (const auto& [maxDepth, sameDigitOnly] : {std::pair{2, true}, std::pair{3, false}}) {
    const PuzzleState start = PuzzleFromString(kTop1465First);
    for (int cell = 0; cell < 81; ++cell) {
      for (int digit = 1; digit <= 9; ++digit) {
        if (!start.Cand(cell, digit)) continue;
        PuzzleState s = start;
        const ChainText chain = TrialPropagate(s, cell, digit, maxDepth, 1, sameDigitOnly);
        if (digit == solved.Grid[cell]) {
          EXPECT_EQ(chain, "") << cell << "," << digit;
        }
        if (chain.empty()) {
          EXPECT_TRUE(SameRecord(s, start)) << cell << "," << digit;
          continue;
        }
        ++contradictions;
        longChains += chain.Contains("\r\n2,");
        ExpectChainHolds(chain, s);
      }
    }
  }
  EXPECT_GT(contradictions, 0);
  EXPECT_GT(longChains, 0);
}

}  // namespace
}  // namespace tavimoro
