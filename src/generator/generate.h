// Puzzle generation by generate-and-test: build a random puzzle with exactly
// one solution, rate it, keep it when it meets the request, else start again.
//
// Every random choice is a RandomFraction draw, taken in a fixed order, so a
// seed (InitGenRand) and the request determine the puzzles made. Nothing here
// keeps state between calls apart from that generator and the cancel flag;
// the work can run on any one thread while another sets GenerationCancelled.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/technique_id.h"

namespace tavimoro {

// Beginner..Genius own the rating bands of LevelMaxTechnique (levels 0..5);
// Custom tests the allowed and required techniques one by one.
enum class GeneratorLevel : int { Beginner, Intermediate, Expert, Pro, Master, Genius, Custom };
// Clues added back after construction: up to 35, up to 30, or none.
enum class ClueChoice : int { More, Less, Least };
// None; Partial: mirror groups, or half-turn pairs of the four-cell groups;
// Full: whole mirror groups in both middle lines.
enum class Symmetry : int { None, Partial, Full };

inline constexpr int kGeneratorLevelCount = static_cast<int>(GeneratorLevel::Custom) + 1;

// Check-box values per technique id: 1 is ticked, anything else is not.
using TechniqueTicks = std::array<int, kTechniqueCount>;

// Tuning values read from the settings by the dialog, named after their keys.
// 0 (or less) switches a test off.
struct GeneratorSettings {
  int minvis = 0;  // cells SolveWithSingles must fill in a candidate
  int numpro = 0;  // uses of Pro-band techniques a level-3 puzzle must make
};

// The most each level's puzzles reach: the cells singles fill (minvis) in
// the puzzles of levels 0..6, and the uses of Pro-band techniques (numpro)
// in a Pro puzzle. The highest figures rated in about 23,700 collection
// puzzles and 800 generated ones (bench/RESULTS.md); a setting above them
// can never be met.
inline constexpr std::array<int, kGeneratorLevelCount> kMaxMinvis = {64, 47, 30, 53, 51, 40, 64};
inline constexpr int kMaxNumpro = 5;

// Told the attempt count on every fifth attempt; returning false stops the
// generation as a cancel would (without touching GenerationCancelled).
using GenerationProgress = std::function<bool(long attempts)>;

// What GeneratePuzzle is asked for. forceOne asks for a clue in every row,
// column and block (no symmetry only); required is read at the custom level.
struct GenerationRequest {
  GeneratorLevel level = GeneratorLevel::Beginner;
  ClueChoice clueChoice = ClueChoice::Least;
  bool forceOne = true;
  TechniqueTicks allowed{};
  TechniqueTicks required{};
  Symmetry symmetry = Symmetry::None;
  GeneratorSettings settings{};
  long maxAttempts = 0;  // stops after that many attempts; 0 for no limit
};

struct Generated {
  std::string Puzzle;  // 81 characters ("." for empty), or "" when stopped
  long Attempts = 0;   // every attempt of the call, the last one included
};

// The settings brought down to the level's limits (kMaxMinvis, kMaxNumpro).
GeneratorSettings WithinLimits(GeneratorSettings settings, GeneratorLevel level);

// Generates until a candidate passes, the attempt limit is reached or the
// generation is stopped; then Puzzle is empty. A set
// GenerationCancelled is read after each attempt; honouring it clears it and
// returns an empty Puzzle.
Generated GeneratePuzzle(const GenerationRequest& request, const GenerationProgress& progress = {});

// The ticks the dialog shows for a level: techniques 0..LevelMaxTechnique,
// the two singles for the custom level.
TechniqueTicks LevelAllowedTicks(GeneratorLevel level);

// The level's caption in the generator dialog and the analysis.
std::string_view LevelCaption(GeneratorLevel level);

// Replaces state with a random puzzle that has exactly one solution and from
// which no clue can be removed, with fresh candidates; with forceOne every
// house keeps a clue (a clue alone in a house is never removed).
void MakeRandomPuzzle(PuzzleState& state, bool forceOne);

// Replaces state with a random puzzle of exactly one solution, with fresh
// candidates, whose clues are whole SymGroups (mirror symmetry in both middle
// lines) or, unless fullSymmetry, also half-turn pairs of the four-cell
// groups. Groups are dropped while more than 17 clues are left.
void MakeSymmetricPuzzle(PuzzleState& state, bool fullSymmetry);

// Replaces state with a random complete valid grid (fresh candidates) and
// returns true; on a dead end (a cell left with no candidate, which only a
// search that ran too long can cause) returns false and leaves state
// unchanged.
bool MakeRandomSolution(PuzzleState& state);

}  // namespace tavimoro
