// Bent wings: n cells (4 to 9) holding n digits between them, where every
// digit but one, z, lies only in cells of the set that see each other.
// Such a digit can fill at most one of the cells, so without a z the n
// cells would have fewer than n digits to go round: one of the set's cells
// holding z is z, and a cell that sees all of them loses z.
//
// The sets searched lie in two houses that cross (a row and a column, or a
// line and a block), the bent shape the wings are named for. For each
// choice of n digits the houses' cells holding no others are the pool.
// From seven cells on, a pool of more than n + 1 cells is passed over,
// which keeps the search to a few subsets (a wing in a larger pool is
// missed). Within the pool a set is given up as soon as two of its digits
// are spread over cells that do not all see each other; of the wings of a
// crossing, the first in the order of its cells is taken.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/steps/cell_bits.h"
#include "engine/steps/current_position.h"
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

// One wing: its cells, their digits, the loose digit and the cells that
// lose it.
struct Wing {
  std::array<int, 9> cells{};
  std::array<int, 9> slots{};  // the cells' slots in the crossing's layout, increasing
  int digits = 0;
  int z = 0;
  CellBits victims;
};

// Grows sets of `size` cells over `empties`, in increasing order of their
// places there; the first wing found is kept in `wing`.
struct Search {
  explicit Search(const PuzzleState& state) : s(state) {}
  const PuzzleState& s;
  int size = 0;
  // The houses' unsolved cells with 2..size candidates, by their slots in
  // the crossing's layout, and the candidates of each slot.
  std::array<int, 17> empties{};
  int emptyCount = 0;
  std::array<int, 17> slotMasks{};
  const std::array<std::uint32_t, 17>* apart = nullptr;  // the layout's
  const std::array<std::uint8_t, 17>* slotCells = nullptr;
  std::array<int, 9> cells{};
  std::array<int, 9> slots{};
  std::array<int, 9> masks{};   // digits of the set's first k cells, for k = 1..size
  std::array<int, 9> spread{};  // digits of the first k cells not all seeing each other
  Wing wing;
  // Per digit z, the cells that see every place of z in a set of the right
  // shape that came to nothing: none of them holds z.
  std::array<CellBits, 9> barrenReach{};

  // Whether the first `size` cells make a wing; fills `wing`.
  bool IsWing() {
    if (size < 4 || size > 9) return false;
    const int all = masks[size - 1], loose = spread[size - 1];
    if (BitCount(all) != size || BitCount(loose) != 1) return false;
    const int z = __builtin_ctz(static_cast<unsigned>(loose)) + 1;
    CellBits holders;
    for (int i = 0; i < size; ++i)
      if (s.Cand(cells[i], z)) holders.Add(cells[i]);
    const CellBits reach = CommonPeers(holders);
    CellBits victims;
    reach.ForEach([&](int c) {
      if (s.Cand(c, z)) victims.Add(c);
    });
    if (victims.Empty()) {
      barrenReach[z - 1] = barrenReach[z - 1] | reach;
      return false;
    }
    wing = {cells, slots, all, z, victims};
    return true;
  }

  // `chosen`: the slots of the first k cells.
  bool Grow(int k, int from, int chosen) {
    if (k == size) return IsWing();
    // Stops where too few cells are left to make up the set.
    for (int e = from; e + size - k <= emptyCount; ++e) {
      const int slot = empties[e];
      const int cand = slotMasks[slot];
      const int mask = k ? masks[k - 1] | cand : cand;
      if (BitCount(mask) > size) continue;
      int loose = k ? spread[k - 1] : 0;
      for (auto rest = static_cast<int>(chosen & (*apart)[slot]); rest; rest &= rest - 1)
        loose |= slotMasks[__builtin_ctz(static_cast<unsigned>(rest))] & cand;
      if (BitCount(loose) > 1) continue;
      cells[k] = (*slotCells)[slot];
      slots[k] = slot;
      masks[k] = mask;
      spread[k] = loose;
      if (Grow(k + 1, e + 1, chosen | 1 << slot)) return true;
    }
    return false;
  }

  // Grows the sets over the pool's cells in `inside` (bits by place in
  // pool.slots); true when one is a wing.
  bool GrowAmong(const std::array<int, 17>& poolSlots, int inside, int n) {
    size = n;
    emptyCount = 0;
    for (int rest = inside; rest; rest &= rest - 1)
      empties[emptyCount++] = poolSlots[__builtin_ctz(static_cast<unsigned>(rest))];
    return Grow(0, 0, 0);
  }
};

// The pairs of houses that cross: each row with each column, each line
// with the three blocks it passes through; 135 in house order.
// Up to this size every set of a choice of digits is searched; above it,
// a choice with many cells is passed over.
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

// A crossing's cells as slots: the first house's nine, then the second's
// outside the first; and per slot, the slots of cells that do not see it.
struct CrossingLayout {
  std::array<std::uint8_t, 17> cells{};
  int count = 0;
  int firstCount = 9;
  std::array<bool, 17> shared{};  // in both houses
  std::array<std::uint32_t, 17> apart{};
};

const std::array<CrossingLayout, kCrossingHouses.size()>& CrossingLayouts() {
  static const auto layouts = [] {
    std::array<CrossingLayout, kCrossingHouses.size()> all{};
    for (std::size_t pair = 0; pair < kCrossingHouses.size(); ++pair) {
      const auto [first, second] = kCrossingHouses[pair];
      CrossingLayout& layout = all[pair];
      for (int c : CellsOfHouse(first)) {
        layout.shared[layout.count] = HouseOf(c, HouseType(second)) == second;
        layout.cells[layout.count++] = static_cast<std::uint8_t>(c);
      }
      for (int c : CellsOfHouse(second))
        if (HouseOf(c, HouseType(first)) != first)
          layout.cells[layout.count++] = static_cast<std::uint8_t>(c);
      for (int i = 0; i < layout.count; ++i)
        for (int j = 0; j < layout.count; ++j)
          if (!CellsShareHouse(layout.cells[i], layout.cells[j])) layout.apart[i] |= 1u << j;
    }
    return all;
  }();
  return layouts;
}

// What is known of a crossing while its cells keep their candidates: the
// sizes its search found nothing for, and the wings it found at the
// position the search ran in. A search reads only the crossing's cells
// until a set of the right shape is found, and then the cells that see all
// the set's places of its loose digit: "nothing" holds while those still
// lack that digit. A wing found holds at its own position only. The
// score's solve asks each size at nearly the same position many times over.
struct CrossingMemo {
  std::array<std::uint16_t, 18> cells{};
  std::uint64_t seenAt = 0;  // the position its cells and reach were last checked at
  int emptySizes = 0;
  int foundSizes = 0;                     // wings in `found`, for the position seenAt
  std::array<CellBits, 9> barrenReach{};  // as in Search, over the sizes remembered
  std::array<Wing, 10> found{};
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

// The houses' unsolved cells with 2..size candidates, by slot, the digits
// they hold, and the digits of each house's cells outside the other.
struct CrossingPool {
  std::array<int, 17> slots{};
  int count = 0, all = 0;
  std::array<int, 2> arm{};
  std::array<int, 9> holding{};  // per digit, bit i: slots[i] holds it
};

CrossingPool PoolOf(const PuzzleState& s, const CrossingLayout& layout, int size) {
  CrossingPool pool;
  for (int slot = 0; slot < layout.count; ++slot) {
    const int c = layout.cells[slot];
    if (s.Grid[c] != 0 || s.CandCount[c] < 2 || s.CandCount[c] > size) continue;
    if (!layout.shared[slot]) pool.arm[slot >= layout.firstCount] |= s.CandMask[c];
    for (int rest = s.CandMask[c]; rest; rest &= rest - 1)
      pool.holding[__builtin_ctz(static_cast<unsigned>(rest))] |= 1 << pool.count;
    pool.slots[pool.count++] = slot;
    pool.all |= s.CandMask[c];
  }
  return pool;
}

// Whether the pool can hold a wing of `size` cells at all: the digit not
// confined has places in both arms.
bool PoolFits(const CrossingPool& pool, int size) {
  return pool.count >= size && BitCount(pool.all) >= size && (pool.arm[0] & pool.arm[1]) != 0;
}

void TakeLayout(const PuzzleState& s, Search& search, const CrossingLayout& layout,
                const CrossingPool& pool) {
  search.apart = &layout.apart;
  search.slotCells = &layout.cells;
  for (int i = 0; i < pool.count; ++i)
    search.slotMasks[pool.slots[i]] = s.CandMask[layout.cells[pool.slots[i]]];
}

// Small wings by their digits: a wing of n cells holds exactly n digits,
// so it lies among the cells that hold no digit outside some choice of n.
// The choices are walked digit by digit for all the sizes in `sizes` at
// once, given up as soon as too few cells are left to them; the cells of
// each choice are grown in slot order, and for each size the first wing of
// all in slot order is kept (a wing belongs to one choice only: its own
// digits), in found[size]. Returns the sizes found.
int SearchDigitSets(const PuzzleState& s, Search& search, const CrossingLayout& layout, int sizes,
                    std::array<Wing, 10>& found) {
  const int smallest = __builtin_ctz(static_cast<unsigned>(sizes));
  const int largest = 31 - __builtin_clz(static_cast<unsigned>(sizes));
  const CrossingPool pool = PoolOf(s, layout, largest);
  if (!PoolFits(pool, smallest)) return 0;
  TakeLayout(s, search, layout, pool);
  std::array<int, 9> order{};
  int digitCount = 0;
  for (int d = 0; d < 9; ++d)
    if ((pool.all >> d) & 1) order[digitCount++] = d;
  std::array<int, 10> later{};  // per place in order, the cells holding that digit or a later one
  for (int i = digitCount - 1; i >= 0; --i) later[i] = later[i + 1] | pool.holding[order[i]];
  int foundSizes = 0;
  const auto grow = [&](int size, int cells) {
    if (!search.GrowAmong(pool.slots, cells, size)) return;
    const auto& slots = search.wing.slots;
    Wing& best = found[size];
    if (!((foundSizes >> size) & 1) ||
        std::lexicographical_compare(slots.begin(), slots.begin() + size, best.slots.begin(),
                                     best.slots.begin() + size))
      best = search.wing;
    foundSizes |= 1 << size;
  };
  // `inside`: the cells holding none of the digits left out so far;
  // `chosen`: how many digits are in, the last of them just taken when
  // `taken` (the choice ending there is tried once, where it is made).
  const auto choose = [&](const auto& self, int i, int chosen, int inside, bool taken) -> void {
    const int cellCount = BitsSet(static_cast<std::uint64_t>(inside));
    if (cellCount < std::max(chosen, smallest)) return;
    if (taken && ((sizes >> chosen) & 1)) {
      const int cells = inside & ~later[i];
      if (BitsSet(static_cast<std::uint64_t>(cells)) >= chosen) grow(chosen, cells);
    }
    if (chosen == largest || i == digitCount || digitCount - i < smallest - chosen) return;
    self(self, i + 1, chosen + 1, inside, true);
    self(self, i + 1, chosen, inside & ~pool.holding[order[i]], false);
  };
  choose(choose, 0, 0, (1 << pool.count) - 1, false);
  return foundSizes;
}

// Large wings, where a set's digits no longer prune the growth: every
// choice of `size` of the houses' digits, walked in increasing order of
// their bits, takes the cells holding no others as its pool, and a pool of
// more than size + 1 cells is passed over.
bool SearchByDigits(const PuzzleState& s, Search& search, const CrossingLayout& layout, int size) {
  const CrossingPool pool = PoolOf(s, layout, size);
  if (!PoolFits(pool, size)) return false;
  TakeLayout(s, search, layout, pool);
  const int loose = pool.arm[0] & pool.arm[1];
  const int everyCell = (1 << pool.count) - 1;
  // The houses' digits in increasing order: per place, the cells holding
  // it, and the places of the digits with places in both arms.
  std::array<int, 9> held{};
  int digitCount = 0, looseAt = 0;
  for (int d = 0; d < 9; ++d) {
    if (!((pool.all >> d) & 1)) continue;
    if ((loose >> d) & 1) looseAt |= 1 << digitCount;
    held[digitCount++] = pool.holding[d];
  }
  const int everyDigit = (1 << digitCount) - 1;
  for (int pick = (1 << size) - 1; pick < (1 << digitCount);) {
    const int digits = pick;  // places in order
    const int low = pick & -pick, up = pick + low;
    pick = (((up ^ pick) >> 2) / low) | up;
    if ((digits & looseAt) == 0) continue;
    int inside = everyCell;
    for (int rest = everyDigit & ~digits; rest; rest &= rest - 1)
      inside &= ~held[__builtin_ctz(static_cast<unsigned>(rest))];
    const int count = BitsSet(static_cast<std::uint64_t>(inside));
    if (count < size || count > size + 1) continue;
    if (search.GrowAmong(pool.slots, inside, size)) return true;
  }
  return false;
}

// Searches a crossing for the wings of the sizes in `sizes`; each one found
// goes into memo.found, the others into memo.emptySizes.
void SearchCrossing(const PuzzleState& s, CrossingMemo& memo, const CrossingLayout& layout, int sizes) {
  Search search(s);
  constexpr int kGrownSizes = ((1 << (kLargestGrown + 1)) - 1) & ~0xF;
  int foundSizes =
      sizes & kGrownSizes ? SearchDigitSets(s, search, layout, sizes & kGrownSizes, memo.found) : 0;
  for (int size = kLargestGrown + 1; size <= 9; ++size) {
    if (((sizes >> size) & 1) && SearchByDigits(s, search, layout, size)) {
      memo.found[size] = search.wing;
      foundSizes |= 1 << size;
    }
  }
  memo.foundSizes |= foundSizes;
  memo.emptySizes |= sizes & ~foundSizes;
  for (int d = 0; d < 9; ++d) memo.barrenReach[d] = memo.barrenReach[d] | search.barrenReach[d];
}

}  // namespace

bool FindBentWing(const PuzzleState& s, StepRecord& step, int size) {
  if (size < 4 || size > 9) return false;
  constexpr int kEverySize = 0x3F0;
  const CurrentPosition& position = PositionNow(s);
  const Wing* wing = nullptr;
  for (std::size_t pair = 0; pair < kCrossingHouses.size() && wing == nullptr; ++pair) {
    const auto [first, second] = kCrossingHouses[pair];
    CrossingMemo& memo = CrossingMemos()[pair];
    if (memo.seenAt != position.number) {
      const std::array<std::uint16_t, 18> cells = CrossingCells(s, first, second);
      if (memo.cells != cells || ReachGained(memo.barrenReach, position.candidates)) {
        memo.cells = cells;
        memo.emptySizes = 0;
        memo.barrenReach = {};
      }
      memo.seenAt = position.number;
      memo.foundSizes = 0;
    }
    if (!(((memo.emptySizes | memo.foundSizes) >> size) & 1))
      SearchCrossing(s, memo, CrossingLayouts()[pair], kEverySize & ~(memo.emptySizes | memo.foundSizes));
    if ((memo.foundSizes >> size) & 1) wing = &memo.found[size];
  }
  if (wing == nullptr) return false;
  StartElimination(step, kWingIds[size]);
  const int z = wing->z;
  for (int i = 0; i < size; ++i) {
    const int c = wing->cells[i];
    step.CellColour[c] = PatternColour;
    if (s.Cand(c, z)) AddNode(step.Meaning, c, z, LinkKind::Weak);
    if (i) step.Text << ' ';
    AppendCellName(step.Text, c);
  }
  wing->victims.ForEach([&](int c) { EliminateAt(step, c, z); });
  step.Meaning.DigitMask = wing->digits;
  AppendDigitList(step.Digits, wing->digits);
  step.Text << " hold " << step.Digits.view() << "; " << z << " is in one of them";
  return true;
}

}  // namespace tavimoro::steps
