// tavimoro-cli step: the next logical step of each puzzle.
#include <iostream>
#include <optional>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/puzzle_input.h"
#include "cli/step_json.h"
#include "engine/difficulty_score.h"
#include "engine/extended_solve.h"
#include "engine/step_finder.h"

namespace tavimoro::cli {
namespace {

int RunStep(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const int maxTechnique = args.Int("--max-technique", kNoTechniqueLimit, -1, kNoTechniqueLimit, error);
  const bool extended = args.Flag("--extended");
  const bool easiest = args.Flag("--easiest");
  SearchOptions options;
  options.missingCandidates = !args.Flag("--no-missing-candidates");
  const auto techniqueName = args.Text("--technique", error);
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (easiest && (!extended || techniqueName)) return UsageError("--easiest goes with --extended alone");
  if (!options.missingCandidates && !extended && !techniqueName)
    return UsageError("--no-missing-candidates goes with --extended or --technique");
  std::optional<TechniqueId> technique;
  if (techniqueName) {
    technique = TechniqueFromName(*techniqueName);
    if (!technique)
      return UsageError("unknown technique '" + *techniqueName + "' (see 'tavimoro-cli techniques')");
  }
  return ForEachPuzzleLine(files, [&](const std::string& line) {
    const PuzzleState state = PositionFromLine(line);
    // A single technique may be tried on any position; the ladder needs a puzzle.
    if (const auto invalid = techniqueName ? std::nullopt : InvalidPuzzleLine(state)) {
      std::cout << *invalid << '\n';
      return;
    }
    StepRecord step;
    if (techniqueName) {
      FindWithTechnique(state, *technique, step, options);
    } else if (easiest) {
      step = FindEasiestStep(state, options);
    } else {
      step = FindNextStep(state, maxTechnique);
      if (extended && step.Kind == kNoStep) step = FindExtendedStep(state, options);
    }
    std::cout << JsonLine(extended || techniqueName ? NamedStepJson(step) : StepJson(step)) << '\n';
  });
}

const Registration kStep(
    {"step",
     "[--max-technique N] [--extended [--easiest] | --technique NAME] [--no-missing-candidates] "
     "[FILE...]",
     "The first step the ladder finds, trying techniques 0..N (default 29;\n"
     "Naked Single always), as a step object: {\"kind\", \"technique\", \"cell\",\n"
     "\"value\", \"text\", \"digits\", \"eliminate\": [[cell, digit]...],\n"
     "\"colours\": [[cell, 0x00BBGGRR]...], \"lines\": [[from, to, colour, width]...]}.\n"
     "--extended: where the ladder finds nothing, the easiest step of the\n"
     "techniques beyond it; every step object then ends with \"name\".\n"
     "--easiest (with --extended): the step of the lowest difficulty score,\n"
     "ladder and extension alike, as the hint's \"Easiest step first\" takes.\n"
     "--technique NAME: that technique alone (see 'techniques'), with \"name\".\n"
     "--no-missing-candidates (with --extended or --technique): unique and hidden\n"
     "rectangles only where every corner still holds both digits.\n"
     "A line may hold the 81 cells followed by the pencil-mark text (81 groups,\n"
     "each ending in \"|\"): the marks are then the candidates. Without --technique,\n"
     "a grid that is not a proper puzzle gives {\"puzzle\", \"error\": \"Invalid puzzle - ...\"}.",
     RunStep});

}  // namespace
}  // namespace tavimoro::cli
