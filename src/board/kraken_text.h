// The third level of a Kraken fish hint: the fish with its base and cover
// lines and its fins, then, fin by fin, the inferences from the fin to the
// removal, numbered as a forcing net's proof.
#pragma once

#include <string>

#include "engine/step_record.h"

namespace tavimoro {

// Empty for a step without the fish's lines.
std::string KrakenFishText(const StepRecord& step);

}  // namespace tavimoro
