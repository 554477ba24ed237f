// The third level of a forcing-net hint: the inferences that prove the step,
// one numbered line each, made from the step's meaning block. Only what the
// result rests on is a line of its own: a candidate that goes because a
// peer holds its digit is told inside the line that needs it, with the line
// that peer was placed on. Each branch ends in its result or in a line that
// names its contradiction; cell and unit nets close with the common result.
#pragma once

#include <string>

#include "engine/step_record.h"

namespace tavimoro {

// "1. Suppose R4C5 is 7.<br>2. Then R5C5 is 3, ..." Empty for a step
// without net nodes.
std::string NetProofLines(const StepRecord& step);

}  // namespace tavimoro
