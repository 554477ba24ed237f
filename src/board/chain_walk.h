// The sentence of a chain hint: it walks the step's chain node by node, each
// inference with its reason, so that a reader can check every link on the
// board. Made from the step's meaning block only.
#pragma once

#include <string>

#include "engine/step_record.h"

namespace tavimoro {

enum class ChainReading {
  Ends,         // one of the two ends is true: what conflicts with both goes
  Loop,         // the ends are linked too: every weak link becomes strong
  ProvesStart,  // the chain comes back to its start: the start is true
  Blossom,      // nodes in threes: stem digit, petal, the petal's common digit
};

// "If R1C1 is not 1, then R1C5 is 1 (row 1 has no other place for 1), so
// R3C4 is not 1 (it sees R1C5), ..." followed by the conclusion. Empty when
// the step has no chain.
std::string ChainWalkText(const StepRecord& step, ChainReading reading);

}  // namespace tavimoro
