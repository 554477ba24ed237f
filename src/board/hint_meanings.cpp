#include "board/hint_meanings.h"

#include <algorithm>

namespace tavimoro {
namespace {

constexpr std::uint32_t kPartnerColour = 0x80FF80;  // the partners of a pattern, as drawn
constexpr std::uint32_t kFinColour = 0x80C0FF;      // a fish's fins, as drawn

std::vector<int> Coloured(const StepRecord& step, std::uint32_t colour) {
  std::vector<int> cells;
  for (int c = 0; c < 81; ++c)
    if (step.CellColour[c] == colour) cells.push_back(c);
  return cells;
}

bool Holds(int house, int cell) { return HouseOf(cell, HouseType(house)) == house; }

}  // namespace

SubsetMeaning NakedSubsetMeaning(const StepRecord& step) {
  SubsetMeaning meaning{{}, Coloured(step, PatternColour)};
  std::vector<int> losers;
  for (int c = 0; c < 81; ++c)
    if (step.EliminateMask[c]) losers.push_back(c);
  // The houses that hold every cell of the subset, blocks first.
  std::vector<int> shared;
  for (int type = 2; type >= 0 && !meaning.cells.empty(); --type) {
    const int house = HouseOf(meaning.cells.front(), type);
    bool all = true;
    for (int c : meaning.cells) all = all && Holds(house, c);
    if (all) shared.push_back(house);
  }
  for (int house : shared) {
    bool all = !losers.empty();
    for (int c : losers) all = all && Holds(house, c);
    if (all) {
      meaning.houses = {house};
      return meaning;
    }
  }
  for (int house : shared)
    for (int c : losers)
      if (Holds(house, c)) {
        meaning.houses.push_back(house);
        break;
      }
  if (meaning.houses.empty() && step.Meaning.House >= 0) meaning.houses = {step.Meaning.House};
  return meaning;
}

SubsetMeaning HiddenSubsetMeaning(const StepRecord& step) {
  SubsetMeaning meaning{{}, Coloured(step, PatternColour)};
  if (step.Meaning.House >= 0) meaning.houses = {step.Meaning.House};
  return meaning;
}

// The line and the block among the step's two houses.
void LineAndBlock(const StepMeaning& m, int& line, int& block) {
  for (int house : {m.House, m.SecondHouse}) {
    if (house < 0 || house > 26) continue;
    (HouseType(house) == 2 ? block : line) = house;
  }
}

OmissionMeaning OmissionMeaningOf(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  OmissionMeaning meaning;
  LineAndBlock(m, meaning.line, meaning.block);
  // The house whose places are confined is the one the step found first.
  meaning.claiming = m.House >= 0 && m.House == meaning.line;
  return meaning;
}

SueDeCoqMeaning SueDeCoqMeaningOf(const StepRecord& step) {
  SueDeCoqMeaning meaning;
  LineAndBlock(step.Meaning, meaning.line, meaning.block);
  if (meaning.line < 0 || meaning.block < 0) return meaning;
  meaning.core = Coloured(step, PatternColour);
  for (int c : Coloured(step, kPartnerColour))
    (Holds(meaning.block, c) ? meaning.blockPartners : meaning.linePartners).push_back(c);
  return meaning;
}

FishMeaning FishMeaningOf(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  FishMeaning meaning;
  meaning.bases.assign(m.BaseLines.begin(), m.BaseLines.begin() + m.BaseCount);
  meaning.covers.assign(m.CoverLines.begin(), m.CoverLines.begin() + m.CoverCount);
  for (int i = 0; i < m.BaseCount; ++i)
    meaning.linesOnly = meaning.linesOnly && HouseType(m.BaseLines[i]) == HouseType(m.BaseLines[0]) &&
                        HouseType(m.BaseLines[i]) != 2;
  for (int i = 0; i < m.CoverCount; ++i)
    meaning.linesOnly = meaning.linesOnly && HouseType(m.CoverLines[i]) == HouseType(m.CoverLines[0]) &&
                        HouseType(m.CoverLines[i]) != 2;
  meaning.fins = Coloured(step, kFinColour);
  return meaning;
}

RectangleMeaning RectangleMeaningOf(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  RectangleMeaning meaning;
  for (int i = 0; i < m.BaseCount; ++i)
    (HouseType(m.BaseLines[i]) == 0 ? meaning.rows : meaning.columns).push_back(m.BaseLines[i]);
  for (int i = 0; i < m.CoverCount; ++i)
    (HouseType(m.CoverLines[i]) == 0 ? meaning.rows : meaning.columns).push_back(m.CoverLines[i]);
  const auto isLine = [](int h) { return h >= 0 && h < 18; };
  if (meaning.rows.size() != 2 || meaning.columns.size() != 2 ||
      !std::all_of(meaning.columns.begin(), meaning.columns.end(), isLine)) {
    return {};
  }
  for (int r = 0; r < 2; ++r)
    for (int col = 0; col < 2; ++col) meaning.corners.push_back(meaning.Corner(r, col));
  std::sort(meaning.corners.begin(), meaning.corners.end());
  return meaning;
}

WingMeaning WingMeaningOf(const StepRecord& step) {
  WingMeaning meaning;
  meaning.pivot = step.Meaning.Pivot;
  for (int c : Coloured(step, PatternColour))
    if (c != meaning.pivot) meaning.pincers.push_back(c);
  return meaning;
}

}  // namespace tavimoro
