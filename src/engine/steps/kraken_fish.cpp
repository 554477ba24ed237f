// Kraken fish. The search walks the basic fish of one digit with fins:
// base lines of one type, as many cover lines of the other that take all
// their candidates but a few (the fins, anywhere in the base lines), and
// the cover candidates outside the base lines as possible victims. Each
// fin's net (supposing the fin holds the digit, propagated by the plain
// rules of net_board.h) is run at most once per position and kept as the
// cells where it removes the same digit, so that a fish costs a few mask
// operations once its fins' nets are known.
//
//   5s, base lines r1 r4, cover lines c2 c7:
//         c1 c2 c3 c4 c5 c6 c7 c8 c9
//   r1     .  X  .  .  .  .  X  .  .      X  base and cover
//   r4     .  X  .  F  .  .  X  .  .      F  a fin, seeing no V
//   r7     .  .  .  .  .  .  V  .  .      V  goes when every fin's net
//                                            removes it
#include "engine/steps/kraken_fish.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "engine/steps/cell_bits.h"
#include "engine/steps/meaning.h"
#include "engine/steps/net_board.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

constexpr int kMaxKrakenSize = 4;
constexpr int kMaxFins = 4;

// The nets of supposing each candidate of one position holds: per candidate
// (cell * 9 + digit - 1) whether it has run, and the cells where it removes
// its own digit. Kept per thread for the last position, with whether the
// whole search found nothing there: a solve may ask at one position twice.
struct FinNets {
  NetBoard root;
  std::array<bool, 729> run{};
  bool searchedInVain = false;  // the whole search found nothing here
  std::array<CellBits, 729> gone{};
  NetPropagator propagator;

  // The cells that lose `digit` if `cell` holds it; none when that runs
  // into a contradiction: the fin cannot hold the digit, which the
  // contradiction net shows on its own.
  CellBits Gone(int cell, int digit) {
    const auto index = static_cast<std::size_t>(cell * 9 + digit - 1);
    if (!run[index]) {
      const NetNode assumption = HoldsNode(cell, digit);
      const bool contradiction = propagator.Run(root, std::span<const NetNode>(&assumption, 1));
      run[index] = true;
      gone[index] = {};
      for (int x = 0; x < 81; ++x)
        if (!contradiction && propagator.Derived(FailsNode(x, digit))) gone[index].Add(x);
    }
    return gone[index];
  }
};

FinNets& NetsAt(const PuzzleState& s) {
  thread_local std::unique_ptr<FinNets> kept;
  const NetBoard root = NetBoard::From(s);
  if (!kept) {
    kept = std::make_unique<FinNets>();
    kept->propagator.Configure(0, nullptr, false, nullptr);
    kept->root.value.fill(10);  // no position: the first asked is new
  }
  if (kept->root.cand != root.cand || kept->root.value != root.value) {
    kept->root = root;
    kept->run.fill(false);
    kept->searchedInVain = false;
  }
  return *kept;
}

// The cell at `position` along line `line` of type `type` (0 rows, 1 columns).
constexpr int LineCell(int type, int line, int position) {
  return type == 0 ? 9 * line + position : 9 * position + line;
}

struct Kraken {
  int digit = 0, size = 0, type = 0;
  int baseMask = 0, coverMask = 0;  // lines of `type`, positions along them
  CellBits fins, victims;
};

// The first kraken of one digit, size and side: base lines in ascending
// mask order, then cover positions in descending mask order.
bool SearchSide(const PuzzleState& s, FinNets& nets, int digit, int size, int type, Kraken& out) {
  std::array<int, 9> places{};  // per line, the positions holding the digit
  for (int line = 0; line < 9; ++line)
    for (int p = 0; p < 9; ++p) {
      const int c = LineCell(type, line, p);
      if (s.Grid[c] == 0 && s.Cand(c, digit)) places[line] |= 1 << p;
    }
  std::array<int, 9> baseLines{};
  for (int base = 0; base < 512; ++base) {
    if (BitCount(base) != size) continue;
    // Positions alone first: the cells are listed only for a fish that has
    // every base line covered, few fins and a cover candidate to remove.
    int spread = 0, outside = 0, n = 0;
    bool empty = false;
    for (int line = 0; line < 9; ++line) {
      if (!(base & (1 << line))) {
        outside |= places[line];
        continue;
      }
      baseLines[n++] = line;
      spread |= places[line];
      empty = empty || places[line] == 0;
    }
    if (empty || BitCount(spread) <= size || BitCount(spread) - size > kMaxFins) continue;
    for (int cover = spread; cover; cover = (cover - 1) & spread) {
      if (BitCount(cover) != size || !(outside & cover)) continue;
      int finCount = 0;
      bool everyLineCovered = true;
      for (int i = 0; i < n; ++i) {
        everyLineCovered = everyLineCovered && (places[baseLines[i]] & cover);
        finCount += BitCount(places[baseLines[i]] & ~cover);
      }
      if (!everyLineCovered || finCount > kMaxFins) continue;
      CellBits fins, victims;
      for (int line = 0; line < 9; ++line) {
        const bool isBase = base & (1 << line);
        const int cells = places[line] & (isBase ? ~cover : cover);
        for (int p = 0; p < 9; ++p)
          if (cells & (1 << p)) (isBase ? fins : victims).Add(LineCell(type, line, p));
      }
      // A cell that sees every fin is the finned fish's own.
      victims = victims.Without(CommonPeers(fins));
      fins.ForEach([&](int fin) {
        if (!victims.Empty()) victims = victims & nets.Gone(fin, digit);
      });
      if (victims.Empty()) continue;
      out = {digit, size, type, base, cover, fins, victims};
      return true;
    }
  }
  return false;
}

void AppendCell(StepText& text, int cell) { text << 'r' << CellRow(cell) << 'c' << CellCol(cell); }

void AppendNode(StepText& text, NetNode n) {
  AppendCell(text, NodeCell(n));
  text << (NodeHolds(n) ? "=" : "<>") << NodeDigit(n);
}

// One fin's branch of the proof: the implications its result rests on, in
// creation order, or with `threadOnly` only those on the first-reason paths
// back from each result (a fin's net here never runs into a contradiction).
// Appended to the meaning; the path to the first
// result is traced in `text` and drawn while lines are left.
class ProofWriter {
 public:
  ProofWriter(StepRecord& step, const NetBoard& root, NetPropagator& p)
      : step_(step), root_(root), p_(p), buffer_(kNetNodeCount) {}

  // Runs the fin's net; returns the size of its proof.
  int Run(int fin, int digit, const CellBits& victims) {
    const NetNode assumption = HoldsNode(fin, digit);
    p_.Run(root_, std::span<const NetNode>(&assumption, 1));
    targets_.clear();
    victims.ForEach([&](int c) {
      if (p_.Derived(FailsNode(c, digit))) targets_.push_back(FailsNode(c, digit));
    });
    return p_.Ancestors(targets_, false, {}, nullptr);
  }

  // Appends the branch of the last Run; returns the implications listed.
  int Append(bool threadOnly, int branch) {
    StepMeaning& m = step_.Meaning;
    const int n = p_.Ancestors(targets_, false, buffer_, nullptr);
    std::vector<int> position(static_cast<std::size_t>(p_.NodeCount()), -1);
    std::vector<int> from(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) position[static_cast<std::size_t>(p_.Rank(buffer_[i]))] = i;
    for (int i = 0; i < n; ++i) {
      const int reason = p_.FirstReason(buffer_[i]);
      from[static_cast<std::size_t>(i)] = reason >= 0 ? position[static_cast<std::size_t>(reason)] : -1;
    }
    // The paths back from each result.
    std::vector<bool> onPath(static_cast<std::size_t>(n), false),
        onFirstPath(static_cast<std::size_t>(n), false);
    auto walk = [&](int i, std::vector<bool>& mark) {
      for (; i >= 0 && !mark[static_cast<std::size_t>(i)]; i = from[static_cast<std::size_t>(i)])
        mark[static_cast<std::size_t>(i)] = true;
    };
    bool firstWalked = false;
    for (int i = 0; i < n; ++i) {
      if (std::find(targets_.begin(), targets_.end(), buffer_[i]) == targets_.end()) continue;
      if (!firstWalked) walk(i, onFirstPath);
      firstWalked = true;
      walk(i, onPath);
    }
    std::vector<int> at(static_cast<std::size_t>(n), -1);
    const int branchStart = m.NodeCount;
    int listed = 0;
    if (branch > 0) step_.Text << "; ";
    bool firstTraced = true;
    for (int i = 0; i < n; ++i) {
      const auto u = static_cast<std::size_t>(i);
      if (threadOnly && !onPath[u]) continue;
      if (m.NodeCount >= StepMeaning::kMaxNodes) break;
      const NetNode node = buffer_[u];
      const int k = m.NodeCount++;
      at[u] = k;
      ++listed;
      const int rank = p_.Rank(node);
      m.Nodes[k].Digit = static_cast<std::uint8_t>(NodeDigit(node));
      m.Nodes[k].CellCount = 1;
      m.Nodes[k].Cells[0] = static_cast<std::uint8_t>(NodeCell(node));
      m.NodeHolds[k] = NodeHolds(node);
      m.NodeRule[k] = static_cast<std::uint8_t>(p_.RuleAt(rank));
      m.NodeHouse[k] = static_cast<std::int8_t>(p_.HouseAt(rank));
      const int parent = from[u] >= 0 ? at[static_cast<std::size_t>(from[u])] : -1;
      m.NodeFrom[k] = static_cast<std::int16_t>(parent);
      if (m.NodeRule[k] == static_cast<std::uint8_t>(NetRule::Assumption)) ++m.NetAssumptions;
      if (k > branchStart) m.Links[k - 1] = NodeHolds(node) ? LinkKind::Strong : LinkKind::Weak;
      if (!onFirstPath[u]) continue;
      if (!firstTraced) step_.Text << " -> ";
      firstTraced = false;
      AppendNode(step_.Text, node);
      if (parent >= 0 && m.Nodes[parent].Cells[0] != m.Nodes[k].Cells[0] && lines_ < step_.Lines.size())
        step_.Lines[lines_++] = StepLine{m.Nodes[parent].Cells[0],
                                         m.Nodes[k].Cells[0],
                                         NodeHolds(node) ? StrongLineColour : LineColour,
                                         1,
                                         !NodeHolds(node),
                                         m.Nodes[parent].Digit,
                                         m.Nodes[k].Digit};
    }
    return listed;
  }

  void StartLinesAt(std::size_t entry) { lines_ = entry; }

 private:
  StepRecord& step_;
  const NetBoard& root_;
  NetPropagator& p_;
  std::vector<NetNode> buffer_;
  std::vector<NetNode> targets_;
  std::size_t lines_ = 0;
};

void Record(const Kraken& k, FinNets& nets, StepRecord& step) {
  step = StepRecord{};
  StartElimination(step, TechniqueId::KrakenFish);
  StepMeaning& m = step.Meaning;
  const int baseFirst = 9 * k.type, coverFirst = 9 * (1 - k.type);
  for (int i = 0; i < 9; ++i) {
    if (k.baseMask & (1 << i)) AddBaseLine(m, baseFirst + i);
    if (k.coverMask & (1 << i)) AddCoverLine(m, coverFirst + i);
  }
  m.DigitMask = DigitBit(k.digit);
  step.Digits << k.digit;
  std::size_t entry = 0;
  for (int i = 0; i < m.CoverCount; ++i)
    step.Lines[entry++] = {HouseCell(m.CoverLines[i], 0), HouseCell(m.CoverLines[i], 8), StrongLineColour, 2};
  for (int i = 0; i < m.BaseCount; ++i)
    step.Lines[entry++] = {HouseCell(m.BaseLines[i], 0), HouseCell(m.BaseLines[i], 8), LineColour, 2};
  for (int line = 0; line < 9; ++line)
    for (int p = 0; p < 9; ++p) {
      const int c = LineCell(k.type, line, p);
      if ((k.baseMask & (1 << line)) && (k.coverMask & (1 << p)) && step.CellColour[c] == 0 &&
          nets.root.Has(c, k.digit))
        step.CellColour[c] = PatternColour;
    }

  step.Text << k.digit << ' ';
  for (int i = 0; i < m.BaseCount; ++i) step.Text << (k.type == 0 ? 'r' : 'c') << HouseNum(m.BaseLines[i]);
  step.Text << ' ';
  for (int i = 0; i < m.CoverCount; ++i) step.Text << (k.type == 0 ? 'c' : 'r') << HouseNum(m.CoverLines[i]);
  step.Text << " fins";
  k.fins.ForEach([&](int c) {
    step.Text << ' ';
    AppendCell(step.Text, c);
  });
  step.Text << ": ";

  // The whole proof when every branch fits the record, else each branch's paths.
  ProofWriter writer(step, nets.root, nets.propagator);
  writer.StartLinesAt(entry);
  int total = 0;
  k.fins.ForEach([&](int fin) { total += writer.Run(fin, k.digit, k.victims); });
  const bool threadOnly = total > StepMeaning::kMaxNodes;
  int listed = 0, branch = 0;
  k.fins.ForEach([&](int fin) {
    writer.Run(fin, k.digit, k.victims);
    listed += writer.Append(threadOnly, branch++);
  });
  m.NetProofSize = total;
  m.OtherInferences = total - listed;

  k.fins.ForEach([&](int c) { step.CellColour[c] = FinColour; });
  step.Text << " => ";
  bool first = true;
  k.victims.ForEach([&](int c) {
    EliminateAt(step, c, k.digit);
    if (!first) step.Text << ", ";
    first = false;
    AppendCell(step.Text, c);
    step.Text << "<>" << k.digit;
  });
}

}  // namespace

bool FindKrakenFish(const PuzzleState& s, StepRecord& step) {
  FinNets& nets = NetsAt(s);
  if (nets.searchedInVain) return false;
  Kraken found;
  for (int size = 2; size <= kMaxKrakenSize; ++size)
    for (int digit = 1; digit <= 9; ++digit)
      for (int type = 0; type < 2; ++type)
        if (SearchSide(s, nets, digit, size, type, found)) {
          Record(found, nets, step);
          return true;
        }
  nets.searchedInVain = true;
  return false;
}

}  // namespace tavimoro::steps
