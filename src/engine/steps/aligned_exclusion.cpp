// Aligned exclusion: two or three unsolved cells taken together. A way of
// filling them is ruled out when it puts one digit in two of them that see
// each other, or when it takes every candidate of another cell that sees
// the base cells holding those digits (that cell would be left empty). A
// candidate of a base cell that no remaining way uses goes.
#include <array>

#include "engine/steps/cell_bits.h"
#include "engine/steps/dual_template_wing_steps.h"
#include "engine/steps/pattern_chain.h"

namespace tavimoro::steps {
namespace {

// An excluding cell: which base cells it sees, and its candidates.
struct Excluder {
  int cell = 0;
  int sees = 0;  // bit i: sees base cell i
  int mask = 0;
};

struct Aligned {
  Aligned(const PuzzleState& state, int n) : s(state), size(n) {}
  const PuzzleState& s;
  int size = 0;
  std::array<int, 3> base{};
  std::array<Excluder, 81> excluders{};
  int excluderCount = 0;
  std::array<int, 3> survivors{};  // per base cell, the digits some allowed way uses
  int usedExcluders = 0;           // bit per excluder that ruled a way out (the first 31)

  // Excluders: of `near` (cells outside the base that see two base cells
  // and hold two or three candidates), those holding no more candidates
  // than the base cells they see.
  void CollectExcluders(const CellBits& near) {
    excluderCount = 0;
    near.ForEach([&](int c) {
      int sees = 0, reach = 0;
      for (int i = 0; i < size; ++i) {
        if (!CellsShareHouse(c, base[i])) continue;
        sees |= 1 << i;
        reach |= s.CandMask[base[i]];
      }
      // A candidate no base cell it sees can take keeps the cell filled.
      if (s.CandCount[c] <= BitCount(sees) && (s.CandMask[c] & ~reach) == 0)
        excluders[excluderCount++] = {c, sees, s.CandMask[c]};
    });
  }

  // Whether the way `values` (one digit per base cell) survives.
  bool Allowed(const std::array<int, 3>& values) {
    for (int i = 0; i < size; ++i)
      for (int j = i + 1; j < size; ++j)
        if (values[i] == values[j] && CellsShareHouse(base[i], base[j])) return false;
    for (int e = 0; e < excluderCount; ++e) {
      int taken = 0;
      for (int i = 0; i < size; ++i)
        if ((excluders[e].sees >> i) & 1) taken |= DigitBit(values[i]);
      if ((excluders[e].mask & ~taken) == 0) {
        if (e < 31) usedExcluders |= 1 << e;
        return false;
      }
    }
    return true;
  }

  // Walks every way of filling the base cells; true when a candidate of a
  // base cell is left without one.
  bool Exclude() {
    survivors = {};
    usedExcluders = 0;
    std::array<int, 3> values{};
    const int m0 = s.CandMask[base[0]], m1 = s.CandMask[base[1]], m2 = size == 3 ? s.CandMask[base[2]] : 1;
    // Each cell's candidates in increasing order, by their bits.
    for (int ra = m0; ra; ra &= ra - 1) {
      const int a = __builtin_ctz(static_cast<unsigned>(ra)) + 1;
      for (int rb = m1; rb; rb &= rb - 1) {
        const int b = __builtin_ctz(static_cast<unsigned>(rb)) + 1;
        for (int rc = m2; rc; rc &= rc - 1) {
          const int c = __builtin_ctz(static_cast<unsigned>(rc)) + 1;
          values = {a, b, c};
          if (!Allowed(values)) continue;
          for (int i = 0; i < size; ++i) survivors[i] |= DigitBit(values[i]);
        }
      }
    }
    for (int i = 0; i < size; ++i)
      if (s.CandMask[base[i]] & ~survivors[i]) return true;
    return false;
  }

  void Record(StepRecord& step, TechniqueId technique) {
    StartElimination(step, technique);
    int removed = 0;
    for (int i = 0; i < size; ++i) {
      const int cell = base[i];
      step.CellColour[cell] = PatternColour;
      if (i) step.Text << ' ';
      AppendCellName(step.Text, cell);
      const int gone = s.CandMask[cell] & ~survivors[i];
      removed |= gone;
      for (int d = 1; d <= 9; ++d)
        if (gone & DigitBit(d)) step.SetEliminate(cell, d);
    }
    step.Text << " with";
    for (int e = 0; e < excluderCount && e < 31; ++e) {
      if (!((usedExcluders >> e) & 1)) continue;
      const int cell = excluders[e].cell;
      step.CellColour[cell] = SecondColour;
      step.Text << ' ';
      AppendCellName(step.Text, cell);
      StepMeaning& m = step.Meaning;
      if (m.AlsCount == StepMeaning::kMaxAls) continue;
      AlsPart& part = m.Als[m.AlsCount++];
      part.CellCount = 1;
      part.Cells[0] = static_cast<std::uint8_t>(cell);
      part.Digits = static_cast<std::uint16_t>(excluders[e].mask);
    }
    step.Meaning.DigitMask = removed;
  }
};

// Exclude's answer for three base cells of at most four candidates each,
// with every way as one bit of a word: way (r0, r1, r2) is bit 16 r0 +
// 4 r1 + r2, r the candidate's rank in its cell. An excluder rules out the
// ways in which, for each of its digits, a base cell it sees holds it. The
// first two cells' share is worked out once for all third cells.
class TripleWays {
 public:
  explicit TripleWays(const PuzzleState& s) : s_(s) {}

  // The first two base cells, and `pairCells`: the cells that can exclude
  // and see both.
  void SetPair(int a, int b, const CellBits& pairCells) {
    base_[0] = a;
    base_[1] = b;
    TakeHolds(0);
    TakeHolds(1);
    pairExcluders_ = {};
    pairRuled_ = 0;
    pairCells.ForEach([&](int c) {
      if (s_.CandCount[c] > 2 || (s_.CandMask[c] & ~(s_.CandMask[a] | s_.CandMask[b]))) return;
      pairExcluders_.Add(c);
      pairRule_[c] = Rule(c, 0b011);
      pairRuled_ |= pairRule_[c];
    });
    pairSame_ = 0;
    if (CellsShareHouse(a, b))
      for (int d = 1; d <= 9; ++d) pairSame_ |= holds_[0][d] & holds_[1][d];
  }

  // Whether the third cell with the pair leaves a candidate of a base cell
  // without a way; `near`: the cells outside the base that see two of them.
  bool Excludes(int third, const CellBits& near) {
    base_[2] = third;
    TakeHolds(2);
    std::uint64_t ruled = pairSame_;
    const bool seesFirst = CellsShareHouse(base_[0], third), seesSecond = CellsShareHouse(base_[1], third);
    for (int rest = s_.CandMask[third]; rest; rest &= rest - 1) {
      const int d = __builtin_ctz(static_cast<unsigned>(rest)) + 1;
      if (seesFirst) ruled |= holds_[0][d] & holds_[2][d];
      if (seesSecond) ruled |= holds_[1][d] & holds_[2][d];
    }
    // The pair's excluders rule out the same ways whatever the third cell
    // holds; one that sees the third cell too rules out more, below.
    bool anyExcluder = false;
    if (!pairExcluders_.Has(third)) {
      ruled |= pairRuled_;
      anyExcluder = !pairExcluders_.Empty();
    } else {
      pairExcluders_.ForEach([&](int c) {
        if (c == third) return;
        ruled |= pairRule_[c];
        anyExcluder = true;
      });
    }
    (near & kPeerBits[third]).ForEach([&](int c) {
      int sees = 0, reach = 0;
      for (int i = 0; i < 3; ++i) {
        if (!kPeerBits[base_[i]].Has(c)) continue;
        sees |= 1 << i;
        reach |= s_.CandMask[base_[i]];
      }
      if (s_.CandCount[c] > BitCount(sees) || (s_.CandMask[c] & ~reach)) return;
      ruled |= Rule(c, sees);
      anyExcluder = true;
    });
    if (!anyExcluder) return false;
    const std::uint64_t allowed = any_[0] & any_[1] & any_[2] & ~ruled;
    // The ranks each cell takes in some allowed way, folding the word over
    // the other two cells' ranks: a rank of a candidate missing there is a
    // candidate without a way.
    std::uint64_t firstTwo = allowed | allowed >> 32;  // bits 16 r0 + 4 r1 + r2 over r0 = 0, 1
    firstTwo |= firstTwo >> 16;                        // bits 4 r1 + r2, any r0
    std::uint64_t last = firstTwo | firstTwo >> 8;
    last |= last >> 4;  // bits r2
    int ranks0 = 0, ranks1 = 0;
    for (int r = 0; r < 4; ++r) {
      ranks0 |= ((allowed >> (16 * r)) & 0xFFFF) != 0 ? 1 << r : 0;
      ranks1 |= ((firstTwo >> (4 * r)) & 0xF) != 0 ? 1 << r : 0;
    }
    const int ranks2 = static_cast<int>(last & 0xF);
    const auto every = [&](int i) { return (1 << s_.CandCount[base_[i]]) - 1; };
    return ranks0 != every(0) || ranks1 != every(1) || ranks2 != every(2);
  }

 private:
  void TakeHolds(int i) {
    static constexpr std::array<std::uint64_t, 3> kRankZero = {0xFFFF, 0x000F000F000F000F,
                                                               0x1111111111111111};
    static constexpr std::array<int, 3> kRankStep = {16, 4, 1};
    for (int rest = heldDigits_[i]; rest; rest &= rest - 1)
      holds_[i][__builtin_ctz(static_cast<unsigned>(rest))] = 0;
    heldDigits_[i] = s_.CandMask[base_[i]] << 1;
    any_[i] = 0;
    int rank = 0;
    for (int rest = s_.CandMask[base_[i]]; rest; rest &= rest - 1, ++rank) {
      const int d = __builtin_ctz(static_cast<unsigned>(rest)) + 1;
      holds_[i][d] = kRankZero[i] << (kRankStep[i] * rank);
      any_[i] |= holds_[i][d];
    }
  }

  // The ways an excluder at `cell` seeing the base cells `sees` rules out.
  std::uint64_t Rule(int cell, int sees) const {
    std::uint64_t all = ~std::uint64_t{0};
    for (int rest = s_.CandMask[cell]; rest; rest &= rest - 1) {
      const int d = __builtin_ctz(static_cast<unsigned>(rest)) + 1;
      std::uint64_t some = 0;
      for (int i = 0; i < 3; ++i)
        if ((sees >> i) & 1) some |= holds_[i][d];
      all &= some;
    }
    return all;
  }

  const PuzzleState& s_;
  std::array<int, 3> base_{};
  std::array<std::array<std::uint64_t, 10>, 3> holds_{};  // [cell][digit]: the ways it holds the digit
  std::array<std::uint64_t, 3> any_{};
  std::array<int, 3> heldDigits_{};  // per cell, bit d: holds_[cell][d] is set
  CellBits pairExcluders_;
  std::array<std::uint64_t, 81> pairRule_{};
  std::uint64_t pairRuled_ = 0;  // the ways the pair's excluders rule out
  std::uint64_t pairSame_ = 0;   // the ways with one digit in both of the pair, where they see each other
};

// Whether the two cells alone rule out a candidate: a triple holding such a
// pair is left to the pair's step.
bool PairExcludes(const PuzzleState& s, int a, int b) {
  CellBits near = kPeerBits[a] & kPeerBits[b];
  CellBits pairs;
  near.ForEach([&](int c) {
    if (s.Grid[c] == 0 && s.CandCount[c] == 2) pairs.Add(c);
  });
  if (pairs.Empty()) return false;
  Aligned pair(s, 2);
  pair.base = {a, b, 0};
  pair.CollectExcluders(pairs);
  return pair.excluderCount > 0 && pair.Exclude();
}

// The first pair (or triple) of unsolved cells, in cell order, whose ways
// leave a candidate unused. Most have no excluder and cost no walk. Pairs
// and triples none of whose cells is in `changed` are passed over.
bool FindAlignedIn(const PuzzleState& s, StepRecord& step, int size, TechniqueId technique,
                   const CellBits& changed) {
  std::array<int, 81> cells{};
  int count = 0;
  CellBits small;  // cells that can exclude: two or three candidates
  // A triple's base cells hold at most four candidates each, which keeps
  // its walk to 64 ways at most.
  const int most = size == 3 ? 4 : 9;
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] != 0 || s.CandCount[c] < 2) continue;
    if (s.CandCount[c] <= size) small.Add(c);
    if (s.CandCount[c] <= most) cells[count++] = c;
  }
  CellBits open;  // the cells that may be base cells
  for (int i = 0; i < count; ++i) open.Add(cells[i]);
  // nearSmall[c]: the cells that share with c a peer that can exclude; a
  // second base cell outside them has no excluder with c, and a third base
  // cell outside both of the pair's has no excluder of its own.
  std::array<CellBits, 81> nearSmall{};
  for (int i = 0; i < count; ++i)
    (kPeerBits[cells[i]] & small).ForEach([&](int x) {
      nearSmall[cells[i]] = nearSmall[cells[i]] | kPeerBits[x];
    });
  Aligned aligned(s, size);
  if (size == 2) {
    for (int i = 0; i < count; ++i) {
      const int a = cells[i];
      const CellBits& pa = kPeerBits[a];
      bool found = false;
      (open.After(a) & nearSmall[a]).ForEach([&](int b) {
        if (found) return;
        const CellBits& pb = kPeerBits[b];
        if (!changed.Has(a) && !changed.Has(b) && !(pa & pb).Meets(changed)) return;
        aligned.base = {a, b, 0};
        aligned.CollectExcluders(pa & pb & small);
        found = aligned.excluderCount > 0 && aligned.Exclude();
      });
      if (found) {
        aligned.Record(step, technique);
        return true;
      }
    }
    return false;
  }
  TripleWays ways(s);
  for (int i = 0; i < count; ++i) {
    const CellBits& pi = kPeerBits[cells[i]];
    for (int j = i + 1; j < count; ++j) {
      const CellBits& pj = kPeerBits[cells[j]];
      const CellBits pair = pi & pj & small;
      const bool pairChanged = changed.Has(cells[i]) || changed.Has(cells[j]) || (pi & pj).Meets(changed);
      // The third cells worth a look, in cell order after the pair's: with
      // an excluder to share, and, where the pair has not changed, a changed
      // cell among those the triple reads (a changed cell, or one seeing a
      // changed cell that sees a cell of the pair).
      // A third cell that sees neither of the pair nor an excluder of theirs
      // changes no way of the pair: such a triple removes what the pair
      // alone does, or nothing.
      CellBits thirds = open.After(cells[j]) & (nearSmall[cells[i]] | nearSmall[cells[j]]);
      if (!pair.Empty()) thirds = thirds | (open.After(cells[j]) & (pi | pj));
      if (!pairChanged) {
        CellBits reading = changed;
        ((pi | pj) & changed).ForEach([&](int x) { reading = reading | kPeerBits[x]; });
        thirds = thirds & reading;
      }
      if (thirds.Empty()) continue;
      ways.SetPair(cells[i], cells[j], pair);
      bool found = false;
      thirds.ForEach([&](int third) {
        if (found) return;
        const CellBits& pk = kPeerBits[third];
        CellBits near = (pair | (pi & pk & small) | (pj & pk & small));
        CellBits baseCells;
        baseCells.Add(cells[i]);
        baseCells.Add(cells[j]);
        baseCells.Add(third);
        near = near.Without(baseCells);
        if (near.Empty()) return;
        if (!ways.Excludes(third, near)) return;
        aligned.base = {cells[i], cells[j], third};
        aligned.CollectExcluders(near);
        if (aligned.excluderCount == 0 || !aligned.Exclude()) return;
        if (PairExcludes(s, cells[i], cells[j]) || PairExcludes(s, cells[i], third) ||
            PairExcludes(s, cells[j], third))
          return;
        found = true;
      });
      if (found) {
        aligned.Record(step, technique);
        return true;
      }
    }
  }
  return false;
}

// The candidates of every cell (solved cells as none) at the last position
// where the search for a size found nothing. A pair or triple reads only its
// base cells and the cells that see two of them, so where none of those has
// changed since, it still finds nothing: the score's solve asks again at
// positions a few candidates apart.
struct BarrenPosition {
  std::array<std::uint16_t, 81> cells{};
  bool known = false;
};

BarrenPosition& Barren(int size) {
  thread_local std::array<BarrenPosition, 2> positions{};
  return positions[size - 2];
}

bool FindAligned(const PuzzleState& s, StepRecord& step, int size, TechniqueId technique) {
  BarrenPosition& barren = Barren(size);
  std::array<std::uint16_t, 81> now{};
  CellBits changed;
  for (int c = 0; c < 81; ++c) {
    now[c] = s.Grid[c] ? 0 : s.CandMask[c];
    if (!barren.known || now[c] != barren.cells[c]) changed.Add(c);
  }
  if (FindAlignedIn(s, step, size, technique, changed)) return true;
  barren.cells = now;
  barren.known = true;
  return false;
}

}  // namespace

bool FindAlignedPairExclusion(const PuzzleState& s, StepRecord& step) {
  return FindAligned(s, step, 2, TechniqueId::AlignedPairExclusion);
}

bool FindAlignedTripleExclusion(const PuzzleState& s, StepRecord& step) {
  return FindAligned(s, step, 3, TechniqueId::AlignedTripleExclusion);
}

}  // namespace tavimoro::steps
