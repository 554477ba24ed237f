// Almost locked sets joined by restricted common candidates: a digit x that
// two sets hold only in cells that all see each other, so at most one of the
// sets holds x, and the other is then locked on its remaining digits.
//
// ALS-XZ: sets A and B with a restricted common x; every other common digit
// z is in A or in B, so z goes from every cell that sees all of both sets' z
// cells. With two restricted digits the pair is doubly linked and removes
// more (FindAlsXZ). ALS-XY-Wing: a pivot set C restricted to A by x and to B by y
// (x <> y); C holds x or y, so A or B is locked and holds z. Death Blossom:
// a stem cell whose every candidate d sees all the d cells of one petal set;
// whichever digit the stem takes locks one petal, and z, common to all
// petals, lands in one of them.
//
// The sets are collected into a table on the heap; the searches walk it by
// index in collection order. A solve asks the three finders one after another
// at the same position, so the last table is kept on the thread for the
// same candidates, with the pairs of sets that share a restricted digit once
// one finder has listed them.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/steps/als_sets.h"
#include "engine/steps/chain_record.h"
#include "engine/steps/chain_steps.h"
#include "engine/steps/current_position.h"
#include "engine/steps/step_text.h"

namespace tavimoro::steps {
namespace {

constexpr int kMaxAlsSize = 5;

// Digits x that A and B hold only in cells that all see each other.
int RestrictedCommons(const AlmostLockedSet& a, const AlmostLockedSet& b) {
  int rcc = 0;
  for (int common = a.digits & b.digits; common != 0; common &= common - 1) {
    const int d = MaskDigit(LowestBit(common));
    if (b.digitCells[d - 1].SubsetOf(a.digitPeers[d - 1])) rcc |= DigitBit(d);
  }
  return rcc;
}

// The sets of one position and the pairs of disjoint sets that share a
// restricted common digit, with those digits. ALS-XZ walks the pairs (i, j)
// with i < j, row i by row i, and stops at its first step; ALS-XY-Wing needs
// every set's partners on both sides. Rows are worked out as they are first
// asked for, and the two-sided lists from the finished rows.
struct AlsPosition {
  std::uint64_t position = 0;  // PositionNow's number of the position listed
  AlsTable table;
  struct Link {
    std::int16_t set;
    std::uint16_t rcc;
  };
  std::vector<Link> pairs;     // row i: the partners j > i, ascending
  std::vector<int> rowStart;   // row i: pairs[rowStart[i], rowStart[i + 1])
  int rows = 0;                // rows worked out
  std::vector<Link> links;     // every partner of set i, ascending:
  std::vector<int> linkStart;  // links[linkStart[i], linkStart[i + 1])
  bool linked = false;
  std::vector<Link> overlaps;     // partners sharing cells, set i's at
  std::vector<int> overlapStart;  // overlaps[overlapStart[i], overlapStart[i + 1])
  bool overlapsListed = false;
  std::vector<int> fill;  // scratch

  // Per set, the cells that see all of its cells of some digit: a set
  // restricted to it has a cell there.
  std::array<CellBits, AlsTable::kCapacity> reach;

  void Reset() {
    for (int i = 0; i < table.count; ++i) {
      reach[i] = {};
      for (const CellBits& peers : table.sets[i].digitPeers) reach[i] = reach[i] | peers;
    }
    pairs.clear();
    rowStart.assign(1, 0);
    rows = 0;
    linked = false;
    overlapsListed = false;
  }

  // The pairs (i, j > i), working out the rows up to i first.
  std::span<const Link> Row(int i) {
    for (; rows <= i; ++rows) {
      const AlmostLockedSet& a = table.sets[rows];
      for (int j = rows + 1; j < table.count; ++j) {
        const AlmostLockedSet& b = table.sets[j];
        if (!(a.digits & b.digits) || a.cells.Meets(b.cells) || !b.cells.Meets(reach[rows])) continue;
        if (const int rcc = RestrictedCommons(a, b))
          pairs.push_back({static_cast<std::int16_t>(j), static_cast<std::uint16_t>(rcc)});
      }
      rowStart.push_back(static_cast<int>(pairs.size()));
    }
    return std::span(pairs).subspan(static_cast<std::size_t>(rowStart[i]),
                                    static_cast<std::size_t>(rowStart[i + 1] - rowStart[i]));
  }

  // Every partner of set i, ascending.
  std::span<const Link> Partners(int i) {
    if (!linked) LinkBothWays();
    return std::span(links).subspan(static_cast<std::size_t>(linkStart[i]),
                                    static_cast<std::size_t>(linkStart[i + 1] - linkStart[i]));
  }

  // The partners of set i that share cells with it, ascending. A restricted
  // digit never lies in the shared cells: a cell of both sets would have to
  // lie outside one of them.
  std::span<const Link> OverlappingPartners(int i) {
    if (!overlapsListed) ListOverlaps();
    return std::span(overlaps).subspan(static_cast<std::size_t>(overlapStart[i]),
                                       static_cast<std::size_t>(overlapStart[i + 1] - overlapStart[i]));
  }

 private:
  void LinkBothWays() {
    if (table.count > 0) Row(table.count - 1);
    linkStart.assign(static_cast<std::size_t>(table.count) + 1, 0);
    for (int i = 0; i < table.count; ++i) {
      for (int p = rowStart[i]; p < rowStart[i + 1]; ++p) {
        ++linkStart[i + 1];
        ++linkStart[pairs[static_cast<std::size_t>(p)].set + 1];
      }
    }
    for (int i = 0; i < table.count; ++i) linkStart[i + 1] += linkStart[i];
    links.resize(static_cast<std::size_t>(linkStart[table.count]));
    fill.assign(linkStart.begin(), linkStart.end() - 1);
    // Set j meets its partners below it while i climbs to j, then its own
    // row: every list comes out ascending.
    for (int i = 0; i < table.count; ++i) {
      for (int p = rowStart[i]; p < rowStart[i + 1]; ++p) {
        const Link& link = pairs[static_cast<std::size_t>(p)];
        links[static_cast<std::size_t>(fill[i]++)] = link;
        links[static_cast<std::size_t>(fill[link.set]++)] = {static_cast<std::int16_t>(i), link.rcc};
      }
    }
    linked = true;
  }

  void ListOverlaps() {
    overlaps.clear();
    overlapStart.assign(1, 0);
    for (int i = 0; i < table.count; ++i) {
      const AlmostLockedSet& a = table.sets[i];
      for (int j = 0; j < table.count; ++j) {
        const AlmostLockedSet& b = table.sets[j];
        if (j == i || !(a.digits & b.digits) || !a.cells.Meets(b.cells) || !b.cells.Meets(reach[i])) continue;
        if (const int rcc = RestrictedCommons(a, b))
          overlaps.push_back({static_cast<std::int16_t>(j), static_cast<std::uint16_t>(rcc)});
      }
      overlapStart.push_back(static_cast<int>(overlaps.size()));
    }
    overlapsListed = true;
  }
};

AlsPosition& PositionOf(const PuzzleState& s) {
  thread_local std::unique_ptr<AlsPosition> kept;
  const std::uint64_t now = PositionNow(s).number;
  if (!kept || kept->position != now) {
    if (!kept) kept = std::make_unique<AlsPosition>();
    CollectAlmostLockedSets(s, 1, kMaxAlsSize, kept->table);
    kept->position = now;
    kept->Reset();
  }
  return *kept;
}

struct Candidates {
  std::array<CellBits, 9> cells{};  // [digit - 1]
  explicit Candidates(const PuzzleState& s) {
    for (int c = 0; c < 81; ++c)
      for (int d = 1; d <= 9; ++d)
        if (s.Grid[c] == 0 && s.Cand(c, d)) cells[d - 1].Add(c);
  }
};

// Cells outside both sets holding z that see all of both sets' z cells.
CellBits CommonVictims(const Candidates& cand, const AlmostLockedSet& a, const AlmostLockedSet& b, int z) {
  return cand.cells[z - 1] & a.digitPeers[z - 1] & b.digitPeers[z - 1];
}

ChainDraft::Piece PieceOf(const AlmostLockedSet& set, int d) { return {d, set.digitCells[d - 1]}; }

}  // namespace

bool FindAlsXZ(const PuzzleState& s, StepRecord& step) {
  AlsPosition& position = PositionOf(s);
  const AlsTable* table = &position.table;
  const Candidates cand(s);
  for (int i = 0; i < table->count; ++i) {
    const AlmostLockedSet& a = table->sets[i];
    for (const AlsPosition::Link& link : position.Row(i)) {
      const AlmostLockedSet& b = table->sets[link.set];
      const int rcc = link.rcc;
      const int x = MaskDigit(LowestBit(rcc));
      EliminationMasks victims{};
      bool any = false;
      int firstZ = 0;  // the common digit the chain is drawn with
      const auto take = [&](const CellBits& cells, int d) {
        cells.ForEach([&](int c) {
          victims[c] |= static_cast<std::uint16_t>(DigitBit(d));
          any = true;
          if (!firstZ && (a.digits & b.digits & DigitBit(d)) && d != x) firstZ = d;
        });
      };
      for (int z = 1; z <= 9; ++z) {
        if (z == x || !(a.digits & b.digits & DigitBit(z))) continue;
        if (rcc & DigitBit(z)) continue;  // a second restricted digit: see below
        take(CommonVictims(cand, a, b, z), z);
      }
      if (BitCount(rcc) == 2) {
        // Doubly linked: each set lacks exactly one of the two restricted
        // digits, so both are in the pair of sets and every other digit of
        // either set is locked in it.
        for (int d = 1; d <= 9; ++d) {
          if (rcc & DigitBit(d)) {
            take(CommonVictims(cand, a, b, d), d);
            continue;
          }
          if (a.digits & DigitBit(d)) take(cand.cells[d - 1] & a.digitPeers[d - 1].Without(b.cells), d);
          if (b.digits & DigitBit(d)) take(cand.cells[d - 1] & b.digitPeers[d - 1].Without(a.cells), d);
        }
      }
      if (!any) continue;
      if (BitCount(rcc) == 2) firstZ = MaskDigit(rcc & ~DigitBit(x));
      ChainDraft draft;
      draft.nodeCount = 4;
      draft.nodes = {PieceOf(a, firstZ), PieceOf(a, x), PieceOf(b, x), PieceOf(b, firstZ)};
      draft.strong = {true, false, true};
      draft.linkAls = {static_cast<std::int8_t>(draft.UseAls(&a)), -1,
                       static_cast<std::int8_t>(draft.UseAls(&b))};
      WriteChainStep(draft, victims, -1, 0, TechniqueId::AlsXZ, step);
      return true;
    }
  }
  return false;
}

namespace {

// The wings around pivot set k whose partners are taken from `wings`; with
// `overlapping`, only those where some two of the three sets share cells.
// A shared cell changes nothing in the argument: C still holds x or y, the
// set it is restricted to by that digit still loses it and is locked, and
// z, held by A and by B, lands in one of them. Only a victim must lie
// outside both A and B.
bool FindWingAround(const AlsTable& table, int k, std::span<const AlsPosition::Link> wings, bool overlapping,
                    const Candidates& cand, StepRecord& step) {
  const AlmostLockedSet& c = table.sets[k];
  const int n = static_cast<int>(wings.size());
  for (int p = 0; p < n; ++p) {
    const AlmostLockedSet& a = table.sets[wings[p].set];
    for (int q = p + 1; q < n; ++q) {
      const AlmostLockedSet& b = table.sets[wings[q].set];
      // Without a common digit there is no z (the cheap test first).
      if (!(a.digits & b.digits)) continue;
      const bool shared = a.cells.Meets(b.cells) || a.cells.Meets(c.cells) || b.cells.Meets(c.cells);
      if (shared != overlapping) continue;
      // x restricts A to C, y restricts B to C; take the first distinct pair.
      int x = 0, y = 0;
      for (int dx = 1; dx <= 9 && !x; ++dx) {
        if (!(wings[p].rcc & DigitBit(dx))) continue;
        const int others = wings[q].rcc & ~DigitBit(dx);
        if (others) x = dx, y = MaskDigit(LowestBit(others));
      }
      if (!x) continue;
      EliminationMasks victims{};
      int firstZ = 0;
      for (int z = 1; z <= 9; ++z) {
        if (z == x || z == y || !(a.digits & b.digits & DigitBit(z))) continue;
        CommonVictims(cand, a, b, z).Without(a.cells | b.cells).ForEach([&](int cell) {
          victims[cell] |= static_cast<std::uint16_t>(DigitBit(z));
          if (!firstZ) firstZ = z;
        });
      }
      if (!firstZ) continue;
      ChainDraft draft;
      draft.nodeCount = 6;
      draft.nodes = {PieceOf(a, firstZ), PieceOf(a, x), PieceOf(c, x),
                     PieceOf(c, y),      PieceOf(b, y), PieceOf(b, firstZ)};
      draft.strong = {true, false, true, false, true};
      const auto ia = static_cast<std::int8_t>(draft.UseAls(&a));
      const auto ic = static_cast<std::int8_t>(draft.UseAls(&c));
      const auto ib = static_cast<std::int8_t>(draft.UseAls(&b));
      draft.linkAls = {ia, -1, ic, -1, ib};
      WriteChainStep(draft, victims, -1, 0, TechniqueId::AlsXYWing, step);
      return true;
    }
  }
  return false;
}

}  // namespace

// Wings of three disjoint sets first; only where there is none, wings
// whose sets share cells.
bool FindAlsXYWing(const PuzzleState& s, StepRecord& step) {
  AlsPosition& position = PositionOf(s);
  const AlsTable& table = position.table;
  const Candidates cand(s);
  for (int k = 0; k < table.count; ++k)
    if (FindWingAround(table, k, position.Partners(k), false, cand, step)) return true;
  std::vector<AlsPosition::Link> wings;
  for (int k = 0; k < table.count; ++k) {
    const std::span<const AlsPosition::Link> disjoint = position.Partners(k);
    const std::span<const AlsPosition::Link> overlapping = position.OverlappingPartners(k);
    if (overlapping.empty()) continue;
    wings.assign(disjoint.begin(), disjoint.end());
    wings.insert(wings.end(), overlapping.begin(), overlapping.end());
    if (FindWingAround(table, k, wings, true, cand, step)) return true;
  }
  return false;
}

namespace {

// Picks one petal per stem digit, depth first, keeping the cells that see
// every chosen petal's z cells; stops at the first choice that leaves some.
struct Blossom {
  const AlsTable& table;
  static constexpr int kMaxPetals = 48;
  std::array<std::array<int, kMaxPetals>, 9> petals{};
  std::array<int, 9> petalCount{};
  std::array<int, 9> stemDigits{};
  int digitCount = 0;
  int z = 0;
  std::array<int, 9> chosen{};

  bool Choose(int k, const CellBits& victims, CellBits& result) {
    if (victims.Empty()) return false;
    if (k == digitCount) {
      result = victims;
      return true;
    }
    for (int i = 0; i < petalCount[k]; ++i) {
      chosen[k] = petals[k][i];
      if (Choose(k + 1, victims & table.sets[chosen[k]].digitPeers[z - 1], result)) return true;
    }
    return false;
  }
};

}  // namespace

bool FindDeathBlossom(const PuzzleState& s, StepRecord& step) {
  const AlsTable* table = &PositionOf(s).table;
  const Candidates cand(s);
  // Per set, the stem digits whose cells in it all see the stem: a set
  // can be that digit's petal for any z it holds.
  std::array<std::uint16_t, AlsTable::kCapacity> seen{};
  for (int stem = 0; stem < 81; ++stem) {
    if (s.Grid[stem] != 0 || s.CandCount[stem] < 2 || s.CandCount[stem] > 3) continue;
    int seenAny = 0;
    for (int i = 0; i < table->count; ++i) {
      const AlmostLockedSet& a = table->sets[i];
      seen[i] = 0;
      if (a.cells.Has(stem)) continue;
      for (int both = a.digits & s.CandMask[stem]; both != 0; both &= both - 1) {
        const int d = MaskDigit(LowestBit(both));
        if (a.digitCells[d - 1].SubsetOf(kPeerBits[stem])) seen[i] |= static_cast<std::uint16_t>(DigitBit(d));
      }
      seenAny |= seen[i];
    }
    if ((seenAny & s.CandMask[stem]) != s.CandMask[stem]) continue;  // a digit without any petal
    for (int z = 1; z <= 9; ++z) {
      if (s.Cand(stem, z)) continue;
      Blossom bloom{*table};
      bloom.z = z;
      bool everyDigit = true;
      for (int d = 1; d <= 9 && everyDigit; ++d) {
        if (!s.Cand(stem, d)) continue;
        const int k = bloom.digitCount++;
        bloom.stemDigits[k] = d;
        for (int i = 0; i < table->count && bloom.petalCount[k] < Blossom::kMaxPetals; ++i) {
          if ((seen[i] & DigitBit(d)) && (table->sets[i].digits & DigitBit(z)))
            bloom.petals[k][bloom.petalCount[k]++] = i;
        }
        everyDigit = bloom.petalCount[k] > 0;
      }
      if (!everyDigit) continue;
      CellBits victims;
      if (!bloom.Choose(0, cand.cells[z - 1], victims)) continue;

      EliminationMasks masks{};
      victims.ForEach([&](int c) { masks[c] = static_cast<std::uint16_t>(DigitBit(z)); });
      // The stem's links read as short chains: stem digit d, then the petal
      // that holds d, then z in that petal.
      ChainDraft draft;
      CellBits stemCell;
      stemCell.Add(stem);
      for (int k = 0; k < bloom.digitCount; ++k) {
        const AlmostLockedSet& petal = table->sets[bloom.chosen[k]];
        const int d = bloom.stemDigits[k];
        const int at = draft.nodeCount;
        draft.nodes[at] = {d, stemCell};
        draft.nodes[at + 1] = PieceOf(petal, d);
        draft.nodes[at + 2] = PieceOf(petal, z);
        draft.strong[at] = false;
        draft.strong[at + 1] = true;
        draft.linkAls[at] = -1;
        draft.linkAls[at + 1] = static_cast<std::int8_t>(draft.UseAls(&petal));
        draft.strong[at + 2] = false;
        draft.linkAls[at + 2] = -1;
        draft.nodeCount += 3;
      }
      WriteChainStep(draft, masks, -1, 0, TechniqueId::DeathBlossom, step, 3);
      step.Meaning.Pivot = stem;
      step.CellColour[stem] = PivotColour;
      return true;
    }
  }
  return false;
}

}  // namespace tavimoro::steps
