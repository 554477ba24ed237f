// Writes a chain of inferences (or an almost-locked-set pattern read as one)
// into a StepRecord: the eliminations or the placement, the cells' colours,
// lines for the links, the Meaning block a hint walks node by node, and the
// trace text in the usual notation: "5r1c2" a candidate, "5r1c23" a group,
// "=" a strong and "-" a weak link.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/step_record.h"
#include "engine/steps/als_sets.h"
#include "engine/steps/cell_bits.h"

namespace tavimoro::steps {

// The longest chain the searches report.
inline constexpr int kMaxChainNodes = 32;

struct ChainDraft {
  struct Piece {
    int digit = 0;
    CellBits cells;
  };
  int nodeCount = 0;
  std::array<Piece, kMaxChainNodes + 1> nodes{};
  std::array<bool, kMaxChainNodes + 1> strong{};          // link i joins node i and i + 1
  std::array<std::int8_t, kMaxChainNodes + 1> linkAls{};  // -1, or the index into als
  int alsCount = 0;
  std::array<const AlmostLockedSet*, StepMeaning::kMaxAls> als{};

  // The index of the set in als, adding it when new; -1 when full.
  int UseAls(const AlmostLockedSet* set);
};

// Removal masks per cell, as the record keeps them.
using EliminationMasks = std::array<std::uint16_t, 81>;

// Fills the record: Kind 1 when placeCell >= 0 (placeDigit in placeCell),
// else Kind 2 with the eliminations. Cells of the pattern get PatternColour,
// a placement PivotColour, the other cells that lose candidates
// EliminationColour. Strong links are drawn in StrongLineColour, weak ones
// dashed in LineColour; links inside one cell are not drawn. With a segment length,
// the nodes are read as separate chains of that many nodes (a Death
// Blossom's stem digits), and the link joining two segments is not drawn
// and is written as "; ".
void WriteChainStep(const ChainDraft& chain, const EliminationMasks& eliminations, int placeCell,
                    int placeDigit, TechniqueId technique, StepRecord& step, int segment = 0);

// Appends "r1c2", "r1c23", "r12c3" or "r1c2,r4c5" for a set of cells.
void AppendCells(StepText& text, const CellBits& cells);

}  // namespace tavimoro::steps
