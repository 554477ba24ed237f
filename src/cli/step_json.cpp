#include "cli/step_json.h"

#include "engine/extended_solve.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"

namespace tavimoro::cli {

std::optional<std::string> InvalidPuzzleLine(const PuzzleState& state) {
  PuzzleState copy = state;
  const std::string_view verdict = Validate(copy, false, false, true);
  if (verdict.empty()) return std::nullopt;
  nlohmann::ordered_json object;
  object["puzzle"] = PuzzleToString(state);
  object["error"] = std::string(verdict);
  return JsonLine(object);
}

nlohmann::ordered_json StepJson(const StepRecord& step) {
  auto eliminate = nlohmann::ordered_json::array();
  auto colours = nlohmann::ordered_json::array();
  auto lines = nlohmann::ordered_json::array();
  for (int c = 0; c < 81; ++c) {
    for (int d = 1; d <= 9; ++d)
      if (step.Eliminate(c, d)) eliminate.push_back({c, d});
    if (step.CellColour[c] != 0) colours.push_back({c, step.CellColour[c]});
  }
  for (const StepLine& line : step.Lines) {
    if (!line.IsEmpty()) lines.push_back({line.FromCell, line.ToCell, line.Colour, line.Width});
  }
  nlohmann::ordered_json object;
  object["kind"] = step.Kind;
  object["technique"] = step.Technique;
  object["cell"] = step.Cell;
  object["value"] = step.Value;
  object["text"] = step.Text.str();
  object["digits"] = step.Digits.str();
  object["eliminate"] = std::move(eliminate);
  object["colours"] = std::move(colours);
  object["lines"] = std::move(lines);
  return object;
}

nlohmann::ordered_json NamedStepJson(const StepRecord& step) {
  nlohmann::ordered_json object = StepJson(step);
  object["name"] = step.Kind == kNoStep ? std::string() : std::string(Technique(step.Technique).name);
  return object;
}

std::string JsonLine(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace tavimoro::cli
