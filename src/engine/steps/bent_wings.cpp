// Bent wings: n cells (4 to 9) holding n digits between them, where every
// digit but one, z, lies only in cells of the set that see each other.
// Such a digit can fill at most one of the cells, so without a z the n
// cells would have fewer than n digits to go round: one of the set's cells
// holding z is z, and a cell that sees all of them loses z.
//
// The sets searched lie in two houses that cross (a row and a column, or a
// line and a block), the bent shape the wings are named for. For each
// choice of n digits the houses' cells holding no others are the pool;
// a pool of more than n + 1 cells is passed over, which keeps the search
// to a few subsets (a wing in a larger pool is missed). Within the pool a
// set is given up as soon as two of its digits are spread over cells that
// do not all see each other.
#include <array>

#include "engine/steps/cell_bits.h"
#include "engine/steps/dual_template_wing_steps.h"
#include "engine/steps/meaning.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/step_text.h"

namespace tavimoro::steps {
namespace {

constexpr std::array<TechniqueId, 10> kWingIds = {
    TechniqueId::NakedSingle,  TechniqueId::NakedSingle,  TechniqueId::NakedSingle, TechniqueId::NakedSingle,
    TechniqueId::WxyzWing,     TechniqueId::VwxyzWing,    TechniqueId::UvwxyzWing,  TechniqueId::TuvwxyzWing,
    TechniqueId::StuvwxyzWing, TechniqueId::RstuvwxyzWing};

struct Search {
  Search(const PuzzleState& state, int n) : s(state), size(n) {}
  const PuzzleState& s;
  int size;
  std::array<int, 18> empties{};  // the houses' unsolved cells with 2..size candidates
  int emptyCount = 0;
  std::array<int, 18> emptyMasks{};  // candidates of each of `empties`
  std::array<int, 18> apart{};       // per empty, bit f: empties[f] does not see it
  std::array<int, 9> cells{};
  std::array<int, 9> masks{};   // digits of the set's first k cells, for k = 1..size
  std::array<int, 9> spread{};  // digits of the first k cells not all seeing each other
  CellBits victims;
  int z = 0;
  // Per digit z, the cells that see every place of z in a set of the right
  // shape that came to nothing: none of them holds z.
  std::array<CellBits, 9> barrenReach{};

  // Whether the first `size` cells make a wing; fills victims and z.
  bool IsWing() {
    if (size < 4 || size > 9) return false;
    const int all = masks[size - 1], loose = spread[size - 1];
    if (BitCount(all) != size || BitCount(loose) != 1) return false;
    z = __builtin_ctz(static_cast<unsigned>(loose)) + 1;
    CellBits holders;
    for (int i = 0; i < size; ++i)
      if (s.Cand(cells[i], z)) holders.Add(cells[i]);
    victims = CommonPeers(holders);
    const CellBits reach = victims;
    CellBits withZ;
    victims.ForEach([&](int c) {
      if (s.Cand(c, z)) withZ.Add(c);
    });
    victims = withZ;
    if (victims.Empty()) barrenReach[z - 1] = barrenReach[z - 1] | reach;
    return !victims.Empty();
  }

  // Fills emptyMasks and apart for the cells in `empties`.
  void TakeEmpties() {
    for (int e = 0; e < emptyCount; ++e) {
      emptyMasks[e] = s.CandMask[empties[e]];
      apart[e] = 0;
      for (int f = 0; f < emptyCount; ++f)
        if (!CellsShareHouse(empties[e], empties[f])) apart[e] |= 1 << f;
    }
  }

  // `chosen`: bit e for each of the first k cells, by its place in empties.
  bool Grow(int k, int from, int chosen) {
    if (k == size) return IsWing();
    // Stops where too few cells are left to make up the set.
    for (int e = from; e + size - k <= emptyCount; ++e) {
      const int c = empties[e];
      const int cand = emptyMasks[e];
      const int mask = k ? masks[k - 1] | cand : cand;
      if (BitCount(mask) > size) continue;
      int loose = k ? spread[k - 1] : 0;
      for (int rest = chosen & apart[e]; rest; rest &= rest - 1)
        loose |= emptyMasks[__builtin_ctz(static_cast<unsigned>(rest))] & cand;
      if (BitCount(loose) > 1) continue;
      cells[k] = c;
      masks[k] = mask;
      spread[k] = loose;
      if (Grow(k + 1, e + 1, chosen | 1 << e)) return true;
    }
    return false;
  }
};

// The pairs of houses that cross: each row with each column, each line
// with the three blocks it passes through; 135 in house order.
// Up to this size a wing is grown cell by cell; above it, where a set's
// digits no longer prune the growth, it is found by its digits.
constexpr int kLargestGrown = 6;

struct HousePair {
  std::uint8_t first, second;
};
constexpr auto kCrossingHouses = [] {
  std::array<HousePair, 135> pairs{};
  int n = 0;
  for (int first = 0; first < 18; ++first) {
    for (int second = first + 1; second < 27; ++second) {
      if (HouseType(first) == HouseType(second)) continue;
      bool cross = false;
      for (int i = 0; i < 9; ++i) cross |= HouseOf(HouseCell(first, i), HouseType(second)) == second;
      if (cross) pairs[n++] = {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(second)};
    }
  }
  return pairs;
}();

// The candidates of a crossing's cells, solved cells as none, and the wing
// sizes its search found nothing for with those candidates. The search reads
// only these cells until a set of the right shape is found, and then the
// cells that see all the set's places of its loose digit: the answer holds
// while those still lack that digit. The score's solve asks each size at
// nearly the same position many times over.
struct CrossingMemo {
  std::array<std::uint16_t, 18> cells{};
  int emptySizes = 0;
  std::array<CellBits, 9> barrenReach{};  // as in Search, over the sizes remembered
};

// Whether a cell of barrenReach[d] holds d, given each digit's cells.
bool ReachGained(const std::array<CellBits, 9>& barrenReach, const std::array<CellBits, 9>& digitCells) {
  for (int d = 0; d < 9; ++d)
    if (barrenReach[d].Meets(digitCells[d])) return true;
  return false;
}

std::array<CrossingMemo, kCrossingHouses.size()>& CrossingMemos() {
  thread_local std::array<CrossingMemo, kCrossingHouses.size()> memos{};
  return memos;
}

std::array<std::uint16_t, 18> CrossingCells(const PuzzleState& s, int first, int second) {
  std::array<std::uint16_t, 18> cells{};
  for (int i = 0; i < 9; ++i) {
    const int a = HouseCell(first, i), b = HouseCell(second, i);
    cells[i] = s.Grid[a] ? 0 : s.CandMask[a];
    cells[9 + i] = s.Grid[b] ? 0 : s.CandMask[b];
  }
  return cells;
}

// Searches the cells of two houses that cross: a row and a column, or a
// line and a block it passes through.
bool SearchCrossing(const PuzzleState& s, Search& search, int first, int second) {
  const int size = search.size;
  std::array<int, 17> cells{};
  std::array<int, 9> holding{};  // per digit, bit i: cells[i] holds it
  int cellCount = 0, all = 0;
  std::array<int, 2> arm{};  // digits of each house's cells outside the other
  for (int house : {first, second}) {
    const int other = house == first ? second : first;
    for (int c : CellsOfHouse(house)) {
      if (s.Grid[c] != 0 || s.CandCount[c] < 2 || s.CandCount[c] > size) continue;
      const bool shared = HouseOf(c, HouseType(other)) == other;
      if (!shared) arm[house == second] |= s.CandMask[c];
      if (house == second && shared) continue;  // listed with `first`
      cells[cellCount++] = c;
      all |= s.CandMask[c];
    }
  }
  // The digit not confined has places in both arms.
  const int loose = arm[0] & arm[1];
  if (cellCount < size || BitCount(all) < size || loose == 0) return false;
  const int everyCell = (1 << cellCount) - 1;
  // Small wings: grow sets over all the houses' cells, pruned by their
  // digits. Large ones: every choice of `size` of the houses' digits: combinations of the
  // places in `order`, walked in increasing order of their bits.
  if (size <= kLargestGrown) {
    search.emptyCount = cellCount;
    for (int i = 0; i < cellCount; ++i) search.empties[i] = cells[i];
    search.TakeEmpties();
    return search.Grow(0, 0, 0);
  }
  for (int i = 0; i < cellCount; ++i)
    for (int rest = s.CandMask[cells[i]]; rest; rest &= rest - 1)
      holding[__builtin_ctz(static_cast<unsigned>(rest))] |= 1 << i;
  std::array<int, 9> order{};
  int digitCount = 0;
  for (int d = 0; d < 9; ++d)
    if ((all >> d) & 1) order[digitCount++] = d;
  for (int pick = (1 << size) - 1; pick < (1 << digitCount);) {
    int digits = 0;
    for (int rest = pick; rest; rest &= rest - 1)
      digits |= 1 << order[__builtin_ctz(static_cast<unsigned>(rest))];
    const int low = pick & -pick, up = pick + low;
    pick = (((up ^ pick) >> 2) / low) | up;
    if ((digits & loose) == 0) continue;
    int inside = everyCell;
    for (int d = 0; d < 9; ++d)
      if (!((digits >> d) & 1)) inside &= ~holding[d];
    const int count = __builtin_popcount(static_cast<unsigned>(inside));
    if (count < size || count > size + 1) continue;
    search.emptyCount = 0;
    for (int rest = inside; rest; rest &= rest - 1)
      search.empties[search.emptyCount++] = cells[__builtin_ctz(static_cast<unsigned>(rest))];
    search.TakeEmpties();
    if (search.Grow(0, 0, 0)) return true;
  }
  return false;
}

}  // namespace

bool FindBentWing(const PuzzleState& s, StepRecord& step, int size) {
  if (size < 4 || size > 9) return false;
  Search search(s, size);
  bool found = false;
  std::array<CellBits, 9> digitCells{};
  for (int c = 0; c < 81; ++c)
    for (int rest = s.Grid[c] ? 0 : s.CandMask[c]; rest; rest &= rest - 1)
      digitCells[__builtin_ctz(static_cast<unsigned>(rest))].Add(c);
  for (std::size_t pair = 0; pair < kCrossingHouses.size() && !found; ++pair) {
    const auto [first, second] = kCrossingHouses[pair];
    CrossingMemo& memo = CrossingMemos()[pair];
    const std::array<std::uint16_t, 18> cells = CrossingCells(s, first, second);
    if (memo.cells != cells) {
      memo.cells = cells;
      memo.emptySizes = 0;
      memo.barrenReach = {};
    } else if ((memo.emptySizes >> size) & 1 && !ReachGained(memo.barrenReach, digitCells)) {
      continue;
    }
    search.barrenReach = {};
    found = SearchCrossing(s, search, first, second);
    if (found) break;
    memo.emptySizes |= 1 << size;
    for (int d = 0; d < 9; ++d) memo.barrenReach[d] = memo.barrenReach[d] | search.barrenReach[d];
  }
  if (!found) return false;
  StartElimination(step, kWingIds[size]);
  const int z = search.z;
  for (int i = 0; i < size; ++i) {
    const int c = search.cells[i];
    step.CellColour[c] = PatternColour;
    if (s.Cand(c, z)) AddNode(step.Meaning, c, z, LinkKind::Weak);
    if (i) step.Text << ' ';
    AppendCellName(step.Text, c);
  }
  search.victims.ForEach([&](int c) { EliminateAt(step, c, z); });
  step.Meaning.DigitMask = search.masks[size - 1];
  AppendDigitList(step.Digits, search.masks[size - 1]);
  step.Text << " hold " << step.Digits.view() << "; " << z << " is in one of them";
  return true;
}

}  // namespace tavimoro::steps
