#include "board/net_proof_text.h"

#include <charconv>
#include <string_view>
#include <utility>
#include <vector>

#include "board/phrases.h"
#include "engine/steps/net_board.h"
#include "engine/steps/net_steps.h"

namespace tavimoro {
namespace {

using steps::NetContradiction;
using steps::NetRule;

constexpr std::string_view kIndent = "&nbsp;&nbsp;&nbsp;&nbsp;";

// One branch's nodes and the number each shown node is listed under.
class ProofWriter {
 public:
  ProofWriter(const StepRecord& step, ProofForm form, std::string prefix, std::string link)
      : step_(step),
        m_(step.Meaning),
        form_(form),
        prefix_(std::move(prefix)),
        link_(std::move(link)),
        line_(m_.NodeCount, 0) {}

  std::string Write() {
    std::string text;
    int branch = 0;
    for (int begin = 0; begin < m_.NodeCount;) {
      int end = begin + 1;
      while (end < m_.NodeCount && Rule(end) != NetRule::Assumption) ++end;
      if (begin > 0) text += "<br>";
      text += Branch(begin, end, branch++);
      begin = end;
    }
    if (m_.OtherInferences > 0) {
      text += '(';
      text += std::to_string(m_.OtherInferences);
      text += m_.OtherInferences == 1 ? " further inference" : " further inferences";
      text += " that these lines rest on are not listed.)<br>";
    }
    if (m_.NetAssumptions > 1) text += Conclusion();
    return text;
  }

 private:
  NetRule Rule(int i) const { return static_cast<NetRule>(m_.NodeRule[i]); }
  int Cell(int i) const { return m_.Nodes[i].Cells[0]; }
  int DigitOf(int i) const { return m_.Nodes[i].Digit; }
  bool Whole() const { return m_.OtherInferences == 0; }

  // A line's number as written: "5", or "5.2" for line 2 of the sub-proof
  // under line 5.
  std::string Name(int line) const { return prefix_ + std::to_string(line); }

  std::string Fact(int i) const {
    return CellName(Cell(i)) + (m_.NodeHolds[i] ? " is " : " is not ") + DigitText(DigitOf(i));
  }

  // A candidate the step removes or the cell it fills: every branch that
  // does not break down reaches it.
  bool IsResult(int i) const {
    if (step_.Kind == kPlaceValue)
      return m_.NodeHolds[i] && Cell(i) == step_.Cell && DigitOf(i) == step_.Value;
    return !m_.NodeHolds[i] && step_.Eliminate(Cell(i), DigitOf(i));
  }

  // A line of its own: what the net assumed or placed, what a house-wide
  // rule or a smaller net removed, and the branch's result. A candidate that
  // goes because a peer (or its own cell) holds is told where it is used.
  bool Shown(int i, bool contradicted) const {
    if (!Whole() || Rule(i) != NetRule::Peer) return true;
    return !contradicted && IsResult(i);
  }

  // Reasons inside a line's brackets, kept apart by semicolons since each
  // may name a cell and a line.
  static std::string Listed(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t k = 0; k < parts.size(); ++k) out += (k > 0 ? "; " : "") + parts[k];
    return out;
  }

  std::string Ref(int i, int current) const {
    if (line_[i] == 0 || line_[i] == current - 1) return {};
    return " (line " + Name(line_[i]) + ")";
  }

  // Why the listed node i (a candidate gone) is gone, as part of line `current`.
  std::string GoneBecause(int i, int current) const {
    const int from = m_.NodeFrom[i];
    if (Rule(i) != NetRule::Peer || line_[i] != 0 || from < 0) {
      if (line_[i] == 0) return CellName(Cell(i));
      return CellName(Cell(i)) + " (line " + Name(line_[i]) + ")";
    }
    if (Cell(from) == Cell(i))
      return CellName(Cell(i)) + " is " + DigitText(DigitOf(from)) + Ref(from, current);
    return CellName(Cell(i)) + " sees " + CellName(Cell(from)) + Ref(from, current);
  }

  // The listed removals of `digit` from the cells of `house` (all of it, or
  // only the cells outside `keep`), each with its reason.
  std::string PlacesGone(int begin, int before, int house, int digit, int keep, int current) const {
    std::vector<std::string> parts;
    for (int j = begin; j < before; ++j) {
      if (m_.NodeHolds[j] || DigitOf(j) != digit) continue;
      const int c = Cell(j);
      if (HouseOf(c, HouseType(house)) != house) continue;
      if (keep >= 0 && HouseOf(c, HouseType(keep)) == keep) continue;
      parts.push_back(GoneBecause(j, current));
    }
    return Listed(parts);
  }

  // The listed removals from one cell, digit by digit.
  std::string CandidatesGone(int begin, int before, int cell, int current) const {
    std::vector<std::string> parts;
    for (int j = begin; j < before; ++j) {
      if (m_.NodeHolds[j] || Cell(j) != cell) continue;
      const int from = m_.NodeFrom[j];
      std::string why;
      if (Rule(j) == NetRule::Peer && line_[j] == 0 && from >= 0) {
        why = "it sees " + CellName(Cell(from)) + Ref(from, current);
      } else if (line_[j] != 0) {
        why = "line " + Name(line_[j]);
      }
      parts.push_back("not " + DigitText(DigitOf(j)) + (why.empty() ? "" : ": " + why));
    }
    return Listed(parts);
  }

  // The line of a locked-candidates house: the block's line the places lie
  // in, or the line's block, whichever holds the removed candidate's cell.
  static int LockedLine(int house, int cell) {
    if (HouseType(house) != 2) return HouseOf(cell, 2);
    for (int type = 0; type < 2; ++type) {
      const int line = HouseOf(cell, type);
      for (int x : CellsOfHouse(house))
        if (HouseOf(x, type) == line) return line;
    }
    return -1;
  }

  std::string Reason(int begin, int i, int current) const {
    const int digit = DigitOf(i), house = m_.NodeHouse[i], from = m_.NodeFrom[i];
    auto detail = [](const std::string& list) { return list.empty() ? std::string() : " (" + list + ")"; };
    switch (Rule(i)) {
      case NetRule::Peer:
        if (from < 0) return {};
        if (Cell(from) == Cell(i)) return ": it is " + DigitText(DigitOf(from)) + Ref(from, current);
        return ": it sees " + CellName(Cell(from)) + Ref(from, current);
      case NetRule::NakedSingle:
        return ", its only candidate left" + detail(CandidatesGone(begin, i, Cell(i), current));
      case NetRule::HiddenSingle:
        if (house < 0) return ", the only place left for " + DigitText(digit) + " in one of its houses";
        return ", the only place left for " + DigitText(digit) + " in " + HouseName(house) +
               detail(PlacesGone(begin, i, house, digit, -1, current));
      case NetRule::LockedCandidates: {
        if (house < 0) return {};
        const int line = LockedLine(house, Cell(i));
        return ": the " + DigitText(digit) + "s left in " + HouseName(house) + " lie in " + HouseName(line) +
               detail(PlacesGone(begin, i, house, digit, line, current));
      }
      case NetRule::NestedNet:
        return ": supposing " + CellName(Cell(i)) + " is " + DigitText(digit) +
               " leads to a contradiction by a net of its own";
      default:
        return {};
    }
  }

  // The listed node that says `cell` holds `digit`, -1 when none does.
  int HoldsAt(int begin, int end, int cell, int digit) const {
    for (int j = begin; j < end; ++j)
      if (m_.NodeHolds[j] && Cell(j) == cell && DigitOf(j) == digit) return j;
    return -1;
  }

  std::string LineOf(int i) const { return line_[i] != 0 ? " (line " + Name(line_[i]) + ")" : ""; }

  std::string ContradictionLine(int begin, int end, const StepMeaning::NetEnd& e, int current) const {
    const std::string tail = ": a contradiction.";
    switch (static_cast<NetContradiction>(e.Kind)) {
      case NetContradiction::NoPlace: {
        const std::string gone = PlacesGone(begin, end, e.House, e.Digit, -1, current);
        return "So " + HouseName(e.House) + " has no place left for " + DigitText(e.Digit) +
               (gone.empty() ? "" : " (" + gone + ")") + tail;
      }
      case NetContradiction::EmptyCell: {
        const std::string gone = CandidatesGone(begin, end, e.Cell, current);
        return "So " + CellName(e.Cell) + " has no candidate left" + (gone.empty() ? "" : " (" + gone + ")") +
               tail;
      }
      case NetContradiction::BothWays: {
        const int held = HoldsAt(begin, end, e.Cell, e.Digit);
        // Another digit placed in the same cell, or the same digit in a peer.
        for (int j = begin; j < end; ++j) {
          if (!m_.NodeHolds[j] || j == held) continue;
          if (Cell(j) == e.Cell && held >= 0)
            return "So " + CellName(e.Cell) + " would be both " + DigitText(e.Digit) + LineOf(held) +
                   " and " + DigitText(DigitOf(j)) + LineOf(j) + tail;
          if (DigitOf(j) == e.Digit && Cell(j) != e.Cell && CellsShareHouse(Cell(j), e.Cell)) {
            const ChainNode a = m_.Nodes[j];
            ChainNode b;
            b.CellCount = 1;
            b.Cells[0] = static_cast<std::uint8_t>(e.Cell);
            return "So " + CellName(Cell(j)) + LineOf(j) + " and " + CellName(e.Cell) + LineOf(held) +
                   " would both be " + DigitText(e.Digit) + " in " + HouseName(SharedHouse(a, b)) + tail;
          }
        }
        for (int j = begin; j < end; ++j) {
          if (m_.NodeHolds[j] || Cell(j) != e.Cell || DigitOf(j) != e.Digit) continue;
          return "So " + CellName(e.Cell) + " would be " + DigitText(e.Digit) + LineOf(held) + " and not " +
                 DigitText(e.Digit) + " (" + GoneBecause(j, current) + ")" + tail;
        }
        return "So " + CellName(e.Cell) + " would and would not be " + DigitText(e.Digit) + tail;
      }
      default:
        return {};
    }
  }

  // The branch's path: from its contradiction's last reason, or from each
  // result it reaches, back along the first reasons to the assumption.
  std::vector<bool> Path(int begin, int end, bool contradicted) const {
    std::vector<bool> path(m_.NodeCount, !Whole());
    auto walk = [&](int i) {
      for (; i >= begin && !path[i]; i = m_.NodeFrom[i]) path[i] = true;
    };
    if (contradicted) {
      walk(end - 1);
    } else {
      for (int i = begin; i < end; ++i)
        if (IsResult(i)) walk(i);
    }
    return path;
  }

  std::string Branch(int begin, int end, int branch) {
    branchFirst_ = lines_ + 1;
    const StepMeaning::NetEnd e =
        branch < static_cast<int>(m_.BranchEnds.size()) ? m_.BranchEnds[branch] : StepMeaning::NetEnd{};
    const bool contradicted = e.Kind != 0;
    const std::vector<bool> path = Path(begin, end, contradicted);
    std::string text;
    for (int i = begin; i < end; ++i) {
      if (!Shown(i, contradicted)) continue;
      line_[i] = ++lines_;
      // What the path needs from off it is indented before the line using it.
      if (!path[i]) text += kIndent;
      text += Name(lines_) + ". ";
      if (Rule(i) == NetRule::Assumption) {
        text += (branch == 0 ? "Suppose " : "Suppose instead ") + Fact(i) + ".<br>";
        continue;
      }
      // Removals that one house-wide rule makes at once share a line.
      std::vector<int> cells{Cell(i)};
      int last = i;
      while (Whole() && Rule(i) == NetRule::LockedCandidates && last + 1 < end &&
             Rule(last + 1) == NetRule::LockedCandidates && m_.NodeHouse[last + 1] == m_.NodeHouse[i] &&
             DigitOf(last + 1) == DigitOf(i)) {
        line_[++last] = lines_;
        cells.push_back(Cell(last));
      }
      const std::string fact = cells.size() == 1
                                   ? Fact(i)
                                   : "none of " + CellList(cells, " and ") + " is " + DigitText(DigitOf(i));
      text += "Then " + fact + Reason(begin, i, lines_);
      text += Rule(i) == NetRule::NestedNet ? InnerProof(i, path[i]) : ".<br>";
      i = last;
    }
    if (contradicted) {
      ++lines_;
      text += Name(lines_) + ". " + ContradictionLine(begin, end, e, lines_) + "<br>";
    }
    return text;
  }

  // The inner net's own proof, numbered under the line that uses it: its
  // lines follow, indented one step beyond that line, or, in the panel, a
  // link leads to them.
  std::string InnerProof(int i, bool onPath) const {
    StepRecord inner;
    if (!steps::FindInnerNet(step_, i, inner)) return ".<br>";
    const std::string name = Name(lines_);
    const std::string target = link_ + " " + std::to_string(i);
    std::string lines = ProofWriter(inner, form_, name + ".", target).Write();
    int count = 0;
    for (std::size_t at = lines.find("<br>"); at != std::string::npos; at = lines.find("<br>", at + 4))
      ++count;
    const std::string span = "lines " + name + ".1 to " + name + "." + std::to_string(count);
    // It runs on the position the branch's earlier lines have made.
    std::string known;
    if (lines_ - 1 == branchFirst_) known = ", with line " + Name(branchFirst_) + " known";
    if (lines_ - 1 > branchFirst_)
      known = ", with lines " + Name(branchFirst_) + " to " + Name(lines_ - 1) + " known";
    if (form_ == ProofForm::Linked) return " (<a href='" + target + "'>" + span + "</a>" + known + ").<br>";
    std::string text = " (" + span + known + "):<br>";
    const std::string indent = onPath ? std::string(kIndent) : std::string(kIndent) + std::string(kIndent);
    for (std::size_t at = 0, next; at < lines.size(); at = next) {
      next = lines.find("<br>", at);
      next = next == std::string::npos ? lines.size() : next + 4;
      text += indent;
      text.append(lines, at, next - at);
    }
    return text;
  }

  std::string Conclusion() const {
    std::vector<std::string> results;
    if (step_.Kind == kPlaceValue) {
      results.push_back(CellName(step_.Cell) + " is " + DigitText(step_.Value));
    } else {
      for (int c = 0; c < 81; ++c)
        for (int d = 1; d <= 9; ++d)
          if (step_.Eliminate(c, d)) results.push_back(CellName(c) + " is not " + DigitText(d));
    }
    return "One of the suppositions is true, and each that does not break down leads to the same "
           "result, so " +
           JoinAnd(results) + ".<br>";
  }

  const StepRecord& step_;
  const StepMeaning& m_;
  ProofForm form_;
  std::string prefix_;     // the number of the line a sub-proof stands under, with its point
  std::string link_;       // the sub-proof link's target so far: kSubProofLink and the node path
  std::vector<int> line_;  // the number a node is listed under, 0 when told inside another line
  int lines_ = 0;
  int branchFirst_ = 1;  // the number of the current branch's first line
};

}  // namespace

std::string NetProofLines(const StepRecord& step, ProofForm form) {
  if (step.Meaning.NetAssumptions == 0) return {};
  return ProofWriter(step, form, {}, std::string(kSubProofLink)).Write();
}

std::string WithLinkedSubProofs(std::string text, const StepRecord& step) {
  if (step.Meaning.InnerNets == 0) return text;
  const std::string whole = NetProofLines(step);
  const std::size_t at = whole.empty() ? std::string::npos : text.find(whole);
  if (at != std::string::npos) text.replace(at, whole.size(), NetProofLines(step, ProofForm::Linked));
  return text;
}

std::string NetSubProof(const StepRecord& step, std::string_view path, std::string& title, std::string& known,
                        StepRecord* net) {
  StepRecord outer = step, inner;
  std::string name, link(kSubProofLink);
  for (std::size_t at = 0; at < path.size();) {
    std::size_t end = path.find(' ', at);
    if (end == std::string_view::npos) end = path.size();
    int node = 0;
    const auto [ptr, ec] = std::from_chars(path.data() + at, path.data() + end, node);
    if (ec != std::errc{} || ptr != path.data() + end || !steps::FindInnerNet(outer, node, inner)) return {};
    // The number of the line node stands on, as the whole proof counts it.
    const std::string lines = ProofWriter(outer, ProofForm::Linked, name, link).Write();
    const std::string href = link + " " + std::to_string(node) + "'>lines ";
    const std::size_t ref = lines.find(href);
    if (ref == std::string::npos) return {};
    const std::size_t from = ref + href.size(), to = lines.find(".1 to", from);
    name = lines.substr(from, to - from) + ".";
    const std::size_t close = lines.find("</a>", to) + 4, stop = lines.find(").<br>", close);
    known = lines.substr(close, stop - close);
    link += ' ';
    link += std::to_string(node);
    outer = inner;
    at = end + 1;
  }
  if (name.empty()) return {};
  title.assign(name, 0, name.size() - 1);
  if (net != nullptr) *net = outer;
  return ProofWriter(outer, ProofForm::Linked, name, link).Write();
}

}  // namespace tavimoro
