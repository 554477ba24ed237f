#include "board/colouring_text.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "board/chain_walk.h"
#include "board/phrases.h"

namespace tavimoro {
namespace {

constexpr std::uint32_t kGreen = 0x80FF80;  // a cluster's second colour as drawn

// A cluster's cells split by colour: `same` has the seed's colour.
struct Cluster {
  std::vector<int> same, opposite;
  bool Holds(int cell) const {
    return std::find(same.begin(), same.end(), cell) != same.end() ||
           std::find(opposite.begin(), opposite.end(), cell) != opposite.end();
  }
};

// What the colouring shows, read from the step: its digit, its clusters
// split by colour, and the cells it removes the digit from.
struct ColouringMeaning {
  int digit = 0;
  bool wrap = false;       // Simple Colouring: a colour meets itself
  bool meetsBoth = false;  // Multi-Colouring: a colour sees both of the other cluster
  Cluster first, second;   // `second` only for Multi-Colouring
  std::vector<int> losers;
};

bool IsLoop(const StepMeaning& m) {
  const ChainNode& a = m.Nodes[0];
  const ChainNode& b = m.Nodes[m.NodeCount - 1];
  return a.Digit == b.Digit && a.CellCount == b.CellCount && a.Cells == b.Cells;
}

// The cells joined to `seed` by strong links of `digit`, in two colours.
Cluster ClusterOf(const PuzzleState& s, int digit, int seed) {
  std::array<int, 81> colour{};
  colour.fill(-1);
  std::vector<int> order{seed};
  colour[seed] = 0;
  for (std::size_t next = 0; next < order.size(); ++next) {
    const int cell = order[next];
    for (int type = 0; type < 3; ++type) {
      const int house = HouseOf(cell, type);
      if (s.HouseCandCount(house, digit) != 2) continue;
      for (int c : CellsOfHouse(house))
        if (c != cell && s.Cand(c, digit) && colour[c] < 0) {
          colour[c] = 1 - colour[cell];
          order.push_back(c);
        }
    }
  }
  Cluster cluster;
  for (int c = 0; c < 81; ++c)
    if (colour[c] >= 0) (colour[c] == 0 ? cluster.same : cluster.opposite).push_back(c);
  return cluster;
}

std::vector<int> Coloured(const StepRecord& step, std::uint32_t colour) {
  std::vector<int> cells;
  for (int c = 0; c < 81; ++c)
    if (step.CellColour[c] == colour) cells.push_back(c);
  return cells;
}

// Simple Colouring reads its cluster off the drawing: the true colour of a
// wrap is blue and the false one loses the digit; a trap's colours are blue
// and green and the trapped cells lose it.
bool ReadColouring(const StepRecord& step, const PuzzleState* position, ColouringMeaning& out) {
  const StepMeaning& m = step.Meaning;
  if (m.NodeCount < 2) return false;
  out.digit = m.Nodes[0].Digit;
  for (int c = 0; c < 81; ++c)
    if (step.EliminateMask[c]) out.losers.push_back(c);
  if (step.Technique == TechniqueId::SimpleColouring) {
    out.wrap = IsLoop(m);
    out.first.same = Coloured(step, PatternColour);
    out.first.opposite = out.wrap ? out.losers : Coloured(step, kGreen);
    return !out.first.same.empty() && !out.first.opposite.empty();
  }
  if (step.Technique != TechniqueId::MultiColouring || position == nullptr) return false;
  // Either a colour of the first cluster sees both colours of the second
  // (the chain starts and ends on weak links), or the chain runs through the
  // first cluster, over one weak link, through the second.
  out.meetsBoth = m.Links[0] == LinkKind::Weak;
  const int seedOne = m.Nodes[0].FirstCell();
  const int seedTwo = out.meetsBoth ? m.Nodes[1].FirstCell() : m.Nodes[m.NodeCount - 1].FirstCell();
  out.first = ClusterOf(*position, out.digit, seedOne);
  out.second = ClusterOf(*position, out.digit, seedTwo);
  return !out.first.Holds(seedTwo);
}

// " (blue)" when every cell is drawn in that colour.
std::string DrawnAs(const StepRecord& step, const std::vector<int>& cells) {
  const auto all = [&](std::uint32_t colour) {
    return std::all_of(cells.begin(), cells.end(), [&](int c) { return step.CellColour[c] == colour; });
  };
  if (all(PatternColour)) return " (blue)";
  if (all(kGreen)) return " (green)";
  if (all(EliminationColour)) return " (pink)";
  return {};
}

std::string Colours(const StepRecord& step, const Cluster& cluster) {
  return "one colour: " + CellList(cluster.same) + DrawnAs(step, cluster.same) +
         "; the other: " + CellList(cluster.opposite) + DrawnAs(step, cluster.opposite);
}

// The first cell of `cells` that `cell` sees.
int SeenIn(int cell, const std::vector<int>& cells) {
  for (int c : cells)
    if (c != cell && CellsShareHouse(c, cell)) return c;
  return -1;
}

int HouseOfBoth(int a, int b) {
  for (int type = 0; type < 3; ++type)
    if (HouseOf(a, type) == HouseOf(b, type)) return HouseOf(a, type);
  return -1;
}

// "R8C1 sees R1C1 and R8C6": the losers, grouped by a cell they see in
// each list ("R2C6 and R3C6 each see R1C5 and R4C6").
std::string Sightings(const std::vector<int>& losers, const std::vector<int>& one,
                      const std::vector<int>& other) {
  std::vector<std::pair<int, int>> seen;
  std::vector<std::vector<int>> who;
  for (int c : losers) {
    const std::pair<int, int> pair{SeenIn(c, one), SeenIn(c, other)};
    if (pair.first < 0 || pair.second < 0) return {};
    const auto at = std::find(seen.begin(), seen.end(), pair);
    if (at == seen.end()) {
      seen.push_back(pair);
      who.push_back({c});
    } else {
      who[static_cast<std::size_t>(at - seen.begin())].push_back(c);
    }
  }
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < seen.size(); ++i)
    parts.push_back(CellList(who[i]) + (who[i].size() == 1 ? " sees " : " each see ") +
                    CellName(seen[i].first) + " and " + CellName(seen[i].second));
  return JoinAnd(parts);
}

std::string SimpleText(const StepRecord& step, const ColouringMeaning& c) {
  const std::string d = DigitText(c.digit);
  const std::string lead = "Along the strong links the " + d + "s take two colours in turn, " +
                           Colours(step, c.first) + ". One of the two colours is the true one. ";
  if (c.wrap) {
    const StepMeaning& m = step.Meaning;
    const int a = m.Nodes[0].FirstCell(), b = m.Nodes[m.NodeCount - 2].FirstCell();
    return lead + CellName(a) + " and " + CellName(b) + " have the same colour and share " +
           HouseName(HouseOfBoth(a, b)) + ": that colour wraps, so it cannot be true, and its cells " +
           CellList(c.first.opposite) + " lose the " + d + ".";
  }
  const std::string seen = Sightings(c.losers, c.first.same, c.first.opposite);
  if (seen.empty()) return {};
  return lead + ChainWalkText(step, ChainReading::Ends) + " " + seen +
         ", a cell of each colour: " + (c.losers.size() == 1 ? "it is" : "each is") +
         " trapped, and cannot be " + d + ".";
}

std::string MultiText(const StepRecord& step, const ColouringMeaning& c) {
  const StepMeaning& m = step.Meaning;
  const std::string d = DigitText(c.digit);
  std::string text = "Two clusters of strong links on " + d +
                     ", each in two colours that alternate along its links. The first cluster, " +
                     Colours(step, c.first) + ". The second cluster, " + Colours(step, c.second) + ". ";
  if (c.meetsBoth) {
    // x sees y, x2 sees y2; x and x2 share a colour of the first cluster,
    // y and y2 have opposite colours of the second.
    const int x = m.Nodes[0].FirstCell(), y = m.Nodes[1].FirstCell();
    const int y2 = m.Nodes[m.NodeCount - 2].FirstCell(), x2 = m.Nodes[m.NodeCount - 1].FirstCell();
    const std::string seen =
        x == x2 ? CellName(x) + " sees " + CellName(y) + " and " + CellName(y2)
                : CellName(x) + " sees " + CellName(y) + " and " + CellName(x2) + " sees " + CellName(y2);
    const std::string xs = x == x2 ? CellName(x) : CellName(x) + " and " + CellName(x2);
    return text + seen + ", which have opposite colours of the second cluster, so one of them holds the " +
           d + ". Were the colour of " + xs + " in the first cluster true, " + (x == x2 ? "it" : "each") +
           " would hold the " + d + " beside that one, so that colour is false: " +
           (c.losers.size() == 1 ? CellName(c.losers.front()) + " loses the " + d
                                 : "its cells " + CellList(c.losers) + " lose the " + d) +
           ".";
  }
  int weak = 0;
  while (weak + 1 < m.NodeCount && m.Links[weak] != LinkKind::Weak) ++weak;
  if (weak + 1 >= m.NodeCount) return {};
  const int x = m.Nodes[weak].FirstCell(), y = m.Nodes[weak + 1].FirstCell();
  const int u = m.Nodes[0].FirstCell(), w = m.Nodes[m.NodeCount - 1].FirstCell();
  // The chain starts on the first cluster's seed and ends on the second's.
  const std::vector<int>& one = c.first.same;
  const std::vector<int>& other = c.second.same;
  const std::string seen = Sightings(c.losers, one, other);
  if (seen.empty()) return {};
  return text + "They are joined where " + CellName(x) + " sees " + CellName(y) + " in " +
         HouseName(HouseOfBoth(x, y)) + ": those two are not both " + d + ", so the colour of " +
         CellName(u) + " in the first cluster or that of " + CellName(w) + " in the second is true. " +
         ChainWalkText(step, ChainReading::Ends) + " " + seen + ", a cell of each of those colours, so " +
         (c.losers.size() == 1 ? "it cannot" : "none of them can") + " be " + d + ".";
}

}  // namespace

std::string ColouringWhere(const StepRecord& step, const PuzzleState* position) {
  ColouringMeaning c;
  if (!ReadColouring(step, position, c)) return {};
  std::vector<int> one = c.first.same;
  one.insert(one.end(), c.first.opposite.begin(), c.first.opposite.end());
  std::sort(one.begin(), one.end());
  if (step.Technique == TechniqueId::SimpleColouring)
    return " in the cluster of " + CellList(one) + (c.wrap ? " (a colour wrap)" : " (a colour trap)");
  std::vector<int> two = c.second.same;
  two.insert(two.end(), c.second.opposite.begin(), c.second.opposite.end());
  std::sort(two.begin(), two.end());
  return " in the clusters of " + CellList(one) + " and of " + CellList(two);
}

std::string ColouringText(const StepRecord& step, const PuzzleState* position) {
  ColouringMeaning c;
  if (!ReadColouring(step, position, c)) return {};
  return step.Technique == TechniqueId::SimpleColouring ? SimpleText(step, c) : MultiText(step, c);
}

}  // namespace tavimoro
