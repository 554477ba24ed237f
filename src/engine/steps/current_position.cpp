#include "engine/steps/current_position.h"

namespace tavimoro::steps {

const CurrentPosition& PositionNow(const PuzzleState& s) {
  struct Seen {
    CurrentPosition position;
    std::array<std::uint8_t, 81> grid{};
    std::array<std::uint16_t, 81> cand{};
  };
  thread_local Seen seen;
  if (seen.position.number == 0 || seen.grid != s.Grid || seen.cand != s.CandMask) {
    seen.grid = s.Grid;
    seen.cand = s.CandMask;
    CurrentPosition& p = seen.position;
    ++p.number;
    p.candidates = {};
    p.placed = {};
    for (int c = 0; c < 81; ++c) {
      if (s.Grid[c] >= 1 && s.Grid[c] <= 9) p.placed[s.Grid[c] - 1].Add(c);
      for (int rest = s.CandMask[c] & 0x1FF; rest; rest &= rest - 1)
        p.candidates[__builtin_ctz(static_cast<unsigned>(rest))].Add(c);
    }
  }
  return seen.position;
}

}  // namespace tavimoro::steps
