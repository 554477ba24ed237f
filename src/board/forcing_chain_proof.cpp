#include "board/forcing_chain_proof.h"

#include <array>
#include <charconv>
#include <string_view>
#include <vector>

#include "board/phrases.h"
#include "engine/tables.h"

namespace tavimoro {
namespace {

// The numbers of one line of the chain's trace ("1,30,8" or "NOCAND 4").
std::vector<int> Numbers(std::string_view line) {
  std::vector<int> numbers;
  for (std::size_t at = 0; at < line.size();) {
    const std::size_t start = line.find_first_of("0123456789", at);
    if (start == std::string_view::npos) break;
    int n = 0;
    const auto [end, error] = std::from_chars(line.data() + start, line.data() + line.size(), n);
    if (error != std::errc()) break;
    numbers.push_back(n);
    at = static_cast<std::size_t>(end - line.data());
  }
  return numbers;
}

// Candidates of the position as the chain changes them.
struct Marks {
  std::array<int, 81> cand{};

  // Why `digit` is forced into `cell`: its last candidate, or the last place
  // for it in one of the cell's houses; "" when neither holds.
  std::string Reason(int cell, int digit) const {
    if (cand[cell] == DigitBit(digit)) return "it is the last candidate of " + CellName(cell);
    for (int type : {2, 0, 1}) {
      const int house = HouseOf(cell, type);
      int places = 0;
      for (int c : CellsOfHouse(house)) places += (cand[c] & DigitBit(digit)) != 0;
      if (places == 1 && (cand[cell] & DigitBit(digit)) != 0)
        return "the only place left for " + DigitText(digit) + " in " + HouseName(house);
    }
    return {};
  }

  void Place(int cell, int digit) {
    cand[cell] = 0;
    for (int peer : Peers(cell)) cand[peer] &= ~DigitBit(digit);
  }
};

std::string ContradictionLine(std::string_view kind, const std::vector<int>& n) {
  const std::string tail = ": a contradiction.";
  if (kind == "NOCAND" && n.size() == 1) return "So " + CellName(n[0]) + " has no candidate left" + tail;
  if (kind == "BADHOUSE" && n.size() == 2)
    return "So " + HouseName(n[0]) + " has no place left for " + DigitText(n[1]) + tail;
  if (kind == "HOUSESINGLES" && n.size() >= 2) {
    const std::vector<int> cells(n.begin() + 2, n.end());
    return "So " + CellList(cells) + " would all have to be " + DigitText(n[1]) + " in " + HouseName(n[0]) +
           tail;
  }
  return {};
}

}  // namespace

std::string ForcingChainProof(const PuzzleState& state, const StepRecord& step) {
  if (step.Technique != TechniqueId::ForcingChain1 && step.Technique != TechniqueId::ForcingChain2) return {};
  Marks marks;
  for (int c = 0; c < 81; ++c) marks.cand[c] = state.Grid[c] != 0 ? 0 : state.CandMask[c];
  const std::string_view text = step.Text.view();
  std::string proof;
  int lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos && at + 2 < text.size();) {
    const std::size_t next = text.find("\r\n", at + 2);
    const std::string_view line = text.substr(at + 2, next == std::string_view::npos ? next : next - at - 2);
    at = next;
    if (line.starts_with("DONE: ")) {
      const std::string_view rest = line.substr(6);
      const std::string end = ContradictionLine(rest.substr(0, rest.find(' ')), Numbers(rest));
      if (end.empty()) return {};
      return proof + std::to_string(lines + 1) + ". " + end + "<br>";
    }
    const std::vector<int> n = Numbers(line);
    if (n.size() != 3 || n[1] < 0 || n[1] > 80 || n[2] < 1 || n[2] > 9) return {};
    const int cell = n[1], digit = n[2];
    proof += std::to_string(++lines) + ". ";
    if (lines == 1) {
      proof += "Suppose " + CellName(cell) + " is " + DigitText(digit) + ".<br>";
    } else {
      const std::string reason = marks.Reason(cell, digit);
      if (reason.empty()) return {};
      proof += "Then " + CellName(cell) + " is " + DigitText(digit) + " (" + reason + ").<br>";
    }
    marks.Place(cell, digit);
  }
  return {};
}

}  // namespace tavimoro
