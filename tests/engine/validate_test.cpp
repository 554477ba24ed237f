#include "engine/validate.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/corpus.h"
#include "engine/counted_search.h"

namespace tavimoro {
namespace {

using Grid = std::array<std::uint8_t, 81>;

// A solved grid, and a 17-clue puzzle whose unique solution it is; the
// counted search needs more than 20000 iterations for that puzzle, but not for
// the other 17-clue one. The hard one needs more as well.
constexpr std::string_view kSolved =
    "139547862725386941648912735562871493973254618814639257456128379387495126291763584";
constexpr std::string_view kSlow17 =
    ".................1.....2.3...2...4....3.5......46....7.5.1......8.....2..9.76....";
constexpr std::string_view kEasy17 =
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...";
constexpr std::string_view kHard =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

Grid GridOf(std::string_view text) { return PuzzleFromString(text).Grid; }

std::string Text(const Grid& g) {
  std::string s;
  for (const int d : g) s += d == 0 ? '.' : static_cast<char>('0' + d);
  return s;
}

bool SameRecord(const PuzzleState& a, const PuzzleState& b) {
  return a.FilledCount == b.FilledCount && a.Grid == b.Grid && a.HouseHasMask == b.HouseHasMask &&
         a.EmptyCount == b.EmptyCount && a.CandCount == b.CandCount && a.CandMask == b.CandMask &&
         a.HouseDigitCount == b.HouseDigitCount;
}

bool Sanitized() {
  const char* env = std::getenv("TAVIMORO_SANITIZED");
  return env && std::string(env) == "1";
}

// An independent solution counter: recursion on the most constrained choice,
// either a cell (fewest digits) or a house and digit (fewest places), with the
// house masks kept up to date.
class Counter {
 public:
  explicit Counter(const Grid& givens) : grid_(givens) {
    for (int c = 0; c < 81; ++c) {
      if (grid_[c] == 0) continue;
      const int bit = DigitBit(grid_[c]);
      for (int t = 0; t < 3; ++t) {
        if (used_[HouseOf(c, t)] & bit) twice_ = true;
        used_[HouseOf(c, t)] |= bit;
      }
    }
  }

  bool GivenTwice() const { return twice_; }
  // Number of solutions, stopping at two; the first is kept.
  int Count() {
    solutions_ = 0;
    Recurse();
    return solutions_;
  }
  const Grid& First() const { return first_; }

 private:
  int Allowed(int c) const {
    return kAllDigits & ~(used_[HouseOf(c, 0)] | used_[HouseOf(c, 1)] | used_[HouseOf(c, 2)]);
  }
  void Set(int c, int d) {
    grid_[c] = static_cast<std::uint8_t>(d);
    for (int t = 0; t < 3; ++t) used_[HouseOf(c, t)] ^= DigitBit(d);
  }
  void Recurse() {
    // Options: (cell, digit) pairs to try in turn.
    int options[9][2], bestCount = 10, n = 0;
    bool full = true;
    for (int c = 0; c < 81; ++c) {
      if (grid_[c] != 0) continue;
      full = false;
      const int mask = Allowed(c);
      const int count = BitCount(mask);
      if (count == 0) return;
      if (count < bestCount) {
        bestCount = n = 0;
        for (int d = 1; d <= 9; ++d) {
          if (mask & DigitBit(d)) {
            options[n][0] = c;
            options[n++][1] = d;
          }
        }
        bestCount = count;
      }
    }
    if (full) {
      if (++solutions_ == 1) first_ = grid_;
      return;
    }
    for (int h = 0; h < 27 && bestCount > 1; ++h) {
      for (int d = 1; d <= 9; ++d) {
        if (used_[h] & DigitBit(d)) continue;
        int places[9], count = 0;
        for (const int c : CellsOfHouse(h)) {
          if (grid_[c] == 0 && (Allowed(c) & DigitBit(d))) places[count++] = c;
        }
        if (count == 0) return;
        if (count < bestCount) {
          for (int k = 0; k < count; ++k) {
            options[k][0] = places[k];
            options[k][1] = d;
          }
          bestCount = n = count;
        }
      }
    }
    for (int k = 0; k < n && solutions_ < 2; ++k) {
      Set(options[k][0], options[k][1]);
      Recurse();
      Set(options[k][0], options[k][1]);
      grid_[options[k][0]] = 0;
    }
  }

  Grid grid_;
  std::array<int, 27> used_{};
  bool twice_ = false;
  Grid first_{};
  int solutions_ = 0;
};

std::string_view ExpectedVerdict(const Grid& givens, Grid& solution) {
  Counter counter(givens);
  if (counter.GivenTwice()) return kRulesViolated;
  const int count = counter.Count();
  solution = counter.First();
  return count == 0 ? kNoSolution : count == 1 ? std::string_view() : kMultipleSolutions;
}

TEST(Validate, TooFewGivensIsCheckedBeforeRepeatedGivens) {
  std::string text(kSolved.substr(0, 15));
  text += text[9];  // 16 givens, the last repeating its row's first digit
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(text);
    EXPECT_EQ(Validate(s, limit, false, false), kMultipleSolutions);
    EXPECT_EQ(Validate(s, limit, true, false), kRulesViolated);
  }
}

TEST(Validate, SixteenGivensAreSearchedOnlyWhenFewAreAllowed) {
  // 16 givens: the top left cell sees 1..8 in its row and the 9 below it.
  const std::string text =
      ".12345678"
      "9........"
      "4567891";
  PuzzleState s = PuzzleFromString(text);
  ASSERT_EQ(s.FilledCount, 16);
  for (const bool limit : {false, true}) {
    EXPECT_EQ(Validate(s, limit, false, false), kMultipleSolutions);
    EXPECT_EQ(Validate(s, limit, true, false), kNoSolution);
  }
}

TEST(Validate, EmptyGridHasTooFewGivensEvenWhenFewAreAllowed) {
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString("");
    EXPECT_EQ(Validate(s, limit, true, false), kMultipleSolutions);
  }
}

TEST(Validate, FilledGridIsUniqueAndStaysAsItWas) {
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(kSolved);
    const PuzzleState before = s;
    EXPECT_EQ(Validate(s, limit, false, false), "");
    EXPECT_TRUE(SameRecord(s, before));
  }
}

TEST(Validate, RepeatedGivenInABlockBreaksTheRulesEvenWhenHopeless) {
  std::string text(kSlow17);
  text[0] = '5';
  text[10] = '5';  // same block, different row and column
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(text);
    const PuzzleState before = s;
    EXPECT_EQ(Validate(s, limit, true, false), kRulesViolated);
    EXPECT_TRUE(SameRecord(s, before));
  }
}

TEST(Validate, CellWithoutCandidateMeansNoSolution) {
  // Row 1 holds 1..8 beside the empty corner, and column 1 holds the 9.
  std::string text = ".12345678" + std::string(18, '.') + "9";
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(text);
    EXPECT_EQ(Validate(s, limit, true, false), kNoSolution);
  }
}

TEST(Validate, UniqueSolutionIsWrittenBackOnlyIntoGrid) {
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(kEasy17);
    const PuzzleState before = s;
    ASSERT_EQ(Validate(s, limit, false, true), "");
    EXPECT_TRUE(SameRecord(s, before)) << "keepPuzzle must leave the record alone";

    ASSERT_EQ(Validate(s, limit, false, false), "");
    Grid expected;
    ASSERT_EQ(ExpectedVerdict(before.Grid, expected), "");
    EXPECT_EQ(Text(s.Grid), Text(expected));
    EXPECT_EQ(s.FilledCount, before.FilledCount);
    EXPECT_EQ(s.CandMask, before.CandMask);
    EXPECT_EQ(s.HouseHasMask, before.HouseHasMask);
  }
}

TEST(Validate, FailureLeavesTheRecordUntouched) {
  std::string text(kSolved);
  for (const int c : {29, 33, 47, 51}) text[c] = '.';  // a rectangle of 2s and 4s: two solutions
  for (const bool limit : {false, true}) {
    PuzzleState s = PuzzleFromString(text);
    const PuzzleState before = s;
    EXPECT_EQ(Validate(s, limit, false, false), kMultipleSolutions);
    EXPECT_TRUE(SameRecord(s, before));
  }
}

TEST(Validate, StepLimitGivesUpWhereTheUnlimitedSearchDecides) {
  PuzzleState s = PuzzleFromString(kSlow17);
  EXPECT_EQ(Validate(s, true, false, false), kTookTooLong);
  EXPECT_EQ(PuzzleToString(s), kSlow17);
  EXPECT_EQ(Validate(s, false, false, false), "");
  EXPECT_EQ(PuzzleToString(s), kSolved);
}

TEST(Validate, UnexpectedGridValuesDoNotCrash) {
  PuzzleState s = PuzzleFromString(kHard);
  s.Grid[1] = 200;
  s.Grid[2] = 12;
  EXPECT_NO_FATAL_FAILURE(Validate(s, false, false, true));
  EXPECT_NO_FATAL_FAILURE(Validate(s, true, false, true));
}

// Iterations of the counted search: one per pass, the backtracking that ends
// a pass starts none.
struct CountedCase {
  std::string_view name;
  Grid grid;
  long iterations;
  std::string_view verdict;
};

Grid WithEmpty(std::initializer_list<int> cells) {
  Grid g = GridOf(kSolved);
  for (const int c : cells) g[c] = 0;
  return g;
}

TEST(CountedSearch, IterationCountsOfSmallSearches) {
  const CountedCase cases[] = {
      {"filled", WithEmpty({}), 1, ""},
      {"one empty cell", WithEmpty({40}), 2, ""},
      {"three forced cells", WithEmpty({0, 40, 80}), 4, ""},
      // Four iterations down each of the rectangle's two solutions, and the
      // one that meets the second solution.
      {"rectangle", WithEmpty({29, 33, 47, 51}), 9, kMultipleSolutions},
  };
  for (const auto& c : cases) {
    Grid solution{};
    long iterations = 0;
    EXPECT_EQ(detail::CountedSearch(c.grid, 0, solution, iterations), c.verdict) << c.name;
    EXPECT_EQ(iterations, c.iterations) << c.name;
    if (c.verdict.empty()) {
      EXPECT_EQ(Text(solution), kSolved) << c.name;
    }

    EXPECT_EQ(detail::CountedSearch(c.grid, c.iterations, solution, iterations), c.verdict) << c.name;
    if (c.iterations > 1) {
      EXPECT_EQ(detail::CountedSearch(c.grid, c.iterations - 1, solution, iterations), kTookTooLong)
          << c.name;
      EXPECT_EQ(iterations, c.iterations) << c.name;
    }
  }
}

TEST(CountedSearch, LimitIsExactOnALongSearch) {
  for (const auto text : {kEasy17, kHard}) {
    Grid solution{};
    long needed = 0;
    const auto verdict = detail::CountedSearch(GridOf(text), 0, solution, needed);
    ASSERT_GT(needed, 100);
    long iterations = 0;
    EXPECT_EQ(detail::CountedSearch(GridOf(text), needed, solution, iterations), verdict);
    EXPECT_EQ(detail::CountedSearch(GridOf(text), needed - 1, solution, iterations), kTookTooLong);
  }
}

// Validate against the independent counter over a collection; the counted
// search is checked on every `countedEvery`-th puzzle.
void CheckCollection(const std::vector<std::string>& lines, int countedEvery) {
  const int stride = Sanitized() ? 25 : 1;
  int checked = 0;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    const std::string text = lines[i].substr(0, lines[i].find('\t'));
    PuzzleState s = PuzzleFromString(text);
    Grid expected{};
    const std::string_view verdict = ExpectedVerdict(s.Grid, expected);
    ASSERT_EQ(Validate(s, false, true, false), verdict) << text;
    if (verdict.empty()) {
      ASSERT_EQ(Text(s.Grid), Text(expected)) << text;
    }

    if (static_cast<int>(i / stride) % countedEvery != 0) continue;
    PuzzleState limited = PuzzleFromString(text);
    Grid unused;
    long iterations = 0;
    const auto counted = detail::CountedSearch(limited.Grid, kValidateStepLimit + 1, unused, iterations);
    const auto result = Validate(limited, true, true, false);
    if (iterations > kValidateStepLimit) {
      EXPECT_EQ(result, kTookTooLong) << text;
    } else {
      ASSERT_EQ(result, verdict) << text;
      ASSERT_EQ(counted, verdict) << text;
      if (verdict.empty()) {
        ASSERT_EQ(Text(limited.Grid), Text(expected)) << text;
      }
    }
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

class ValidateCollection : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(ValidateCollection, AgreesWithAnIndependentCount) {
  const auto [file, countedEvery] = GetParam();
  const auto lines = testing::CorpusLines(file);
  TAVIMORO_REQUIRE_CORPUS(lines, file);
  CheckCollection(lines, countedEvery);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ValidateCollection,
                         ::testing::Values(std::pair{"17clue.txt", 8}, std::pair{"top1465.txt", 2},
                                           std::pair{"forum_hardest.txt", 4}, std::pair{"unbiased.txt", 4},
                                           std::pair{"kaggle.txt", 1}, std::pair{"multiple_solutions.txt", 1},
                                           std::pair{"invalid.txt", 1}),
                         [](const auto& param) {
                           std::string name = param.param.first;
                           name = name.substr(0, name.find('.'));
                           for (auto& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return "c" + name;
                         });

TEST(InvalidCollection, TagsMatchTheVerdicts) {
  const auto lines = testing::CorpusLines("invalid.txt");
  TAVIMORO_REQUIRE_CORPUS(lines, "invalid.txt");
  for (const auto& line : lines) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string tag = line.substr(tab + 1);
    PuzzleState s = PuzzleFromString(line.substr(0, tab));
    const auto verdict = Validate(s, false, true, false);
    const std::string_view expected = tag == "multiple" ? kMultipleSolutions
                                      : tag == "none"   ? kNoSolution
                                                        : kRulesViolated;
    EXPECT_EQ(verdict, expected) << line;
  }
}

// FindContradictionOrSingles on grids built for each outcome.
PuzzleState FromCells(std::initializer_list<std::pair<int, int>> cells) {
  PuzzleState s;
  for (const auto& [cell, digit] : cells) s.Grid[cell] = static_cast<std::uint8_t>(digit);
  CalcCandidates(s);
  return s;
}

TEST(FindContradictionOrSingles, ReportsTheFirstCellWithoutCandidates) {
  // Cells 0 and 80 both see all nine digits.
  PuzzleState s =
      PuzzleFromString(".12345678" + std::string(18, '.') + "9" + std::string(44, '.') + "1234" + "5678.");
  s.Grid[71] = 9;  // column 9 gets its 9
  CalcCandidates(s);
  SinglesTable singles;
  ChainText trace;
  EXPECT_EQ(FindContradictionOrSingles(s, singles, trace), 0);
  EXPECT_EQ(trace, "DONE: NOCAND 0");
}

TEST(FindContradictionOrSingles, ReportsAHouseWithoutPlaceForADigit) {
  // A 1 in each block of the second row leaves no place for 1 in the first.
  PuzzleState s = FromCells({{9, 1}, {13, 1}, {16, 1}});
  SinglesTable singles;
  ChainText trace;
  EXPECT_EQ(FindContradictionOrSingles(s, singles, trace), 0);
  EXPECT_EQ(trace, "DONE: BADHOUSE 0,1");
}

TEST(FindContradictionOrSingles, ReportsTwoCellsOfAHouseNeedingTheSameDigit) {
  // The first row lacks 4 and 9; 9s below its first two cells leave both
  // with the single candidate 4.
  PuzzleState s = FromCells({{2, 1}, {3, 2}, {4, 3}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {27, 9}, {55, 9}});
  ASSERT_EQ(s.CandCount[0], 1);
  ASSERT_EQ(s.CandCount[1], 1);
  SinglesTable singles;
  ChainText trace;
  EXPECT_EQ(FindContradictionOrSingles(s, singles, trace), 0);
  EXPECT_EQ(trace, "DONE: HOUSESINGLES 0,4,0,1");
}

TEST(FindContradictionOrSingles, KeepsTheLastDigitForACellThatIsTheOnlyPlaceOfSeveral) {
  // Cell 0 is the only place of 4 in row 1 (found first) and of 5 in block 1
  // (found last): 4s and 5s in rows 2 and 3 and below the other cells.
  PuzzleState s = FromCells({{13, 4}, {25, 4}, {28, 4}, {38, 4}, {12, 5}, {24, 5}, {37, 5}, {56, 5}});
  ASSERT_TRUE(s.Cand(0, 4));
  ASSERT_TRUE(s.Cand(0, 5));
  SinglesTable singles;
  ChainText trace;
  EXPECT_EQ(FindContradictionOrSingles(s, singles, trace), 1) << trace.view();
  EXPECT_EQ(singles[0], 5);
  EXPECT_TRUE(trace.empty());
}

TEST(FindContradictionOrSingles, NothingToReportOnAnEmptyGrid) {
  PuzzleState s = PuzzleFromString("");
  SinglesTable singles;
  singles.fill(3);
  ChainText trace;
  EXPECT_EQ(FindContradictionOrSingles(s, singles, trace), -1);
  for (const int d : singles) EXPECT_EQ(d, 0);
}

TEST(TrialPropagate, BeyondTheDepthLimitNothingIsTouched) {
  PuzzleState s = PuzzleFromString(kHard);
  const PuzzleState before = s;
  EXPECT_EQ(TrialPropagate(s, 1, 1, 2, 3, true), "");
  EXPECT_TRUE(SameRecord(s, before));
}

TEST(TrialPropagate, ImmediateContradictionKeepsTheTrialDigit) {
  // Only cells 0 and 1 are empty; cell 1 needs the 3 that the trial puts in
  // cell 0.
  std::string text(kSolved);
  text[0] = text[1] = '.';
  PuzzleState s = PuzzleFromString(text);
  EXPECT_EQ(TrialPropagate(s, 0, 3, 2, 1, true), "1,0,3\r\nDONE: NOCAND 1");
  EXPECT_EQ(s.Grid[0], 3);
  EXPECT_EQ(s.CandCount[1], 0);
}

TEST(TrialPropagate, ContradictionTextNamesTheHouseAndItsCells) {
  // The rectangle of 2s and 4s plus cell 27 empty; a 2 in cell 27 leaves
  // cells 29 and 33 of row 4 both needing its 4.
  std::string text(kSolved);
  for (const int c : {29, 33, 47, 51, 27}) text[c] = '.';
  PuzzleState s = PuzzleFromString(text);
  EXPECT_EQ(TrialPropagate(s, 27, 2, 0, 1, false), "1,27,2\r\nDONE: HOUSESINGLES 3,4,29,33");
}

// Every line of a chain is "depth,cell,digit" with depths 1, 2, ...; the
// record keeps the chain's placements and the last line holds in it.
void ExpectChainHolds(const ChainText& chain, const PuzzleState& after) {
  std::string_view rest = chain.view();
  int expectedDepth = 1;
  for (;;) {
    const auto end = rest.find("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (line.starts_with("DONE: ")) {
      EXPECT_EQ(end, std::string_view::npos) << chain.view();
      int a = -1, b = -1;
      if (std::sscanf(std::string(line).c_str(), "DONE: NOCAND %d", &a) == 1) {
        EXPECT_EQ(after.Grid[a], 0);
        EXPECT_EQ(after.CandCount[a], 0);
      } else if (std::sscanf(std::string(line).c_str(), "DONE: BADHOUSE %d,%d", &a, &b) == 2) {
        EXPECT_FALSE(after.HouseHas(a, b));
        EXPECT_EQ(after.HouseCandCount(a, b), 0);
      } else {
        EXPECT_TRUE(line.starts_with("DONE: HOUSESINGLES ")) << line;
      }
      return;
    }
    ASSERT_NE(end, std::string_view::npos) << chain.view();
    int depth = 0, cell = 0, digit = 0;
    ASSERT_EQ(std::sscanf(std::string(line).c_str(), "%d,%d,%d", &depth, &cell, &digit), 3) << line;
    EXPECT_EQ(depth, expectedDepth++);
    EXPECT_EQ(after.Grid[cell], digit);
    rest.remove_prefix(end + 2);
  }
}

TEST(TrialPropagate, TrialsOfTheSolutionNeverContradictAndWrongOnesAreRestoredOrProven) {
  PuzzleState solved = PuzzleFromString(kHard);
  ASSERT_EQ(Validate(solved, false, false, false), "");
  int contradictions = 0, longChains = 0;
  for (const auto& [maxDepth, sameDigitOnly] : {std::pair{2, true}, std::pair{3, false}}) {
    const PuzzleState start = PuzzleFromString(kHard);
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
        } else {
          ++contradictions;
          longChains += chain.Contains("\r\n2,");
          ExpectChainHolds(chain, s);
        }
      }
    }
  }
  EXPECT_GT(contradictions, 0);
  EXPECT_GT(longChains, 0);
}

}  // namespace
}  // namespace tavimoro
