// The fish engine: every fish shape of one digit from one search. A fish
// takes n base sets (houses that share no candidate of the digit) and n
// cover sets (other houses) holding every base candidate but the fins. Each
// base set holds the digit once, in n different cells, and no cover set can
// take two of them; so without a true fin the base sets fill every cover
// set, and a cover candidate outside the base sets goes. With fins, it goes
// only where it also sees every fin. A candidate in two base sets is a fin
// too (an endo fin): taken, it would fill two base sets at once.
//
// Which houses may serve as base and as cover sets are the search's
// parameters: rows over columns (or the other way) give the basic fish,
// blocks on either side the Franken fish, any house the Mutant fish.
#pragma once

#include <array>
#include <cstdint>

#include "engine/puzzle_state.h"
#include "engine/steps/cell_bits.h"

namespace tavimoro::steps {

inline constexpr int kMaxFishSize = 7;

// Houses as bits: bit h for house h (rows 0..8, columns 9..17, blocks 18..26).
inline constexpr std::uint32_t kRowHouses = 0x1FF;
inline constexpr std::uint32_t kColumnHouses = kRowHouses << 9;
inline constexpr std::uint32_t kBlockHouses = kRowHouses << 18;
inline constexpr std::uint32_t kAllHouses = kRowHouses | kColumnHouses | kBlockHouses;

// Basic: lines of one type over lines of the other. Franken: rows and
// blocks over columns and blocks (or the other way), a block among them.
// Mutant: anything else.
enum class FishShape : std::uint8_t { Basic, Franken, Mutant };
// Sashimi: finned, and some base set holds a single candidate off the fins.
enum class FinShape : std::uint8_t { None, Finned, Sashimi, FinnedOrSashimi };

struct FishQuery {
  int digit = 0;
  int size = 2;
  std::uint32_t baseHouses = kRowHouses;
  std::uint32_t coverHouses = kColumnHouses;
  FishShape shape = FishShape::Basic;
  FinShape fins = FinShape::None;
  int minBaseCount = 2;  // candidates a base set holds, at least and at most
  int maxBaseCount = 9;
  int maxFins = 2;  // fins taken at most (none unless `fins` asks for them)
};

struct Fish {
  int digit = 0, size = 0;
  std::array<std::int8_t, kMaxFishSize> base{}, cover{};  // houses, ascending
  CellBits baseCells;                                     // the base sets' candidates of the digit
  CellBits fins;
  CellBits victims;  // the candidates it removes
  FinShape finShape = FinShape::None;
  FishShape shape = FishShape::Basic;
};

// The first fish of the query that removes something: base sets chosen in
// ascending house order (the first set varying slowest), cover sets by the
// base candidates they take, the first uncovered candidate first. Fills
// `fish` and returns true, or returns false and leaves it.
bool FindFish(const PuzzleState& s, const FishQuery& query, Fish& fish);
// The same with the query digit's candidate cells already collected.
bool FindFish(const PuzzleState& s, const FishQuery& query, const CellBits& digitCells, Fish& fish);
// Every digit's candidate cells, digit d at d - 1.
std::array<CellBits, 9> DigitCells(const PuzzleState& s);

// The shape of a fish with these base and cover houses (bit masks).
FishShape ShapeOf(std::uint32_t baseHouses, std::uint32_t coverHouses);

}  // namespace tavimoro::steps
