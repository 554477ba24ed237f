// A digit-by-band bitboard solver. The grid is split into three bands of
// three rows; for every digit and band one 27-bit word holds the cells where
// the digit may still go:
//
//   bit 9 * r + c  =  row r (0..2) of the band, column c (0..8)
//
//   band 0: cells  0..26    band 1: cells 27..53    band 2: cells 54..80
//
// Inside a band a digit occupies exactly one cell of each row and of each
// block, so its three cells fill a permutation pattern of the nine
// (row, block) segments. A 512-entry table keeps only the segments that lie
// on some surviving pattern; that one lookup does all locked-candidate
// reasoning of the band, and the same table does it for the stacks of three
// columns. Rows reduced to one cell and cells with one digit left are placed;
// the search then branches on a cell with two candidates. The board is a few
// hundred bytes, so a branch copies it instead of undoing moves. (Looking for
// columns with one cell left as well made the whole search slower.)
#include "engine/band_solver.h"

#include <bit>

namespace tavimoro::detail {
namespace {

constexpr std::uint32_t kBandAll = 0x7FFFFFF;
constexpr std::uint32_t kColumn = 0x40201;      // column 0 in all three rows
constexpr std::uint32_t kBlockCols = 0x1C0E07;  // columns 0..2 in all three rows

struct BandTables {
  std::array<std::uint8_t, 512> rowSegments{};  // 9-bit row -> which of its 3 segments are occupied
  std::array<std::uint16_t, 512> shrink{};      // occupied segments -> segments on a surviving pattern
  std::array<std::uint32_t, 512> expand{};      // segments -> their cells
  std::array<std::uint32_t, 27> peers{};        // the cell's row, column and block inside the band
};

constexpr BandTables BuildBandTables() {
  BandTables t;
  for (int row = 0; row < 512; ++row) {
    for (int k = 0; k < 3; ++k) {
      if (row & (7 << (3 * k))) t.rowSegments[row] |= static_cast<std::uint8_t>(1 << k);
    }
  }
  constexpr int kPermutations[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (int segs = 0; segs < 512; ++segs) {
    for (const auto& perm : kPermutations) {
      int pattern = 0;
      for (int r = 0; r < 3; ++r) pattern |= 1 << (3 * r + perm[r]);
      if ((pattern & ~segs) == 0) t.shrink[segs] |= static_cast<std::uint16_t>(pattern);
    }
    for (int s = 0; s < 9; ++s) {
      if (segs & (1 << s)) t.expand[segs] |= 7u << (9 * (s / 3) + 3 * (s % 3));
    }
  }
  for (int idx = 0; idx < 27; ++idx) {
    const int r = idx / 9, c = idx % 9;
    t.peers[idx] = (0x1FFu << (9 * r)) | (kColumn << c) | (kBlockCols << (3 * (c / 3)));
  }
  return t;
}

constexpr BandTables kBand = BuildBandTables();

struct Board {
  std::uint32_t pos[9][3];  // digit 0..8, band -> cells where the digit may go
  std::uint32_t unsolved[3];
  std::uint32_t checked[9][3];  // pos as last reduced; equal means nothing new to learn
};

constexpr long kNodesBeforeMatching = 256;

struct Search {
  int solutions = 0;
  long nodes = 0;
  std::array<std::uint8_t, 81>* first = nullptr;
};

// Puts digit d in cell idx of band b: clears the cell's peers for d and the
// cell for every other digit. False when d can no longer go there.
bool Place(Board& bd, int d, int b, int idx) {
  const std::uint32_t bit = 1u << idx;
  if (!(bd.pos[d][b] & bit)) return false;
  for (auto& digit : bd.pos) digit[b] &= ~bit;
  bd.pos[d][b] = (bd.pos[d][b] & ~kBand.peers[idx]) | bit;
  const std::uint32_t column = kColumn << (idx % 9);
  bd.pos[d][b == 0 ? 1 : 0] &= ~column;
  bd.pos[d][b == 2 ? 1 : 2] &= ~column;
  bd.unsolved[b] &= ~bit;
  return true;
}

// Band reduction and row singles for digit d in band b. False on a
// contradiction.
bool ReduceBand(Board& bd, int d, int b) {
  std::uint32_t w = bd.pos[d][b];
  const int segs = kBand.rowSegments[w & 0x1FF] | (kBand.rowSegments[(w >> 9) & 0x1FF] << 3) |
                   (kBand.rowSegments[w >> 18] << 6);
  const int keep = kBand.shrink[segs];
  if (keep == 0) return false;
  w &= kBand.expand[keep];
  bd.pos[d][b] = w;
  bd.checked[d][b] = w;
  std::uint32_t singles = 0;
  for (int r = 0; r < 3; ++r) {
    const std::uint32_t row = w & (0x1FFu << (9 * r));
    if ((row & (row - 1)) == 0) singles |= row;
  }
  singles &= bd.unsolved[b];
  while (singles) {
    if (!Place(bd, d, b, std::countr_zero(singles))) return false;
    singles &= singles - 1;
  }
  return true;
}

// The same reasoning along the stacks: in each stack of three columns the
// digit takes one column per band and one band per column, so the (band,
// column) segments it occupies must lie on a permutation pattern too.
bool ReduceStacks(Board& bd, int d) {
  int folded[3];
  for (int b = 0; b < 3; ++b) {
    const std::uint32_t w = bd.pos[d][b];
    folded[b] = static_cast<int>((w | (w >> 9) | (w >> 18)) & 0x1FF);
  }
  int allowed[3] = {0, 0, 0};
  for (int stack = 0; stack < 3; ++stack) {
    const int shift = 3 * stack;
    const int segs =
        ((folded[0] >> shift) & 7) | (((folded[1] >> shift) & 7) << 3) | (((folded[2] >> shift) & 7) << 6);
    const int keep = kBand.shrink[segs];
    if (keep == 0) return false;
    for (int b = 0; b < 3; ++b) allowed[b] |= ((keep >> (3 * b)) & 7) << shift;
  }
  for (int b = 0; b < 3; ++b) bd.pos[d][b] &= static_cast<std::uint32_t>(allowed[b]) * kColumn;
  return true;
}

// Cells with one digit left are placed; a cell with none is a contradiction.
// Sets progress when something was placed.
bool NakedSingles(Board& bd, bool& progress) {
  for (int b = 0; b < 3; ++b) {
    std::uint32_t once = 0, twice = 0;
    for (const auto& digit : bd.pos) {
      twice |= once & digit[b];
      once |= digit[b];
    }
    if (bd.unsolved[b] & ~once) return false;
    std::uint32_t single = bd.unsolved[b] & ~twice;
    while (single) {
      const int idx = std::countr_zero(single);
      single &= single - 1;
      int d = 0;
      while (d < 9 && !(bd.pos[d][b] & (1u << idx))) ++d;
      if (d == 9 || !Place(bd, d, b, idx)) return false;
      progress = true;
    }
  }
  return true;
}

bool Propagate(Board& bd) {
  for (;;) {
    bool progress = false;
    for (int d = 0; d < 9; ++d) {
      bool changed = false;
      for (int b = 0; b < 3; ++b) {
        if (bd.pos[d][b] == bd.checked[d][b]) continue;
        if (!ReduceBand(bd, d, b)) return false;
        changed = true;
      }
      if (changed) {
        if (!ReduceStacks(bd, d)) return false;
        progress = true;
      }
    }
    if (!NakedSingles(bd, progress)) return false;
    if (!progress) return true;
  }
}

// Kuhn's augmenting-path step: finds digit d a place among the positions
// not yet visited, moving digits already placed along the way.
bool Augment(const std::array<std::uint16_t, 9>& where, std::array<int, 9>& digitAt, int& visited, int d) {
  for (int free = where[d] & ~visited; free; free &= free - 1) {
    const int p = std::countr_zero(static_cast<unsigned>(free));
    visited |= 1 << p;
    if (digitAt[p] < 0 || Augment(where, digitAt, visited, digitAt[p])) {
      digitAt[p] = d;
      return true;
    }
  }
  return false;
}

// True when the nine digits can take the nine cells of the house, one each.
// This sees k digits left with fewer than k cells, or k cells with fewer
// than k digits, at any size, which the per-digit reasoning above misses.
bool HouseMatches(const std::array<std::uint16_t, 9>& where) {
  std::array<int, 9> digitAt;
  digitAt.fill(-1);
  for (int d = 0; d < 9; ++d) {
    int visited = 0;
    if (!Augment(where, digitAt, visited, d)) return false;
  }
  return true;
}

// Every row, column and block must have such a matching. A search whose
// contradiction lies in a region it branches on last would otherwise walk
// the rest of a sparse grid exhaustively before finding it (minutes, for a
// few givens that leave four digits three cells in one row).
bool AllHousesMatch(const Board& bd) {
  std::array<std::uint16_t, 9> where;
  for (int b = 0; b < 3; ++b) {
    for (int r = 0; r < 3; ++r) {
      for (int d = 0; d < 9; ++d) where[d] = static_cast<std::uint16_t>((bd.pos[d][b] >> (9 * r)) & 0x1FF);
      if (!HouseMatches(where)) return false;
    }
    for (int s = 0; s < 3; ++s) {
      for (int d = 0; d < 9; ++d) {
        const std::uint32_t w = bd.pos[d][b] >> (3 * s);
        where[d] = static_cast<std::uint16_t>((w & 7) | ((w >> 6) & 0x38) | ((w >> 12) & 0x1C0));
      }
      if (!HouseMatches(where)) return false;
    }
  }
  for (int c = 0; c < 9; ++c) {
    for (int d = 0; d < 9; ++d) {
      int bits = 0;
      for (int b = 0; b < 3; ++b) {
        const std::uint32_t w = bd.pos[d][b] >> c;
        bits |= static_cast<int>((w & 1) | ((w >> 8) & 2) | ((w >> 16) & 4)) << (3 * b);
      }
      where[d] = static_cast<std::uint16_t>(bits);
    }
    if (!HouseMatches(where)) return false;
  }
  return true;
}

void Record(const Board& bd, std::array<std::uint8_t, 81>& grid) {
  for (int d = 0; d < 9; ++d) {
    for (int b = 0; b < 3; ++b) {
      for (std::uint32_t w = bd.pos[d][b]; w; w &= w - 1) {
        grid[27 * b + std::countr_zero(w)] = static_cast<std::uint8_t>(d + 1);
      }
    }
  }
}

// The unsolved cell to branch on: the first with two candidates, else the
// one with the fewest. Returns false when every cell is solved.
bool ChooseCell(const Board& bd, int& band, int& idx) {
  int bestCount = 10;
  for (int b = 0; b < 3; ++b) {
    std::uint32_t once = 0, twice = 0, thrice = 0;
    for (const auto& digit : bd.pos) {
      thrice |= twice & digit[b];
      twice |= once & digit[b];
      once |= digit[b];
    }
    const std::uint32_t pairs = bd.unsolved[b] & twice & ~thrice;
    if (pairs) {
      band = b;
      idx = std::countr_zero(pairs);
      return true;
    }
    for (std::uint32_t rest = bd.unsolved[b]; rest; rest &= rest - 1) {
      const int i = std::countr_zero(rest);
      int count = 0;
      for (const auto& digit : bd.pos) count += (digit[b] >> i) & 1;
      if (count < bestCount) {
        bestCount = count;
        band = b;
        idx = i;
      }
    }
  }
  return bestCount < 10;
}

void Solve(Board& bd, Search& search) {
  if (!Propagate(bd)) return;
  // Most searches end within a few dozen nodes, where the matching test
  // would only cost time; it guards the long ones.
  if (++search.nodes > kNodesBeforeMatching && !AllHousesMatch(bd)) return;
  int b = 0, idx = 0;
  if (!ChooseCell(bd, b, idx)) {
    if (++search.solutions == 1) Record(bd, *search.first);
    return;
  }
  int digits[9], n = 0;
  for (int d = 0; d < 9; ++d) {
    if (bd.pos[d][b] & (1u << idx)) digits[n++] = d;
  }
  for (int k = 0; k < n && search.solutions < 2; ++k) {
    if (k + 1 == n) {
      if (Place(bd, digits[k], b, idx)) Solve(bd, search);
    } else {
      Board child = bd;
      if (Place(child, digits[k], b, idx)) Solve(child, search);
    }
  }
}

}  // namespace

int CountSolutionsUpToTwo(const std::array<std::uint8_t, 81>& givens,
                          std::array<std::uint8_t, 81>& solution) {
  Board bd;
  for (int d = 0; d < 9; ++d) {
    for (int b = 0; b < 3; ++b) {
      bd.pos[d][b] = kBandAll;
      bd.checked[d][b] = ~0u;
    }
  }
  for (auto& u : bd.unsolved) u = kBandAll;
  for (int c = 0; c < 81; ++c) {
    const int d = givens[c];
    if (d >= 1 && d <= 9 && !Place(bd, d - 1, c / 27, c % 27)) return 0;
  }
  Search search;
  search.first = &solution;
  Solve(bd, search);
  return search.solutions;
}

}  // namespace tavimoro::detail
