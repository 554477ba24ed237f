// Every hint beyond the ladder on the shared collections' stuck positions,
// checked for what a player needs to verify it: nothing cut off, no place
// told by colour alone, a net that names its contradiction, every removed
// candidate in the proof, and every house a reason uses named at level 3.
// Prints the size figures of the net proofs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "board/hint_composer.h"
#include "common/stuck_position.h"
#include "engine/extended_solve.h"

namespace tavimoro {
namespace {

struct ProofSize {
  int numbered = 0;  // the numbered lines outside the sub-proofs
  int topLevel = 0;  // of those, the path's lines (not indented)
};

// Lines are numbered "5. ", and a sub-proof's under line 5 "5.1. ".
ProofSize SizeOf(const std::string& text) {
  ProofSize size;
  for (std::size_t at = text.find("<br>"); at != std::string::npos; at = text.find("<br>", at + 4)) {
    std::size_t p = at + 4;
    const bool indented = text.compare(p, 6, "&nbsp;") == 0;
    while (text.compare(p, 6, "&nbsp;") == 0) p += 6;
    std::size_t q = p;
    while (q < text.size() && std::isdigit(static_cast<unsigned char>(text[q]))) ++q;
    if (q == p || text.compare(q, 2, ". ") != 0) continue;
    ++size.numbered;
    if (!indented) ++size.topLevel;
  }
  return size;
}

// Every line that rests on an inner net leads to that net's sub-proof, and
// the sub-proof's last line states its own contradiction. Collects the
// sub-proofs' line counts.
void ExpectSubProofs(const std::string& text, std::vector<int>& sizes) {
  static const std::regex use(R"(by a net of its own( \(lines ([0-9.]+)\.1 to \2\.([0-9]+)[,)])?)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), use); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    ASSERT_TRUE(m[1].matched) << "an inner net without its proof";
    // Sub-proof lines are indented, so the label follows "&nbsp;".
    const std::size_t last = text.find(m.format(";$2.$3. "));
    ASSERT_NE(last, std::string::npos) << m.str();
    const std::string line = text.substr(last, text.find("<br>", last) - last);
    EXPECT_NE(line.find(": a contradiction."), std::string::npos) << line;
    sizes.push_back(std::stoi(m[3].str()));
  }
}

std::string Figures(std::vector<int> values) {
  if (values.empty()) return "none";
  std::sort(values.begin(), values.end());
  const auto at = [&](double q) { return values[static_cast<std::size_t>(q * (values.size() - 1))]; };
  return "median " + std::to_string(at(0.5)) + ", 90th percentile " + std::to_string(at(0.9)) + ", largest " +
         std::to_string(values.back());
}

// A sentence that points at a colour names a cell too.
void ExpectNoColourOnlyWhere(const std::string& text) {
  static const std::regex colour("\\b(blue|pink|green|orange|yellow|red|coloured cells)\\b");
  static const std::regex cell("R[1-9]C[1-9]");
  std::string plain = std::regex_replace(text, std::regex("<[^>]*>"), ". ");
  for (std::size_t at = 0, next; at < plain.size(); at = next + 2) {
    next = plain.find(". ", at);
    if (next == std::string::npos) next = plain.size();
    const std::string sentence = plain.substr(at, next - at);
    if (std::regex_search(sentence, colour)) {
      EXPECT_TRUE(std::regex_search(sentence, cell)) << sentence;
    }
  }
}

// What a net's proof must show: its contradiction, every candidate it
// removes (or the cell it fills), and every house a reason reads.
void ExpectNetProof(const StepRecord& step, const std::string& text) {
  const StepMeaning& m = step.Meaning;
  if (m.NetAssumptions == 1) {
    EXPECT_NE(text.find(": a contradiction.<br>"), std::string::npos);
  }
  for (int c = 0; c < 81; ++c)
    for (int d = 1; d <= 9; ++d) {
      if (!step.Eliminate(c, d)) continue;
      const std::string fact = m.NetAssumptions == 1 ? "Suppose " + CellName(c) + " is " + DigitText(d)
                                                     : CellName(c) + " is not " + DigitText(d);
      EXPECT_NE(text.find(fact), std::string::npos) << fact;
    }
  std::vector<std::string> named;  // the result placed, and the houses the reasons read
  if (step.Kind == kPlaceValue) named.push_back(CellName(step.Cell) + " is " + DigitText(step.Value));
  for (int i = 0; i < m.NodeCount; ++i)
    if (m.NodeHouse[i] >= 0) named.push_back(HouseName(m.NodeHouse[i]));
  for (const auto& end : m.BranchEnds)
    if (end.House >= 0) named.push_back(HouseName(end.House));
  for (const std::string& words : named) EXPECT_NE(text.find(words), std::string::npos) << words;
}

bool IsNet(TechniqueId t) {
  return t == TechniqueId::ContradictionNet || t == TechniqueId::CellNet || t == TechniqueId::UnitNet ||
         t == TechniqueId::NestedNet || t == TechniqueId::DoublyNestedNet;
}

class HintProperty : public ::testing::TestWithParam<const char*> {};

TEST_P(HintProperty, EveryHintBeyondTheLadderCanBeVerified) {
  // TAVIMORO_HINT_STRIDE=1 takes every position, as the figures do.
  const char* every = std::getenv("TAVIMORO_HINT_STRIDE");
  const std::size_t stride = every                               ? std::strtoul(every, nullptr, 10)
                             : std::getenv("TAVIMORO_SANITIZED") ? 16
                                                                 : 4;
  const auto lines = testing::CorpusLines(GetParam());
  TAVIMORO_REQUIRE_CORPUS(lines, GetParam());
  std::vector<int> numbered, topLevel, contradictionTop, subProofs;
  for (std::size_t i = 0; i < lines.size(); i += stride) {
    const PuzzleState s = testing::LadderStuckState(lines[i]);
    if (s.FilledCount == 81) continue;
    const StepRecord step = FindExtendedStep(s);
    if (step.Kind == kNoStep) continue;
    const std::string text =
        step.Kind == kPlaceValue ? PlacementHintText(step, 3) : EliminationHintText(step, 3);
    SCOPED_TRACE(lines[i] + "\n" + text);
    EXPECT_EQ(text.find("further inference"), std::string::npos);
    ExpectNoColourOnlyWhere(text);
    if (!IsNet(step.Technique)) continue;
    ExpectNetProof(step, text);
    ExpectSubProofs(text, subProofs);
    const ProofSize size = SizeOf(text);
    numbered.push_back(size.numbered);
    topLevel.push_back(size.topLevel);
    if (step.Technique == TechniqueId::ContradictionNet) contradictionTop.push_back(size.topLevel);
  }
  std::printf(
      "%s net proofs (%zu): numbered lines %s; top-level lines %s; contradiction nets' top-level %s; "
      "sub-proofs (%zu): lines %s\n",
      GetParam(), numbered.size(), Figures(numbered).c_str(), Figures(topLevel).c_str(),
      Figures(contradictionTop).c_str(), subProofs.size(), Figures(subProofs).c_str());
}

INSTANTIATE_TEST_SUITE_P(Collections, HintProperty, ::testing::Values("forum_hardest.txt", "top1465.txt"),
                         [](const auto& p) { return std::string(p.param).substr(0, 5); });

}  // namespace
}  // namespace tavimoro
