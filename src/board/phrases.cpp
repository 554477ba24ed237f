#include "board/phrases.h"

namespace tavimoro {

std::string DigitText(int digit) { return std::string(1, static_cast<char>('0' + digit)); }

std::string CellName(int cell) {
  std::string name = "R";
  name += static_cast<char>('0' + CellRow(cell));
  name += 'C';
  name += static_cast<char>('0' + CellCol(cell));
  return name;
}

std::string HouseName(int house) {
  if (house < 0 || house > 26) return {};
  return std::string(HouseTypeName(HouseType(house))) + " " + std::to_string(HouseNum(house));
}

std::string JoinAnd(const std::vector<std::string>& parts) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += i + 1 == parts.size() ? " and " : ", ";
    out += parts[i];
  }
  return out;
}

std::string CellList(const std::vector<int>& cells, const char* lastJoiner) {
  std::string out;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += i + 1 == cells.size() ? lastJoiner : ", ";
    out += CellName(cells[i]);
  }
  return out;
}

std::string CellList(const ChainNode& node, const char* lastJoiner) {
  return CellList(std::vector<int>(node.Cells.begin(), node.Cells.begin() + node.CellCount), lastJoiner);
}

int SharedHouse(const ChainNode& a, const ChainNode& b) {
  for (int type = 0; type < 3; ++type) {
    const int house = HouseOf(a.FirstCell(), type);
    bool all = true;
    for (int i = 0; i < a.CellCount; ++i) all = all && HouseOf(a.Cells[i], type) == house;
    for (int i = 0; i < b.CellCount; ++i) all = all && HouseOf(b.Cells[i], type) == house;
    if (all) return house;
  }
  return -1;
}

}  // namespace tavimoro
