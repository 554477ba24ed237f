#include "engine/puzzle_state.h"

namespace tavimoro {

void CalcCandidates(PuzzleState& s, const ExclusionTable& exclusions) {
  s.FilledCount = 0;
  s.HouseHasMask.fill(0);
  s.EmptyCount.fill(0);
  s.CandCount.fill(0);
  s.CandMask.fill(0);
  for (auto& counts : s.HouseDigitCount) counts.fill(0);

  for (int c = 0; c < 81; ++c) {
    const int d = s.Grid[c];
    if (d == 0) continue;
    const auto bit = static_cast<std::uint16_t>(DigitBit(d));
    for (int t = 0; t < 3; ++t) s.HouseHasMask[HouseOf(c, t)] |= bit;
    ++s.FilledCount;
  }
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] != 0) continue;
    const int r = HouseOf(c, 0), col = HouseOf(c, 1), b = HouseOf(c, 2);
    const int mask =
        kAllDigits & ~(s.HouseHasMask[r] | s.HouseHasMask[col] | s.HouseHasMask[b]) & ~exclusions.Mask[c];
    s.CandMask[c] = static_cast<std::uint16_t>(mask);
    s.CandCount[c] = static_cast<std::uint8_t>(BitCount(mask));
    for (int rest = mask; rest != 0; rest &= rest - 1) {
      const int d = MaskDigit(LowestBit(rest)) - 1;
      ++s.HouseDigitCount[r][d];
      ++s.HouseDigitCount[col][d];
      ++s.HouseDigitCount[b][d];
    }
    ++s.EmptyCount[r];
    ++s.EmptyCount[col];
    ++s.EmptyCount[b];
  }
}

void DropCandidates(PuzzleState& s, int cell, int mask) {
  mask &= s.CandMask[cell];
  if (mask == 0) return;
  s.CandMask[cell] = static_cast<std::uint16_t>(s.CandMask[cell] & ~mask);
  s.CandCount[cell] = static_cast<std::uint8_t>(s.CandCount[cell] - BitCount(mask));
  for (int rest = mask; rest != 0; rest &= rest - 1) {
    const int d = MaskDigit(LowestBit(rest)) - 1;
    for (int t = 0; t < 3; ++t) --s.HouseDigitCount[HouseOf(cell, t)][d];
  }
}

void PlaceDigit(PuzzleState& s, int cell, int digit) {
  DropCandidates(s, cell, kAllDigits);
  s.Grid[cell] = static_cast<std::uint8_t>(digit);
  ++s.FilledCount;
  const int bit = DigitBit(digit);
  for (int t = 0; t < 3; ++t) {
    const int h = HouseOf(cell, t);
    s.HouseHasMask[h] = static_cast<std::uint16_t>(s.HouseHasMask[h] | bit);
    --s.EmptyCount[h];
  }
  for (int p : Peers(cell)) {
    if (!(s.CandMask[p] & bit)) continue;
    s.CandMask[p] = static_cast<std::uint16_t>(s.CandMask[p] & ~bit);
    --s.CandCount[p];
    for (int t = 0; t < 3; ++t) --s.HouseDigitCount[HouseOf(p, t)][digit - 1];
  }
}

PuzzleState PuzzleFromString(std::string_view text) {
  PuzzleState s;
  for (std::size_t c = 0; c < 81 && c < text.size(); ++c) {
    const char ch = text[c];
    if (ch >= '1' && ch <= '9') s.Grid[c] = static_cast<std::uint8_t>(ch - '0');
  }
  CalcCandidates(s);
  return s;
}

std::string PuzzleToString(const PuzzleState& s) {
  std::string text(81, '.');
  for (int c = 0; c < 81; ++c) {
    if (s.Grid[c] >= 1 && s.Grid[c] <= 9) text[c] = static_cast<char>('0' + s.Grid[c]);
  }
  return text;
}

bool CellAloneInHouse(const PuzzleState& s, int cell) {
  for (int t = 0; t < 3; ++t) {
    bool alone = true;
    for (int other : CellsOfHouse(HouseOf(cell, t))) {
      if (other != cell && s.Grid[other] >= 1) {
        alone = false;
        break;
      }
    }
    if (alone) return true;
  }
  return false;
}

void FirstTwoCandidates(const PuzzleState& s, int cell, int& first, int& second) {
  first = second = 0;
  for (int d = 1; d <= 9; ++d) {
    if (!s.Cand(cell, d)) continue;
    if (first == 0) {
      first = d;
    } else {
      second = d;
      return;
    }
  }
}

}  // namespace tavimoro
