// The lines the board draws for the hint on the panel.
#pragma once

#include <vector>

#include "engine/step_record.h"

namespace tavimoro {

// The lines of the hint. A chain beyond the ladder (an inference chain, a
// loop, a contradiction, a Death Blossom) is drawn from its nodes: each link
// between two cells from the first cell of one node to the first of the
// next, strong links solid in the strong colour, weak ones dashed. Other
// steps keep their own lines. Then the links of a chain, or of a net's drawn
// path, that stay inside one cell (a bivalue cell's strong link, the weak
// link between two candidates of a cell): such a line has the same cell at
// both ends and runs from the one candidate's mark to the other's. Steps of
// the ladder keep their lines as they are.
std::vector<StepLine> HintLines(const StepRecord& step);

}  // namespace tavimoro
