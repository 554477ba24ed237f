// The words every hint is made of: digits, cells, houses and lists of them.
// One place for each, so that two hints never name the same thing two ways.
#pragma once

#include <string>
#include <vector>

#include "engine/step_record.h"

namespace tavimoro {

// "7" for a digit 1..9.
std::string DigitText(int digit);
// "R4C7" style name of a cell.
std::string CellName(int cell);
// "row 3", "column 5" or "block 9" for a house 0..26; empty for another number.
std::string HouseName(int house);
// "a", "a and b", "a, b and c".
std::string JoinAnd(const std::vector<std::string>& parts);
// The names of the cells joined as JoinAnd does, or with `lastJoiner`
// (" or ") before the last.
std::string CellList(const std::vector<int>& cells, const char* lastJoiner = " and ");
// The cells of a chain node, joined the same way.
std::string CellList(const ChainNode& node, const char* lastJoiner);
// The first house (row, column, block) holding every cell of both nodes, -1
// when there is none.
int SharedHouse(const ChainNode& a, const ChainNode& b);

}  // namespace tavimoro
