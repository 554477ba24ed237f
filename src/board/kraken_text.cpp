#include "board/kraken_text.h"

#include <string_view>
#include <vector>

#include "board/net_proof_text.h"
#include "board/phrases.h"
#include "engine/steps/net_board.h"

namespace tavimoro {
namespace {

std::string Houses(const std::array<std::int8_t, StepMeaning::kMaxLines>& houses, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(HouseName(houses[static_cast<std::size_t>(i)]));
  return JoinAnd(names);
}

}  // namespace

std::string KrakenFishText(const StepRecord& step) {
  const StepMeaning& m = step.Meaning;
  if (m.BaseCount == 0 || m.CoverCount == 0 || m.NetAssumptions == 0) return {};
  std::vector<int> fins, losers;
  for (int i = 0; i < m.NodeCount; ++i)
    if (m.NodeRule[i] == static_cast<std::uint8_t>(steps::NetRule::Assumption))
      fins.push_back(m.Nodes[i].Cells[0]);
  int digit = 0;
  for (int c = 0; c < 81; ++c)
    for (int d = 1; d <= 9; ++d)
      if (step.Eliminate(c, d)) {
        losers.push_back(c);
        digit = d;
      }
  if (losers.empty()) return {};
  const std::string base = Houses(m.BaseLines, m.BaseCount), cover = Houses(m.CoverLines, m.CoverCount);
  const std::string d = DigitText(digit), cells = CellList(losers);
  const bool one = losers.size() == 1;
  const std::string notD = " cannot be " + d;
  // The net's proof closes with the result common to its branches; here the
  // fish is one more way, so the closing sentence is this hint's own.
  std::string proof = NetProofLines(step);
  if (const auto at = proof.rfind("One of the suppositions is true"); at != std::string::npos)
    proof.erase(at);
  return "In " + base + ", the " + d + " can only go in " + cover + " or in the fin" +
         (fins.size() == 1 ? " " : "s ") + CellList(fins) + ". If no fin is " + d +
         ", the fish leaves no other " + d + " in " + cover + ", so " + cells + notD + ". If a fin is " + d +
         ", " + cells + notD + " either: the lines below follow each fin there.<br>" + proof +
         "So whichever way the fish falls, " + cells + (one ? " is not " : " are not ") + d + ".";
}

}  // namespace tavimoro
