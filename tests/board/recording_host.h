// The board tests' host (the shared scripted host) and the puzzle the tests
// play.
#pragma once

#include "board/scripted_host.h"

namespace tavimoro::testing {

using RecordingHost = ScriptedHost;

// A puzzle with one solution, and that solution.
inline constexpr std::string_view kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace tavimoro::testing
