// generate: makes puzzles with the generator, one line each: the puzzle text,
// a tab, and the attempts it took. With --seed the output depends only on the
// seed and the options.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/args.h"
#include "cli/command.h"
#include "engine/rating.h"
#include "engine/technique_registry.h"
#include "generator/generate.h"
#include "generator/practice.h"
#include "generator/random.h"

namespace tavimoro::cli {
namespace {

// generate found no puzzle within its attempt limit.
constexpr int kExitGaveUp = 3;
constexpr int kDefaultAttempts = 20000;

// Ticks the techniques of a comma-separated list of technique numbers; false
// on anything else. An empty list ticks nothing.
bool TickList(std::string_view list, TechniqueTicks& ticks) {
  while (!list.empty()) {
    const auto comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    int technique = -1;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), technique);
    if (ec != std::errc() || end != item.data() + item.size() || !TechniqueFromNumber(technique) ||
        technique >= kTechniqueCount)
      return false;
    ticks[technique] = 1;
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
    if (list.empty()) return false;
  }
  return true;
}

std::optional<std::uint32_t> ParseSeed(const std::string& text) {
  std::uint32_t seed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return seed;
}

// Seeds the generator from --seed, or from the environment without it; false
// when the seed is no number.
bool SeedGenerator(const std::optional<std::string>& seedText) {
  if (!seedText) {
    SeedFromEnvironment();
    return true;
  }
  const auto seed = ParseSeed(*seedText);
  if (seed) InitGenRand(*seed);
  return seed.has_value();
}
constexpr const char* kSeedUsage = "--seed takes a whole number from 0 to 4294967295";

// On a terminal, a line that counts the attempts for puzzle `made` of
// `count`; elsewhere none, so that redirected output stays clean.
GenerationProgress AttemptCounter(bool shown, const int& made, int count) {
  if (!shown) return {};
  return [&made, count](long attempts) {
    std::fprintf(stderr, "\rpuzzle %d of %d: %ld attempts", made, count, attempts);
    std::fflush(stderr);
    return true;
  };
}

// The row of a technique name, letter case aside; the stuck rating is no
// technique a puzzle can be made for.
const TechniqueRow* TechniqueNamed(std::string_view name) {
  for (const TechniqueRow& row : TechniqueRows()) {
    if (row.find == nullptr || row.name.size() != name.size()) continue;
    if (std::equal(name.begin(), name.end(), row.name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        }))
      return &row;
  }
  return nullptr;
}

// Puzzles whose hardest step is the named technique. A request that fails
// kPracticeAttemptLimit attempts in a row is reported as too rare.
int RunPractice(const std::string& name, int count, bool forceOne,
                const std::optional<std::string>& seedText) {
  const TechniqueRow* row = TechniqueNamed(name);
  if (row == nullptr) return UsageError("--hardest takes the name of a technique, such as \"X Wing\"");
  if (!PracticeCanMake(*row))
    return UsageError(std::string(row->name) + " rests on digits the solver entered; a new puzzle has none");
  if (!SeedGenerator(seedText)) return UsageError(kSeedUsage);
  const bool showProgress = isatty(STDERR_FILENO) != 0;
  for (int made = 1; made <= count; ++made) {
    const GenerationProgress progress = AttemptCounter(showProgress, made, count);
    const PracticeResult result =
        GenerateForPractice(Index(row->id), HardestStepTechnique, forceOne, kPracticeAttemptLimit, progress);
    if (showProgress) std::fputs("\r\033[K", stderr);
    if (result.GaveUp) {
      std::cerr << "tavimoro-cli: no puzzle whose hardest step is " << row->name << " in " << result.Attempts
                << " attempts; such puzzles are too rare to make this way\n";
      return kExitGaveUp;
    }
    std::cout << result.Puzzle << '\t' << result.Attempts << '\n' << std::flush;
    if (!std::cout) break;  // reported by the caller
  }
  return kExitOk;
}

int RunGenerate(std::vector<std::string> argv) {
  Args args(std::move(argv));
  std::string error;
  const int level = args.Int("--level", -1, 0, kGeneratorLevelCount - 1, error);
  GenerationRequest request;
  request.clueChoice = static_cast<ClueChoice>(args.Int("--clues", 2, 0, 2, error));
  request.forceOne = args.Int("--force-one", 1, 0, 1, error) == 1;
  request.symmetry = static_cast<Symmetry>(args.Int("--symmetry", 0, 0, 2, error));
  request.settings.minvis = args.Int("--minvis", 0, 0, 81, error);
  request.settings.numpro = args.Int("--numpro", 0, 0, 81, error);
  const int count = args.Int("--count", 1, 1, 1000000, error);
  request.maxAttempts = args.Int("--attempts", kDefaultAttempts, 1, 1000000000, error);
  const auto allowedList = args.Text("--allowed", error);
  const auto requiredList = args.Text("--required", error);
  const auto seedText = args.Text("--seed", error);
  const auto hardestName = args.Text("--hardest", error);
  const auto rest = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (!rest.empty()) return UsageError("generate takes no file names");
  if (hardestName) {
    if (level >= 0 || allowedList || requiredList)
      return UsageError("--hardest replaces --level, --allowed and --required");
    return RunPractice(*hardestName, count, request.forceOne, seedText);
  }
  const std::string levels = "0 to " + std::to_string(kGeneratorLevelCount - 1);
  if (level < 0) return UsageError("generate needs --level L (" + levels + ")");
  request.level = static_cast<GeneratorLevel>(level);
  if (request.settings.minvis > kMaxMinvis[level]) {
    return UsageError("--minvis " + std::to_string(request.settings.minvis) +
                      " cannot be met: singles fill at most " + std::to_string(kMaxMinvis[level]) +
                      " cells of a puzzle of level " + std::to_string(level));
  }
  if (request.level == GeneratorLevel::Pro && request.settings.numpro > kMaxNumpro) {
    return UsageError("--numpro " + std::to_string(request.settings.numpro) +
                      " cannot be met: a Pro puzzle uses the techniques of its band at most " +
                      std::to_string(kMaxNumpro) + " times");
  }

  TechniqueTicks& allowed = request.allowed;
  TechniqueTicks& required = request.required;
  allowed = LevelAllowedTicks(request.level);
  const std::string custom = std::to_string(static_cast<int>(GeneratorLevel::Custom));
  if (request.level != GeneratorLevel::Custom && (allowedList || requiredList)) {
    return UsageError("--allowed and --required apply to --level " + custom + " only");
  }
  const std::string numbers = "technique numbers 0 to " + std::to_string(kTechniqueCount - 1);
  if (allowedList && !TickList(*allowedList, allowed)) {
    return UsageError("--allowed takes " + numbers + " separated by commas");
  }
  if (requiredList && !TickList(*requiredList, required)) {
    return UsageError("--required takes " + numbers + " separated by commas");
  }
  for (int t = Index(TechniqueId::HiddenSingle); t < kTechniqueCount; ++t) {
    // Such a request could never be met: generation would not end.
    if (required[t] == 1 && allowed[t] != 1) {
      return UsageError("required technique " + std::to_string(t) + " is not allowed");
    }
  }
  if (!SeedGenerator(seedText)) return UsageError(kSeedUsage);

  const bool showProgress = isatty(STDERR_FILENO) != 0;
  for (int made = 1; made <= count; ++made) {
    const GenerationProgress progress = AttemptCounter(showProgress, made, count);
    const Generated generated = GeneratePuzzle(request, progress);
    if (showProgress) std::fputs("\r\033[K", stderr);
    if (generated.Puzzle.empty()) {
      std::cerr << "tavimoro-cli: no puzzle met the settings in " << generated.Attempts
                << " attempts; --attempts N allows more\n";
      return kExitGaveUp;
    }
    std::cout << generated.Puzzle << '\t' << generated.Attempts << '\n' << std::flush;
  }
  return kExitOk;
}

const Registration registration({
    "generate",
    "--level L [--clues C] [--force-one F] [--symmetry S] [--allowed LIST] [--required LIST] "
    "[--minvis N] [--numpro N] [--attempts N] [--seed N] [--count K] | --hardest NAME [--force-one F] "
    "[--seed N] [--count "
    "K]",
    "Makes K puzzles (default 1), printing each as its 81 characters, a tab and its attempts.\n"
    "L: 0..5 Beginner..Genius, 6 custom. C: 0 adds clues up to 35, 1 up to 30, 2 none (default).\n"
    "F: 1 (default) keeps a clue in every row, column and block. S: 0 none, 1 partial, 2 full.\n"
    "At level 6 the singles are allowed, plus the techniques of --allowed; --required lists\n"
    "those a puzzle must use. --seed N makes the output depend only on N and the options.\n"
    "--hardest NAME makes puzzles whose hardest step is that technique (names as in the hints);\n"
    "after 1000 attempts without one it gives up with status 3.\n"
    "--minvis N: singles must fill at least N cells (at most 64, 47, 30, 53, 51, 40, 64 at\n"
    "levels 0..6, the most measured). --numpro N: a Pro puzzle uses the techniques of its\n"
    "band at least N times (at most 5). Higher values are refused with status 2.\n"
    "--attempts N (default 20000): gives up on a puzzle after N attempts, with status 3.",
    RunGenerate,
});

}  // namespace
}  // namespace tavimoro::cli
