// Larger and finned fish. A fish of size n takes n base lines (rows, or
// columns) whose candidates of d lie in n cover lines: d then fills the
// cover lines from the base lines and goes from the rest of the cover
// lines. A finned fish has extra candidates (fins), all in one block, off
// the cover lines: either a fin holds d or the fish stands, so d goes only
// from cover-line cells that also see every fin, that is from the fins'
// block. It is sashimi when some base line has a single candidate on the
// cover lines.
//
// Positions along a base line are kept as masks (position p at bit p); a
// pass runs rows as base lines first, then columns, digit by digit, base
// lines in lexicographic order and cover sets in mask order.
#include <array>

#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

int PositionsOf(const PuzzleState& s, int house, int d) {
  int mask = 0;
  const auto& cells = CellsOfHouse(house);
  for (int k = 0; k < 9; ++k)
    if (s.Cand(cells[k], d)) mask |= 1 << k;
  return mask;
}

struct Fish {
  int baseType = 0, digit = 0;
  int size = 0;
  std::array<int, 4> lines{};  // base line numbers 0..8
  std::array<int, 4> positions{};
  int cover = 0;      // positions of the cover lines
  int finBlock = -1;  // house of the fins' block, -1 without fins
};

int LineHouse(int type, int line) { return 9 * type + line; }

bool IsBaseLine(const Fish& f, int line) {
  for (int i = 0; i < f.size; ++i)
    if (f.lines[i] == line) return true;
  return false;
}

// Calls visit(cell) for every cell the fish removes d from.
template <typename Visit>
void ForEachVictim(const PuzzleState& s, const Fish& f, Visit visit) {
  for (int line = 0; line < 9; ++line) {
    if (IsBaseLine(f, line)) continue;
    const auto& cells = CellsOfHouse(LineHouse(f.baseType, line));
    for (int k = 0; k < 9; ++k) {
      const int c = cells[k];
      if (!(f.cover & (1 << k)) || !s.Cand(c, f.digit)) continue;
      if (f.finBlock >= 0 && HouseOf(c, 2) != f.finBlock) continue;
      visit(c);
    }
  }
}

bool RemovesSomething(const PuzzleState& s, const Fish& f) {
  bool any = false;
  ForEachVictim(s, f, [&](int) { any = true; });
  return any;
}

void RecordFish(const PuzzleState& s, const Fish& f, TechniqueId technique, std::string_view name,
                StepRecord& step) {
  StartElimination(step, technique, name);
  const int coverType = 1 - f.baseType;
  StepMeaning& m = step.Meaning;
  m.BaseCount = f.size;
  m.CoverCount = f.size;
  for (int i = 0; i < f.size; ++i) {
    m.BaseLines[i] = static_cast<std::int8_t>(LineHouse(f.baseType, f.lines[i]));
    const auto& cells = CellsOfHouse(LineHouse(f.baseType, f.lines[i]));
    for (int k = 0; k < 9; ++k) {
      if (f.cover & (1 << k)) {
        step.CellColour[cells[k]] = PatternColour;
      } else if (f.positions[i] & (1 << k)) {
        step.CellColour[cells[k]] = FinColour;
      }
    }
  }
  int n = 0;
  for (int k = 0; k < 9; ++k)
    if (f.cover & (1 << k)) m.CoverLines[n++] = static_cast<std::int8_t>(LineHouse(coverType, k));
  ForEachVictim(s, f, [&](int c) { EliminateAt(step, c, f.digit); });
  int entry = 0;
  for (int i = 0; i < f.size; ++i) {
    const int h = m.CoverLines[i];
    step.Lines[entry++] = {HouseCell(h, 0), HouseCell(h, 8), StrongLineColour, 2};
  }
  for (int i = 0; i < f.size; ++i) {
    const int h = m.BaseLines[i];
    step.Lines[entry++] = {HouseCell(h, 0), HouseCell(h, 8), LineColour, 2};
  }
  step.Text << f.digit << ' ';
  for (int i = 0; i < f.size; ++i) step.Text << (f.baseType == 0 ? 'r' : 'c') << f.lines[i] + 1;
  step.Text << ' ';
  for (int k = 0; k < 9; ++k)
    if (f.cover & (1 << k)) step.Text << (f.baseType == 0 ? 'c' : 'r') << k + 1;
  if (f.finBlock >= 0) step.Text << " fins b" << f.finBlock - 17;
  step.Digits << f.digit;
  m.DigitMask = DigitBit(f.digit);
}

// Calls visit(fish) for each combination of `size` base lines of d whose
// counts lie in [minCount, maxCount] and whose positions together span at
// most maxSpread, lines ascending (lexicographic order); visit returns true
// to stop. A combination is left as soon as its first lines spread too wide.
template <typename Visit>
bool ForEachBase(const PuzzleState& s, int size, int minCount, int maxCount, int maxSpread, Visit visit) {
  for (int baseType = 0; baseType <= 1; ++baseType) {
    for (int d = 1; d <= 9; ++d) {
      std::array<int, 9> lines{}, positions{};
      int eligible = 0;
      for (int line = 0; line < 9; ++line) {
        const int count = s.HouseCandCount(LineHouse(baseType, line), d);
        if (count < minCount || count > maxCount) continue;
        lines[eligible] = line;
        positions[eligible] = PositionsOf(s, LineHouse(baseType, line), d);
        ++eligible;
      }
      if (eligible < size) continue;
      Fish f;
      f.baseType = baseType;
      f.digit = d;
      f.size = size;
      const auto pick = [&](const auto& self, int depth, int from, int all) -> bool {
        if (depth == size) {
          f.cover = 0;
          f.finBlock = -1;
          return visit(f);
        }
        for (int i = from; i <= eligible - (size - depth); ++i) {
          const int spread = all | positions[i];
          if (BitCount(spread) > maxSpread) continue;
          f.lines[depth] = lines[i];
          f.positions[depth] = positions[i];
          if (self(self, depth + 1, i + 1, spread)) return true;
        }
        return false;
      };
      if (pick(pick, 0, 0, 0)) return true;
    }
  }
  return false;
}

// Writes into `fish` the block all fins (base candidates off the cover)
// share; false when they are spread over several blocks or when a base line
// has nothing on the cover.
bool FinsInOneBlock(Fish& f) {
  f.finBlock = -1;
  for (int i = 0; i < f.size; ++i) {
    if ((f.positions[i] & f.cover) == 0) return false;
    const int fins = f.positions[i] & ~f.cover;
    for (int k = 0; k < 9; ++k) {
      if (!(fins & (1 << k))) continue;
      const int cell = HouseCell(LineHouse(f.baseType, f.lines[i]), k);
      const int block = HouseOf(cell, 2);
      if (f.finBlock >= 0 && f.finBlock != block) return false;
      f.finBlock = block;
    }
  }
  return f.finBlock >= 0;
}

bool IsSashimi(const Fish& f) {
  for (int i = 0; i < f.size; ++i)
    if (BitCount(f.positions[i] & f.cover) == 1) return true;
  return false;
}

}  // namespace

bool FindJellyfish(const PuzzleState& s, StepRecord& step) {
  return ForEachBase(s, 4, 2, 4, 4, [&](Fish& f) {
    int cover = 0;
    for (int i = 0; i < 4; ++i) cover |= f.positions[i];
    if (BitCount(cover) != 4) return false;
    f.cover = cover;
    if (!RemovesSomething(s, f)) return false;
    RecordFish(s, f, kJellyfish, "JELLYFISH", step);
    return true;
  });
}

namespace {

// The first finned and the first sashimi fish of one size, in search order
// (found false when there is none).
struct FinnedPair {
  std::array<Fish, 2> fish{};
  std::array<bool, 2> found{};
};

FinnedPair SearchFinned(const PuzzleState& s, int size) {
  FinnedPair pair;
  // A fin block spans three positions, so a base line has at most size + 3.
  ForEachBase(s, size, 2, size + 3, size + 3, [&](Fish& f) {
    int all = 0;
    for (int i = 0; i < size; ++i) all |= f.positions[i];
    const int spread = BitCount(all);
    if (spread <= size || spread > size + 3) return false;
    // Cover sets: every `size` positions of the union whose leftover
    // positions lie in one stack of three, as fins in one block must, in
    // mask order. Outside the fins' stack the cover takes every position,
    // so each stack leaves at most three choices.
    std::array<int, 9> covers{};
    int coverCount = 0;
    for (const int stack : {0007, 0070, 0700}) {
      const int outside = all & ~stack;
      const int need = size - BitCount(outside);
      if (need < 0) continue;
      const int inside = all & stack;
      for (int sub = inside;; sub = (sub - 1) & inside) {
        if (BitCount(sub) == need && sub != inside && coverCount < static_cast<int>(covers.size())) {
          // Kept ascending as they come: at most nine.
          int at = coverCount++;
          for (; at > 0 && covers[at - 1] > (outside | sub); --at) covers[at] = covers[at - 1];
          covers[at] = outside | sub;
        }
        if (sub == 0) break;
      }
    }
    for (int n = 0; n < coverCount; ++n) {
      f.cover = covers[n];
      if (!FinsInOneBlock(f)) continue;
      const int kind = IsSashimi(f) ? 1 : 0;
      if (pair.found[kind] || !RemovesSomething(s, f)) continue;
      pair.fish[kind] = f;
      pair.found[kind] = true;
    }
    return pair.found[0] && pair.found[1];
  });
  return pair;
}

}  // namespace

bool FindFinnedFish(const PuzzleState& s, StepRecord& step, int size, bool sashimi) {
  static constexpr std::array<std::string_view, 5> kFinned = {"", "", "FINNED X-WING", "FINNED SWORDFISH",
                                                              "FINNED JELLYFISH"};
  static constexpr std::array<std::string_view, 5> kSashimi = {"", "", "SASHIMI X-WING", "SASHIMI SWORDFISH",
                                                               "SASHIMI JELLYFISH"};
  static constexpr std::array<TechniqueId, 5> kFinnedNumber = {kFinnedXWing, kFinnedXWing, kFinnedXWing,
                                                               kFinnedSwordfish, kFinnedJellyfish};
  static constexpr std::array<TechniqueId, 5> kSashimiNumber = {kSashimiXWing, kSashimiXWing, kSashimiXWing,
                                                                kSashimiSwordfish, kSashimiJellyfish};
  if (size < 2 || size > 4) return false;
  // The finned and the sashimi search of one size walk the same fish, and a
  // solve asks for one right after the other: the last answer of each size
  // is kept on this thread for the same candidates.
  struct Kept {
    std::array<std::uint8_t, 81> grid{};
    std::array<std::uint16_t, 81> cand{};
    bool valid = false;
    FinnedPair pair;
  };
  thread_local std::array<Kept, 5> kept;
  Kept& k = kept[static_cast<std::size_t>(size)];
  if (!k.valid || k.grid != s.Grid || k.cand != s.CandMask) {
    k.pair = SearchFinned(s, size);
    k.grid = s.Grid;
    k.cand = s.CandMask;
    k.valid = true;
  }
  const int kind = sashimi ? 1 : 0;
  if (!k.pair.found[kind]) return false;
  RecordFish(s, k.pair.fish[kind], sashimi ? kSashimiNumber[size] : kFinnedNumber[size],
             sashimi ? kSashimi[size] : kFinned[size], step);
  return true;
}

}  // namespace tavimoro::steps
