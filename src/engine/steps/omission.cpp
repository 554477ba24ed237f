// Rung 3: a digit of a line confined to one block (claiming: it leaves the
// rest of the block), or a digit of a block confined to one line (pointing:
// it leaves the rest of the line). Both are found from the lines, rows
// 0..8 then columns 9..17, looking at the three blocks each line crosses.
#include "engine/steps/step_text.h"
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

// The blocks a line crosses, in crossing order; the line's position k
// (0..8) lies in the block at k / 3.
std::array<int, 3> CrossedBlocks(int line) {
  if (line < 9) {
    const int first = 18 + 3 * (line / 3);
    return {first, first + 1, first + 2};
  }
  const int first = 18 + (line - 9) / 3;
  return {first, first + 3, first + 6};
}

// Fills the record for digit d of a line and a block it crosses. Each cell
// takes the first colour that fits: it loses d, it is a pattern cell (d in
// the confining house), or it belongs to the house the pattern speaks of
// (the line for claiming, the block for pointing) without having d.
void Record(const PuzzleState& s, StepRecord& step, int line, int block, int d, bool claiming) {
  step.Kind = kEliminate;
  step.Technique = TechniqueId::Omission;
  step.Meaning.House = claiming ? line : block;
  step.Meaning.SecondHouse = claiming ? block : line;
  step.Meaning.Claiming = claiming;
  step.Meaning.DigitMask = DigitBit(d);
  // Variant 1 claims, 0 points.
  StartTrace(step.Text, TechniqueId::Omission, claiming ? 1 : 0);
  step.Text << HouseLetter(line);
  const int lineType = HouseType(line);
  for (int c = 0; c < 81; ++c) {
    const bool inLine = HouseOf(c, lineType) == line;
    const bool inBlock = HouseOf(c, 2) == block;
    const bool hasD = s.Grid[c] == 0 && s.Cand(c, d);
    // Claiming clears the block outside the line; pointing the line outside the block.
    const bool loses = hasD && (claiming ? inBlock && !inLine : inLine && !inBlock);
    if (loses) {
      step.SetEliminate(c, d);
      step.CellColour[c] = EliminationColour;
    } else if (hasD && (claiming ? inBlock : inLine)) {
      step.CellColour[c] = PatternColour;
    } else if (!hasD && (claiming ? inLine : inBlock)) {
      step.CellColour[c] = UnitColour;
    }
  }
}

}  // namespace

bool FindOmission(const PuzzleState& s, StepRecord& step) {
  for (int line = 0; line < 18; ++line) {
    const std::array<int, 3> blocks = CrossedBlocks(line);
    for (int d = 1; d <= 9; ++d) {
      if (s.HouseCandCount(line, d) < 2) continue;
      std::array<int, 3> inBlock{};
      int blocksHolding = 0, firstHolding = -1;
      for (int k = 0; k < 9; ++k) {
        if (!s.Cand(HouseCell(line, k), d)) continue;
        if (inBlock[k / 3]++ == 0) {
          ++blocksHolding;
          if (firstHolding < 0) firstHolding = k / 3;
        }
      }
      if (blocksHolding == 1) {
        const int block = blocks[firstHolding];
        if (s.HouseCandCount(block, d) > inBlock[firstHolding]) {
          Record(s, step, line, block, d, true);
          return true;
        }
        continue;
      }
      for (int i = 0; i < 3; ++i) {
        if (inBlock[i] >= 2 && inBlock[i] == s.HouseCandCount(blocks[i], d)) {
          Record(s, step, line, blocks[i], d, false);
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
