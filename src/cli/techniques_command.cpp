// tavimoro-cli techniques: every technique in order, one object a line.
#include <cmath>
#include <iostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/step_json.h"
#include "engine/extended_solve.h"

namespace tavimoro::cli {
namespace {

int RunTechniques(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const auto rest = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (!rest.empty()) return UsageError("techniques takes no file");
  for (int t = 0; t < TechniqueTotal(); ++t) {
    nlohmann::ordered_json object;
    object["technique"] = t;
    object["name"] = std::string(TechniqueLabel(t));
    object["anchor"] = TechniqueAnchor(t);
    object["score"] = std::round(TechniqueScore(t) * 10) / 10;
    std::cout << JsonLine(object) << '\n';
  }
  return kExitOk;
}

const Registration kTechniques({"techniques", "",
                                "Lists every technique in order, the ladder's first: {\"technique\" (its\n"
                                "number), \"name\", \"anchor\" (on the techniques help page), \"score\"}.",
                                RunTechniques});

}  // namespace
}  // namespace tavimoro::cli
