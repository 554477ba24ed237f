// The numbering every part of the program speaks, and the constant tables
// built from it.
//
//   cells 0..80, row by row          houses 0..26
//   +----------+----------+------     0..8   rows 1..9
//   |  0  1  2 |  3  4  5 | ...       9..17  columns 1..9
//   |  9 10 11 | 12 13 14 | ...       18..26 blocks 1..9 (left to right,
//   | 18 19 20 | 21 22 23 | ...                top to bottom)
//   +----------+----------+------
//   cell = 9 * (row - 1) + (column - 1); rows, columns, blocks count from 1.
//
// Digits are 1..9, 0 is an empty cell. A digit set is a 9-bit mask with
// digit d at bit d - 1; 511 holds all nine.
//
// The tables are compile-time constants, so they exist before any code runs
// and can be shared by any number of threads.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavimoro {

inline constexpr int kAllDigits = 511;

namespace detail {

struct Tables {
  std::array<std::int8_t, 81> cellRow{}, cellCol{}, cellBlock{};
  std::array<std::array<std::int8_t, 3>, 81> houseOf{};
  std::array<std::array<std::int8_t, 9>, 27> houseCells{};
  std::array<std::array<std::uint8_t, 20>, 81> peers{};
  std::array<std::int16_t, 256> charMask{};
  std::array<std::int8_t, 512> maskDigit{};
  std::array<std::int16_t, 512> lowestBit{};
  std::array<std::int8_t, 512> bitCount{};
  std::array<std::array<std::int8_t, 5>, 26> symGroups{};
};

constexpr Tables BuildTables() {
  Tables t;
  std::array<int, 27> fill{};
  for (int c = 0; c < 81; ++c) {
    const int row = c / 9 + 1, col = c % 9 + 1;
    t.cellRow[c] = static_cast<std::int8_t>(row);
    t.cellCol[c] = static_cast<std::int8_t>(col);
    t.cellBlock[c] = static_cast<std::int8_t>(3 * ((row - 1) / 3) + (col - 1) / 3 + 1);
    t.houseOf[c] = {static_cast<std::int8_t>(row - 1), static_cast<std::int8_t>(9 + col - 1),
                    static_cast<std::int8_t>(18 + t.cellBlock[c] - 1)};
    for (int h : t.houseOf[c]) t.houseCells[h][fill[h]++] = static_cast<std::int8_t>(c);
  }
  for (int c = 0; c < 81; ++c) {
    int n = 0;
    for (int p = 0; p < 81; ++p) {
      const bool shares =
          t.cellRow[p] == t.cellRow[c] || t.cellCol[p] == t.cellCol[c] || t.cellBlock[p] == t.cellBlock[c];
      if (p != c && shares) t.peers[c][n++] = static_cast<std::uint8_t>(p);
    }
  }
  constexpr std::string_view digits = ".123456789";
  for (int k = 1; k <= 9; ++k) {
    t.charMask[static_cast<unsigned char>(digits[k])] = static_cast<std::int16_t>(1 << (k - 1));
    t.maskDigit[1 << (k - 1)] = static_cast<std::int8_t>(k);
  }
  t.charMask['.'] = t.charMask['0'] = t.charMask['_'] = kAllDigits;
  for (int m = 0; m < 512; ++m) {
    int count = 0;
    for (int bit = 1; bit <= 256; bit <<= 1) {
      if (m & bit) {
        if (++count == 1) t.lowestBit[m] = static_cast<std::int16_t>(bit);
      }
    }
    t.bitCount[m] = static_cast<std::int8_t>(count);
  }
  // Groups closed under reflection in the middle row and the middle column.
  auto cell = [](int row, int col) { return static_cast<std::int8_t>(9 * (row - 1) + col - 1); };
  for (int g = 1; g <= 25; ++g) {
    auto& s = t.symGroups[g];
    if (g == 25) {
      s = {1, cell(5, 5), 0, 0, 0};
    } else if (g >= 21) {
      const int c = g - 20;
      s = {2, cell(5, c), cell(5, 10 - c), 0, 0};
    } else if (g % 5 == 0) {
      const int r = g / 5;
      s = {2, cell(r, 5), cell(10 - r, 5), 0, 0};
    } else {
      const int r = g / 5 + 1, c = g % 5;
      s = {4, cell(r, c), cell(r, 10 - c), cell(10 - r, 10 - c), cell(10 - r, c)};
    }
  }
  return t;
}

inline constexpr Tables kTables = BuildTables();

}  // namespace detail

// Kept so that start-up reads as a sequence of steps; the tables above are
// constants and need no building at run time.
inline void InitEngine() {}

// Row, column and block (1..9) of a cell.
constexpr int CellRow(int cell) { return detail::kTables.cellRow[cell]; }
constexpr int CellCol(int cell) { return detail::kTables.cellCol[cell]; }
constexpr int CellBlock(int cell) { return detail::kTables.cellBlock[cell]; }

// A house's type (0 row, 1 column, 2 block) and its number 1..9 within it.
constexpr int HouseType(int house) { return house / 9; }
constexpr int HouseNum(int house) { return house % 9 + 1; }

// The house of type 0..2 that holds the cell.
constexpr int HouseOf(int cell, int type) { return detail::kTables.houseOf[cell][type]; }

// The cell at position 1..9 of house number 1..9 of a type, positions in
// ascending cell order.
constexpr int HouseCells(int type, int number, int position) {
  return detail::kTables.houseCells[9 * type + number - 1][position - 1];
}
// The same with the house 0..26 and a position 0..8, for inner loops.
constexpr int HouseCell(int house, int index) { return detail::kTables.houseCells[house][index]; }
constexpr const std::array<std::int8_t, 9>& CellsOfHouse(int house) {
  return detail::kTables.houseCells[house];
}

// The 20 other cells of a cell's row, column and block, ascending.
constexpr const std::array<std::uint8_t, 20>& Peers(int cell) { return detail::kTables.peers[cell]; }

// "1".."9" give the digit's mask; ".", "0" and "_" give 511; anything else 0.
constexpr int CharMask(unsigned char code) { return detail::kTables.charMask[code]; }
// The digit of a single-bit mask, 0 for any other mask.
constexpr int MaskDigit(int mask) { return detail::kTables.maskDigit[mask]; }
// The lowest set bit of a mask as a mask value; 0 for 0.
constexpr int LowestBit(int mask) { return detail::kTables.lowestBit[mask]; }
// The number of set bits among the nine.
constexpr int BitCount(int mask) { return detail::kTables.bitCount[mask]; }
constexpr int DigitBit(int digit) { return 1 << (digit - 1); }

// Group 1..25, slot 0 the size (1, 2 or 4), slots 1..4 the cells.
constexpr int SymGroups(int group, int slot) { return detail::kTables.symGroups[group][slot]; }

// "row", "column" or "block"; any type other than 0 and 1 is a block.
constexpr std::string_view HouseTypeName(int type) {
  return type == 0 ? "row" : type == 1 ? "column" : "block";
}

// True when the two cells share a row, a column or a block (a cell shares a
// house with itself).
constexpr bool CellsShareHouse(int a, int b) {
  return CellRow(a) == CellRow(b) || CellCol(a) == CellCol(b) || CellBlock(a) == CellBlock(b);
}

}  // namespace tavimoro
