// The ladder of techniques as one ordered table: number, name, help anchor
// and the rung's find function. FindNextStep walks it, TechniqueName reads
// its names, and the rating and the command-line tool take their technique
// numbers from it; nothing else lists the techniques.
//
// Every rung has the same entry signature. Scratch that one rung prepares
// for a later one within a single FindNextStep call (the forcing chains'
// list of tries) lives in a StepContext on that call's stack, so concurrent
// searches share nothing.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"
#include "engine/steps/steps.h"

namespace tavimoro {

class StepContext {
 public:
  // The forcing chains' list of tries, made on first use: rungs below 16
  // never pay for it.
  steps::ChainTries& Tries() {
    if (!tries_) tries_.emplace();
    return *tries_;
  }

 private:
  std::optional<steps::ChainTries> tries_;
};

// Fills the record for the first instance it accepts and returns true;
// otherwise leaves the record untouched and returns false.
using RungFinder = bool (*)(const PuzzleState& state, StepRecord& step, StepContext& context);

struct Technique {
  int number;
  std::string_view name;
  std::string_view anchor;  // fragment on the techniques page, "#b" + number
  RungFinder find;          // nullptr only for the last entry
};

// Techniques 0..18 in ladder order, entry n having number n. Entries
// 0..kTechniqueCount - 1 are the rungs; the last one names the rating of a
// puzzle the ladder cannot finish and has no finder.
std::span<const Technique> Techniques();

}  // namespace tavimoro
