// tavimoro-cli techniques: every technique in order, one object a line.
#include <cmath>
#include <iostream>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/step_json.h"
#include "engine/technique_registry.h"

namespace tavimoro::cli {
namespace {

int RunTechniques(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const auto rest = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (!rest.empty()) return UsageError("techniques takes no file");
  for (const TechniqueRow& row : TechniqueRows()) {
    nlohmann::ordered_json object;
    object["technique"] = Index(row.id);
    object["name"] = std::string(row.name);
    object["anchor"] = std::string(row.anchor);
    object["score"] = std::round(row.score * 10) / 10;
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
