// The third level of a forcing-net hint: the inferences that prove the step,
// in the order the net found them, one numbered line each, made from the
// step's meaning block. A proof longer than the record holds is shown by its
// main threads and the count of the inferences left out.
#pragma once

#include <string>

#include "engine/step_record.h"

namespace tavimoro {

// "1. Suppose R4C5 is 7.<br>2. Then R4C6 is not 7 (it sees R4C5).<br>..."
// and, when some were left out, "... and 12 more inferences.<br>". Empty
// for a step without net nodes.
std::string NetProofLines(const StepRecord& step);

}  // namespace tavimoro
