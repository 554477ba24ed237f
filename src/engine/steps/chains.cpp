// Forcing chains: assume a candidate, follow the hidden singles it forces and
// remove the candidate when that runs into a contradiction. Type 1 follows
// only singles of the assumed digit, two placements deep; Type 2 every
// single, three deep.
//
// This is the rating's hot spot (every try of a stuck puzzle is followed),
// so the propagation runs on a lean board of its own rather than on a
// PuzzleState: 81 candidate masks, the grid and the digits placed per house,
// 300 bytes copied per placement. A placement clears the digit from the 20
// peers instead of recomputing every candidate (noting peers left without
// any), and the house scan counts a digit's places by bit-slicing the
// house's nine masks. The board holds the candidates that the grid alone
// allows, the same ones as CalcCandidates with no exclusions, so the chains
// found and their texts are those of TrialPropagate on a copy of the state;
// the trace is written only when a contradiction is found, and nothing is
// allocated. Before a try is walked path by path, one pass places every
// single of each level at once (LevelsContradict); only the tries where that
// breaks down are walked, and a grid's tries without a chain are remembered.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/steps/grid_solution.h"
#include "engine/steps/meaning.h"
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

// A set of cells 0..80 as two words, read in ascending order.
struct CellSet {
  std::uint64_t low = 0, high = 0;  // cells 0..63, 64..80

  void Add(int cell) {
    if (cell < 64) {
      low |= std::uint64_t{1} << cell;
    } else {
      high |= std::uint64_t{1} << (cell - 64);
    }
  }
  bool Empty() const { return (low | high) == 0; }
  bool Has(int cell) const { return cell < 64 ? (low >> cell) & 1 : (high >> (cell - 64)) & 1; }
  int First() const { return low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(high); }
  // Calls visit(cell) in ascending order until it returns true.
  template <typename Visit>
  bool AnyOf(Visit visit) const {
    for (std::uint64_t rest = low; rest; rest &= rest - 1) {
      if (visit(__builtin_ctzll(rest))) return true;
    }
    for (std::uint64_t rest = high; rest; rest &= rest - 1) {
      if (visit(64 + __builtin_ctzll(rest))) return true;
    }
    return false;
  }
};

struct TrialBoard {
  std::array<std::uint16_t, 81> cand;  // 0 for a filled cell
  std::array<std::uint8_t, 81> grid;
  std::array<std::uint16_t, 27> placed;  // digits placed per house
  CellSet stuck;                         // empty cells without a candidate

  static TrialBoard FromGrid(const PuzzleState& s) {
    TrialBoard b{};
    b.grid = s.Grid;
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] == 0) continue;
      for (int t = 0; t < 3; ++t) b.placed[HouseOf(c, t)] |= static_cast<std::uint16_t>(DigitBit(s.Grid[c]));
    }
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] != 0) continue;
      b.cand[c] = static_cast<std::uint16_t>(
          kAllDigits & ~(b.placed[HouseOf(c, 0)] | b.placed[HouseOf(c, 1)] | b.placed[HouseOf(c, 2)]));
      if (b.cand[c] == 0) b.stuck.Add(c);
    }
    return b;
  }

  // Only ever called for a cell that has the digit as a candidate, so the
  // cell itself was not stuck.
  void Place(int cell, int digit) {
    const auto bit = static_cast<std::uint16_t>(DigitBit(digit));
    grid[cell] = static_cast<std::uint8_t>(digit);
    cand[cell] = 0;
    for (int t = 0; t < 3; ++t) placed[HouseOf(cell, t)] |= bit;
    for (int p : Peers(cell)) {
      if (cand[p] == bit) stuck.Add(p);
      cand[p] &= static_cast<std::uint16_t>(~bit);
    }
  }
};

// Cells that a hidden single fills, with the digit.
struct Singles {
  std::array<std::uint8_t, 81> digit;
  CellSet cells;

  void Set(int cell, int d) {
    digit[cell] = static_cast<std::uint8_t>(d);
    cells.Add(cell);
  }
};

// What ends a chain: an empty cell without candidates (kNoCandidate, cell),
// a digit without a place in a house (kBadHouse, house, digit) or a digit
// that is the only candidate of two or more cells of a house
// (kHouseSingles, house, digit).
struct Contradiction {
  enum Kind { kNone, kNoCandidate, kBadHouse, kHouseSingles } kind = kNone;
  int where = 0, digit = 0;
};

// The digits of a house's candidates seen once or more, twice or more, and
// as the only candidate of two or more cells; `open` are its unplaced digits.
struct HouseTally {
  int once = 0, twice = 0, aloneTwice = 0, open = 0;
};
HouseTally TallyHouse(const TrialBoard& b, int h) {
  HouseTally t;
  int alone = 0;
  for (int c : CellsOfHouse(h)) {
    const int m = b.cand[c];
    t.twice |= t.once & m;
    t.once |= m;
    if (m != 0 && (m & (m - 1)) == 0) {
      t.aloneTwice |= alone & m;
      alone |= m;
    }
  }
  t.open = kAllDigits & ~b.placed[h];
  return t;
}

// The contradiction test of the propagation, in the order of
// FindContradictionOrSingles: an empty cell without candidates first, then
// house by house and digit by digit. Without a contradiction `singles` holds
// the hidden singles.
Contradiction FindContradiction(const TrialBoard& b, Singles& singles) {
  if (!b.stuck.Empty()) return {Contradiction::kNoCandidate, b.stuck.First(), 0};
  for (int h = 0; h < 27; ++h) {
    const auto& cells = CellsOfHouse(h);
    const HouseTally t = TallyHouse(b, h);
    const int once = t.once, twice = t.twice, aloneTwice = t.aloneTwice, open = t.open;
    const int nowhere = open & ~once;
    if (const int bad = nowhere | (aloneTwice & open); bad != 0) {
      const int bit = LowestBit(bad);
      return {(bit & nowhere) ? Contradiction::kBadHouse : Contradiction::kHouseSingles, h, MaskDigit(bit)};
    }
    for (int rest = once & ~twice & open; rest != 0; rest &= rest - 1) {
      const int bit = LowestBit(rest);
      for (int c : cells) {
        if (b.cand[c] & bit) {
          singles.Set(c, MaskDigit(bit));
          break;
        }
      }
    }
  }
  return {};
}

struct Placement {
  int cell, digit;
};

// The chain's text: one "depth,cell,digit" line per placement, then the
// line that names the contradiction.
void WriteChain(const TrialBoard& b, const Placement* path, int depth, const Contradiction& end,
                StepText& text) {
  for (int i = 0; i < depth; ++i) text << i + 1 << ',' << path[i].cell << ',' << path[i].digit << "\r\n";
  switch (end.kind) {
    case Contradiction::kNoCandidate:
      text << "DONE: NOCAND " << end.where;
      break;
    case Contradiction::kBadHouse:
      text << "DONE: BADHOUSE " << end.where << ',' << end.digit;
      break;
    case Contradiction::kHouseSingles:
      text << "DONE: HOUSESINGLES " << end.where << ',' << end.digit;
      for (int c : CellsOfHouse(end.where)) {
        if (b.cand[c] == DigitBit(end.digit)) text << ',' << c;
      }
      break;
    case Contradiction::kNone:
      break;
  }
}

struct Propagation {
  int maxDepth;
  bool sameDigitOnly;
  StepText& text;  // receives the chain when one is found
  std::array<Placement, 82> path{};
  int chainLength = 0;  // placements of the chain found

  // Places the digit on a copy of `parent` and follows its singles; true
  // when a contradiction was reached, with the chain appended to `text`.
  bool Follow(const TrialBoard& parent, int cell, int digit, int depth) {
    if (depth > maxDepth && maxDepth >= 1) return false;
    TrialBoard board = parent;
    board.Place(cell, digit);
    path[depth - 1] = {cell, digit};

    Singles singles;
    if (const Contradiction end = FindContradiction(board, singles); end.kind != Contradiction::kNone) {
      WriteChain(board, path.data(), depth, end, text);
      chainLength = depth;
      return true;
    }
    if (singles.cells.Empty() || depth == maxDepth) return false;  // deeper calls would stop at once
    return singles.cells.AnyOf([&](int c) {
      const int d = singles.digit[c];
      return (!sameDigitOnly || d == digit) && Follow(board, c, d, depth + 1);
    });
  }
};

// One level of LevelsContradict: true on a contradiction of any kind
// FindContradiction knows; else every hidden single of the digits `only`
// allows goes to `next`, with per cell the digits its houses give it (two
// when two houses disagree).
bool ScanLevel(const TrialBoard& b, int only, CellSet& next, std::array<std::uint16_t, 81>& digits) {
  if (!b.stuck.Empty()) return true;
  for (int h = 0; h < 27; ++h) {
    const auto& cells = CellsOfHouse(h);
    const HouseTally t = TallyHouse(b, h);
    const int once = t.once, twice = t.twice, aloneTwice = t.aloneTwice, open = t.open;
    if (((open & ~once) | (aloneTwice & open)) != 0) return true;
    for (int lone = once & ~twice & open & only; lone != 0; lone &= lone - 1) {
      const int bit = LowestBit(lone);
      for (int c : cells) {
        if (!(b.cand[c] & bit)) continue;
        if (!next.Has(c)) digits[c] = 0;
        digits[c] = static_cast<std::uint16_t>(digits[c] | bit);
        next.Add(c);
        break;
      }
    }
  }
  return false;
}

// Whether placing the digit and then, level by level, every hidden single
// the level before forces (of that digit alone with sameDigitOnly) runs into
// a contradiction within maxDepth placements, a placement that is no longer
// possible counting as one. Every walk of Follow places a subset of one
// level's placements at each depth, and placing more only keeps a
// contradiction (an emptied cell is filled only by a digit some other
// placement took from it), so a try this clears has no chain: most tries
// pay these few house scans instead of Follow's walk over every path.
bool LevelsContradict(const TrialBoard& root, int cell, int digit, int maxDepth, bool sameDigitOnly) {
  TrialBoard board = root;
  board.Place(cell, digit);
  const int only = sameDigitOnly ? DigitBit(digit) : kAllDigits;
  std::array<std::uint16_t, 81> digits;
  for (int depth = 1;; ++depth) {
    CellSet next;
    if (ScanLevel(board, depth == maxDepth ? 0 : only, next, digits)) return true;
    if (next.Empty()) return false;
    const bool clash = next.AnyOf([&](int c) {
      const int bit = digits[c];
      if ((bit & (bit - 1)) != 0 || !(board.cand[c] & bit)) return true;
      board.Place(c, MaskDigit(bit));
      return false;
    });
    if (clash) return true;
  }
}

// What the walks learnt on one grid. The trial board and the solution
// depend on the grid alone (the state's own removals only pick and order the
// tries), so on the same grid a try that gave no chain gives none again: a
// solve that only removes candidates between two asks walks only the tries
// it has not walked yet. Kept per thread for the last grid.
struct GridMemory {
  std::array<std::uint8_t, 81> grid{};
  std::array<std::uint8_t, 81> solution{};  // the grid itself without one solution
  std::array<std::uint8_t, 729> noChain{};  // per try: bit 0 Type 1, bit 1 Type 2
  bool known = false;

  static GridMemory& Of(const PuzzleState& s) {
    thread_local GridMemory memory;
    if (!memory.known || memory.grid != s.Grid) {
      // A grid of fewer than 17 digits counts as one without a unique
      // solution, as the validation of a puzzle has it.
      const int filled =
          static_cast<int>(std::count_if(s.Grid.begin(), s.Grid.end(), [](int v) { return v != 0; }));
      const SolutionGrid* solution = filled >= 17 ? UniqueSolution(s) : nullptr;
      memory.grid = s.Grid;
      memory.solution = solution ? *solution : s.Grid;
      memory.noChain.fill(0);
      memory.known = true;
    }
    return memory;
  }
};

void BuildTries(const PuzzleState& s, const GridMemory& memory, ChainTries& tries) {
  tries.count = 0;
  for (int n = 2; n <= 9; ++n) {
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] != 0 || s.CandCount[c] != n) continue;
      for (int d = 1; d <= 9; ++d) {
        if (s.Cand(c, d) && memory.solution[c] != d) {
          tries.list[tries.count++] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d)};
        }
      }
    }
  }
  tries.built = true;
}

bool FindForcingChain(const PuzzleState& s, StepRecord& step, ChainTries& tries, TechniqueId technique,
                      int maxDepth, bool sameDigitOnly) {
  GridMemory& memory = GridMemory::Of(s);
  if (!tries.built) BuildTries(s, memory, tries);
  const TrialBoard board = TrialBoard::FromGrid(s);
  const int typeBit = sameDigitOnly ? 1 : 2;
  StepText text;
  StartTrace(text, technique);
  text << "\r\n";
  Propagation propagation{maxDepth, sameDigitOnly, text};
  for (int i = 0; i < tries.count; ++i) {
    const int cell = tries.list[i].cell, digit = tries.list[i].digit;
    std::uint8_t& noChain = memory.noChain[static_cast<std::size_t>(cell * 9 + digit - 1)];
    if (noChain & typeBit) continue;
    if (!LevelsContradict(board, cell, digit, maxDepth, sameDigitOnly) ||
        !propagation.Follow(board, cell, digit, 1)) {
      noChain = static_cast<std::uint8_t>(noChain | typeBit);
      continue;
    }
    step.SetEliminate(cell, digit);
    step.Kind = kEliminate;
    step.Technique = technique;
    step.Text = text;
    for (int n = 0; n < propagation.chainLength; ++n)
      AddNode(step.Meaning, propagation.path[n].cell, propagation.path[n].digit, LinkKind::Forces);
    step.Meaning.DigitMask = s.CandMask[cell];
    step.Digits.Clear();
    int listed = 0;
    for (int d = 1; d <= 9; ++d) {
      if (!s.Cand(cell, d)) continue;
      if (listed == 1) step.Digits << " or ";
      if (listed >= 2) step.Digits << ", ";
      step.Digits << d;
      ++listed;
    }
    return true;
  }
  return false;
}

}  // namespace

bool FindForcingChainType1(const PuzzleState& s, StepRecord& step, ChainTries& tries) {
  tries.built = false;  // a new list for every state that reaches this rung
  return FindForcingChain(s, step, tries, TechniqueId::ForcingChain1, 2, true);
}

bool FindForcingChainType2(const PuzzleState& s, StepRecord& step, ChainTries& tries) {
  return FindForcingChain(s, step, tries, TechniqueId::ForcingChain2, 3, false);
}

}  // namespace tavimoro::steps
