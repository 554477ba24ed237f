#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/corpus.h"
#include "common/hand_board.h"
#include "engine/steps/steps.h"
#include "engine/validate.h"

namespace tavimoro {
namespace {

// The forcing-chain rung written plainly on top of TrialPropagate, with a
// fresh copy of the whole state for every try: the rung's lean propagation
// must find the same chain with the same text.
bool PlainForcingChain(const PuzzleState& s, int technique, StepRecord& step) {
  PuzzleState solved = s;
  Validate(solved, false, false, false);
  const bool type1 = technique == 16;
  for (int n = 2; n <= 9; ++n) {
    for (int c = 0; c < 81; ++c) {
      if (s.CandCount[c] != n) continue;
      for (int d = 1; d <= 9; ++d) {
        if (!s.Cand(c, d) || solved.Grid[c] == d) continue;
        PuzzleState trial = s;
        const ChainText chain = TrialPropagate(trial, c, d, type1 ? 2 : 3, 1, type1);
        if (chain.empty()) continue;
        step.SetEliminate(c, d);
        step.Kind = kEliminate;
        step.Technique = static_cast<TechniqueId>(technique);
        step.Text << (type1 ? "FORCING CHAIN Type 1: " : "FORCING CHAIN Type 2: ") << "\r\n" << chain.view();
        return true;
      }
    }
  }
  return false;
}

using Placements = std::vector<std::pair<int, int>>;

// The (cell, digit) of each "depth,cell,digit" line of a chain's text.
Placements PlacementsInText(std::string_view text) {
  Placements placements;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    int depth = 0, cell = 0, digit = 0;
    char comma1 = 0, comma2 = 0;
    std::istringstream fields(line);
    if (fields >> depth >> comma1 >> cell >> comma2 >> digit && comma1 == ',' && comma2 == ',')
      placements.emplace_back(cell, digit);
  }
  return placements;
}

// The chain's nodes, each forcing the next.
Placements NodesOf(const StepRecord& step) {
  Placements nodes;
  const StepMeaning& m = step.Meaning;
  for (int i = 0; i < m.NodeCount; ++i) {
    nodes.emplace_back(m.Nodes[i].FirstCell(), m.Nodes[i].Digit);
    if (i + 1 < m.NodeCount) {
      EXPECT_EQ(m.Links[i], LinkKind::Forces);
    }
  }
  return nodes;
}

TEST(ForcingChains, LeanPropagationFindsTheChainsOfTrialPropagate) {
  // Hard puzzles, each followed through a few chain eliminations so that the
  // state carries exclusions that the propagation must ignore.
  auto lines = testing::CorpusLines("top1465.txt");
  TAVIMORO_REQUIRE_CORPUS(lines, "top1465.txt");
  const std::size_t stride = std::getenv("TAVIMORO_SANITIZED") ? 29 : 7;
  int compared = 0;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    PuzzleState s = PuzzleFromString(lines[i]);
    ExclusionTable exclusions;
    for (int round = 0; round < 4; ++round) {
      for (int technique : {16, 17}) {
        StepRecord fast, plain;
        steps::ChainTries tries;
        const bool found = technique == 16 ? steps::FindForcingChainType1(s, fast, tries)
                                           : steps::FindForcingChainType2(s, fast, tries);
        const std::string where = lines[i] + " round " + std::to_string(round);
        EXPECT_EQ(found, PlainForcingChain(s, technique, plain)) << where;
        EXPECT_EQ(fast.Kind, plain.Kind) << where;
        EXPECT_EQ(Index(fast.Technique), Index(plain.Technique)) << where;
        EXPECT_EQ(fast.Text.view(), plain.Text.view()) << where;
        EXPECT_EQ(fast.EliminateMask, plain.EliminateMask) << where;
        EXPECT_EQ(NodesOf(fast), PlacementsInText(plain.Text.view())) << where;
        ++compared;
      }
      StepRecord next;
      steps::ChainTries tries;
      if (!steps::FindForcingChainType2(s, next, tries)) break;
      for (int c = 0; c < 81; ++c) exclusions.Mask[c] |= next.EliminateMask[c];
      CalcCandidates(s, exclusions);
    }
  }
  EXPECT_GT(compared, 100);
}

TEST(ForcingChains, TextStartsOnTheLineAfterThePrefix) {
  const PuzzleState s =
      PuzzleFromString("4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......");
  StepRecord step;
  steps::ChainTries tries;
  ASSERT_TRUE(steps::FindForcingChainType1(s, step, tries));
  EXPECT_EQ(
      testing::HeadOf(step),
      testing::StepHead(kEliminate, 16, -1, 0,
                        "FORCING CHAIN Type 1: \r\n1,1,6\r\n2,65,6\r\nDONE: BADHOUSE 24,3", "1 or 6, 7, 9"));
  EXPECT_EQ(NodesOf(step), (Placements{{1, 6}, {65, 6}}));
}

TEST(ForcingChains, EmptyBoardGivesNoChain) {
  const PuzzleState s = PuzzleFromString("");
  StepRecord step;
  steps::ChainTries tries;
  EXPECT_FALSE(steps::FindForcingChainType1(s, step, tries));
  EXPECT_TRUE(tries.built);
  EXPECT_EQ(tries.count, 81 * 9);
  EXPECT_FALSE(steps::FindForcingChainType2(s, step, tries));
  EXPECT_EQ(step.Kind, kNoStep);
}

}  // namespace
}  // namespace tavimoro
