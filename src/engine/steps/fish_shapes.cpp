// The fish beyond the ladder, all from the fish engine: the basic Jellyfish,
// finned and sashimi fish of size 2 to 4 (rows over columns, then columns
// over rows), and the Franken and Mutant fish, plain or finned, smallest
// size first. A pass goes digit by digit; the engine picks the base sets.
#include <algorithm>
#include <array>
#include <span>

#include "engine/steps/fish_search.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

// A Mutant search of a size takes far longer than a Franken one (any house
// may be a base or cover set): both stop at sizes whose search stays cheap.
constexpr int kMaxFrankenSize = 4;
constexpr int kMaxMutantSize = 3;

// Base and cover houses of the two orientations of a shape: rows first.
struct Orientation {
  std::uint32_t base, cover;
};
constexpr std::array<Orientation, 2> kBasicSides = {
    {{kRowHouses, kColumnHouses}, {kColumnHouses, kRowHouses}}};
constexpr std::array<Orientation, 2> kFrankenSides = {
    {{kRowHouses | kBlockHouses, kColumnHouses | kBlockHouses},
     {kColumnHouses | kBlockHouses, kRowHouses | kBlockHouses}}};
constexpr std::array<Orientation, 1> kMutantSides = {{{kAllHouses, kAllHouses}}};

void AppendHouses(StepText& text, const std::array<std::int8_t, kMaxFishSize>& houses, int size) {
  static constexpr char kTypeLetter[] = {'r', 'c', 'b'};
  for (int i = 0; i < size; ++i) text << kTypeLetter[HouseType(houses[i])] << HouseNum(houses[i]);
}

// Writes the fish: the cells where a base set meets a cover set, the fins,
// the other cells of its blocks (which no line shows), the removed candidates, the cover lines (strong) and
// base lines, and the trace "NAME: d bases covers [fins cells]", the name
// by the fish's size where the technique spans several.
void RecordFish(const Fish& f, TechniqueId technique, StepRecord& step) {
  StartElimination(step, technique, f.size);
  StepMeaning& m = step.Meaning;
  m.BaseCount = f.size;
  m.CoverCount = f.size;
  for (int i = 0; i < f.size; ++i) {
    m.BaseLines[i] = f.base[i];
    m.CoverLines[i] = f.cover[i];
  }
  for (int c = 0; c < 81; ++c) {
    bool inBase = false, inCover = false, inBlock = false;
    for (int i = 0; i < f.size; ++i) {
      inBase = inBase || HouseOf(c, HouseType(f.base[i])) == f.base[i];
      inCover = inCover || HouseOf(c, HouseType(f.cover[i])) == f.cover[i];
      inBlock = inBlock || HouseOf(c, 2) == f.base[i] || HouseOf(c, 2) == f.cover[i];
    }
    if (f.fins.Has(c)) {
      step.CellColour[c] = FinColour;
    } else if (inBase && inCover) {
      step.CellColour[c] = PatternColour;
    } else if (inBlock) {
      step.CellColour[c] = UnitColour;
    }
  }
  f.victims.ForEach([&](int c) { EliminateAt(step, c, f.digit); });
  // Lines along the rows and columns; a block is shown by its cells.
  int entry = 0;
  for (const auto* houses : {&f.cover, &f.base}) {
    const std::uint32_t colour = houses == &f.cover ? StrongLineColour : LineColour;
    for (int i = 0; i < f.size; ++i) {
      const int h = (*houses)[i];
      if (HouseType(h) != 2) step.Lines[entry++] = {HouseCell(h, 0), HouseCell(h, 8), colour, 2};
    }
  }
  step.Text << f.digit << ' ';
  AppendHouses(step.Text, f.base, f.size);
  step.Text << ' ';
  AppendHouses(step.Text, f.cover, f.size);
  if (!f.fins.Empty()) {
    step.Text << " fins";
    f.fins.ForEach([&](int c) {
      step.Text << ' ';
      AppendCellName(step.Text, c);
    });
  }
  step.Digits << f.digit;
  m.DigitMask = DigitBit(f.digit);
}

// The first fish of the query's shape and fins over the sides, digit by
// digit, sizes from `fromSize` to `toSize`.
template <std::size_t N>
bool Search(const PuzzleState& s, FishQuery q, const std::array<Orientation, N>& sides, int fromSize,
            int toSize, Fish& fish) {
  const std::array<CellBits, 9> digitCells = DigitCells(s);
  for (int size = fromSize; size <= toSize; ++size) {
    q.size = size;
    for (const Orientation& side : sides) {
      q.baseHouses = side.base;
      q.coverHouses = side.cover;
      for (int d = 1; d <= 9; ++d) {
        q.digit = d;
        if (FindFish(s, q, digitCells[static_cast<std::size_t>(d - 1)], fish)) return true;
      }
    }
  }
  return false;
}

}  // namespace

bool FindJellyfish(const PuzzleState& s, StepRecord& step) {
  FishQuery q;
  q.maxBaseCount = 4;
  Fish f;
  if (!Search(s, q, kBasicSides, 4, 4, f)) return false;
  RecordFish(f, TechniqueId::Jellyfish, step);
  return true;
}

bool FindFinnedFish(const PuzzleState& s, StepRecord& step, int size, bool sashimi) {
  static constexpr std::array<TechniqueId, 5> kFinnedNumber = {
      TechniqueId::FinnedXWing, TechniqueId::FinnedXWing, TechniqueId::FinnedXWing,
      TechniqueId::FinnedSwordfish, TechniqueId::FinnedJellyfish};
  static constexpr std::array<TechniqueId, 5> kSashimiNumber = {
      TechniqueId::SashimiXWing, TechniqueId::SashimiXWing, TechniqueId::SashimiXWing,
      TechniqueId::SashimiSwordfish, TechniqueId::SashimiJellyfish};
  if (size < 2 || size > 4) return false;
  FishQuery q;
  q.fins = sashimi ? FinShape::Sashimi : FinShape::Finned;
  // A fin block spans three positions, so a base line has at most size + 3.
  q.maxBaseCount = size + 3;
  q.maxFins = 9;
  Fish f;
  if (!Search(s, q, kBasicSides, size, size, f)) return false;
  RecordFish(f, sashimi ? kSashimiNumber[size] : kFinnedNumber[size], step);
  return true;
}

namespace {
// A Franken or Mutant fish of the sizes from `fromSize` to `toSize`, the
// smallest first.
bool FindCrossFish(const PuzzleState& s, StepRecord& step, FishShape shape, bool finned, int fromSize,
                   int toSize) {
  const bool franken = shape == FishShape::Franken;
  FishQuery q;
  q.shape = shape;
  q.fins = finned ? FinShape::FinnedOrSashimi : FinShape::None;
  Fish f;
  const bool found = franken ? Search(s, q, kFrankenSides, fromSize, toSize, f)
                             : Search(s, q, kMutantSides, fromSize, toSize, f);
  if (!found) return false;
  const TechniqueId technique = franken ? (finned ? TechniqueId::FinnedFrankenFish : TechniqueId::FrankenFish)
                                        : (finned ? TechniqueId::FinnedMutantFish : TechniqueId::MutantFish);
  RecordFish(f, technique, step);
  return true;
}

bool FindCrossFish(const PuzzleState& s, StepRecord& step, FishShape shape, bool finned, int largest) {
  if (largest <= 0) largest = shape == FishShape::Franken ? kMaxFrankenSize : kMaxMutantSize;
  return FindCrossFish(s, step, shape, finned, 2, std::min(largest, kMaxFishSize));
}
}  // namespace

bool FindFrankenFish(const PuzzleState& s, StepRecord& step, bool finned, int largest) {
  return FindCrossFish(s, step, FishShape::Franken, finned, largest);
}

bool FindMutantFish(const PuzzleState& s, StepRecord& step, bool finned, int largest) {
  return FindCrossFish(s, step, FishShape::Mutant, finned, largest);
}

int SizedFishRowMaxSize(TechniqueId id) {
  if (id == TechniqueId::FrankenFish || id == TechniqueId::FinnedFrankenFish) return kMaxFrankenSize;
  if (id == TechniqueId::MutantFish || id == TechniqueId::FinnedMutantFish) return kMaxMutantSize;
  return 0;
}

double SizedFishScore(TechniqueId id, int size) {
  const std::span<const double> bySize = Technique(id).scoreBySize;
  return size >= 2 && size < static_cast<int>(bySize.size()) ? bySize[static_cast<std::size_t>(size)] : 0;
}

bool FindSizedFish(const PuzzleState& s, TechniqueId id, int size, StepRecord& step) {
  if (SizedFishRowMaxSize(id) < size || size < 2) return false;
  const bool finned = id == TechniqueId::FinnedFrankenFish || id == TechniqueId::FinnedMutantFish;
  const FishShape shape = id == TechniqueId::FrankenFish || id == TechniqueId::FinnedFrankenFish
                              ? FishShape::Franken
                              : FishShape::Mutant;
  return FindCrossFish(s, step, shape, finned, size, size);
}

double FishStepScore(const StepRecord& step) {
  return SizedFishScore(step.Technique, step.Meaning.BaseCount);
}

}  // namespace tavimoro::steps
