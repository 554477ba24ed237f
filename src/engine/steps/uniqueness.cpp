// Steps that lean on the puzzle having one solution: the unique rectangle
// (two bivalue digits on the corners of a rectangle over two blocks, found
// by the rectangle walk the other uniqueness steps share) and the
// bivalue universal grave (every empty cell bivalue but one or a few
// trivalue cells). All of them read only candidate masks and counts.
#include <algorithm>
#include <array>
#include <span>

#include "engine/steps/meaning.h"
#include "engine/steps/rectangle_walker.h"
#include "engine/steps/steps.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"

namespace tavimoro::steps {
namespace {

// The house all `cells` lie in: a block, row or column that also holds one
// of `others` first (in that order), else any row, column or block; -1 when
// they share none.
int SharedHouse(std::span<const int> cells, std::span<const int> others) {
  auto shared = [&](int type) {
    const int house = HouseOf(cells.front(), type);
    for (int c : cells)
      if (HouseOf(c, type) != house) return -1;
    return house;
  };
  for (int type : {2, 0, 1}) {
    const int house = shared(type);
    if (house < 0) continue;
    for (int c : others)
      if (HouseOf(c, type) == house) return house;
  }
  for (int type : {0, 1, 2})
    if (const int house = shared(type); house >= 0) return house;
  return -1;
}

}  // namespace

bool FindBugType1(const PuzzleState& s, StepRecord& step) {
  int pairCells = 0;
  int bugCell = -1;
  for (int c = 0; c < 81; ++c) {
    const int count = s.CandCount[c];
    if (count > 3) return false;
    if (count == 2) ++pairCells;
    if (count == 3) {
      if (bugCell >= 0) return false;
      bugCell = c;
    }
  }
  if (bugCell < 0 || pairCells <= 2) return false;

  // Without a unique solution the copy keeps its empty cell, and the step
  // carries the value 0.
  PuzzleState solved = s;
  Validate(solved, false, false, false);
  step.Kind = kPlaceValue;
  step.Cell = bugCell;
  step.Value = solved.Grid[bugCell];
  step.Technique = TechniqueId::BugType1;
  StartTrace(step.Text, TechniqueId::BugType1);
  step.CellColour[bugCell] = PatternColour;
  return true;
}

bool FindUniqueRectangle(const PuzzleState& s, StepRecord& step) {
  // Of all the rectangles, the rung takes the one its players have always
  // been shown first: by the row holding the two bivalue corners a and b
  // (top first), a's column, b's column, the third corner c under a before
  // under b, and c's row (top first). The key orders them so.
  struct Pick {
    int key = -1;
    int a = 0, b = 0, c = 0, d = 0;
    bool cBelowA = false;
  } pick;
  ForEachRectangle([&](const RectangleCorners& r) {
    for (int side = 0; side < 2; ++side) {
      const int a = r[2 * side], b = r[2 * side + 1];
      const int pair = s.CandMask[a];
      if (s.CandCount[a] != 2 || s.CandMask[b] != pair) continue;
      for (int under = 0; under < 2; ++under) {
        const int c = r[2 * (1 - side) + under], d = r[2 * (1 - side) + 1 - under];
        if (s.CandMask[c] != pair || (s.CandMask[d] & pair) == 0) continue;
        const int key = (((CellRow(a) * 10 + CellCol(a)) * 10 + CellCol(b)) * 2 + under) * 10 + CellRow(c);
        if (pick.key < 0 || key < pick.key) pick = {key, a, b, c, d, under == 0};
      }
    }
    return false;
  });
  if (pick.key < 0) return false;
  const auto& [key, a, b, c, d, cBelowA] = pick;
  const int pair = s.CandMask[a];
  int digitA = 0, digitB = 0;
  FirstTwoCandidates(s, a, digitA, digitB);
  const int doomed = s.CandMask[d] & pair;
  if (doomed & DigitBit(digitA)) step.SetEliminate(d, digitA);
  if (doomed & DigitBit(digitB)) step.SetEliminate(d, digitB);
  step.Kind = kEliminate;
  step.Technique = TechniqueId::UniqueRectangle1;
  const int topRow = HouseOf(a, 0), otherRow = HouseOf(c, 0);
  AddBaseLine(step.Meaning, std::min(topRow, otherRow));
  AddBaseLine(step.Meaning, std::max(topRow, otherRow));
  AddCoverLine(step.Meaning, HouseOf(a, 1));
  AddCoverLine(step.Meaning, HouseOf(b, 1));
  StartTrace(step.Text, TechniqueId::UniqueRectangle1);
  step.Lines[0] = {a, b, LineColour, 1};
  step.Lines[1] = cBelowA ? StepLine{a, c, LineColour, 1} : StepLine{a, d, LineColour, 1};
  step.Lines[2] = cBelowA ? StepLine{b, d, LineColour, 1} : StepLine{b, c, LineColour, 1};
  step.Lines[3] = {c, d, LineColour, 1};
  return true;
}

bool FindBugType2(const PuzzleState& s, StepRecord& step) {
  std::array<int, 81> triples{};
  int tripleCount = 0;
  for (int c = 0; c < 81; ++c) {
    if (s.CandCount[c] > 3) return false;
    if (s.CandCount[c] == 3) triples[tripleCount++] = c;
  }
  // Every cell would see all of no triple cells at all: the pattern needs one.
  if (tripleCount == 0) return false;

  int bugDigit = 0, excesses = 0;
  for (int h = 0; h < 27; ++h) {
    for (int d = 1; d <= 9; ++d) {
      if (s.HouseCandCount(h, d) <= 2) continue;
      if (bugDigit == 0) bugDigit = d;
      if (d != bugDigit) return false;
      ++excesses;
    }
  }
  if (excesses < 2) return false;

  std::array<int, 81> victims{};
  int victimCount = 0;
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] != 0 || !s.Cand(c, bugDigit) || s.CandCount[c] == 3) continue;
    bool seesAll = true;
    for (int t = 0; t < tripleCount && seesAll; ++t) seesAll = CellsShareHouse(c, triples[t]);
    if (seesAll) victims[victimCount++] = c;
  }
  if (victimCount == 0) return false;
  for (int v = 0; v < victimCount; ++v) {
    step.SetEliminate(victims[v], bugDigit);
    step.CellColour[victims[v]] = EliminationColour;
  }
  for (int t = 0; t < tripleCount; ++t) step.CellColour[triples[t]] = PatternColour;
  step.Kind = kEliminate;
  step.Technique = TechniqueId::BugType2;
  step.Meaning.DigitMask = DigitBit(bugDigit);
  step.Meaning.House =
      SharedHouse(std::span(triples.data(), tripleCount), std::span(victims.data(), victimCount));
  StartTrace(step.Text, TechniqueId::BugType2);
  step.Digits.Clear();
  step.Digits << bugDigit;
  return true;
}

}  // namespace tavimoro::steps
