// CellBits: a set of cells 0..80 in two words, and the table of the cells
// each cell sees. The chain and almost-locked-set searches test "every cell
// of this node sees every cell of that one" as one subset test against the
// intersection of the cells' peers.
#pragma once

#include <array>
#include <cstdint>

#include "engine/tables.h"

namespace tavimoro::steps {

// The bits set in a word, counted in parallel: a baseline x86-64 build has
// no popcount instruction, and the library call it would make instead is
// slower.
constexpr int BitsSet(std::uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555ull;
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

struct CellBits {
  std::uint64_t low = 0, high = 0;  // cells 0..63, 64..80

  constexpr void Add(int cell) {
    if (cell < 64) {
      low |= std::uint64_t{1} << cell;
    } else {
      high |= std::uint64_t{1} << (cell - 64);
    }
  }
  constexpr bool Has(int cell) const { return cell < 64 ? (low >> cell) & 1 : (high >> (cell - 64)) & 1; }
  constexpr bool Empty() const { return (low | high) == 0; }
  constexpr int Count() const { return BitsSet(low) + BitsSet(high); }
  int First() const { return low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(high); }
  constexpr bool SubsetOf(const CellBits& other) const {
    return (low & ~other.low) == 0 && (high & ~other.high) == 0;
  }
  constexpr bool Meets(const CellBits& other) const { return (low & other.low) || (high & other.high); }
  constexpr CellBits operator&(const CellBits& o) const { return {low & o.low, high & o.high}; }
  constexpr CellBits operator|(const CellBits& o) const { return {low | o.low, high | o.high}; }
  constexpr CellBits Without(const CellBits& o) const { return {low & ~o.low, high & ~o.high}; }
  constexpr bool operator==(const CellBits& o) const = default;
  // The cells of the set after `cell`.
  constexpr CellBits After(int cell) const {
    if (cell >= 63) return {0, cell >= 64 ? high & ~((std::uint64_t{2} << (cell - 64)) - 1) : high};
    return {low & ~((std::uint64_t{2} << cell) - 1), high};
  }
  // Calls visit(cell) for every cell in ascending order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (std::uint64_t rest = low; rest; rest &= rest - 1) visit(__builtin_ctzll(rest));
    for (std::uint64_t rest = high; rest; rest &= rest - 1) visit(64 + __builtin_ctzll(rest));
  }
};

// The 20 cells that share a house with each cell (the cell itself excluded).
inline constexpr auto kPeerBits = [] {
  std::array<CellBits, 81> peers{};
  for (int c = 0; c < 81; ++c) {
    for (int p = 0; p < 81; ++p) {
      if (p != c && CellsShareHouse(c, p)) peers[c].Add(p);
    }
  }
  return peers;
}();

// The cells that see every cell of the set (none of the set's own cells).
inline CellBits CommonPeers(const CellBits& cells) {
  CellBits common{~std::uint64_t{0}, (std::uint64_t{1} << 17) - 1};
  cells.ForEach([&](int c) { common = common & kPeerBits[c]; });
  return common;
}

}  // namespace tavimoro::steps
