// Small pieces of the trace texts shared by the rungs.
#pragma once

#include "engine/step_record.h"
#include "engine/tables.h"

namespace tavimoro::steps {

// "R", "C" or "B" for the type of a house.
constexpr char HouseLetter(int house) { return "RCB"[HouseType(house)]; }

// The digits of a mask in ascending order, the last joined by " & " and the
// others by ", ": "1 & 4", "2, 3 & 7", "1, 2, 5 & 9".
inline void AppendDigitList(DigitsText& text, int mask) {
  int left = BitCount(mask);
  for (int d = 1; d <= 9; ++d) {
    if (!(mask & DigitBit(d))) continue;
    text << d;
    --left;
    if (left > 1) text << ", ";
    if (left == 1) text << " & ";
  }
}

}  // namespace tavimoro::steps
