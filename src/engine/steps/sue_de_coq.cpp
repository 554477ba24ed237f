// Sue de Coq: two or three empty cells where a line crosses a block, with
// at least two digits more than cells, joined by some cells of the rest of
// the line (digits L) and some of the rest of the block (digits B), L and B
// sharing no digit, so that all these cells together hold exactly as many
// digits as cells. A digit of L can then go only into the line part, one of
// B only into the block part, and every digit appears once: the digits
// outside B go from the rest of the line, those outside L from the rest of
// the block.
//
// Cells are chosen as masks over the (at most six) other empty cells of the
// line and of the block, up to three cells each, in mask order.
#include <array>
#include <bit>
#include <cstdint>

#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"
#include "engine/steps/step_text.h"

namespace tavimoro::steps {
namespace {

struct CellSet {
  std::array<int, 9> cell{};
  int count = 0;
};

int UnionOf(const PuzzleState& s, const CellSet& set, int subset) {
  int digits = 0;
  for (int i = 0; i < set.count; ++i)
    if (subset & (1 << i)) digits |= s.CandMask[set.cell[i]];
  return digits;
}

bool InSubset(const CellSet& set, int subset, int cell) {
  for (int i = 0; i < set.count; ++i)
    if ((subset & (1 << i)) && set.cell[i] == cell) return true;
  return false;
}

// The candidates of a line's and a block's cells (a solved cell marked
// apart), where the search of that crossing last found nothing: it reads
// no other cell, so it finds nothing again while they stay the same. The
// score's solve asks at positions a few candidates apart.
struct BarrenCrossing {
  std::array<std::uint16_t, 15> cells{};
  bool known = false;
};

std::array<std::uint16_t, 15> CrossingCells(const PuzzleState& s, int line, int block) {
  constexpr std::uint16_t kSolved = 0x8000;
  std::array<std::uint16_t, 15> cells{};
  int n = 0;
  for (int c : CellsOfHouse(line))
    cells[n++] = static_cast<std::uint16_t>(s.CandMask[c] | (s.Grid[c] ? kSolved : 0));
  for (int c : CellsOfHouse(block))
    if (HouseOf(c, line < 9 ? 0 : 1) != line)
      cells[n++] = static_cast<std::uint16_t>(s.CandMask[c] | (s.Grid[c] ? kSolved : 0));
  return cells;
}

}  // namespace

bool FindSueDeCoq(const PuzzleState& s, StepRecord& step) {
  thread_local std::array<BarrenCrossing, 54> barren{};
  for (int line = 0; line < 18; ++line) {
    for (int k = 0; k < 3; ++k) {
      // The k-th block the line crosses.
      const int block = HouseOf(HouseCell(line, 3 * k), 2);
      BarrenCrossing& memo = barren[static_cast<std::size_t>(3 * line + k)];
      const std::array<std::uint16_t, 15> now = CrossingCells(s, line, block);
      if (memo.known && memo.cells == now) continue;
      memo.known = false;
      CellSet meet, lineRest, blockRest;
      for (int c : CellsOfHouse(line)) {
        if (s.Grid[c] != 0) continue;
        if (HouseOf(c, 2) == block) {
          meet.cell[meet.count++] = c;
        } else {
          lineRest.cell[lineRest.count++] = c;
        }
      }
      if (meet.count < 2) continue;
      for (int c : CellsOfHouse(block))
        if (s.Grid[c] == 0 && HouseOf(c, line < 9 ? 0 : 1) != line) blockRest.cell[blockRest.count++] = c;
      // The digits of every choice of cells of each rest (at most six cells).
      std::array<int, 64> lineUnion{}, blockUnion{};
      for (int m = 1; m < (1 << lineRest.count); ++m)
        lineUnion[m] =
            lineUnion[m & (m - 1)] | s.CandMask[lineRest.cell[std::countr_zero(static_cast<unsigned>(m))]];
      for (int m = 1; m < (1 << blockRest.count); ++m)
        blockUnion[m] =
            blockUnion[m & (m - 1)] | s.CandMask[blockRest.cell[std::countr_zero(static_cast<unsigned>(m))]];
      for (int core = 1; core < (1 << meet.count); ++core) {
        const int coreSize = BitCount(core);
        if (coreSize < 2) continue;
        const int coreDigits = UnionOf(s, meet, core);
        if (BitCount(coreDigits) < coreSize + 2) continue;
        for (int a = 1; a < (1 << lineRest.count); ++a) {
          if (BitCount(a) > 3) continue;
          const int lineDigits = lineUnion[a];
          if (!(lineDigits & coreDigits)) continue;
          for (int b = 1; b < (1 << blockRest.count); ++b) {
            if (BitCount(b) > 3) continue;
            const int blockDigits = blockUnion[b];
            if ((blockDigits & lineDigits) || !(blockDigits & coreDigits)) continue;
            const int all = coreDigits | lineDigits | blockDigits;
            if (BitCount(all) != coreSize + BitCount(a) + BitCount(b)) continue;
            const int fromLine = all & ~blockDigits, fromBlock = all & ~lineDigits;
            auto inPattern = [&](int c) {
              return InSubset(meet, core, c) || InSubset(lineRest, a, c) || InSubset(blockRest, b, c);
            };
            bool any = false;
            for (int c : CellsOfHouse(line)) any |= !inPattern(c) && (s.CandMask[c] & fromLine);
            for (int c : CellsOfHouse(block)) any |= !inPattern(c) && (s.CandMask[c] & fromBlock);
            if (!any) continue;

            StartElimination(step, TechniqueId::SueDeCoq);
            for (int c : CellsOfHouse(line)) {
              if (inPattern(c)) continue;
              for (int m = s.CandMask[c] & fromLine; m; m &= m - 1)
                EliminateAt(step, c, MaskDigit(LowestBit(m)));
            }
            for (int c : CellsOfHouse(block)) {
              if (inPattern(c)) continue;
              for (int m = s.CandMask[c] & fromBlock; m; m &= m - 1)
                EliminateAt(step, c, MaskDigit(LowestBit(m)));
            }
            for (int i = 0; i < meet.count; ++i)
              if (core & (1 << i)) step.CellColour[meet.cell[i]] = PatternColour;
            for (int i = 0; i < lineRest.count; ++i)
              if (a & (1 << i)) step.CellColour[lineRest.cell[i]] = SecondColour;
            for (int i = 0; i < blockRest.count; ++i)
              if (b & (1 << i)) step.CellColour[blockRest.cell[i]] = SecondColour;
            step.Meaning.House = line;
            step.Meaning.SecondHouse = block;
            bool first = true;
            for (int c = 0; c < 81; ++c) {
              if (!inPattern(c)) continue;
              if (!first) step.Text << ',';
              first = false;
              AppendCellName(step.Text, c);
            }
            AppendDigitList(step.Digits, all);
            step.Meaning.DigitMask = all;
            return true;
          }
        }
      }
      memo.cells = now;
      memo.known = true;
    }
  }
  return false;
}

}  // namespace tavimoro::steps
