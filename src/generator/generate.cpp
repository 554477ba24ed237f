// The constructions work on Grid alone and leave the candidate fields to one
// CalcCandidates at the end: Validate reads only Grid, and the clue counts
// are kept by hand. Random draws keep their written forms, Int(n * f + 1) or
// Int(n * f) + 1, because the two differ in floating point and a seed must
// give the same puzzle on every build.
#include "generator/generate.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "engine/cancel.h"
#include "engine/rating.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"
#include "generator/random.h"

namespace tavimoro {
namespace {

constexpr int kMaxPlacementFailures = 50;

// Int(n * f + 1): 1..n.
int DrawFrom1(int n) { return static_cast<int>(n * RandomFraction() + 1); }
// Int(n * f) + 1: 1..n.
int DrawPlus1(int n) { return static_cast<int>(n * RandomFraction()) + 1; }

// The k-th (1-based) set bit of a digit mask, as a digit.
int KthDigit(int mask, int k) {
  for (; k > 1; --k) mask &= mask - 1;
  return MaskDigit(LowestBit(mask));
}

int DigitsUsedAround(const std::array<std::uint16_t, 27>& used, int cell) {
  return used[HouseOf(cell, 0)] | used[HouseOf(cell, 1)] | used[HouseOf(cell, 2)];
}

// Phase 1: random clues, each kept while the grid still has several
// solutions, until the solution is unique. Restarts from an empty grid on a
// dead end, on too many failed placements and on a search that runs too long.
void AddRandomCluesUntilUnique(PuzzleState& grid, int& clues, bool forceOne) {
  std::array<std::uint16_t, 27> usedDigits{};
  std::uint32_t markedHouses = 0;
  constexpr std::uint32_t kAllHouses = (1u << 27) - 1;
  int failures = 0;
  auto startOver = [&] {
    grid.Grid.fill(0);
    usedDigits.fill(0);
    markedHouses = 0;
    clues = 0;
    failures = 0;
  };
  startOver();
  while (clues < 81) {
    int k = DrawFrom1(81 - clues);
    int cell = 0;
    for (;; ++cell) {
      if (grid.Grid[cell] == 0 && --k == 0) break;
    }
    const int allowed = kAllDigits & ~DigitsUsedAround(usedDigits, cell);
    const int count = BitCount(allowed);
    if (count == 0) {
      startOver();
      continue;
    }
    const int digit = count == 1 ? MaskDigit(allowed) : KthDigit(allowed, DrawFrom1(count));
    grid.Grid[cell] = static_cast<std::uint8_t>(digit);
    ++clues;
    const std::string_view verdict = Validate(grid, true, false, true);
    if (verdict == kTookTooLong) {
      startOver();
      continue;
    }
    if (verdict == kMultipleSolutions) {
      for (int t = 0; t < 3; ++t) {
        usedDigits[HouseOf(cell, t)] |= static_cast<std::uint16_t>(DigitBit(digit));
        if (forceOne) markedHouses |= 1u << HouseOf(cell, t);
      }
    } else if (verdict.empty()) {
      if (!forceOne || markedHouses == kAllHouses) return;
      startOver();
      continue;
    } else {
      grid.Grid[cell] = 0;
      --clues;
      ++failures;
    }
    if (failures > kMaxPlacementFailures) startOver();
  }
}

// Phase 2: passes from a random start, wrapping, that drop every clue the
// solution does not need, until a pass drops none.
void RemoveUnneededClues(PuzzleState& grid, int& clues, bool forceOne) {
  int removed = 0;
  do {
    removed = 0;
    const int start = static_cast<int>(RandomFraction() * 80);
    for (int step = 0; step < 81; ++step) {
      const int cell = (start + step) % 81;
      const int digit = grid.Grid[cell];
      if (digit == 0 || (forceOne && CellAloneInHouse(grid, cell))) continue;
      grid.Grid[cell] = 0;
      if (Validate(grid, false, false, true).empty()) {
        --clues;
        ++removed;
      } else {
        grid.Grid[cell] = static_cast<std::uint8_t>(digit);
      }
    }
  } while (removed > 0);
}

enum class Removal { kKept, kRemoved, kTooLong };

// Clears the cells in a copy of w and keeps the copy when the solution stays
// unique.
template <typename Cells>
Removal TryRemove(PuzzleState& w, const Cells& cells) {
  PuzzleState trial = w;
  for (int cell : cells) trial.Grid[cell] = 0;
  const std::string_view verdict = Validate(trial, true, false, true);
  if (verdict == kTookTooLong) return Removal::kTooLong;
  if (!verdict.empty()) return Removal::kKept;
  w = trial;
  return Removal::kRemoved;
}

// One try of the symmetric construction; false when it must start again.
bool TrySymmetricPuzzle(PuzzleState& w, bool fullSymmetry) {
  if (!MakeRandomSolution(w)) return false;
  int cluesLeft = 81, groupsLeft = 25;
  std::uint32_t usedGroups = 0;
  do {
    int k = DrawPlus1(groupsLeft);
    int group = 1;
    for (;; ++group) {
      if (!(usedGroups & (1u << group)) && --k == 0) break;
    }
    usedGroups |= 1u << group;
    const int size = SymGroups(group, 0);
    int removed = 0;
    std::array<int, 4> all{};
    for (int slot = 1; slot <= size; ++slot) all[slot - 1] = SymGroups(group, slot);
    const Removal whole = TryRemove(w, std::span(all.data(), static_cast<std::size_t>(size)));
    if (whole == Removal::kTooLong) return false;
    if (whole == Removal::kRemoved) {
      removed = size;
    } else if (!fullSymmetry && size == 4) {
      // Slots 1 and 3, and 2 and 4, are the group's two half-turn pairs.
      const int first = static_cast<int>(RandomFraction() * 2) == 0 ? 1 : 2;
      for (int slot : {first, 3 - first}) {
        const std::array<int, 2> pair{SymGroups(group, slot), SymGroups(group, slot + 2)};
        const Removal half = TryRemove(w, pair);
        if (half == Removal::kTooLong) return false;
        if (half == Removal::kRemoved) {
          removed = 2;
          break;
        }
      }
    }
    cluesLeft -= removed;
    --groupsLeft;
  } while (groupsLeft >= 1 && cluesLeft > 17);
  return true;
}

struct Request {
  GeneratorLevel level;
  const TechniqueTicks& allowed;
  const TechniqueTicks& required;
  int maxTechnique;
  const GeneratorSettings& settings;
};

// Technique 0 is never tested against the ticks: naked singles are always
// allowed and never required.
constexpr int kFirstTicked = Index(TechniqueId::HiddenSingle);

// The tests on difficulty: minvis, the allowed techniques, and the level's
// band or the custom level's required techniques.
bool MeetsRequest(const PuzzleState& g, const Request& request) {
  if (request.settings.minvis > 0) {
    PuzzleState copy = g;
    if (SolveWithSingles(copy) < request.settings.minvis) return false;
  }
  TechniqueCounts counts{};
  const int rating = Rate(g, counts, request.maxTechnique);
  if (rating < 0) return false;
  for (int t = kFirstTicked; t < kTechniqueCount; ++t) {
    if (counts[t] > 0 && request.allowed[t] != 1) return false;
  }
  const int level = static_cast<int>(request.level);
  if (request.level == GeneratorLevel::Custom) {
    for (int t = kFirstTicked; t < kTechniqueCount; ++t) {
      if (request.required[t] == 1 && counts[t] == 0) return false;
    }
  } else if (request.level != GeneratorLevel::Beginner) {
    const int lo = LevelMaxTechnique(level - 1), hi = LevelMaxTechnique(level);
    if (rating <= lo || rating > hi) return false;
    if (request.level == GeneratorLevel::Pro && request.settings.numpro > 0) {
      int uses = 0;
      for (int t = lo + 1; t <= hi; ++t) uses += counts[t];
      if (uses < request.settings.numpro) return false;
    }
  }
  return true;
}

// Tops g up to the target with digits of its solution (g has exactly one,
// so the exhaustive search gives it). Each clue goes to the empty cell with
// the most empty cells in its three houses (lowest cell on a tie) among those
// whose clue keeps g meeting the request: clues in the emptiest regions make
// a puzzle easier, and unchecked they would pull a hard puzzle out of its
// band. False when no cell keeps it.
bool AddCluesBack(PuzzleState& g, int target, const Request& request) {
  PuzzleState solution = g;
  if (!Validate(solution, false, false, false).empty()) return false;
  CalcCandidates(g);
  while (g.FilledCount < target) {
    std::array<int, 81> order{};
    int candidates = 0;
    for (int c = 0; c < 81; ++c) {
      if (g.Grid[c] == 0 && solution.Grid[c] != 0) order[candidates++] = c;
    }
    auto emptyAround = [&](int c) {
      return g.EmptyCount[HouseOf(c, 0)] + g.EmptyCount[HouseOf(c, 1)] + g.EmptyCount[HouseOf(c, 2)];
    };
    std::stable_sort(order.begin(), order.begin() + candidates,
                     [&](int a, int b) { return emptyAround(a) > emptyAround(b); });
    bool placed = false;
    for (int k = 0; k < candidates && !placed; ++k) {
      PuzzleState trial = g;
      trial.Grid[order[k]] = solution.Grid[order[k]];
      CalcCandidates(trial);
      if (MeetsRequest(trial, request)) {
        g = trial;
        placed = true;
      }
    }
    if (!placed) return false;
  }
  return true;
}

}  // namespace

bool MakeRandomSolution(PuzzleState& state) {
  PuzzleState s;
  CalcCandidates(s);
  const int start = static_cast<int>(RandomFraction() * 81);
  int cell = start;
  int filled = 0;
  while (filled < 81) {
    const int count = s.CandCount[cell];
    if (count == 0) return false;
    const int digit = count == 1 ? MaskDigit(s.CandMask[cell]) : KthDigit(s.CandMask[cell], DrawPlus1(count));
    s.Grid[cell] = static_cast<std::uint8_t>(digit);
    const std::string_view verdict = Validate(s, true, true, false);
    if (verdict.empty()) break;  // s.Grid now holds the unique completion
    s.Grid[cell] = 0;
    if (verdict != kMultipleSolutions) {
      DropCandidates(s, cell, DigitBit(digit));
      continue;
    }
    ++filled;
    PlaceDigit(s, cell, digit);
    cell = (cell + 1) % 81;
    if (cell == start) break;
  }
  state = PuzzleState{};
  state.Grid = s.Grid;
  CalcCandidates(state);
  return true;
}

void MakeRandomPuzzle(PuzzleState& state, bool forceOne) {
  PuzzleState grid;
  int clues = 0;
  AddRandomCluesUntilUnique(grid, clues, forceOne);
  RemoveUnneededClues(grid, clues, forceOne);
  state = PuzzleState{};
  state.Grid = grid.Grid;
  CalcCandidates(state);
}

void MakeSymmetricPuzzle(PuzzleState& state, bool fullSymmetry) {
  PuzzleState w;
  while (!TrySymmetricPuzzle(w, fullSymmetry)) {
  }
  state = PuzzleState{};
  state.Grid = w.Grid;
  CalcCandidates(state);
}

TechniqueTicks LevelAllowedTicks(GeneratorLevel level) {
  TechniqueTicks ticks{};
  const int highest = level == GeneratorLevel::Custom ? Index(TechniqueId::HiddenSingle)
                                                      : LevelMaxTechnique(static_cast<int>(level));
  for (int t = 0; t <= highest && t < kTechniqueCount; ++t) ticks[t] = 1;
  return ticks;
}

GeneratorSettings WithinLimits(GeneratorSettings settings, GeneratorLevel level) {
  settings.minvis = std::min(settings.minvis, kMaxMinvis[static_cast<int>(level)]);
  settings.numpro = std::min(settings.numpro, kMaxNumpro);
  return settings;
}

std::string_view LevelCaption(GeneratorLevel level) {
  static constexpr std::array<std::string_view, kGeneratorLevelCount> kCaptions = {
      "Beginner", "Intermediate", "Expert", "Pro", "Master", "Genius", "Custom  ->"};
  return kCaptions[static_cast<int>(level)];
}

Generated GeneratePuzzle(const GenerationRequest& options, const GenerationProgress& progress) {
  const int target = options.clueChoice == ClueChoice::More   ? 35
                     : options.clueChoice == ClueChoice::Less ? 30
                                                              : 17;
  int maxTechnique = kFirstTicked;
  for (int t = kTechniqueCount - 1; t >= kFirstTicked; --t) {
    if (options.allowed[t] == 1) {
      maxTechnique = t;
      break;
    }
  }
  const Request request{options.level, options.allowed, options.required, maxTechnique, options.settings};

  Generated result;
  PuzzleState g;
  bool accepted = false, stopped = false;
  do {
    if (options.symmetry == Symmetry::None) {
      MakeRandomPuzzle(g, options.forceOne);
    } else {
      MakeSymmetricPuzzle(g, options.symmetry == Symmetry::Full);
    }
    accepted = MeetsRequest(g, request) && (target <= 17 || AddCluesBack(g, target, request));
    ++result.Attempts;
    if (result.Attempts % 5 == 0 && progress && !progress(result.Attempts)) stopped = true;
    if (options.maxAttempts > 0 && result.Attempts >= options.maxAttempts) stopped = true;
  } while (!accepted && !stopped && !GenerationCancelled.load());

  if (GenerationCancelled.exchange(false) || stopped) return result;
  result.Puzzle = PuzzleToString(g);
  return result;
}

}  // namespace tavimoro
