#include "engine/steps/chain_record.h"

#include "engine/steps/step_text.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {

int ChainDraft::UseAls(const AlmostLockedSet* set) {
  for (int i = 0; i < alsCount; ++i)
    if (als[i] == set) return i;
  if (alsCount == StepMeaning::kMaxAls) return -1;
  als[alsCount] = set;
  return alsCount++;
}

void AppendCells(StepText& text, const CellBits& cells) {
  int rows = 0, cols = 0;
  cells.ForEach([&](int c) {
    rows |= DigitBit(CellRow(c));
    cols |= DigitBit(CellCol(c));
  });
  if (BitCount(rows) == 1 || BitCount(cols) == 1) {
    text << 'r';
    for (int r = 1; r <= 9; ++r)
      if (rows & DigitBit(r)) text << r;
    text << 'c';
    for (int k = 1; k <= 9; ++k)
      if (cols & DigitBit(k)) text << k;
    return;
  }
  bool first = true;
  cells.ForEach([&](int c) {
    if (!first) text << ',';
    first = false;
    text << 'r' << CellRow(c) << 'c' << CellCol(c);
  });
}

namespace {

void AppendNode(StepText& text, const ChainDraft::Piece& piece) {
  text << piece.digit;
  const bool plain = piece.cells.Count() == 1;
  int rows = 0, cols = 0;
  piece.cells.ForEach([&](int c) {
    rows |= DigitBit(CellRow(c));
    cols |= DigitBit(CellCol(c));
  });
  const bool aligned = BitCount(rows) == 1 || BitCount(cols) == 1;
  if (!plain && !aligned) text << '(';
  AppendCells(text, piece.cells);
  if (!plain && !aligned) text << ')';
}

}  // namespace

void WriteChainStep(const ChainDraft& chain, const EliminationMasks& eliminations, int placeCell,
                    int placeDigit, TechniqueId technique, StepRecord& step, int segment) {
  const auto joinsSegments = [&](int link) { return segment > 0 && (link + 1) % segment == 0; };
  StepMeaning& m = step.Meaning;
  int digits = 0;
  CellBits pattern;
  m.NodeCount = chain.nodeCount;
  for (int i = 0; i < chain.nodeCount; ++i) {
    const auto& piece = chain.nodes[i];
    digits |= DigitBit(piece.digit);
    pattern = pattern | piece.cells;
    ChainNode& node = m.Nodes[i];
    node.Digit = static_cast<std::uint8_t>(piece.digit);
    node.CellCount = 0;
    piece.cells.ForEach([&](int c) {
      if (node.CellCount < 3) node.Cells[node.CellCount++] = static_cast<std::uint8_t>(c);
    });
    if (i + 1 < chain.nodeCount) {
      m.Links[i] = chain.strong[i] ? LinkKind::Strong : LinkKind::Weak;
      m.LinkAls[i] = static_cast<std::int8_t>(chain.linkAls[i] + 1);
    }
  }
  m.AlsCount = chain.alsCount;
  for (int a = 0; a < chain.alsCount; ++a) {
    const AlmostLockedSet& set = *chain.als[a];
    AlsPart& part = m.Als[a];
    part.CellCount = 0;
    set.cells.ForEach([&](int c) { part.Cells[part.CellCount++] = static_cast<std::uint8_t>(c); });
    part.Digits = set.digits;
    pattern = pattern | set.cells;
  }

  pattern.ForEach([&](int c) { step.CellColour[c] = PatternColour; });
  // These lines are what the step's JSON lists (trace, rate); the board
  // draws a chain from its nodes and links instead.
  int lines = 0;
  for (int i = 0; i + 1 < chain.nodeCount && lines < static_cast<int>(step.Lines.size()); ++i) {
    const int from = chain.nodes[i].cells.First(), to = chain.nodes[i + 1].cells.First();
    if (from == to || joinsSegments(i)) continue;
    step.Lines[lines++] = {from,
                           to,
                           chain.strong[i] ? StrongLineColour : LineColour,
                           1,
                           !chain.strong[i],
                           static_cast<std::uint8_t>(chain.nodes[i].digit),
                           static_cast<std::uint8_t>(chain.nodes[i + 1].digit)};
  }

  StepText& text = step.Text;
  StartTrace(text, technique);
  for (int i = 0; i < chain.nodeCount; ++i) {
    AppendNode(text, chain.nodes[i]);
    if (i + 1 < chain.nodeCount) text << (joinsSegments(i) ? "; " : chain.strong[i] ? "=" : "-");
  }
  text << " =>";
  if (placeCell >= 0) {
    step.Kind = kPlaceValue;
    step.Cell = placeCell;
    step.Value = placeDigit;
    step.CellColour[placeCell] = PivotColour;
    text << " r" << CellRow(placeCell) << 'c' << CellCol(placeCell) << '=' << placeDigit;
  } else {
    step.Kind = kEliminate;
    bool first = true;
    for (int c = 0; c < 81; ++c) {
      if (!eliminations[c]) continue;
      step.EliminateMask[c] |= eliminations[c];
      if (!pattern.Has(c)) step.CellColour[c] = EliminationColour;
      for (int d = 1; d <= 9; ++d) {
        if (!(eliminations[c] & DigitBit(d))) continue;
        text << (first ? " " : ", ") << 'r' << CellRow(c) << 'c' << CellCol(c) << "<>" << d;
        first = false;
      }
    }
  }
  for (int a = 0; a < chain.alsCount; ++a) {
    text << " [ALS ";
    AppendCells(text, chain.als[a]->cells);
    text << ' ';
    for (int d = 1; d <= 9; ++d)
      if (chain.als[a]->digits & DigitBit(d)) text << d;
    text << ']';
  }
  step.Technique = technique;
  step.Digits.Clear();
  AppendDigitList(step.Digits, digits);
}

}  // namespace tavimoro::steps
