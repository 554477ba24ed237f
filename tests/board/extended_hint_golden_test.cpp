// The three levels of the hint of every data case of every technique beyond
// the ladder (tests/data/extended_cases.txt and the nets of
// tests/data/forcing_nets.txt), held in one golden file. After a deliberate
// change of wording, TAVIMORO_UPDATE_GOLDEN=1 rewrites the file; review its
// diff as a player would.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "board/hint_composer.h"
#include "common/extended_cases.h"
#include "common/golden_file.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"

namespace tavimoro {
namespace {

// One line per "<br>" so that a changed sentence shows as a changed line.
std::string Levels(const StepRecord& step, const PuzzleState& position) {
  std::string out;
  for (int level = 1; level <= 3; ++level) {
    std::string text = step.Kind == kPlaceValue ? PlacementHintText(step, level)
                                                : EliminationHintText(step, level, &position);
    std::string spread;
    for (std::size_t at = 0, next; at < text.size(); at = next) {
      next = text.find("<br>", at);
      next = next == std::string::npos ? text.size() : next + 4;
      spread.append(text, at, next - at);
      if (next < text.size()) spread += '\n';
    }
    out += std::to_string(level);
    out += ": ";
    out += spread;
    out += '\n';
  }
  return out;
}

std::string Section(const std::string& title, const PuzzleState& s, std::optional<TechniqueId> technique) {
  StepRecord step;
  if (!technique || !FindWithTechnique(s, *technique, step)) return {};
  return "== " + title + "\n" + Levels(step, s) + "\n";
}

// Every case's texts, in the order of the data files.
std::string AllHints() {
  std::string out;
  for (const testing::Case& c : testing::ReadCases()) {
    PuzzleState s;
    if (c.expected == "x" || !testing::CasePosition(c, s)) continue;
    out += Section("extended_cases.txt line " + std::to_string(c.line) + ": " + c.technique, s,
                   TechniqueFromName(c.technique));
  }
  std::ifstream nets(std::string(TAVIMORO_SOURCE_DIR) + "/tests/data/forcing_nets.txt");
  const std::pair<const char*, TechniqueId> rungs[] = {{"contradiction", TechniqueId::ContradictionNet},
                                                       {"cell", TechniqueId::CellNet},
                                                       {"unit", TechniqueId::UnitNet},
                                                       {"nested", TechniqueId::NestedNet}};
  int number = 0;
  for (std::string line; std::getline(nets, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    const auto first = line.find('\t'), last = line.rfind('\t');
    PuzzleState s;
    if (first == last) {
      s = testing::LadderStuckState(line.substr(0, first));
    } else if (!ReadCellsAndMarks(line.substr(0, first) + line.substr(first + 1, last - first - 1), s)) {
      continue;
    }
    for (const auto& [name, id] : rungs)
      if (line.substr(last + 1) == name)
        out += Section("forcing_nets.txt line " + std::to_string(number) + ": " + name, s, id);
  }
  return out;
}

TEST(ExtendedHintGolden, EveryCaseReadsAsTheGoldenFileSays) {
  testing::ExpectGoldenFile(AllHints(), "extended_hints.txt", "== ");
}

}  // namespace
}  // namespace tavimoro
