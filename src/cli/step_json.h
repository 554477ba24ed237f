// The step object of the command-line tool: one StepRecord as one JSON
// object, keys in a fixed order, shared by every command that prints steps.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "engine/puzzle_state.h"
#include "engine/step_record.h"

namespace tavimoro::cli {

// {"kind", "technique", "cell", "value", "text", "digits", "eliminate":
// [[cell, digit]...] by cell then digit, "colours": [[cell, 0x00BBGGRR]...]
// for the highlighted cells, "lines": [[from, to, colour, width]...] for the
// entries that are not all zero}.
nlohmann::ordered_json StepJson(const StepRecord& step);
// The same object with "name" last: the technique's name, "" when nothing
// was found.
nlohmann::ordered_json NamedStepJson(const StepRecord& step);

// For a grid that is not a proper puzzle (rules broken, no solution, several
// solutions, fewer than 17 givens): the line {"puzzle", "error": Validate's
// message}, which rate, trace and step print instead of their result.
// nullopt for a proper puzzle.
std::optional<std::string> InvalidPuzzleLine(const PuzzleState& state);

// A JSON value on one line; bytes that are not UTF-8 become U+FFFD.
std::string JsonLine(const nlohmann::ordered_json& value);

}  // namespace tavimoro::cli
