// Hint texts. The escalation level is never stored: each call looks at the
// panel's text ("*HINT*" present or not, "for more..." or "for even
// more...") and answers with the next level, so any status refresh that
// replaces the panel starts the next hint at level 1 again.
//
// Candidate-elimination steps follow the same three levels as placements:
// the technique's name, then where to look and which digits, then the full
// picture (highlights, lines, a plain explanation) with the apply link.
#include "board/hint_composer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "board/board.h"
#include "board/chain_walk.h"
#include "board/colouring_text.h"
#include "board/forcing_chain_proof.h"
#include "board/hint_lines.h"
#include "board/hint_meanings.h"
#include "board/kraken_text.h"
#include "board/net_proof_text.h"
#include "board/pattern_texts.h"
#include "board/status_composer.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

namespace tavimoro {

namespace {

constexpr std::uint32_t kBlueCell = 0xFFFF80;          // RGB(128, 255, 255)
constexpr std::uint32_t kEliminatingDigit = 0xFFC0FF;  // RGB(255, 192, 255)
constexpr std::uint32_t kEliminatedCell = 0xF7DEF6;    // RGB(246, 222, 247)

constexpr std::string_view kApplyLink =
    " Click <a href='ApplyLastHint'>here</a> (or click hint again) to apply this hint. ";
constexpr std::string_view kForMore = "<br><br>Click \"Hint\" again for more...";
constexpr std::string_view kForEvenMore = "<br><br>Click \"Hint\" again for even more...";

std::string HelpFileAddress() { return HelpBase() + "helpfile.html"; }

// Which level the next hint is, from the text the panel shows now.
int NextLevel(std::string_view panel) {
  if (!LikePattern(panel, "*HINT*")) return 1;
  if (LikePattern(panel, "*HINT*for more...*")) return 2;
  return 3;
}

// --- what an elimination step is made of --------------------------------
//
// Everything below reads the step's meaning block, its eliminations and its
// blue cells; the wording never depends on the trace text.

struct StepShape {
  HintForm form = HintForm::None;
  std::vector<int> pattern;  // the blue cells
  std::vector<int> losers;   // cells that lose candidates
  int removedDigits = 0;     // mask of the digits removed anywhere
};

StepShape ShapeOf(const StepRecord& step) {
  StepShape shape;
  shape.form = Technique(step.Technique).hint;
  for (int c = 0; c < 81; ++c) {
    if (step.CellColour[c] == PatternColour) shape.pattern.push_back(c);
    if (step.EliminateMask[c]) {
      shape.losers.push_back(c);
      shape.removedDigits |= step.EliminateMask[c];
    }
  }
  return shape;
}

std::vector<int> Houses(std::span<const std::int8_t> houses) { return {houses.begin(), houses.end()}; }
std::vector<int> BaseLines(const StepMeaning& m) { return Houses(std::span(m.BaseLines).first(m.BaseCount)); }
std::vector<int> CoverLines(const StepMeaning& m) {
  return Houses(std::span(m.CoverLines).first(m.CoverCount));
}

// "row 6", or "row 6 and block 4" for a subset working in both.
std::string HousesNamed(const std::vector<int>& houses, const char* lastJoiner = " and ") {
  std::string out;
  for (std::size_t i = 0; i < houses.size(); ++i)
    out += (i == 0 ? "" : i + 1 == houses.size() ? lastJoiner : ", ") + HouseName(houses[i]);
  return out;
}

std::string DigitList(int mask) {
  std::vector<std::string> digits;
  for (int d = 1; d <= 9; ++d)
    if (mask & DigitBit(d)) digits.push_back(DigitText(d));
  return JoinAnd(digits);
}

// The step's digits as the reader should see them. Pairs and subsets keep
// their own form ("4 & 7", "2 or 5"); an XYZ-Wing's pivot digits (the
// shared one last) and a chain's first cell's candidates read as one list.
std::string StepDigits(const StepRecord& step, const StepShape& shape) {
  if (step.Digits.empty()) return DigitList(shape.removedDigits);
  const int mask = step.Meaning.DigitMask;
  if (shape.form == HintForm::ForcingChain) return DigitList(mask);
  if (shape.form != HintForm::XYZWing) return step.Digits.str();
  std::vector<std::string> digits;
  for (int d = 1; d <= 9; ++d)
    if ((mask & ~shape.removedDigits) & DigitBit(d)) digits.push_back(DigitText(d));
  for (int d = 1; d <= 9; ++d)
    if ((mask & shape.removedDigits) & DigitBit(d)) digits.push_back(DigitText(d));
  return JoinAnd(digits);
}

std::string NumbersPhrase(const StepRecord& step, const StepShape& shape) {
  const std::string digits = StepDigits(step, shape);
  if (digits.empty()) return {};
  return (digits.size() == 1 ? " on the number " : " on the numbers ") + digits;
}

// "2 or 5" for the digits of a mask.
std::string DigitAlternatives(int mask) {
  std::string list = DigitList(mask);
  if (const auto at = list.rfind(" and "); at != std::string::npos) list.replace(at, 5, " or ");
  return list;
}

std::string HousesPhrase(const std::vector<int>& houses) {
  if (houses.empty()) return {};
  // Houses of several types (a Franken or Mutant fish) are named one by one.
  for (int h : houses) {
    if (HouseType(h) == HouseType(houses.front())) continue;
    std::vector<std::string> names;
    for (int each : houses) names.push_back(HouseName(each));
    return JoinAnd(names);
  }
  std::vector<std::string> numbers;
  for (int h : houses) numbers.push_back(std::to_string(HouseNum(h)));
  const std::string type(HouseTypeName(HouseType(houses.front())));
  return (houses.size() == 1 ? type + " " : type + "s ") + JoinAnd(numbers);
}

// Level 2: where to look.
std::string WherePhrase(const StepRecord& step, const StepShape& shape, const PuzzleState* position) {
  const StepMeaning& m = step.Meaning;
  switch (shape.form) {
    case HintForm::NakedSubset:
    case HintForm::HiddenSubset: {
      const SubsetMeaning subset =
          shape.form == HintForm::NakedSubset ? NakedSubsetMeaning(step) : HiddenSubsetMeaning(step);
      if (!subset.houses.empty()) return " in " + HousesNamed(subset.houses);
      break;
    }
    case HintForm::Omission:
      if (const OmissionMeaning omission = OmissionMeaningOf(step); omission.line >= 0 && omission.block >= 0)
        return " where " + HouseName(omission.line) + " crosses " + HouseName(omission.block);
      break;
    case HintForm::Fish:
    case HintForm::FinnedFish:
    case HintForm::KrakenFish:
      if (const FishMeaning fish = FishMeaningOf(step); !fish.bases.empty())
        return " in " + HousesPhrase(fish.bases);
      break;
    case HintForm::Chain:
      if (std::string where = ColouringWhere(step, position); !where.empty()) return where;
      return ChainPatternWhere(step);
    case HintForm::TwoChains:
      if (m.House >= 0) return " through " + HouseName(m.House);
      break;
    case HintForm::BentWing:
      if (!shape.pattern.empty()) return " around " + CellName(shape.pattern.front());
      break;
    case HintForm::AlignedExclusion:
      if (!shape.pattern.empty()) return " in " + CellList(shape.pattern);
      break;
    case HintForm::SueDeCoq:
      if (const SueDeCoqMeaning sdc = SueDeCoqMeaningOf(step); sdc.line >= 0 && sdc.block >= 0)
        return " where " + HouseName(sdc.line) + " crosses " + HouseName(sdc.block);
      break;
    case HintForm::Rectangle:
    case HintForm::Uniqueness:
    case HintForm::AvoidableRectangle:
      if (const RectangleMeaning rectangle = RectangleMeaningOf(step); !rectangle.corners.empty())
        return " in " + HousesPhrase(rectangle.rows) + " and " + HousesPhrase(rectangle.columns);
      if (m.BaseCount > 0 && m.CoverCount > 0)
        return " in " + HousesPhrase(BaseLines(m)) + " and " + HousesPhrase(CoverLines(m));
      // A unique loop has no rows and columns of its own: its ring's first cell.
      if (step.Technique == TechniqueId::UniqueLoop && m.NodeCount > 0)
        return " through " + CellName(m.Nodes[0].FirstCell());
      break;
    case HintForm::XYWing:
    case HintForm::XYZWing:
      if (const WingMeaning wing = WingMeaningOf(step); wing.pivot >= 0)
        return " around " + CellName(wing.pivot);
      break;
    case HintForm::ForcingChain:
      if (shape.losers.size() == 1) return " starting from " + CellName(shape.losers.front());
      break;
    case HintForm::InferenceChain:
    case HintForm::NiceLoop:
    case HintForm::ChainContradiction:
      if (m.NodeCount > 0) return " starting from " + CellName(m.Nodes[0].FirstCell());
      break;
    case HintForm::DeathBlossom:
      if (m.Pivot >= 0) return " around " + CellName(m.Pivot);
      break;
    case HintForm::ForcingNet:
      if (m.NetAssumptions > 0) return " starting from " + CellName(m.Nodes[0].Cells[0]);
      break;
    default:
      if (m.House >= 0) return " in " + HouseName(m.House);
      break;
  }
  return {};
}

std::string RemovalSentence(const StepRecord& step, const StepShape& shape) {
  // One digit everywhere reads as "the 2 from A, B and C".
  if (BitCount(shape.removedDigits & kAllDigits) == 1)
    return "Remove the " + DigitList(shape.removedDigits) + " from " + CellList(shape.losers) + ".";
  // Beyond the ladder digits that leave the same cells read together: "Remove
  // 3 and 5 from R9C6, and 4 from A and B."
  if (Index(step.Technique) > Index(kStuckRating)) {
    std::array<std::vector<int>, 10> cellsOf;
    for (int d = 1; d <= 9; ++d)
      for (int c : shape.losers)
        if (step.Eliminate(c, d)) cellsOf[d].push_back(c);
    std::vector<std::string> parts;
    int grouped = 0;
    for (int d = 1; d <= 9; ++d) {
      if (cellsOf[d].empty() || (grouped & DigitBit(d))) continue;
      int digits = 0;
      for (int e = d; e <= 9; ++e)
        if (cellsOf[e] == cellsOf[d]) digits |= DigitBit(e);
      grouped |= digits;
      parts.push_back(DigitList(digits) + " from " + CellList(cellsOf[d]));
    }
    std::string out = "Remove ";
    for (std::size_t i = 0; i < parts.size(); ++i)
      out += (i == 0 ? "" : i + 1 == parts.size() ? ", and " : ", ") + parts[i];
    return out + ".";
  }
  std::vector<std::string> parts;
  for (int c : shape.losers) parts.push_back(DigitList(step.EliminateMask[c]) + " from " + CellName(c));
  return "Remove " + JoinAnd(parts) + ".";
}

// A net: what was supposed, then every inference of the proof in order.
std::string NetExplanation(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  std::string lead;
  if (step.Technique == TechniqueId::Trial) {
    lead =
        "This is a trial: suppose the first cell below holds its digit. What follows from it is listed; "
        "from there no way of filling the rest of the grid works (a search tries them all), so the "
        "supposition is false:";
  } else if (m.NetAssumptions <= 1) {
    lead = "Supposing the first cell below holds its digit leads, step by step, to a contradiction:";
  } else {
    lead = "Each of the " + std::to_string(m.NetAssumptions) +
           " suppositions below leads, step by step, to the same result, and one of them must be true:";
  }
  return lead + "<br>" + NetProofLines(step);
}

std::string CountWord(std::size_t n) {
  static constexpr std::array<std::string_view, 5> words = {"no", "one", "two", "three", "four"};
  return n < words.size() ? std::string(words[n]) : std::to_string(n);
}

// An avoidable rectangle: its entered corners are the meaning's nodes; each
// empty corner would complete the pattern with the digit of the entered
// corner across the diagonal.
std::string AvoidableRectangleExplanation(const StepRecord& step, const std::string& removed) {
  const StepMeaning& m = step.Meaning;
  const RectangleMeaning rectangle = RectangleMeaningOf(step);
  if (rectangle.corners.empty() || m.NodeCount < 2) return {};
  std::vector<std::string> entered, completions, open;
  for (int i = 0; i < m.NodeCount; ++i)
    entered.push_back(CellName(m.Nodes[i].FirstCell()) + " (" + DigitText(m.Nodes[i].Digit) + ")");
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) {
      const int corner = rectangle.Corner(r, c), across = rectangle.Corner(1 - r, 1 - c);
      int digit = 0;
      bool filled = false;
      for (int i = 0; i < m.NodeCount; ++i) {
        if (m.Nodes[i].FirstCell() == corner) filled = true;
        if (m.Nodes[i].FirstCell() == across) digit = m.Nodes[i].Digit;
      }
      if (filled) continue;
      if (digit == 0) return {};
      open.push_back(CellName(corner));
      completions.push_back(CellName(corner) + " were " + DigitText(digit));
    }
  }
  std::vector<std::string> digits;
  for (int d = 1; d <= 9; ++d)
    if (m.DigitMask & DigitBit(d)) digits.push_back(DigitText(d) + "s");
  std::string text = JoinAnd(entered) +
                     " were filled in while solving, and no corner of the rectangle is a given. If " +
                     JoinAnd(completions) + ", the " + JoinAnd(digits) +
                     " of its four corners could swap places and the puzzle would have two solutions. ";
  if (open.size() == 1) return text + "So " + open.front() + " cannot be " + removed + ".";
  return text + "Each of " + JoinAnd(open) + " holds only that digit and " + removed +
         ", so one of them is " + removed + ", and a cell that sees both cannot be " + removed + ".";
}

// Level 3: why the candidates go, in one or two plain sentences.
std::string Explanation(const StepRecord& step, const StepShape& shape, const PuzzleState* position) {
  const StepMeaning& m = step.Meaning;
  const std::string digits = StepDigits(step, shape);
  const std::string removed = DigitList(shape.removedDigits);
  switch (shape.form) {
    case HintForm::NakedSubset: {
      const SubsetMeaning subset = NakedSubsetMeaning(step);
      const std::string n = CountWord(subset.cells.size());
      if (subset.houses.size() != 1)
        return "The " + n + " blue cells in " + HousesNamed(subset.houses) + " can only hold the digits " +
               digits + " between them, so no other cell of " + HousesNamed(subset.houses, " or ") +
               " can hold any of them.";
      const int house = subset.houses.front();
      return "The " + n + " blue cells in " + HouseName(house) + " can only hold the digits " + digits +
             " between them, so no other cell of that " + std::string(HouseTypeName(HouseType(house))) +
             " can hold any of them.";
    }
    case HintForm::HiddenSubset: {
      const SubsetMeaning subset = HiddenSubsetMeaning(step);
      const std::string where =
          subset.houses.empty() ? std::string("their house") : HousesNamed(subset.houses);
      const std::string n = CountWord(subset.cells.size());
      // Beyond the ladder the cells are named as well as coloured.
      if (Index(step.Technique) > Index(kStuckRating))
        return "In " + where + ", the digits " + DigitList(m.DigitMask) + " fit only in " +
               CellList(subset.cells) + ", so those " + n + " cells cannot hold any other digit.";
      return "In " + where + ", the digits " + digits + " fit only in the " + n +
             " blue cells, so those cells cannot hold any other digit.";
    }
    case HintForm::Omission: {
      const auto [line, block, claiming] = OmissionMeaningOf(step);
      if (line < 0 || block < 0) break;
      if (claiming)
        return "Every " + removed + " of " + HouseName(line) + " lies inside " + HouseName(block) +
               ", so the " + removed + " must be in that part of the block and can go from the rest of " +
               HouseName(block) + ".";
      return "Every " + removed + " of " + HouseName(block) + " lies in " + HouseName(line) + ", so the " +
             removed + " must be in that part of the " + std::string(HouseTypeName(HouseType(line))) +
             " and can go from the rest of " + HouseName(line) + ".";
    }
    case HintForm::Fish: {
      const FishMeaning fish = FishMeaningOf(step);
      if (fish.bases.empty() || fish.covers.empty()) break;
      const std::string base = HousesPhrase(fish.bases), cover = HousesPhrase(fish.covers);
      // Blocks, or rows and columns on one side, make a Franken or Mutant fish.
      const bool linesOnly = fish.linesOnly;
      return "In " + base + ", the " + removed + " can only go in " + cover +
             ". Whichever cells they take, each of " + cover + " gets its " + removed + " from these " +
             (linesOnly ? "lines" : "houses") + ", so the other cells of " + cover + " cannot be " + removed +
             ".";
    }
    case HintForm::Rectangle:
      return "Three corners of the rectangle hold only the digits " + removed +
             ". If the fourth corner were " + DigitAlternatives(shape.removedDigits) +
             " as well, the two digits could swap places and the puzzle would have two solutions, so that "
             "corner cannot be " +
             DigitAlternatives(shape.removedDigits) + ".";
    case HintForm::XYWing: {
      const WingMeaning wing = WingMeaningOf(step);
      if (wing.pivot < 0) break;
      return "Whichever of " + digits + " the green pivot " + CellName(wing.pivot) +
             " takes, one of the blue cells must be " + removed +
             ", so a cell that sees both blue cells "
             "cannot be " +
             removed + ".";
    }
    case HintForm::XYZWing: {
      const WingMeaning wing = WingMeaningOf(step);
      if (wing.pivot < 0) break;
      return "Whichever of " + digits + " the green pivot " + CellName(wing.pivot) +
             " takes, the pivot or "
             "one of the blue cells must be " +
             removed + ", so a cell that sees all three cannot be " + removed + ".";
    }
    case HintForm::BugElimination:
      return "Apart from the blue cells, every unsolved cell has exactly two pencil marks. One of the blue "
             "cells must be " +
             removed +
             " to avoid a deadly pattern with two solutions, so a cell that sees all of them "
             "cannot be " +
             removed + ".";
    case HintForm::Chain: {
      std::string text = ColouringText(step, position);
      if (text.empty()) text = ChainPatternText(step);
      return "Solid lines join two places of which one must hold the digit, dashed lines two places that "
             "cannot both hold it. " +
             text;
    }
    case HintForm::TwoChains:
      if (std::string text = TwoChainsText(step); !text.empty()) return text;
      break;
    case HintForm::Template:
      return TemplateText(step);
    case HintForm::BentWing:
      return BentWingText(step);
    case HintForm::AlignedExclusion:
      return AlignedExclusionText(step);
    case HintForm::Uniqueness:
      return UniquenessText(step, position);
    case HintForm::AvoidableRectangle:
      if (std::string text = AvoidableRectangleExplanation(step, removed); !text.empty()) return text;
      break;
    case HintForm::FinnedFish:
      return FinnedFishText(step);
    case HintForm::BugPlusN:
      return BugPlusNText(step);
    case HintForm::SueDeCoq:
      return SueDeCoqText(step);
    case HintForm::InferenceChain:
      if (step.Technique == TechniqueId::AlsXYWing) return AlsWingText(step);
      return ChainWalkText(step, ChainReading::Ends);
    case HintForm::NiceLoop:
      return ChainWalkText(step, ChainReading::Loop);
    case HintForm::ChainContradiction:
      return ChainWalkText(step, ChainReading::ProvesStart);
    case HintForm::DeathBlossom:
      return ChainWalkText(step, ChainReading::Blossom);
    case HintForm::ForcingChain:
      return "Placing " + removed + " in " + CellList(shape.losers) +
             " starts a chain of forced placements that ends in a contradiction, so that cell cannot be " +
             removed + ".";
    case HintForm::ForcingNet:
      return NetExplanation(step);
    case HintForm::KrakenFish:
      if (std::string text = KrakenFishText(step); !text.empty()) return text;
      break;
    default:
      break;
  }
  return "The blue cells form the pattern; the pink cells lose the candidates it rules out.";
}

// --- the visual clues -----------------------------------------------------

// Open single: blocks 9..1, then columns, then rows; the first house with one
// empty cell.
int FindOpenSingle(const PuzzleState& state) {
  for (int h = 26; h >= 0; --h) {
    if (state.EmptyCount[h] != 1) continue;
    for (int k = 0; k < 9; ++k) {
      const int c = HouseCell(h, k);
      if (state.CandCount[c] == 1) return c;
    }
  }
  return -1;
}

bool FindVisualElimination(const PuzzleState& state, int& house, int& digit) {
  for (int type : {2, 1, 0})
    for (int d = 1; d <= 9; ++d)
      for (int h = 9 * type; h < 9 * type + 9; ++h)
        if (state.HouseCandCount(h, d) == 1) {
          house = h;
          digit = d;
          return true;
        }
  return false;
}

int OnlyCandidate(const PuzzleState& state, int cell) {
  for (int d = 1; d <= 9; ++d)
    if (state.Cand(cell, d)) return d;
  return 0;
}

void SetPlacementHint(Board& board, int cell, int value) {
  StepRecord hint;
  hint.Kind = kPlaceValue;
  hint.Cell = cell;
  hint.Value = value;
  board.SetLastHint(hint);
}

std::string OpenSingleHint(Board& board, const PuzzleState& state, int cell, int level) {
  const std::string T = TechniquesPageAddress();
  if (level == 1)
    return "<b>HINT:</b> Look for an <a href='" + T + "#top'>Open Single</a><br>" + "<br>" +
           "Click \"Hint\" again for more...";
  board.Select(cell);
  board.Highlight(cell, kBlueCell);
  board.RedrawGrid(false);
  const int d = OnlyCandidate(state, cell);
  std::string which;
  for (int type : {2, 0, 1}) {
    if (state.EmptyCount[HouseOf(cell, type)] == 1) {
      which = "This " + std::string(HouseTypeName(type)) + " only has one open cell left (";
      break;
    }
  }
  SetPlacementHint(board, cell, d);
  return "<b>HINT:</b> <a href='" + T + "#top'>Open Single</a><br>" + "<br>" + which + DigitText(d) + "). " +
         std::string(kApplyLink);
}

std::string VisualEliminationHint(Board& board, const PuzzleState& state, int house, int d, int level) {
  if (level == 1)
    return "<b>HINT:</b> Look for a Visual Elimination (" + TechniqueName(TechniqueId::HiddenSingle, true) +
           ") " + "on the number " + DigitText(d) + ".<br><br>" + "Click \"Hint\" again for more...";
  const int type = HouseType(house);
  int target = -1;
  for (int k = 0; k < 9; ++k)
    if (state.Cand(HouseCell(house, k), d)) target = target < 0 ? HouseCell(house, k) : target;
  std::array<bool, 27> eliminating{};
  for (int k = 0; k < 9; ++k) {
    const int c = HouseCell(house, k);
    if (c == target || state.Grid[c] != 0) continue;
    for (int other = 0; other < 3; ++other) {
      if (other == type) continue;
      if (state.HouseHas(HouseOf(c, other), d)) eliminating[HouseOf(c, other)] = true;
    }
  }
  board.Select(target);
  board.Highlight(target, kBlueCell);
  for (int c = 0; c < 81; ++c) {
    bool inMarked = false;
    for (int t = 0; t < 3; ++t) inMarked = inMarked || eliminating[HouseOf(c, t)];
    if (!inMarked) continue;
    if (state.Grid[c] == d) board.Highlight(c, kEliminatingDigit);
  }
  for (int k = 0; k < 9; ++k) {
    const int c = HouseCell(house, k);
    if (c == target || state.Grid[c] != 0) continue;
    bool seesDigit = false, inMarked = false;
    for (int t = 0; t < 3; ++t) {
      seesDigit = seesDigit || state.HouseHas(HouseOf(c, t), d);
      inMarked = inMarked || eliminating[HouseOf(c, t)];
    }
    if (seesDigit && inMarked) board.Highlight(c, kEliminatedCell);
  }
  board.RedrawGrid(false);
  SetPlacementHint(board, target, d);
  return "<b>HINT:</b> Visual Elimination (" + TechniqueName(TechniqueId::HiddenSingle, true) + ")<br>" +
         "<br>" + "The blue cell is the only cell in its " + std::string(HouseTypeName(type)) +
         " that can be a " + DigitText(d) + ". " + " All other cells are eliminated by neighboring " +
         DigitText(d) + "s." + std::string(kApplyLink);
}

std::string NoVisualClueText(Board& board) {
  bool anyMarks = false;
  for (int c = 0; c < 81; ++c) anyMarks = anyMarks || board.CellHasPencilMarks(c);
  std::string text = anyMarks ? "<b>HINT:</b> <i>Please Finish Pencil Marks.</i> "
                                "Your current pencil marks are correct, however, "
                                "I need the rest of them in order to give you any further hints. Please "
                                "complete them manually, "
                              : "<b>HINT:</b> <i>Need Pencil Marks.</i> "
                                "There are no visual clues left. "
                                "Please "
                                "fill in pencil marks to find naked singles and candidate "
                                "elimination hints. This can be done manually with the pencil tool, ";
  text += "or by clicking the \"Fill All\" button. <a href='" + HelpFileAddress() +
          "#pencilmarks'>Click here to learn more about pencil marks</a>. "
          "Click <a href='RefreshWithAnal'>here</a> for an analysis of this puzzle.";
  board.imgPencil_Click();
  return text;
}

// --- technique hints --------------------------------------------------------

void ShowStepOnBoard(Board& board, const StepRecord& step) {
  if (step.Cell >= 0 && step.Cell <= 80) board.Select(step.Cell);
  for (int c = 0; c < 81; ++c)
    if (step.CellColour[c] > 0) board.Highlight(c, step.CellColour[c]);
  board.SetLastHint(step);
  board.DrawLines(HintLines(step));
  board.RedrawGrid(false);
}

std::string NoStepText() {
  return "<b>HINT:</b> <i>No further hint.</i> This puzzle needs techniques beyond those Tavimoro knows: "
         "none of its techniques finds the next step from the current pencil marks. "
         "Click <a href='RefreshWithAnal'>here</a> for an analysis of this puzzle.";
}

}  // namespace

std::string PlacementHintText(const StepRecord& step, int level) {
  const TechniqueRow& technique = Technique(step.Technique);
  const std::string name = TechniqueName(step.Technique, true);
  if (level == 1)
    return "<b>HINT:</b> Look for a " + name + "<br>" + "<br>" + "Click \"Hint\" again for more...";
  if (level == 2)
    return "<b>HINT:</b> Look for a " + name + " on the number " + DigitText(step.Value) + ".<br>" + "<br>" +
           "Click \"Hint\" again for even more...";
  switch (technique.hint) {
    case HintForm::BugPlacement:
      return "<b>HINT:</b> You can solve this cell using " + name + " logic. " +
             "The \"BUG\" rule states that you cannot end up with every cell in the puzzle having only 2 "
             "pencil "
             "marks. " +
             "The blue cell is the only cell with more than two pencil marks. With further inspection, we "
             "can " +
             "see that if the " + DigitText(step.Value) +
             " were removed, the puzzle would have a BUG - that is, every unsolved " +
             "cell would contain only 2 pencil marks - making the puzzle invalid. " +
             "Since we know this is a valid puzzle with one and only one solution, the highlighted cell must "
             "be " +
             DigitText(step.Value) + " in order to avoid this. Click <a href='" + TechniquesPageAddress() +
             std::string(technique.anchor) + "'>here</a> for a more detailed explanation of this technique. ";
    case HintForm::HiddenSingle: {
      const int house = step.Meaning.House;
      const std::string type =
          house >= 0 ? std::string(HouseTypeName(HouseType(house))) : std::string("house");
      return "<b>HINT:</b> There is a " + name + " in the indicated cell. It contains the only " +
             DigitText(step.Value) + " in its " + type + ".";
    }
    case HintForm::ForcingNet:
      return "<b>HINT:</b> There is a " + name + " in this cell (" + DigitText(step.Value) + ").<br><br>" +
             NetExplanation(step);
    case HintForm::Template:
      return "<b>HINT:</b> There is a " + name + " in this cell (" + DigitText(step.Value) + ").<br><br>" +
             TemplateText(step);
    case HintForm::ChainContradiction:
      if (step.Meaning.NodeCount > 1)
        return "<b>HINT:</b> There is " + std::string(ArticleFor(technique.name)) + " " + name +
               " proving this cell (" + DigitText(step.Value) + ").<br><br>" +
               ChainWalkText(step, ChainReading::ProvesStart);
      [[fallthrough]];
    default:
      return "<b>HINT:</b> There is a " + name + " in this cell (" + DigitText(step.Value) + ").";
  }
}

bool LikePattern(std::string_view text, std::string_view pattern) {
  // Greedy-with-backtrack matcher for "*" only.
  std::size_t t = 0, p = 0, star = std::string_view::npos, mark = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string_view ArticleFor(std::string_view name) {
  if (name.empty()) return "a";
  const char first = name.front();
  return std::string_view("AEIOXaeiox").find(first) != std::string_view::npos ? "an" : "a";
}

std::string EliminationHintText(const StepRecord& step, int level, const PuzzleState* position) {
  const StepShape shape = ShapeOf(step);
  const std::string plainName = TechniqueName(step.Technique, false);
  const std::string lead = "<b>HINT:</b> Look for " + std::string(ArticleFor(plainName)) + " " +
                           TechniqueName(step.Technique, true);
  if (level == 1) return lead + std::string(kForMore);
  if (level == 2)
    return lead + WherePhrase(step, shape, position) + NumbersPhrase(step, shape) + "." +
           std::string(kForEvenMore);
  return "<b>HINT:</b> There is " + std::string(ArticleFor(plainName)) + " " +
         TechniqueName(step.Technique, true) + WherePhrase(step, shape, position) +
         NumbersPhrase(step, shape) + ".<br><br>" + Explanation(step, shape, position) + " " +
         RemovalSentence(step, shape);
}

void ShowHint(Board& board) {
  // One search at a time: asking again while it runs changes nothing.
  if (board.ExtendedSearchPending()) return;
  if (LikePattern(board.PanelHtml(), "*ApplyLastHint*")) {
    board.HyperlinkClick("ApplyLastHint");
    return;
  }
  board.SetLastHint(StepRecord{});
  int wrongCell = -1;
  std::string msg;
  const int check = board.PencilCheck(wrongCell, msg, false);
  if (check == kPuzzleInvalid) {
    board.UpdateStatus(true);
    return;
  }
  if (check == kWrongMark) {
    board.Select(wrongCell);
    board.RedrawGrid(false);
    board.SetPanel(
        "<b>HINT:</b> <i>Pencil Mark Error</i><br><br>"
        "There is an error in your pencil marks in the cell indicated (" +
        msg + ").");
    return;
  }

  const std::string panel = board.PanelHtml();
  PuzzleState state = board.GetEngineGrid(true);
  board.MarkEnteredCells(state);
  std::string text;
  if (check == kMarksMissing) {
    const bool level1 = !LikePattern(panel, "*HINT:*");
    int house = -1, digit = 0;
    if (const int cell = FindOpenSingle(state); cell >= 0) {
      text = OpenSingleHint(board, state, cell, level1 ? 1 : 2);
    } else if (FindVisualElimination(state, house, digit)) {
      text = VisualEliminationHint(board, state, house, digit, level1 ? 1 : 2);
    } else {
      text = NoVisualClueText(board);
    }
    board.SetPanel(text);
    return;
  }

  ExclusionTable exclusions;
  for (int c = 0; c < 81; ++c) {
    if (state.Grid[c] != 0) continue;
    for (int d = 1; d <= 9; ++d)
      if (state.Cand(c, d) && !board.Cells()[c].Pencil(d)) exclusions.Set(c, d);
  }
  CalcCandidates(state, exclusions);
  const int level = NextLevel(panel);
  const bool beyondLadder = board.OptionTicked(Command::Extended);
  if (beyondLadder && board.OptionTicked(Command::Easiest)) {
    // The host's search answers with the step of the lowest score, ladder
    // and extension alike.
    const std::optional<StepRecord> easiest = board.AskExtendedStep(state, level);
    if (easiest) ShowStepHint(board, *easiest, level);
    return;
  }
  const StepRecord step = FindNextStep(state, kNoTechniqueLimit);
  if (step.Kind == kNoStep && beyondLadder) {
    const std::optional<StepRecord> extended = board.AskExtendedStep(state, level);
    if (extended) ShowStepHint(board, *extended, level);
    return;
  }
  ShowStepHint(board, step, level);
}

void ShowStepHint(Board& board, const StepRecord& step, int level) {
  std::string text;
  if (step.Kind == kPlaceValue) {
    text = PlacementHintText(step, level);
    if (level == 3) {
      ShowStepOnBoard(board, step);
      text += kApplyLink;
    }
  } else if (step.Kind == kEliminate) {
    // The position lets a level name what the step alone does not (the
    // clusters of a Multi-Colouring, a subset a roof forms).
    const PuzzleState position = GetAnalysisState(board);
    text = EliminationHintText(step, level, &position);
    if (level == 3) {
      // Taken as the easiest step, a ladder forcing chain shows its chain.
      if (board.OptionTicked(Command::Extended) && board.OptionTicked(Command::Easiest))
        if (const std::string proof = ForcingChainProof(position, step); !proof.empty())
          text += "<br><br>" + proof;
      ShowStepOnBoard(board, step);
      text += kApplyLink;
    }
  } else {
    text = NoStepText();
  }
  if (level == 3) text = WithLinkedSubProofs(std::move(text), step);
  board.SetPanel(text);
}

void ShowSubProof(Board& board, std::string_view path) {
  const StepRecord step = board.LastHint();  // a copy: showing the hint sets it again
  while (!path.empty() && path.front() == ' ') path.remove_prefix(1);
  std::string line, known;
  StepRecord inner;
  const std::string lines = path.empty() ? std::string() : NetSubProof(step, path, line, known, &inner);
  board.ClearCellColors();
  if (lines.empty()) {
    // The whole proof, or a link of a hint no longer on the panel.
    if (step.Kind != kNoStep) ShowStepHint(board, step, 3);
    return;
  }
  // The board shows the inner net's path; applying still applies the whole step.
  for (int c = 0; c < 81; ++c)
    if (inner.CellColour[c] > 0) board.Highlight(c, inner.CellColour[c]);
  board.DrawLines(HintLines(inner));
  board.RedrawGrid(false);
  board.SetPanel(
      "<b>HINT:</b> The net of its own behind line " + line + " of the " +
      TechniqueName(step.Technique, true) + known +
      ": supposing the first cell below holds its digit leads, step by step, to a contradiction:<br>" +
      lines + "<br><a href='" + std::string(kSubProofLink) + "'>Back to the whole proof</a>." +
      std::string(kApplyLink));
}

std::string SearchingText() {
  return "<i>Searching for the next step...</i><br><br>"
         "The techniques beyond the ladder take a moment on this position.";
}

}  // namespace tavimoro
