// The lines the board draws for the hint on the panel.
#pragma once

#include <vector>

#include "engine/step_record.h"

namespace tavimoro {

// The step's own lines, then the links of a chain, or of a net's drawn
// path, that stay inside one cell (a bivalue cell's strong link, the weak
// link between two candidates of a cell), which the step's lines leave out
// because they join no two cells. Such a line has the same cell at both ends
// and runs from the one candidate's mark to the other's; strong links solid,
// weak ones dashed, as between cells. Steps of the ladder keep their lines
// as they are.
std::vector<StepLine> HintLines(const StepRecord& step);

}  // namespace tavimoro
