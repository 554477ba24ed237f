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

#include "engine/puzzle_state.h"

namespace tavimoro {

// Levels of GeneratePuzzle: 0..5 Beginner..Genius own the rating bands of
// LevelMaxTechnique; 6 is the custom level, which tests techniques one by one.
inline constexpr int kCustomLevel = 6;

// Check-box values per technique 0..18: 1 is ticked, anything else is not.
using TechniqueTicks = std::array<int, 19>;

// Tuning values read from the settings by the dialog, named after their keys.
// 0 (or less) switches a test off.
struct GeneratorSettings {
  int minvis = 0;  // cells SolveWithSingles must fill in a candidate
  int numpro = 0;  // uses of Pro-band techniques a level-3 puzzle must make
};

// Told the attempt count on every fifth attempt; returning false stops the
// generation as a cancel would (without touching GenerationCancelled).
using GenerationProgress = std::function<bool(long attempts)>;

struct Generated {
  std::string Puzzle;  // 81 characters ("." for empty), or "" when stopped
  long Attempts = 0;   // every attempt of the call, the last one included
};

// Generates until a candidate passes or the generation is stopped.
//   clueChoice: 0 adds clues back up to 35, 1 up to 30, anything else none.
//   forceOne: 1 asks for a clue in every row, column and block (no symmetry).
//   allowed, required: ticks per technique; required is read at level 6 only.
//   symmetry: 0 none, 1 partial, 2 full.
// A set GenerationCancelled is read after each attempt; honouring it clears
// it and returns an empty Puzzle.
Generated GeneratePuzzle(int level, int clueChoice, int forceOne, const TechniqueTicks& allowed,
                         const TechniqueTicks& required, int symmetry,
                         const GeneratorSettings& settings = {},
                         const GenerationProgress& progress = {});

// The ticks the dialog shows for level 0..5: techniques 0..LevelMaxTechnique.
TechniqueTicks LevelAllowedTicks(int level);

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
