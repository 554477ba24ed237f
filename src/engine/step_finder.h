// FindNextStep: the ladder of eighteen human techniques, cheapest first. The
// ladder itself is one table (ladder.cpp) read by FindNextStep, TechniqueName,
// the rating and the command-line tool.
#pragma once

#include <string>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro {

inline constexpr int kTechniqueCount = 18;     // rungs 0..17
inline constexpr int kComplexForcingChains = 18;  // rating of a puzzle the ladder cannot finish
inline constexpr int kNoTechniqueLimit = 29;

// Where the help pages live unless SetHelpBase says otherwise.
inline constexpr std::string_view kMakerHelpBase = "http://www.tavimoro.app/help/";

// The first instance of the cheapest technique up to maxTechnique (rung 0 is
// always tried). Kind 0 when nothing was found. Reads the state only.
StepRecord FindNextStep(const PuzzleState& state, int maxTechnique);

// Help pages. The base is where helpfile.html and techniques.html live (with
// a trailing "/"); it is set once at start-up, before any other thread runs,
// and defaults to the maker's web server.
void SetHelpBase(std::string base);
const std::string& HelpBase();
std::string TechniquesPageAddress();  // HelpBase() + "techniques.html"

// The technique's name (0..18); with asLink, wrapped as a link to its anchor
// on the techniques page.
std::string TechniqueName(int technique, bool asLink);

}  // namespace tavimoro
