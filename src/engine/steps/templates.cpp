// Templates of a digit: the placements of nine of it, one in every row,
// column and block (digit_placements.h). For a digit the ones that fit are
// those inside the cells where it is placed or still a candidate and
// holding every cell where it is placed; their count, union and
// intersection are all the step needs.
#include <array>

#include "engine/steps/cell_bits.h"
#include "engine/steps/digit_placements.h"
#include "engine/steps/dual_template_wing_steps.h"
#include "engine/steps/pattern_chain.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

struct Fit {
  int count = 0;
  CellBits used;                                          // cells some fitting template uses
  CellBits common{~std::uint64_t{0}, ~std::uint64_t{0}};  // cells every one uses
};

bool HasCandidate(const PuzzleState& s, int d) {
  for (int row = 0; row < 9; ++row)
    if (s.HouseCandCount(row, d) > 0) return true;
  return false;
}

Fit FitTemplates(const CellBits& open, const CellBits& placed) {
  Fit fit;
  ForEachPlacement(open, [&](const CellBits& t) {
    if (placed.SubsetOf(t)) {
      ++fit.count;
      fit.used = fit.used | t;
      fit.common = fit.common & t;
    }
    return true;
  });
  return fit;
}

// The templates of d that fit: inside the cells where d is placed or a
// candidate, holding every cell where it is placed. Count 0 for a digit
// without candidates, or a broken grid.
Fit FitDigit(const PuzzleState& s, int d) {
  if (!HasCandidate(s, d)) return {};
  CellBits open, placed;
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] == d) placed.Add(c);
    if (s.Grid[c] == d || s.Cand(c, d)) open.Add(c);
  }
  // Set and Delete ask for the same digits at the same position, and most
  // digits' cells stay as they were from one position to the next.
  struct Remembered {
    CellBits open, placed;
    Fit fit;
    bool valid = false;
  };
  thread_local std::array<Remembered, 9> remembered{};
  Remembered& entry = remembered[d - 1];
  if (!entry.valid || !(entry.open == open) || !(entry.placed == placed))
    entry = {open, placed, FitTemplates(open, placed), true};
  return entry.fit;
}

void StartTemplateStep(StepRecord& step, TechniqueId technique, int d, const Fit& fit) {
  step.Kind = kEliminate;
  step.Technique = technique;
  StartTrace(step.Text, technique);
  step.Text << d << " (" << fit.count << (fit.count == 1 ? " template)" : " templates)");
  step.Digits << d;
  step.Meaning.DigitMask = DigitBit(d);
  step.Meaning.TemplateCount = fit.count;
}

}  // namespace

bool FindTemplateSet(const PuzzleState& s, StepRecord& step) {
  for (int d = 1; d <= 9; ++d) {
    const Fit fit = FitDigit(s, d);
    if (fit.count == 0) continue;
    int cell = -1;
    fit.common.ForEach([&](int c) {
      if (cell < 0 && s.Grid[c] == 0) cell = c;
    });
    if (cell < 0) continue;
    StartTemplateStep(step, TechniqueId::TemplateSet, d, fit);
    step.Kind = kPlaceValue;
    step.Cell = cell;
    step.Value = d;
    step.CellColour[cell] = PivotColour;
    step.Text << ' ';
    AppendCellName(step.Text, cell);
    return true;
  }
  return false;
}

bool FindTemplateDelete(const PuzzleState& s, StepRecord& step) {
  for (int d = 1; d <= 9; ++d) {
    const Fit fit = FitDigit(s, d);
    if (fit.count == 0) continue;
    bool any = false;
    for (int c = 0; c < 81 && !any; ++c) any = s.Cand(c, d) && !fit.used.Has(c);
    if (!any) continue;
    StartTemplateStep(step, TechniqueId::TemplateDelete, d, fit);
    for (int c = 0; c < 81; ++c) {
      if (!s.Cand(c, d)) continue;
      if (fit.used.Has(c)) {
        step.CellColour[c] = PatternColour;
      } else {
        EliminateAt(step, c, d);
        step.Text << ' ';
        AppendCellName(step.Text, c);
      }
    }
    return true;
  }
  return false;
}

}  // namespace tavimoro::steps
