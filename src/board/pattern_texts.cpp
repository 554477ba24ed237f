#include "board/pattern_texts.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "board/chain_walk.h"
#include "board/hint_meanings.h"
#include "board/phrases.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

constexpr std::uint32_t kSecondColour = 0x80FF80;  // partners of a pattern

std::vector<int> CellsColoured(const StepRecord& step, std::uint32_t colour) {
  std::vector<int> cells;
  for (int c = 0; c < 81; ++c)
    if (step.CellColour[c] == colour) cells.push_back(c);
  return cells;
}

std::vector<int> Losers(const StepRecord& step) {
  std::vector<int> cells;
  for (int c = 0; c < 81; ++c)
    if (step.EliminateMask[c]) cells.push_back(c);
  return cells;
}

int Removed(const StepRecord& step) {
  int mask = 0;
  for (auto m : step.EliminateMask) mask |= m;
  return mask;
}

std::string Digits(int mask, const char* lastJoiner = " and ") {
  std::vector<std::string> digits;
  for (int d = 1; d <= 9; ++d)
    if (mask & DigitBit(d)) digits.push_back(DigitText(d));
  std::string out = JoinAnd(digits);
  if (const auto at = out.rfind(" and "); at != std::string::npos) out.replace(at, 5, lastJoiner);
  return out;
}

bool InHouse(int cell, int house) { return house >= 0 && HouseOf(cell, HouseType(house)) == house; }

std::string DeadlyClause(int pair) {
  return "the " + Digits(pair) +
         " of the four corners could swap places and the puzzle would have two "
         "solutions";
}

// The naked subset a rectangle's roof forms with its partners in a house: the
// roof acts as one cell holding its digits beyond the pair. "a naked triple
// on 4, 6 and 8"; without the position only "a naked subset".
std::string RoofSubset(const std::vector<int>& roof, const std::vector<int>& partners, int pair,
                       const PuzzleState* position) {
  static constexpr std::array<std::string_view, 5> kSizes = {"", "", "pair", "triple", "quadruple"};
  const std::size_t size = partners.size() + 1;
  if (position == nullptr || size >= kSizes.size()) return "a naked subset";
  int digits = 0;
  for (int c : roof) digits |= position->CandMask[c] & ~pair;
  for (int c : partners) digits |= position->CandMask[c];
  if (static_cast<std::size_t>(BitCount(digits)) != size) return "a naked subset";
  return "a naked " + std::string(kSizes[size]) + " on " + Digits(digits);
}

// What a colouring's walk shows before it is walked: a trap's two ends of
// opposite colours, or the two clusters a multi-colouring joins.
std::string ChainLead(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  const std::string d = DigitText(m.Nodes[0].Digit);
  if (step.Technique == TechniqueId::SimpleColouring)
    return "Along the strong links the " + d + "s take two colours in turn, and " +
           CellName(m.Nodes[0].FirstCell()) + " and " + CellName(m.Nodes[m.NodeCount - 1].FirstCell()) +
           " have opposite colours, so one of them is true: a cell that sees both is trapped. ";
  if (step.Technique != TechniqueId::MultiColouring) return {};
  int firstWeak = -1, lastWeak = -1;
  for (int i = 0; i + 1 < m.NodeCount; ++i)
    if (m.Links[i] == LinkKind::Weak) {
      if (firstWeak < 0) firstWeak = i;
      lastWeak = i;
    }
  if (firstWeak < 0) return {};
  std::vector<int> one, other;
  for (int i = 0; i <= firstWeak; ++i) one.push_back(m.Nodes[i].FirstCell());
  for (int i = lastWeak + 1; i < m.NodeCount; ++i) other.push_back(m.Nodes[i].FirstCell());
  return "Two clusters of strong links on " + d + ", " + CellList(one) + " in one and " + CellList(other) +
         " in the other, joined where they see each other. ";
}

// A unique loop: its cells in ring order, how the roof breaks it.
std::string UniqueLoopText(const StepRecord& step, const PuzzleState* position) {
  const StepMeaning& m = step.Meaning;
  if (m.NodeCount < 6 || BitCount(m.DigitMask) != 2) return {};
  const int pair = m.DigitMask, removed = Removed(step);
  std::vector<int> ring;
  for (int i = 0; i < m.NodeCount; ++i) ring.push_back(m.Nodes[i].FirstCell());
  const std::vector<int> losers = Losers(step);
  const std::string lead =
      "The cells " + CellList(ring) + " form a ring: each holds " + Digits(pair) +
      ", and every row, column and block that holds one of them holds exactly two, an odd number of steps "
      "apart along the ring. Were they to hold nothing else, the " +
      Digits(pair) +
      " would alternate around the ring and could swap places, and the puzzle would have "
      "two solutions. ";
  if (losers.size() == 1 && removed == pair)
    return lead + CellName(losers.front()) +
           " is the only cell of the ring with other digits, so it must take " +
           "one of them: it cannot be " + Digits(removed, " or ") + ".";
  const bool losersOnRing = std::all_of(losers.begin(), losers.end(), [&](int c) {
    return std::find(ring.begin(), ring.end(), c) != ring.end();
  });
  if (m.House >= 0 && !losersOnRing) {
    // Type 3: the ring's two cells in the house, and their partners there.
    std::vector<int> roof;
    for (int c : ring)
      if (InHouse(c, m.House)) roof.push_back(c);
    const std::vector<int> partners = CellsColoured(step, kSecondColour);
    if (roof.size() != 2 || partners.empty()) return {};
    return lead + "So " + CellList(roof, " or ") +
           " holds one of its other digits. Between them they act as one cell holding those digits, and "
           "with " +
           CellList(partners) + " they form " + RoofSubset(roof, partners, pair, position) + " in " +
           HouseName(m.House) + ": its cells hold as many digits as there are cells. So the other cells of " +
           HouseName(m.House) + " cannot be " + Digits(removed, " or ") + ".";
  }
  if (m.House >= 0) {
    const int locked = pair & ~removed;
    return lead + "In " + HouseName(m.House) + " the " + Digits(locked) + " can only go in " +
           CellList(losers, " or ") + ", so one of them is " + Digits(locked) + ". Were the other " +
           Digits(removed) + ", every cell of the ring would hold only " + Digits(pair, " or ") +
           ". So neither " + CellList(losers, " nor ") + " can be " + Digits(removed) + ".";
  }
  const std::vector<int> roof = CellsColoured(step, kSecondColour);
  if (roof.empty()) return {};
  return lead + CellList(roof) + ", the cells of the ring with other digits, hold the same one extra " +
         Digits(removed) + ", so one of them is " + Digits(removed) + ", and " + CellList(losers) +
         ", which see all of them, cannot be " + Digits(removed) + ".";
}

// "A, B or C"; the items may hold " and " themselves.
std::string JoinOr(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i)
    text += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + items[i];
  return text;
}

}  // namespace

std::string ChainPatternText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  if (m.NodeCount < 2) return {};
  const ChainNode& first = m.Nodes[0];
  const ChainNode& last = m.Nodes[m.NodeCount - 1];
  const bool loop =
      first.Digit == last.Digit && first.CellCount == last.CellCount && first.Cells == last.Cells;
  // A colour that sees both colours of another cluster: the chain starts on
  // a weak link, so it is not walked as one.
  if (step.Technique == TechniqueId::MultiColouring && m.Links[0] == LinkKind::Weak)
    return "A colour of one cluster of " + DigitText(first.Digit) + "s sees both colours of another, so " +
           "it is false and its cells lose the " + DigitText(first.Digit) + ".";
  if (!loop) return ChainLead(step) + ChainWalkText(step, ChainReading::Ends);
  // A colour that wraps: along the strong links the places take two colours
  // in turn, and two places of one colour share a house.
  std::vector<int> one, other;
  for (int i = 0; i + 1 < m.NodeCount; ++i) (i % 2 == 0 ? one : other).push_back(m.Nodes[i].FirstCell());
  const int house = SharedHouse(m.Nodes[0], m.Nodes[m.NodeCount - 2]);
  const std::string d = DigitText(first.Digit);
  return "Along the strong links the " + d + "s take two colours in turn: " + CellList(one) +
         " one colour, " + CellList(other) + " the other, and one of the two colours is the true one. " +
         CellName(first.FirstCell()) + " and " + CellName(m.Nodes[m.NodeCount - 2].FirstCell()) +
         " have the same colour and share " + HouseName(house) +
         ", so that colour cannot be true: its cells lose the " + d + ".";
}

std::string ChainPatternWhere(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  std::vector<std::string> places;
  for (int i = 0; i + 1 < m.NodeCount; ++i) {
    const ChainNode& a = m.Nodes[i];
    const ChainNode& b = m.Nodes[i + 1];
    std::string place;
    if (a.CellCount == 1 && b.CellCount == 1 && a.FirstCell() == b.FirstCell()) {
      place = CellName(a.FirstCell());
    } else {
      place = HouseName(SharedHouse(a, b));
    }
    if (!place.empty() && std::find(places.begin(), places.end(), place) == places.end())
      places.push_back(place);
  }
  if (places.empty()) return {};
  return " in " + JoinAnd(places);
}

std::string TwoChainsText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  if (m.NodeCount != 8 || m.House < 0) return {};
  std::string text;
  if (step.Technique == TechniqueId::DualTwoStringKite) {
    text = "Two kites go through the same two cells of " + HouseName(m.House) + ", " +
           CellName(m.Nodes[1].FirstCell()) + " and " + CellName(m.Nodes[2].FirstCell()) + ".";
  } else {
    const std::string d = DigitText(m.Nodes[0].Digit);
    text = "Two empty rectangles on " + d + " share the places of " + d + " in " + HouseName(m.House) + ".";
  }
  auto seesNode = [](int cell, const ChainNode& node) {
    for (int k = 0; k < node.CellCount; ++k)
      if (cell == node.Cells[k] || !CellsShareHouse(cell, node.Cells[k])) return false;
    return true;
  };
  for (int half = 0; half < 2; ++half) {
    StepRecord one = step;
    one.Meaning.NodeCount = 4;
    for (int i = 0; i < 4; ++i) {
      one.Meaning.Nodes[i] = m.Nodes[4 * half + i];
      one.Meaning.Links[i] = m.Links[4 * half + i];
    }
    std::vector<int> victims;
    for (int c : Losers(step))
      if (seesNode(c, one.Meaning.Nodes[0]) && seesNode(c, one.Meaning.Nodes[3])) victims.push_back(c);
    text += half == 0 ? " First: " : " Second: ";
    text += ChainWalkText(one, ChainReading::Ends);
    if (victims.empty()) continue;
    text += " That rules out the " + DigitText(one.Meaning.Nodes[0].Digit) + " in ";
    text += CellList(victims);
    text += '.';
  }
  return text;
}

std::string TemplateText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  const std::string d = Digits(m.DigitMask);
  const int count = m.TemplateCount;
  std::string text = "A template is one way of placing all nine " + d +
                     "s, one in every row, column and block. " +
                     (count == 1 ? std::string("Only one template fits")
                                 : "Only " + std::to_string(count) + " templates fit") +
                     " the " + d + "s already placed and the cells still open to " + d + ", ";
  if (step.Kind == kPlaceValue) {
    const std::string cell = CellName(step.Cell);
    return text + (count == 1 ? "and it puts" : "and every one of them puts") + " a " + d + " in " + cell +
           ", so " + cell + " is " + d + ".";
  }
  const std::vector<int> losers = Losers(step);
  return text + (count == 1 ? "and it does not use" : "and none of them uses") + " " +
         CellList(losers, " or ") + ", so " + (losers.size() == 1 ? "that cell" : "those cells") +
         " cannot be " + d + ".";
}

std::string BentWingText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  const std::vector<int> cells = CellsColoured(step, PatternColour);
  const int z = Removed(step);
  std::vector<int> holders;
  for (int i = 0; i < m.NodeCount; ++i) holders.push_back(m.Nodes[i].FirstCell());
  const std::string n = std::to_string(cells.size());
  const std::string zText = Digits(z);
  return "The " + n + " blue cells " + CellList(cells) + " hold only the " + n + " digits " +
         Digits(m.DigitMask) + " between them. Every digit but " + zText +
         " lies in cells of the set that all see each other, so it can fill at most one of them, and without "
         "a " +
         zText + " the " + n + " cells would have too few digits to go round. So " +
         CellList(holders, " or ") + " is " + zText + ", and a cell that sees " +
         (holders.size() == 2 ? "both" : "all of them") + " cannot be " + zText + ".";
}

std::string AlignedExclusionText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  const std::vector<int> base = CellsColoured(step, PatternColour);
  std::vector<std::string> excluders;
  for (int i = 0; i < m.AlsCount; ++i)
    excluders.push_back(CellName(m.Als[i].Cells[0]) + " (" + Digits(m.Als[i].Digits) + ")");
  std::vector<std::string> losses;
  for (int c : base)
    if (step.EliminateMask[c])
      losses.push_back(CellName(c) + " cannot be " + Digits(step.EliminateMask[c], " or "));
  std::string text =
      "Take " + CellList(base) + " together and try every way of filling them from their candidates. ";
  text += "A way is ruled out when it puts one digit in two of them that see each other";
  if (!excluders.empty())
    text += ", or when it takes every candidate of " +
            (excluders.size() == 1 ? excluders.front() : "one of " + JoinOr(excluders)) +
            ", each of which sees the cells that would take its digits";
  return text + ". No way that is left uses the candidates that go, so " + JoinAnd(losses) + ".";
}

std::string UniquenessText(const StepRecord& step, const PuzzleState* position) {
  const StepMeaning& m = step.Meaning;
  if (step.Technique == TechniqueId::UniqueLoop) return UniqueLoopText(step, position);
  const std::vector<int> corners = RectangleMeaningOf(step).corners;
  if (corners.size() != 4 || BitCount(m.DigitMask) != 2) return {};
  const int pair = m.DigitMask, removed = Removed(step);
  const std::vector<int> losers = Losers(step);
  std::string lead = "The corners " + CellList(corners) + " all hold " + Digits(pair) + ". ";
  // Nodes name the digits corners have already lost.
  if (m.NodeCount > 0) {
    std::vector<std::string> lost;
    for (int i = 0; i < m.NodeCount; ++i)
      lost.push_back(CellName(m.Nodes[i].FirstCell()) + (i == 0 ? " has already lost its " : " its ") +
                     DigitText(m.Nodes[i].Digit));
    lead = "The corners " + CellList(corners) + " hold " + Digits(pair) + ", except that " + JoinAnd(lost) +
           "; the two digits could still fill them crosswise. ";
  }
  std::vector<int> inHouse;
  for (int c : corners)
    if (InHouse(c, m.House)) inHouse.push_back(c);
  switch (step.Technique) {
    case TechniqueId::UniqueRectangle2:
    case TechniqueId::UniqueRectangle5:
      return lead + "If no corner were " + Digits(removed) + ", each would hold only " +
             Digits(pair, " or ") + ", so " + DeadlyClause(pair) + ". So a corner that holds " +
             Digits(removed) + " is " + Digits(removed) +
             ", and a cell that sees every such corner cannot be " + Digits(removed) + ".";
    case TechniqueId::UniqueRectangle3: {
      const std::vector<int> partners = CellsColoured(step, kSecondColour);
      if (inHouse.size() != 2 || partners.empty()) break;
      return lead + "If " + CellList(inHouse) + " held nothing else, " + DeadlyClause(pair) +
             ", so one of them holds one of its other digits. Between them they act as one cell holding "
             "those "
             "digits, and with " +
             CellList(partners) + " they form " + RoofSubset(inHouse, partners, pair, position) + " in " +
             HouseName(m.House) +
             ": its cells hold as many digits as there are cells. So the other cells of " +
             HouseName(m.House) + " cannot be " + Digits(removed, " or ") + ".";
    }
    case TechniqueId::UniqueRectangle4: {
      if (inHouse.size() != 2) break;
      const int locked = pair & ~removed;
      return lead + "In " + HouseName(m.House) + " the " + Digits(locked) + " can only go in " +
             CellList(inHouse, " or ") + ", so one of them is " + Digits(locked) + ". Were the other " +
             Digits(removed) + ", all four corners would hold only " + Digits(pair) + ", so " +
             DeadlyClause(pair) + ". So neither " + CellList(inHouse, " nor ") + " can be " +
             Digits(removed) + ".";
    }
    case TechniqueId::UniqueRectangle6: {
      std::vector<int> floor;
      for (int c : corners)
        if (std::find(losers.begin(), losers.end(), c) == losers.end()) floor.push_back(c);
      return lead + CellList(floor) +
             " hold nothing else, and in the rectangle's two rows (or its two "
             "columns) the " +
             Digits(removed) + " lies only in its corners, so it takes one diagonal. Were it " +
             CellList(losers) + ", then " + CellList(floor) + " would both be the other digit, so " +
             DeadlyClause(pair) + ". So " + CellList(losers, " and ") + " cannot be " + Digits(removed) + ".";
    }
    case TechniqueId::HiddenRectangle: {
      if (m.Pivot < 0 || losers.size() != 1) break;
      const int opposite = losers.front();
      const int locked = pair & ~removed;
      std::vector<int> sides;
      for (int c : corners)
        if (c != opposite && c != m.Pivot) sides.push_back(c);
      return lead + CellName(m.Pivot) + " holds nothing else. In row " + std::to_string(CellRow(opposite)) +
             " and in column " + std::to_string(CellCol(opposite)) + " the " + Digits(locked) +
             " lies only in the rectangle's corners. Were " + CellName(opposite) + " " + Digits(removed) +
             ", the " + Digits(locked) + " of that row and that column would be in " + CellList(sides) +
             ", so " + CellName(m.Pivot) + " would be " + Digits(removed) + ", so " + DeadlyClause(pair) +
             ". So " + CellName(opposite) + " cannot be " + Digits(removed) + ".";
    }
    default:
      break;
  }
  return lead + "If nothing else could go there, " + DeadlyClause(pair) +
         ", so the pattern must be broken; that rules out " + Digits(removed) + " in " + CellList(losers) +
         ".";
}

std::string FinnedFishText(const StepRecord& step) {
  const auto [base, cover, linesOnly, fins] = FishMeaningOf(step);
  if (base.empty() || cover.empty()) return {};
  auto houses = [](const std::vector<int>& list) {
    std::vector<std::string> names;
    for (int h : list) names.push_back(HouseName(h));
    return JoinAnd(names);
  };
  const std::string removed = Digits(Removed(step));
  const bool sashimi = step.Technique == TechniqueId::SashimiXWing ||
                       step.Technique == TechniqueId::SashimiSwordfish ||
                       step.Technique == TechniqueId::SashimiJellyfish;
  std::string text = "In " + houses(base) + ", the " + removed + " can only go in " + houses(cover) +
                     " or in the fin" + (fins.size() == 1 ? " " : "s ") + CellList(fins) + ". ";
  if (sashimi)
    text +=
        "The fish is sashimi: one of its corners has no " + removed + " left, and the fin stands in for it. ";
  const std::vector<int> losers = Losers(step);
  return text + "If no fin holds the " + removed + ", the fish leaves no other " + removed + " in " +
         houses(cover) + "; if a fin does, the cells that see the fin lose it. " + CellList(losers) +
         (losers.size() == 1 ? " lies in both places, so it cannot be "
                             : " lie in both places, so they cannot be ") +
         removed + ".";
}

std::string BugPlusNText(const StepRecord& step) {
  const std::vector<int> cells = CellsColoured(step, PatternColour);
  return "Apart from " + CellList(cells) +
         ", every unsolved cell has exactly two pencil marks, and without some marks of those cells every "
         "digit "
         "would have two places in each house: a deadly pattern with no solution or several. So one of their "
         "extra marks (" +
         Digits(step.Meaning.DigitMask, " or ") + ") is true, and a mark that clashes with all of them goes.";
}

std::string SueDeCoqText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  const auto [line, block, core, linePartners, blockPartners] = SueDeCoqMeaningOf(step);
  if (line < 0 || block < 0) return {};
  int lineLoses = 0, blockLoses = 0;
  for (int c : Losers(step)) (InHouse(c, block) ? blockLoses : lineLoses) |= step.EliminateMask[c];
  const std::size_t count = core.size() + linePartners.size() + blockPartners.size();
  std::string text =
      CellList(core) + ", where " + HouseName(line) + " crosses " + HouseName(block) + ", with " +
      CellList(linePartners) + " in the line and " + CellList(blockPartners) + " in the block, hold the " +
      std::to_string(BitCount(m.DigitMask)) + " digits " + Digits(m.DigitMask) + " in " +
      std::to_string(count) +
      " cells, and the line's partners share no digit with the "
      "block's. So every digit goes into exactly one of these cells, in the line part or in the "
      "block part.";
  if (lineLoses)
    text += " The line part takes " + Digits(lineLoses) + ", so the rest of " + HouseName(line) + " loses " +
            Digits(lineLoses, " and ") + ".";
  if (blockLoses)
    text += " The block part takes " + Digits(blockLoses) + ", so the rest of " + HouseName(block) +
            " loses " + Digits(blockLoses, " and ") + ".";
  return text;
}

std::string AlsWingText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  const std::string walk = ChainWalkText(step, ChainReading::Ends);
  if (m.NodeCount != 6) return walk;
  auto set = [&](int link) {
    const int at = m.LinkAls[link] - 1;
    if (at < 0 || at >= m.AlsCount) return CellList(m.Nodes[link], " and ");
    const AlsPart& part = m.Als[at];
    return CellList(std::vector<int>(part.Cells.begin(), part.Cells.begin() + part.CellCount));
  };
  return "A wing of three almost locked sets, each pincer linked to the pivot by a digit: the pivot " +
         set(2) + "; one pincer " + set(0) + "; the other " + set(4) + ". " + walk;
}

}  // namespace tavimoro
