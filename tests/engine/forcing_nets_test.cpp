// Forcing nets: hand-made positions for each kind, soundness on positions
// of the shared collections, and solves of the hardest collection that the
// ladder and the nets finish without a trial.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "common/corpus.h"
#include "engine/step_finder.h"
#include "engine/steps/net_board.h"
#include "engine/steps/net_steps.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

using namespace steps;

PuzzleState Solution(const std::string& puzzle) {
  PuzzleState solved = PuzzleFromString(puzzle);
  EXPECT_EQ(Validate(solved, false, true, false), "") << puzzle;
  return solved;
}

// Every placement is the solution's digit and no removal takes it away.
void ExpectSound(const StepRecord& step, const PuzzleState& solved, const std::string& where) {
  if (step.Kind == kPlaceValue) {
    EXPECT_EQ(step.Value, solved.Grid[step.Cell]) << where << "\n" << step.Text.view();
    return;
  }
  ASSERT_EQ(step.Kind, kEliminate) << where;
  EXPECT_TRUE(step.AnyEliminated()) << where;
  for (int c = 0; c < 81; ++c)
    EXPECT_FALSE(step.Eliminate(c, solved.Grid[c])) << where << " cell " << c << "\n" << step.Text.view();
}

// Applies a step to the state, keeping earlier removals.
void Apply(PuzzleState& s, ExclusionTable& exclusions, const StepRecord& step) {
  if (step.Kind == kPlaceValue) {
    s.Grid[step.Cell] = static_cast<std::uint8_t>(step.Value);
  } else {
    for (int c = 0; c < 81; ++c) exclusions.Mask[c] |= step.EliminateMask[c];
  }
  CalcCandidates(s, exclusions);
}

// The first position of a solve where the ladder finds nothing.
PuzzleState FirstStuck(const std::string& puzzle) {
  PuzzleState s = PuzzleFromString(puzzle);
  ExclusionTable x;
  for (;;) {
    const StepRecord step = FindNextStep(s, kNoTechniqueLimit);
    if (step.Kind == kNoStep) return s;
    Apply(s, x, step);
  }
}

// A proof the meaning block can replay: the first node is an assumption and
// every other listed node follows from an earlier one or from the board.
void ExpectProofShape(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  ASSERT_GT(m.NodeCount, 0);
  EXPECT_GE(m.NetAssumptions, 1);
  EXPECT_EQ(m.NodeRule[0], static_cast<std::uint8_t>(NetRule::Assumption));
  for (int i = 0; i < m.NodeCount; ++i) EXPECT_LT(m.NodeFrom[i], i);
  EXPECT_GE(m.OtherInferences, 0);
  EXPECT_FALSE(step.Text.empty());
}

TEST(ForcingNets, NothingOnASolvedOrSingleFreeBoard) {
  const std::string solved =
      "123456789456789123789123456214365897365897214897214365531642978642978531978531642";
  const PuzzleState s = PuzzleFromString(solved);
  StepRecord step;
  EXPECT_FALSE(FindContradictionNet(s, step));
  EXPECT_FALSE(FindCellNet(s, step));
  EXPECT_FALSE(FindUnitNet(s, step));
  EXPECT_FALSE(FindNestedNet(s, step));
  EXPECT_FALSE(FindTrial(s, step));
  EXPECT_EQ(step.Kind, kNoStep);
  EXPECT_TRUE(step.Text.empty());
}

TEST(ForcingNets, NestedLevelsAndTrialStayOutOfPuzzlesWithoutOneSolution) {
  // Nothing is forced on an empty board; the nested searches and the trial
  // decline at once instead of searching in vain.
  const PuzzleState empty = PuzzleFromString("");
  StepRecord step;
  EXPECT_FALSE(FindForcingNetStep(empty, step));
  EXPECT_EQ(step.Kind, kNoStep);
}

// Positions as data: a puzzle whose first stuck position (after the ladder)
// needs the named rung: the rungs below it find nothing there and the named
// one finds a sound step.
struct NetCase {
  std::string cells, marks;  // marks empty: the puzzle's first stuck position
  TechniqueId rung;
};

// A position given as cells and pencil marks: 81 groups, each ending in "|".
PuzzleState FromMarks(const std::string& cells, const std::string& marks) {
  PuzzleState s = PuzzleFromString(cells);
  ExclusionTable x;
  std::size_t at = 0;
  for (int c = 0; c < 81; ++c) {
    const std::size_t end = marks.find('|', at);
    int mask = 0;
    for (std::size_t k = at; k < end; ++k) mask |= DigitBit(marks[k] - '0');
    x.Mask[c] = static_cast<std::uint16_t>(s.CandMask[c] & ~mask);
    at = end + 1;
  }
  CalcCandidates(s, x);
  return s;
}

// Lines "position TAB rung": contradiction, cell, unit, nested or doubly.
std::vector<NetCase> NetPositionCases() {
  std::vector<NetCase> cases;
  std::ifstream in(std::string(TAVIMORO_SOURCE_DIR) + "/tests/data/forcing_nets.txt");
  std::string line;
  const std::pair<const char*, TechniqueId> rungs[] = {{"contradiction", TechniqueId::ContradictionNet},
                                                       {"cell", TechniqueId::CellNet},
                                                       {"unit", TechniqueId::UnitNet},
                                                       {"nested", TechniqueId::NestedNet},
                                                       {"doubly", TechniqueId::DoublyNestedNet}};
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto first = line.find('\t'), last = line.rfind('\t');
    const std::string rung = line.substr(last + 1);
    const std::string marks = first == last ? "" : line.substr(first + 1, last - first - 1);
    for (const auto& [name, number] : rungs)
      if (rung == name) cases.push_back({line.substr(0, first), marks, number});
  }
  return cases;
}

bool FindAtRung(TechniqueId technique, const PuzzleState& s, StepRecord& step) {
  const std::pair<TechniqueId, bool (*)(const PuzzleState&, StepRecord&)> finders[] = {
      {TechniqueId::ContradictionNet, FindContradictionNet},
      {TechniqueId::CellNet, FindCellNet},
      {TechniqueId::UnitNet, FindUnitNet},
      {TechniqueId::NestedNet, FindNestedNet},
      {TechniqueId::DoublyNestedNet, FindDoublyNestedNet}};
  for (const auto& [id, find] : finders)
    if (id == technique) return find(s, step);
  return false;
}

class NetPositions : public ::testing::TestWithParam<NetCase> {};

TEST_P(NetPositions, NamedRungIsTheFirstThatFinds) {
  const auto& [puzzle, marks, rung] = GetParam();
  const PuzzleState s = marks.empty() ? FirstStuck(puzzle) : FromMarks(puzzle, marks);
  const PuzzleState solved = Solution(puzzle);
  for (int lower = Index(TechniqueId::ContradictionNet); lower < Index(rung); ++lower) {
    StepRecord none;
    EXPECT_FALSE(FindAtRung(static_cast<TechniqueId>(lower), s, none))
        << "rung " << lower << " finds " << none.Text.view();
  }
  StepRecord step;
  ASSERT_TRUE(FindAtRung(rung, s, step));
  EXPECT_EQ(step.Technique, rung);
  ExpectSound(step, solved, puzzle);
  ExpectProofShape(step);
}

INSTANTIATE_TEST_SUITE_P(Data, NetPositions, ::testing::ValuesIn(NetPositionCases()));

TEST(ForcingNets, TrialStatesItsAssumptionAndRemovesAWrongDigit) {
  const std::string puzzle =
      "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
  const PuzzleState s = FirstStuck(puzzle);
  const PuzzleState solved = Solution(puzzle);
  StepRecord step;
  ASSERT_TRUE(FindTrial(s, step));
  EXPECT_EQ(step.Technique, TechniqueId::Trial);
  ExpectSound(step, solved, puzzle);
  ExpectProofShape(step);
  EXPECT_TRUE(step.Text.Contains("TRIAL: assume r")) << step.Text.view();
  EXPECT_TRUE(step.Text.Contains("leads to a contradiction")) << step.Text.view();
}

TEST(ForcingNets, DeeperLevelsFindWhatShallowerOnesDo) {
  // A position that needs one level of nesting: the doubly nested search,
  // which can use everything below it, finds a sound step there too.
  const std::string puzzle =
      "9876..5..4..9..3...3..54...7..2.....29..657....6........95..6......1..8.........3";
  const PuzzleState s = FirstStuck(puzzle);
  const PuzzleState solved = Solution(puzzle);
  StepRecord step;
  ASSERT_TRUE(FindDoublyNestedNet(s, step));
  EXPECT_EQ(step.Technique, TechniqueId::DoublyNestedNet);
  ExpectSound(step, solved, puzzle);
  ExpectProofShape(step);
}

TEST(ForcingNets, ProofListsTheAssumptionFirstAndEndsAtTheContradiction) {
  const std::string puzzle =
      "98.7..6..7...5..4...5..9..78.........3...25....79....1..6.9...2...1.6.3......74..";
  StepRecord step;
  ASSERT_TRUE(FindContradictionNet(FirstStuck(puzzle), step));
  const StepMeaning& m = step.Meaning;
  ASSERT_EQ(m.NetAssumptions, 1);
  // The assumption is the candidate removed.
  EXPECT_TRUE(m.NodeHolds[0]);
  EXPECT_TRUE(step.Eliminate(m.Nodes[0].Cells[0], m.Nodes[0].Digit));
  EXPECT_EQ(m.NodeFrom[0], -1);
  for (int i = 1; i < m.NodeCount; ++i)
    EXPECT_NE(m.NodeRule[i], static_cast<std::uint8_t>(NetRule::Assumption));
  EXPECT_TRUE(step.Text.Contains(", and then ")) << step.Text.view();
}

// The batch the difficulty score takes: every removal is sound, it holds the
// single net's removal when the limit allows that net's score, a higher
// limit never takes fewer, and below the band nothing qualifies.
TEST(ForcingNets, ContradictionBatchTakesEveryContradictionWithinTheScore) {
  const std::string puzzle =
      "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
  const PuzzleState solved = Solution(puzzle);
  const PuzzleState s = FirstStuck(puzzle);
  StepRecord single;
  ASSERT_TRUE(FindContradictionNet(s, single));
  StepRecord low, high;
  ASSERT_TRUE(FindContradictionBatch(s, NetStepScore(single), low));
  ASSERT_TRUE(FindContradictionBatch(s, 8.8, high));
  ExpectSound(high, solved, puzzle);
  int lowCount = 0, highCount = 0;
  for (int c = 0; c < 81; ++c) {
    EXPECT_EQ(low.EliminateMask[c] & ~high.EliminateMask[c], 0) << c;
    EXPECT_EQ(single.EliminateMask[c] & ~low.EliminateMask[c], 0) << c;
    lowCount += BitCount(low.EliminateMask[c]);
    highCount += BitCount(high.EliminateMask[c]);
  }
  EXPECT_GT(highCount, 1);
  EXPECT_LE(lowCount, highCount);
  EXPECT_EQ(high.Technique, TechniqueId::ContradictionNet);
  StepRecord none;
  EXPECT_FALSE(FindContradictionBatch(s, 8.1, none));
  EXPECT_EQ(none.Kind, kNoStep);
}

TEST(ForcingNets, StepScoreGrowsWithTheProofWithinItsBand) {
  StepRecord step;
  EXPECT_EQ(NetStepScore(step), 0);
  step.Technique = TechniqueId::ContradictionNet;
  step.Meaning.NetProofSize = 8;
  EXPECT_DOUBLE_EQ(NetStepScore(step), 8.2);
  step.Meaning.NetProofSize = 17;  // past 16, so in the second doubling
  EXPECT_NEAR(NetStepScore(step), 8.4, 1e-9);
  step.Meaning.NetProofSize = 100008;
  EXPECT_NEAR(NetStepScore(step), 8.8, 1e-9);
  // A nested net: its proof and its inner nets' together, 11.1 at 512, 0.3
  // per doubling, not below its floor; the second level half a point more.
  step.Technique = TechniqueId::NestedNet;
  step.Meaning.NetProofSize = 256;
  step.Meaning.InnerInferences = 256;
  EXPECT_NEAR(NetStepScore(step), 11.1, 1e-9);
  step.Meaning.InnerInferences = 1792;
  EXPECT_NEAR(NetStepScore(step), 11.7, 1e-9);
  step.Technique = TechniqueId::DoublyNestedNet;
  EXPECT_NEAR(NetStepScore(step), 12.2, 1e-9);
  step.Meaning = StepMeaning{};
  step.Technique = TechniqueId::NestedNet;
  EXPECT_DOUBLE_EQ(NetStepScore(step), 9.2);
  step.Technique = TechniqueId::Trial;
  EXPECT_DOUBLE_EQ(NetStepScore(step), 12.5);
}

// Soundness on the stuck positions of solves of every collection (a sample):
// whatever rung answers, the step agrees with the solution.
class NetSoundness : public ::testing::TestWithParam<const char*> {};

TEST_P(NetSoundness, EveryNetStepAgreesWithTheSolution) {
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  int positions = 0;
  for (std::size_t i = 0; i < lines.size() && positions < 150; i += 37) {
    const std::string puzzle = lines[i].substr(0, 81);
    const PuzzleState solved = Solution(puzzle);
    PuzzleState s = PuzzleFromString(puzzle);
    ExclusionTable x;
    while (s.FilledCount < 81) {
      StepRecord step = FindNextStep(s, kNoTechniqueLimit);
      if (step.Kind == kNoStep) {
        ASSERT_TRUE(FindForcingNetStep(s, step)) << puzzle;
        ++positions;
      }
      ExpectSound(step, solved, puzzle);
      ASSERT_FALSE(HasFailure());
      Apply(s, x, step);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SharedCollections, NetSoundness,
                         ::testing::Values("17clue.txt", "unbiased.txt", "top1465.txt", "rated.tsv"),
                         [](const auto& paramInfo) {
                           const std::string name = paramInfo.param;
                           return name.substr(0, name.find('.'));
                         });

// Solves with the ladder, then the nets; every step sound. Returns the
// hardest net rung used (0 when the ladder alone finished).
int SolveWithNets(const std::string& puzzle, const PuzzleState& solved) {
  PuzzleState s = PuzzleFromString(puzzle);
  ExclusionTable x;
  int hardest = 0;
  while (s.FilledCount < 81) {
    StepRecord step = FindNextStep(s, kNoTechniqueLimit);
    if (step.Kind == kNoStep) {
      EXPECT_TRUE(FindForcingNetStep(s, step)) << puzzle;
      if (step.Kind == kNoStep) return -1;
      hardest = std::max(hardest, Index(step.Technique));
      ExpectProofShape(step);
    }
    ExpectSound(step, solved, puzzle);
    if (::testing::Test::HasFailure()) return -1;
    Apply(s, x, step);
  }
  return hardest;
}

TEST(ForcingNets, HardestSampleSolvedWithoutTrial) {
  const auto lines = testing::CorpusLines("forum_hardest.txt");
  TAVIMORO_REQUIRE_CORPUS(lines, "forum_hardest.txt");
  const char* env = std::getenv("TAVIMORO_NET_STRIDE");
  const std::size_t stride = env ? std::strtoul(env, nullptr, 10) : 100;
  for (std::size_t i = 0; i < lines.size(); i += std::max<std::size_t>(stride, 1)) {
    const PuzzleState solved = Solution(lines[i]);
    const auto start = std::chrono::steady_clock::now();
    const int hardest = SolveWithNets(lines[i], solved);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (std::getenv("TAVIMORO_NET_VERBOSE")) std::printf("%zu %d %.2f\n", i, hardest, seconds);
    EXPECT_GE(hardest, 0) << lines[i];
    EXPECT_NE(hardest, Index(TechniqueId::Trial)) << lines[i];
    ASSERT_FALSE(HasFailure()) << lines[i];
  }
}

}  // namespace
}  // namespace tavimoro
