// Forcing nets: assume a candidate (or each candidate of a cell, or each place
// of a digit in a house), propagate with the rules of net_board.h and look for
// a contradiction or a conclusion common to every branch.
//
// The search runs each candidate's net once and keeps the set of nodes it
// derived (a 1458-bit set per candidate), so that the cell and unit nets are
// intersections of stored sets. The proof shown is read back from the net's
// reasons: the implications the conclusion rests on, in the order they were
// found, or, when they do not fit the record, one thread per branch from the
// assumption to the conclusion and a count of the rest.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/steps/grid_solution.h"
#include "engine/steps/net_board.h"
#include "engine/steps/net_steps.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

using NodeSet = std::array<std::uint64_t, (kNetNodeCount + 63) / 64>;

bool InSet(const NodeSet& set, int n) { return (set[n >> 6] >> (n & 63)) & 1; }

// A chain of propagators: [0] at the search's level, each using the next as
// its nested rule.
class NetChain {
 public:
  explicit NetChain(int level, long long runLimit) : props_(static_cast<std::size_t>(level) + 1) {
    budget_.limit = runLimit;
    for (auto& p : props_) p = std::make_unique<NetPropagator>();
    for (int i = 0; i <= level; ++i) {
      NetPropagator* inner = i < level ? props_[i + 1].get() : nullptr;
      props_[i]->Configure(level - i, inner, i > 0, &budget_);
    }
  }
  NetPropagator& Top() { return *props_[0]; }
  bool Exhausted() const { return budget_.Exhausted(); }

 private:
  NetBudget budget_;
  std::vector<std::unique_ptr<NetPropagator>> props_;
};

// The proof of one branch: its implications in creation order, with the
// index of each one's first reason in the same list.
struct BranchProof {
  std::vector<NetNode> nodes;
  std::vector<int> from;
  std::vector<std::uint8_t> rules;
  std::vector<std::int8_t> houses;
  int mainThreadEnd = -1;   // the node nearest the conclusion
  int innerInferences = 0;  // of the inner nets the nodes rest on
  StepMeaning::NetEnd end;  // the contradiction the branch runs into, if any
};

BranchProof ReadProof(NetPropagator& p, std::span<const NetNode> targets, bool contradiction) {
  BranchProof proof;
  std::vector<NetNode> buffer(kNetNodeCount);
  const int n = std::min(p.Ancestors(targets, contradiction, buffer, nullptr), kNetNodeCount);
  proof.nodes.assign(buffer.begin(), buffer.begin() + n);
  std::vector<int> position(static_cast<std::size_t>(p.NodeCount()), -1);
  for (int i = 0; i < n; ++i) position[static_cast<std::size_t>(p.Rank(proof.nodes[i]))] = i;
  for (int i = 0; i < n; ++i) {
    const int reason = p.FirstReason(proof.nodes[i]);
    proof.from.push_back(reason >= 0 ? position[static_cast<std::size_t>(reason)] : -1);
    proof.rules.push_back(static_cast<std::uint8_t>(p.RuleAt(p.Rank(proof.nodes[i]))));
    if (proof.rules.back() == static_cast<std::uint8_t>(NetRule::NestedNet))
      proof.innerInferences += p.InnerSizeAt(p.Rank(proof.nodes[i]));
    proof.houses.push_back(static_cast<std::int8_t>(p.HouseAt(p.Rank(proof.nodes[i]))));
  }
  if (contradiction) {
    proof.end.Kind = static_cast<std::uint8_t>(p.ContradictionKind());
    proof.end.Cell = static_cast<std::int8_t>(p.ContradictionCell());
    proof.end.House = static_cast<std::int8_t>(p.ContradictionHouse());
    proof.end.Digit = static_cast<std::uint8_t>(p.ContradictionDigit());
  }
  proof.mainThreadEnd = n - 1;
  if (!contradiction && !targets.empty() && p.Derived(targets[0])) {
    for (int i = 0; i < n; ++i)
      if (proof.nodes[i] == targets[0]) proof.mainThreadEnd = i;
  }
  return proof;
}

void AppendNode(StepText& text, NetNode n) {
  text << 'r' << CellRow(NodeCell(n)) << 'c' << CellCol(NodeCell(n)) << (NodeHolds(n) ? "=" : "<>")
       << NodeDigit(n);
}

void AppendCell(StepText& text, int cell) { text << 'r' << CellRow(cell) << 'c' << CellCol(cell); }

void AppendHouse(StepText& text, int house) {
  text << HouseTypeName(HouseType(house)) << ' ' << HouseNum(house);
}

// The indices of one branch's main thread, assumption first.
std::vector<int> MainThread(const BranchProof& proof) {
  std::vector<int> thread;
  for (int i = proof.mainThreadEnd; i >= 0; i = proof.from[static_cast<std::size_t>(i)]) {
    thread.push_back(i);
    if (proof.from[static_cast<std::size_t>(i)] >= i) break;
  }
  std::reverse(thread.begin(), thread.end());
  return thread;
}

// Writes the branches into the meaning block, all of every proof when they
// fit, else each branch's main thread. The lines drawn follow each branch's
// main thread, the path its trace names.
void FillProof(StepRecord& step, const std::vector<BranchProof>& branches) {
  StepMeaning& m = step.Meaning;
  std::size_t total = 0;
  for (const auto& b : branches) {
    total += b.nodes.size();
    m.InnerInferences += b.innerInferences;
    m.InnerNets += static_cast<int>(
        std::count(b.rules.begin(), b.rules.end(), static_cast<std::uint8_t>(NetRule::NestedNet)));
  }
  const bool whole = total <= static_cast<std::size_t>(StepMeaning::kMaxNodes);
  int listed = 0;
  int lineCount = 0;
  for (std::size_t branch = 0; branch < branches.size(); ++branch) {
    const BranchProof& b = branches[branch];
    if (branch < m.BranchEnds.size()) m.BranchEnds[branch] = b.end;
    const std::vector<int> thread = MainThread(b);
    std::vector<int> picked;
    if (whole) {
      for (int i = 0; i < static_cast<int>(b.nodes.size()); ++i) picked.push_back(i);
    } else {
      picked = thread;
    }
    std::vector<int> at(b.nodes.size(), -1);
    const int branchStart = m.NodeCount;
    for (int i : picked) {
      if (m.NodeCount >= StepMeaning::kMaxNodes) break;
      const int k = m.NodeCount++;
      const NetNode n = b.nodes[static_cast<std::size_t>(i)];
      at[static_cast<std::size_t>(i)] = k;
      m.Nodes[k].Digit = static_cast<std::uint8_t>(NodeDigit(n));
      m.Nodes[k].CellCount = 1;
      m.Nodes[k].Cells[0] = static_cast<std::uint8_t>(NodeCell(n));
      m.NodeHolds[k] = NodeHolds(n);
      m.NodeRule[k] = b.rules[static_cast<std::size_t>(i)];
      m.NodeHouse[k] = b.houses[static_cast<std::size_t>(i)];
      const int from = b.from[static_cast<std::size_t>(i)];
      m.NodeFrom[k] = static_cast<std::int16_t>(from >= 0 ? at[static_cast<std::size_t>(from)] : -1);
      if (b.rules[static_cast<std::size_t>(i)] == static_cast<std::uint8_t>(NetRule::Assumption))
        ++m.NetAssumptions;
      if (k > branchStart) m.Links[k - 1] = NodeHolds(n) ? LinkKind::Strong : LinkKind::Weak;
      ++listed;
      const int parent = m.NodeFrom[k];
      const bool onThread = std::find(thread.begin(), thread.end(), i) != thread.end();
      if (onThread && parent >= 0 && lineCount < static_cast<int>(step.Lines.size()) &&
          m.Nodes[parent].Cells[0] != m.Nodes[k].Cells[0]) {
        step.Lines[static_cast<std::size_t>(lineCount++)] =
            StepLine{m.Nodes[parent].Cells[0],
                     m.Nodes[k].Cells[0],
                     NodeHolds(n) ? StrongLineColour : LineColour,
                     1,
                     !NodeHolds(n),
                     m.Nodes[parent].Digit,
                     m.Nodes[k].Digit};
      }
      if (step.CellColour[NodeCell(n)] == 0) step.CellColour[NodeCell(n)] = PatternColour;
    }
  }
  m.OtherInferences = static_cast<int>(total) - listed;
  m.NetProofSize = static_cast<int>(total);
}

// The trace of one branch: its main thread, "r4c5=7 -> r4c6<>7 -> ...",
// without the assumption when the text has named it already.
void AppendThread(StepText& text, const BranchProof& proof, bool withAssumption) {
  bool first = true;
  for (int i : MainThread(proof)) {
    if (!withAssumption && proof.rules[static_cast<std::size_t>(i)] == 0) continue;
    if (!first) text << " -> ";
    first = false;
    AppendNode(text, proof.nodes[static_cast<std::size_t>(i)]);
  }
}

void AppendContradiction(StepText& text, const NetPropagator& p) {
  switch (p.ContradictionKind()) {
    case NetContradiction::EmptyCell:
      AppendCell(text, p.ContradictionCell());
      text << " has no candidate left";
      break;
    case NetContradiction::NoPlace:
      AppendHouse(text, p.ContradictionHouse());
      text << " has no place left for " << p.ContradictionDigit();
      break;
    default:
      AppendCell(text, p.ContradictionCell());
      text << " would and would not be " << p.ContradictionDigit();
      break;
  }
}

// The techniques whose steps NetStepScore scores.
constexpr std::array<TechniqueId, 6> kNetTechniques = {TechniqueId::ContradictionNet, TechniqueId::CellNet,
                                                       TechniqueId::UnitNet,          TechniqueId::NestedNet,
                                                       TechniqueId::DoublyNestedNet,  TechniqueId::Trial};

bool IsNet(TechniqueId technique) {
  return std::find(kNetTechniques.begin(), kNetTechniques.end(), technique) != kNetTechniques.end();
}

// The tries whose nets are known to end without a contradiction. A plain
// net derives everything its rules force and is the least board closed
// under them; a net that derives "y holds" therefore contains y's own net,
// and when it ends without a contradiction so does y's. Valid for one start
// board and level 0 only (nested nets give up on a budget).
class ConsistentTries {
 public:
  bool Known(NetNode a) const { return known_[a >> 1] != 0; }
  // Takes in the holds of a net that just ended without a contradiction.
  void Learn(const NetPropagator& p, const NetBoard& root) {
    for (int i = 0; i < p.NodeCount(); ++i) {
      const NetNode n = p.NodeAt(i);
      if (NodeHolds(n) && root.value[NodeCell(n)] == 0) known_[n >> 1] = 1;
    }
  }
  // Takes in the solution's candidates, when the board holds every one.
  void LearnSolution(const std::array<std::uint8_t, 81>& solution, const NetBoard& root) {
    for (int c = 0; c < 81; ++c)
      if (root.value[c] == 0 && !root.Has(c, solution[c])) return;
    for (int c = 0; c < 81; ++c)
      if (root.value[c] == 0) known_[static_cast<std::size_t>(c * 9 + solution[c] - 1)] = 1;
  }

 private:
  std::array<std::uint8_t, 729> known_{};
};

// The tries, bivalue cells first: cells by candidate count, then index, each
// with its digits ascending.
std::vector<NetNode> Tries(const NetBoard& root) {
  std::vector<NetNode> tries;
  for (int count = 2; count <= 9; ++count) {
    for (int c = 0; c < 81; ++c) {
      if (root.value[c] != 0 || BitCount(root.cand[c]) != count) continue;
      for (int d = 1; d <= 9; ++d)
        if (root.Has(c, d)) tries.push_back(HoldsNode(c, d));
    }
  }
  return tries;
}

void FillContradiction(StepRecord& step, TechniqueId technique, NetPropagator& p, NetNode assumption) {
  std::vector<BranchProof> branches{ReadProof(p, {}, true)};
  step = StepRecord{};
  step.Kind = kEliminate;
  step.Technique = technique;
  const int cell = NodeCell(assumption), digit = NodeDigit(assumption);
  step.SetEliminate(cell, digit);
  FillProof(step, branches);
  step.CellColour[cell] = EliminationColour;
  StartTrace(step.Text, technique);
  step.Text << "assume ";
  AppendNode(step.Text, assumption);
  step.Text << ": ";
  AppendThread(step.Text, branches[0], false);
  step.Text << ", and then ";
  AppendContradiction(step.Text, p);
  step.Text << ". So " << digit << " is removed from ";
  AppendCell(step.Text, cell);
  step.Text << '.';
  step.Digits << digit;
}

// The conclusions common to every branch that the root does not know yet: a
// placement (the lowest node) when there is one, else every removal.
bool CommonConclusions(const NodeSet& common, const NetBoard& root, std::vector<NetNode>& out) {
  out.clear();
  for (int n = 1; n < kNetNodeCount; n += 2) {
    const NetNode node = static_cast<NetNode>(n);
    if (InSet(common, n) && root.value[NodeCell(node)] == 0) {
      out.push_back(node);
      return true;
    }
  }
  for (int n = 0; n < kNetNodeCount; n += 2) {
    const NetNode node = static_cast<NetNode>(n);
    if (InSet(common, n) && root.Has(NodeCell(node), NodeDigit(node))) out.push_back(node);
  }
  return !out.empty();
}

// The implications the conclusions rest on, summed over the branches; the
// conclusion with the shortest proof is moved to the front (the one shown).
int ProofSizeAndBest(NetPropagator& p, const NetBoard& root, const std::vector<NetNode>& branches,
                     std::vector<NetNode>& conclusions) {
  std::vector<int> sizes(conclusions.size(), 0);
  for (NetNode a : branches) {
    const bool contra = p.Run(root, std::span<const NetNode>(&a, 1));
    for (std::size_t k = 0; k < conclusions.size(); ++k) {
      sizes[k] += contra ? p.Ancestors({}, true, {}, nullptr)
                         : p.Ancestors(std::span<const NetNode>(&conclusions[k], 1), false, {}, nullptr);
    }
  }
  const auto best = std::min_element(sizes.begin(), sizes.end()) - sizes.begin();
  std::swap(conclusions[0], conclusions[static_cast<std::size_t>(best)]);
  return sizes[static_cast<std::size_t>(best)];
}

// Fills the record of a cell or unit net whose branches share `conclusions`.
void FillCommon(StepRecord& step, TechniqueId technique, NetPropagator& p, const NetBoard& root,
                const std::vector<NetNode>& branches, const std::vector<NetNode>& conclusions, int house) {
  // The proof shown covers every conclusion; the score counts the first's.
  std::vector<BranchProof> proofs;
  std::vector<bool> contradicted;
  int scoredSize = 0, scoredInner = 0;
  for (NetNode a : branches) {
    const bool contra = p.Run(root, std::span<const NetNode>(&a, 1));
    contradicted.push_back(contra);
    if (contra) {
      proofs.push_back(ReadProof(p, {}, true));
      scoredSize += static_cast<int>(proofs.back().nodes.size());
      scoredInner += proofs.back().innerInferences;
    } else {
      scoredSize += p.Ancestors(std::span<const NetNode>(&conclusions[0], 1), false, {}, nullptr);
      scoredInner += ReadProof(p, std::span<const NetNode>(&conclusions[0], 1), false).innerInferences;
      proofs.push_back(ReadProof(p, conclusions, false));
    }
  }
  step = StepRecord{};
  step.Technique = technique;
  const NetNode first = conclusions[0];
  if (NodeHolds(first)) {
    step.Kind = kPlaceValue;
    step.Cell = NodeCell(first);
    step.Value = NodeDigit(first);
  } else {
    step.Kind = kEliminate;
    for (NetNode c : conclusions) step.SetEliminate(NodeCell(c), NodeDigit(c));
  }
  FillProof(step, proofs);
  step.Meaning.NetProofSize = scoredSize;
  step.Meaning.InnerInferences = scoredInner;
  for (NetNode c : conclusions) step.CellColour[NodeCell(c)] = EliminationColour;
  for (NetNode a : branches) step.CellColour[NodeCell(a)] = PivotColour;

  StartTrace(step.Text, technique);
  if (house < 0) {
    step.Text << "each candidate of ";
    AppendCell(step.Text, NodeCell(branches[0]));
  } else {
    step.Text << "each place of " << NodeDigit(branches[0]) << " in ";
    AppendHouse(step.Text, house);
  }
  step.Text << " forces ";
  AppendNode(step.Text, first);
  for (std::size_t i = 0; i < proofs.size(); ++i) {
    step.Text << (i == 0 ? ": " : "; ");
    AppendThread(step.Text, proofs[i], true);
    if (contradicted[i]) step.Text << " -> contradiction";
  }
  step.Text << ". So ";
  if (step.Kind == kPlaceValue) {
    AppendCell(step.Text, step.Cell);
    step.Text << " is " << step.Value << '.';
    step.Digits << step.Value;
  } else {
    step.Text << "removed: ";
    for (std::size_t i = 0; i < conclusions.size(); ++i) {
      if (i > 0) step.Text << ", ";
      AppendNode(step.Text, static_cast<NetNode>(conclusions[i] | 1));
    }
    step.Text << '.';
    step.Digits << NodeDigit(first);
  }
}

// The nets of the tries at one start board: per try (cell * 9 + digit - 1)
// not run (0), run (1) or run into a contradiction (2), and the nodes it
// derived.
struct TryNets {
  NetBoard root;
  std::array<std::uint8_t, 729> state{};
  std::array<NodeSet, 729> derived;
};

// The plain nets of the last start board, kept per thread: the cell and the
// unit nets search the same position one after the other, and a plain net
// depends on its start board and assumption alone.
TryNets& PlainNetsAt(const NetBoard& root) {
  thread_local std::unique_ptr<TryNets> kept;
  if (!kept || kept->root.cand != root.cand || kept->root.value != root.value) {
    if (!kept) kept = std::make_unique<TryNets>();
    kept->root = root;
    kept->state.fill(0);
  }
  return *kept;
}

enum NetKinds : unsigned { kContradictionKind = 1, kCellKind = 2, kUnitKind = 4 };

// One search at one level for the kinds asked. At level 0 the contradiction
// with the fewest implications is shown; nested levels take the first net in
// scan order (bivalue cells first), of any kind.
class NetSearch {
 public:
  NetSearch(const PuzzleState& s, int level, long long runLimit)
      : root_(NetBoard::From(s)), chain_(level, runLimit), level_(level) {}

  bool Find(StepRecord& step, unsigned kinds, TechniqueId technique) {
    const std::vector<NetNode> tries = Tries(root_);
    std::unique_ptr<TryNets> own;
    if (level_ > 0) own = std::make_unique<TryNets>();
    TryNets& nets = level_ > 0 ? *own : PlainNetsAt(root_);
    NetPropagator& p = chain_.Top();
    auto record = [&](NetNode a, bool contra) {
      const auto index = static_cast<std::size_t>(a >> 1);
      nets.state[index] = contra ? 2 : 1;
      NodeSet& set = nets.derived[index];
      set.fill(0);
      for (int i = 0; i < p.NodeCount(); ++i) set[p.NodeAt(i) >> 6] |= std::uint64_t{1} << (p.NodeAt(i) & 63);
      return contra;
    };
    auto run = [&](NetNode a) {
      const auto index = static_cast<std::size_t>(a >> 1);
      if (nets.state[index] != 0) return nets.state[index] == 2;
      return record(a, p.Run(root_, std::span<const NetNode>(&a, 1)));
    };

    if (kinds & kContradictionKind) {
      int best = -1, bestSize = 0;
      for (NetNode a : tries) {
        if (chain_.Exhausted()) return false;
        // Run here whatever is known: the proof is read from the propagator.
        if (!record(a, p.Run(root_, std::span<const NetNode>(&a, 1)))) continue;
        if (level_ > 0) {
          FillContradiction(step, technique, p, a);
          return true;
        }
        const int size = p.Ancestors({}, true, {}, nullptr);
        if (best < 0 || size < bestSize) {
          best = a;
          bestSize = size;
        }
      }
      if (best >= 0) {
        const NetNode a = static_cast<NetNode>(best);
        p.Run(root_, std::span<const NetNode>(&a, 1));
        FillContradiction(step, technique, p, a);
        return true;
      }
    }
    std::vector<NetNode> branches, conclusions;
    auto common = [&](NetNode a, NodeSet& set, bool& any) {
      if (run(a)) return;  // a contradicted branch adds nothing to intersect
      const NodeSet& d = nets.derived[static_cast<std::size_t>(a >> 1)];
      if (!any) {
        set = d;
      } else {
        for (std::size_t w = 0; w < set.size(); ++w) set[w] &= d[w];
      }
      any = true;
    };
    // The net to show: at level 0 the one with the shortest proof, at nested
    // levels the first found.
    std::vector<NetNode> bestBranches, bestConclusions;
    int bestHouse = -1, bestSize = -1;
    auto consider = [&](int house) {
      const int size = level_ > 0 ? 0 : ProofSizeAndBest(p, root_, branches, conclusions);
      if (bestSize >= 0 && size >= bestSize) return;
      bestBranches = branches;
      bestConclusions = conclusions;
      bestHouse = house;
      bestSize = size;
    };
    auto found = [&] { return bestSize >= 0; };
    if (kinds & kCellKind) {
      for (int count = 2; count <= 9 && !(found() && level_ > 0); ++count) {
        for (int c = 0; c < 81 && !(found() && level_ > 0); ++c) {
          if (root_.value[c] != 0 || BitCount(root_.cand[c]) != count) continue;
          NodeSet set{};
          bool any = false;
          branches.clear();
          for (int d = 1; d <= 9; ++d) {
            if (!root_.Has(c, d)) continue;
            if (chain_.Exhausted()) return false;
            branches.push_back(HoldsNode(c, d));
            common(branches.back(), set, any);
          }
          if (any && CommonConclusions(set, root_, conclusions)) consider(-1);
        }
      }
    }
    if ((kinds & kUnitKind) && !(found() && level_ > 0)) {
      for (int h = 0; h < 27 && !(found() && level_ > 0); ++h) {
        for (int d = 1; d <= 9 && !(found() && level_ > 0); ++d) {
          branches.clear();
          for (int x : CellsOfHouse(h))
            if (root_.value[x] == 0 && root_.Has(x, d)) branches.push_back(HoldsNode(x, d));
          if (branches.size() < 2) continue;
          NodeSet set{};
          bool any = false;
          for (NetNode a : branches) {
            if (chain_.Exhausted()) return false;
            common(a, set, any);
          }
          if (any && CommonConclusions(set, root_, conclusions)) consider(h);
        }
      }
    }
    if (!found()) return false;
    if (level_ > 0) ProofSizeAndBest(p, root_, bestBranches, bestConclusions);
    FillCommon(step, technique, p, root_, bestBranches, bestConclusions, bestHouse);
    return true;
  }

 private:
  NetBoard root_;
  NetChain chain_;
  int level_;
};

// The nested levels run only on a puzzle with one solution: on others (an
// empty board is the extreme) they would spend long finding nothing.
bool HasOneSolution(const PuzzleState& s) { return UniqueSolution(s) != nullptr; }

void KeepStart(StepRecord& step, const NetBoard& start) {
  step.Meaning.HasNetStart = true;
  step.Meaning.NetStartCand = start.cand;
  step.Meaning.NetStartValue = start.value;
}

// Runs the plain net of every try and records the contradictions with the
// implications they rest on. Where the board still holds the whole of the
// grid's one solution, a try of the solution's is passed over: the rules
// derive only what is true from what is true, so its net has none.
void SurveyContradictions(const PuzzleState& s, KnownContradictions& known) {
  known = KnownContradictions{};
  const NetBoard root = NetBoard::From(s);
  NetChain chain(0, 0);
  NetPropagator& p = chain.Top();
  ConsistentTries consistent;
  if (const SolutionGrid* solution = UniqueSolution(s)) consistent.LearnSolution(*solution, root);
  for (NetNode a : Tries(root)) {
    if (consistent.Known(a)) continue;
    if (!p.Run(root, std::span<const NetNode>(&a, 1))) {
      consistent.Learn(p, root);
      continue;
    }
    known.size[static_cast<std::size_t>(a >> 1)] =
        static_cast<std::uint16_t>(p.Ancestors({}, true, {}, nullptr));
  }
  known.complete = true;
}

}  // namespace

bool FindContradictionNet(const PuzzleState& s, StepRecord& step) {
  KnownContradictions known;
  SurveyContradictions(s, known);
  return FindContradictionNet(s, step, known);
}

bool FindContradictionNet(const PuzzleState& s, StepRecord& step, const KnownContradictions& known) {
  if (!known.complete) return FindContradictionNet(s, step);
  // As the search does: the first contradiction of the fewest implications.
  const NetBoard root = NetBoard::From(s);
  int best = -1, bestSize = 0;
  for (NetNode a : Tries(root)) {
    const int size = known.size[static_cast<std::size_t>(a >> 1)];
    if (size > 0 && (best < 0 || size < bestSize)) {
      best = a;
      bestSize = size;
    }
  }
  if (best < 0) return false;
  const NetNode a = static_cast<NetNode>(best);
  NetChain chain(0, 0);
  chain.Top().Run(root, std::span<const NetNode>(&a, 1));
  FillContradiction(step, TechniqueId::ContradictionNet, chain.Top(), a);
  return true;
}

bool FindCellNet(const PuzzleState& s, StepRecord& step) {
  return NetSearch(s, 0, 0).Find(step, kCellKind, TechniqueId::CellNet);
}

bool FindUnitNet(const PuzzleState& s, StepRecord& step) {
  return NetSearch(s, 0, 0).Find(step, kUnitKind, TechniqueId::UnitNet);
}

bool FindNestedNet(const PuzzleState& s, StepRecord& step) {
  if (!HasOneSolution(s)) return false;
  if (!NetSearch(s, 1, 0).Find(step, kContradictionKind | kCellKind | kUnitKind, TechniqueId::NestedNet))
    return false;
  KeepStart(step, NetBoard::From(s));
  return true;
}

bool FindDoublyNestedNet(const PuzzleState& s, StepRecord& step) {
  if (!HasOneSolution(s)) return false;
  if (!NetSearch(s, 2, kDoublyNestedRunLimit)
           .Find(step, kContradictionKind | kCellKind | kUnitKind, TechniqueId::DoublyNestedNet))
    return false;
  KeepStart(step, NetBoard::From(s));
  return true;
}

bool FindInnerNet(const StepRecord& outer, int node, StepRecord& inner) {
  const StepMeaning& m = outer.Meaning;
  const int level = outer.Technique == TechniqueId::DoublyNestedNet ? 1
                    : outer.Technique == TechniqueId::NestedNet     ? 0
                                                                    : -1;
  if (level < 0 || !m.HasNetStart || node < 0 || node >= m.NodeCount ||
      m.NodeRule[node] != static_cast<std::uint8_t>(NetRule::NestedNet))
    return false;
  NetBoard board;
  board.cand = m.NetStartCand;
  board.value = m.NetStartValue;
  int begin = node;
  while (begin > 0 && m.NodeRule[begin] != static_cast<std::uint8_t>(NetRule::Assumption)) --begin;
  for (int i = begin; i < node; ++i) {
    const int cell = m.Nodes[i].Cells[0], digit = m.Nodes[i].Digit;
    if (m.NodeHolds[i]) {
      board.value[cell] = static_cast<std::uint8_t>(digit);
    } else {
      board.cand[cell] = static_cast<std::uint16_t>(board.cand[cell] & ~DigitBit(digit));
    }
  }
  const NetNode assumption = HoldsNode(m.Nodes[node].Cells[0], m.Nodes[node].Digit);
  NetChain chain(level, 0);
  if (!chain.Top().Run(board, std::span<const NetNode>(&assumption, 1))) return false;
  FillContradiction(inner, level > 0 ? TechniqueId::NestedNet : TechniqueId::ContradictionNet, chain.Top(),
                    assumption);
  if (level > 0) KeepStart(inner, board);
  return true;
}

// The last resort: a candidate that is not the solution's, placed and shown
// to leave no solution. The net of the assumption is listed as far as the
// rules carry it; the rest is an exhaustive search.
bool FindTrial(const PuzzleState& s, StepRecord& step) {
  const SolutionGrid* solution = UniqueSolution(s);
  if (solution == nullptr) return false;
  const NetBoard root = NetBoard::From(s);
  for (NetNode a : Tries(root)) {
    const int cell = NodeCell(a), digit = NodeDigit(a);
    if ((*solution)[cell] == digit) continue;
    NetChain chain(0, 0);
    NetPropagator& p = chain.Top();
    p.Run(root, std::span<const NetNode>(&a, 1));
    std::vector<BranchProof> proofs(1);
    const int shown = std::min(p.NodeCount(), StepMeaning::kMaxNodes);
    for (int i = 0; i < p.NodeCount(); ++i) {
      proofs[0].nodes.push_back(p.NodeAt(i));
      proofs[0].from.push_back(i < shown ? p.FirstReason(p.NodeAt(i)) : -1);
      proofs[0].rules.push_back(static_cast<std::uint8_t>(p.RuleAt(i)));
      proofs[0].houses.push_back(static_cast<std::int8_t>(p.HouseAt(i)));
    }
    proofs[0].nodes.resize(static_cast<std::size_t>(shown));
    proofs[0].mainThreadEnd = shown - 1;
    step = StepRecord{};
    step.Kind = kEliminate;
    step.Technique = TechniqueId::Trial;
    step.SetEliminate(cell, digit);
    FillProof(step, proofs);
    step.Meaning.OtherInferences = p.NodeCount() - step.Meaning.NodeCount;
    step.Meaning.NetProofSize = p.NodeCount();
    step.CellColour[cell] = EliminationColour;
    StartTrace(step.Text, TechniqueId::Trial);
    step.Text << "assume ";
    AppendNode(step.Text, a);
    step.Text << ": it forces " << p.NodeCount() - 1
              << " further implications and a search from there finds no solution, so it leads to a "
                 "contradiction. So "
              << digit << " is removed from ";
    AppendCell(step.Text, cell);
    step.Text << '.';
    step.Digits << digit;
    return true;
  }
  return false;
}

namespace {

// A plain net: its band's floor, raised for each doubling of the proof
// beyond what the floor pays for, up to a limit.
double ScoreOfProof(TechniqueId technique, int size) {
  int doublings = 0;
  for (; size > kNetScoring.freeInferences && doublings < kNetScoring.maxDoublings; size = (size + 1) / 2)
    ++doublings;
  return Technique(technique).score + kNetScoring.perDoubling * doublings;
}

// A nested net is charged for all it rests on: its own proof and the proofs
// of the inner nets it needs, on a scale set at the reference size, higher
// at the second level; never below the level's floor.
double ScoreOfNestedProof(TechniqueId technique, int size, int innerSize) {
  const double total = std::max(size + innerSize, 1);
  const double level = technique == TechniqueId::DoublyNestedNet ? kNetScoring.nestedPerLevel : 0;
  return std::max(Technique(technique).score,
                  kNetScoring.nestedAt + level +
                      kNetScoring.nestedPerDoubling * std::log2(total / kNetScoring.nestedReference));
}

}  // namespace

double NetStepScore(const StepRecord& step) {
  if (!IsNet(step.Technique)) return 0;
  const int size = step.Meaning.NetProofSize;
  // A trial is what remains when every net has given up: it scores above
  // them all.
  if (step.Technique == TechniqueId::Trial) return kNetScoring.trial;
  if (step.Technique == TechniqueId::NestedNet || step.Technique == TechniqueId::DoublyNestedNet)
    return ScoreOfNestedProof(step.Technique, size, step.Meaning.InnerInferences);
  return ScoreOfProof(step.Technique, size);
}

bool FindContradictionBatch(const PuzzleState& s, double maxScore, StepRecord& step) {
  KnownContradictions known;
  return FindContradictionBatch(s, maxScore, step, known);
}

bool FindContradictionBatch(const PuzzleState& s, double maxScore, StepRecord& step,
                            KnownContradictions& known) {
  const NetBoard root = NetBoard::From(s);
  SurveyContradictions(s, known);
  StepRecord batch;
  batch.Kind = kEliminate;
  batch.Technique = TechniqueId::ContradictionNet;
  bool any = false;
  for (NetNode a : Tries(root)) {
    const int size = known.size[static_cast<std::size_t>(a >> 1)];
    if (size == 0 || ScoreOfProof(TechniqueId::ContradictionNet, size) > maxScore) continue;
    batch.SetEliminate(NodeCell(a), NodeDigit(a));
    any = true;
  }
  if (any) step = batch;
  return any;
}

bool FindForcingNetStep(const PuzzleState& s, StepRecord& step) {
  return FindContradictionNet(s, step) || FindCellNet(s, step) || FindUnitNet(s, step) ||
         FindNestedNet(s, step) || FindDoublyNestedNet(s, step) || FindTrial(s, step);
}

}  // namespace tavimoro::steps
