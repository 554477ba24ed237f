// Chains of alternating inferences: X-Chain, XY-Chain, alternating inference
// chains and nice loops, plain, grouped and through almost locked sets.
//
// The graph is built once per call. A node is a statement "digit d is in one
// of these cells": a candidate, a group (two or three cells of a block on one
// line) or the cells of an almost locked set holding the digit. Two nodes
// are linked strongly when at least one of them is true (the only places of
// a digit in a house, the two candidates of a cell, two digits of one almost
// locked set) and weakly when they cannot both be true (the same digit in
// cells that all see each other, two candidates of one cell).
//
// A chain starts with a strong link and alternates; it proves that its first
// or its last node is true. Breadth-first search from every node in a fixed
// order, over (node, kind of the link that reached it), finds each start's
// shortest chain; the overall shortest wins, the earlier start on a tie, and
// later starts search no deeper than the best so far. Starts go first in
// batches of 64 through one bit-parallel walk that tells which of them reach
// a possible end at all; only those are searched alone. Scratch arrays are
// kept per thread; the search itself allocates nothing.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/steps/als_sets.h"
#include "engine/steps/chain_record.h"
#include "engine/steps/chain_steps.h"
#include "engine/steps/current_position.h"
#include "engine/steps/digit_placements.h"

namespace tavimoro::steps {
namespace {

enum class Goal {
  Eliminate,  // the ends: candidates that conflict with both go
  Loop,       // the ends conflict too: every weak link of the loop becomes strong
  Place,      // the chain returns to its start: the start is true
};

struct Rules {
  int digit = 0;           // one digit only, 0 for all
  bool conjugates = true;  // strong links between the only places of a digit in a house
  bool bivalue = true;     // strong links between the two candidates of a cell
  bool inCellWeak = true;  // weak links between candidates of one cell
  bool groups = false;
  bool als = false;
  bool sameDigitEnds = false;
  // The search tells apart the chains that have passed through a set, so
  // that one without a set cannot hide one with a set from a node.
  bool alsOnPath = false;
  Goal goal = Goal::Eliminate;
  int maxLinks = 19;
};

inline constexpr auto kHouseBits = [] {
  std::array<CellBits, 27> houses{};
  for (int h = 0; h < 27; ++h)
    for (int c : CellsOfHouse(h)) houses[h].Add(c);
  return houses;
}();

enum class NodeType : std::uint8_t { Single, Group, Als };

struct Node {
  CellBits cells;
  CellBits peers;  // cells that see every cell of the node
  std::uint8_t digit = 0;
  NodeType type = NodeType::Single;
};

struct Link {
  std::int16_t to;
  std::int16_t als;  // the almost locked set a strong link runs inside, -1 for none
  bool operator==(const Link& o) const = default;
};

class LinkGraph {
 public:
  LinkGraph(const PuzzleState& s, const Rules& rules) : s_(s), rules_(rules) {
    singleNode_.fill(-1);
    StartHash();
    for (int c = 0; c < 81; ++c)
      for (int rest = s.Grid[c] == 0 ? s.CandMask[c] : 0; rest; rest &= rest - 1)
        candCells_[__builtin_ctz(static_cast<unsigned>(rest))].Add(c);
    AddSingles();
    if (rules.groups) AddGroups();
    if (rules.als) AddAlsNodes();
    AddStrongLinks();
    Compress(strongEdges_, true, strongStart_, strong_);
    AddWeakLinks();
    Compress(weakEdges_, false, weakStart_, weak_);
  }

  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  const Node& node(int i) const { return nodes_[i]; }
  const CellBits& CandCells(int d) const { return candCells_[d - 1]; }
  const AlmostLockedSet& Als(int i) const { return als_->sets[i]; }
  template <typename Visit>
  void ForStrong(int n, Visit visit) const {
    const Link* end = strong_.data() + strongStart_[n + 1];
    for (const Link* link = strong_.data() + strongStart_[n]; link != end; ++link) visit(*link);
  }
  template <typename Visit>
  void ForWeak(int n, Visit visit) const {
    const Link* end = weak_.data() + weakStart_[n + 1];
    for (const Link* link = weak_.data() + weakStart_[n]; link != end; ++link) visit(*link);
  }
  bool HasStrong(int n) const { return strongStart_[n + 1] > strongStart_[n]; }
  bool HasWeak(int n) const { return weakStart_[n + 1] > weakStart_[n]; }

  // The cells whose candidate d cannot be true together with node n.
  CellBits ConflictCells(int n, int d) const {
    const Node& a = nodes_[n];
    if (a.digit == d) return a.peers;
    if (a.type == NodeType::Single) return a.cells;
    return {};
  }
  bool WeaklyLinked(int a, int b) const {
    const Node& x = nodes_[a];
    const Node& y = nodes_[b];
    if (x.digit == y.digit) return y.cells.SubsetOf(x.peers);
    return rules_.inCellWeak && x.type == NodeType::Single && y.type == NodeType::Single &&
           x.cells == y.cells;
  }

 private:
  int AddNode(const CellBits& cells, int digit, NodeType type) {
    nodes_.push_back({cells, CommonPeers(cells), static_cast<std::uint8_t>(digit), type});
    return NodeCount() - 1;
  }
  bool DigitAllowed(int d) const { return rules_.digit == 0 || rules_.digit == d; }

  void AddSingles() {
    for (int c = 0; c < 81; ++c) {
      if (s_.Grid[c] != 0) continue;
      for (int d = 1; d <= 9; ++d) {
        if (!s_.Cand(c, d) || !DigitAllowed(d)) continue;
        CellBits one;
        one.Add(c);
        singleNode_[c * 9 + d - 1] = static_cast<std::int16_t>(AddNode(one, d, NodeType::Single));
      }
    }
  }

  // Two or three cells where a block meets a row or a column.
  void AddGroups() {
    for (int d = 1; d <= 9; ++d) {
      if (!DigitAllowed(d)) continue;
      for (int b = 18; b < 27; ++b) {
        const int firstCell = HouseCell(b, 0);
        for (int k = 0; k < 3; ++k) {
          for (const int line : {HouseOf(firstCell, 0) + k, HouseOf(firstCell, 1) + k}) {
            const CellBits cells = candCells_[d - 1] & kHouseBits[b] & kHouseBits[line];
            if (cells.Count() >= 2) groups_[d - 1].push_back(Remember(AddNode(cells, d, NodeType::Group)));
          }
        }
      }
    }
  }

  // The node already made for these cells and digit, or -1. Groups and the
  // sets' nodes are found through a small hash table.
  int FindNode(const CellBits& cells, int d) const {
    if (cells.Count() == 1) return singleNode_[cells.First() * 9 + d - 1];
    const NodeHash& hash = Hash();
    for (std::size_t slot = HashSlot(cells, d);; slot = (slot + 1) % kHashSize) {
      if (hash.generation[slot] != hash.now) return -1;
      const int n = hash.node[slot];
      if (nodes_[n].digit == d && nodes_[n].cells == cells) return n;
    }
  }
  static std::size_t HashSlot(const CellBits& cells, int d) {
    const std::uint64_t h = (cells.low * 0x9E3779B97F4A7C15ull) ^ (cells.high * 0xC2B2AE3D27D4EB4Full) ^
                            static_cast<std::uint64_t>(d);
    return static_cast<std::size_t>((h ^ (h >> 29)) % kHashSize);
  }
  int Remember(int n) {
    if (++hashedCount_ * 2 > static_cast<int>(kHashSize)) return n;  // full enough: later lookups miss
    NodeHash& hash = Hash();
    std::size_t slot = HashSlot(nodes_[n].cells, nodes_[n].digit);
    while (hash.generation[slot] == hash.now) slot = (slot + 1) % kHashSize;
    hash.generation[slot] = hash.now;
    hash.node[slot] = n;
    return n;
  }

  // The table serves only while a graph is built, so one per thread does:
  // a slot is taken when its generation is the current graph's, and a new
  // graph starts a new generation instead of clearing the table.
  static constexpr std::size_t kHashSize = 8192;
  struct NodeHash {
    std::uint32_t now = 0;
    std::array<std::uint32_t, kHashSize> generation{};
    std::array<int, kHashSize> node{};
  };
  static NodeHash& Hash() {
    thread_local NodeHash hash;
    return hash;
  }
  static void StartHash() {
    NodeHash& hash = Hash();
    if (++hash.now == 0) {  // wrapped: old generations could match again
      hash.generation.fill(0);
      hash.now = 1;
    }
  }

  void AddAlsNodes() {
    als_ = std::make_unique<AlsTable>();
    // Sets of five cells more than double the graph and the search, for
    // chains a contradiction net finds anyway.
    CollectAlmostLockedSets(s_, 2, 4, *als_);
    alsNodes_.resize(static_cast<std::size_t>(als_->count));
    for (int a = 0; a < als_->count; ++a) {
      const AlmostLockedSet& set = als_->sets[a];
      for (int d = 1; d <= 9; ++d) {
        alsNodes_[a][d - 1] = -1;
        if (!(set.digits & DigitBit(d))) continue;
        int n = FindNode(set.digitCells[d - 1], d);
        if (n < 0) {
          n = AddNode(set.digitCells[d - 1], d, NodeType::Als);
          Remember(n);
        }
        alsNodes_[a][d - 1] = static_cast<std::int16_t>(n);
      }
    }
  }

  void AddStrong(int a, int b, int als = -1) {
    strongEdges_.push_back({a, {static_cast<std::int16_t>(b), static_cast<std::int16_t>(als)}});
    strongEdges_.push_back({b, {static_cast<std::int16_t>(a), static_cast<std::int16_t>(als)}});
  }

  void AddStrongLinks() {
    if (rules_.conjugates) {
      for (int h = 0; h < 27; ++h) {
        const CellBits& house = kHouseBits[h];
        for (int d = 1; d <= 9; ++d) {
          if (!DigitAllowed(d)) continue;
          const CellBits places = candCells_[d - 1] & house;
          const int count = places.Count();
          if (count < 2) continue;
          if (!rules_.groups) {
            if (count == 2) {
              std::array<int, 2> pair{};
              int k = 0;
              places.ForEach([&](int c) { pair[k++] = c; });
              AddStrong(singleNode_[pair[0] * 9 + d - 1], singleNode_[pair[1] * 9 + d - 1]);
            }
            continue;
          }
          // Any two nodes of the house that share out the digit's places.
          std::array<int, 16> inHouse{};
          int n = 0;
          places.ForEach([&](int c) { inHouse[n++] = singleNode_[c * 9 + d - 1]; });
          for (const int i : groups_[d - 1])
            if (n < 16 && nodes_[i].cells.SubsetOf(house)) inHouse[n++] = i;
          for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
              const Node& x = nodes_[inHouse[i]];
              const Node& y = nodes_[inHouse[j]];
              if (!x.cells.Meets(y.cells) && (x.cells | y.cells) == places) AddStrong(inHouse[i], inHouse[j]);
            }
          }
        }
      }
    }
    if (rules_.bivalue) {
      for (int c = 0; c < 81; ++c) {
        if (s_.Grid[c] != 0 || s_.CandCount[c] != 2) continue;
        const int x = MaskDigit(LowestBit(s_.CandMask[c]));
        const int y = MaskDigit(s_.CandMask[c] & ~LowestBit(s_.CandMask[c]));
        if (DigitAllowed(x) && DigitAllowed(y))
          AddStrong(singleNode_[c * 9 + x - 1], singleNode_[c * 9 + y - 1]);
      }
    }
    for (int a = 0; a < static_cast<int>(alsNodes_.size()); ++a) {
      for (int x = 0; x < 9; ++x) {
        for (int y = x + 1; y < 9; ++y) {
          if (alsNodes_[a][x] >= 0 && alsNodes_[a][y] >= 0) AddStrong(alsNodes_[a][x], alsNodes_[a][y], a);
        }
      }
    }
  }

  // Every node links weakly to the candidates of its digit in the cells that
  // see all of its own, and to the other nodes of many cells whose cells all
  // lie there. A chain leaves a node by a weak link only after reaching it
  // by a strong one, and goes on from it by a strong one, so a node without
  // strong links takes no part in weak links either.
  void AddWeakLinks() {
    const auto linked = [&](int n) { return n >= 0 && HasStrong(n); };
    std::array<std::vector<int>, 9> wide;
    for (int i = 0; i < NodeCount(); ++i)
      if (nodes_[i].type != NodeType::Single && linked(i)) wide[nodes_[i].digit - 1].push_back(i);
    for (int i = 0; i < NodeCount(); ++i) {
      if (!linked(i)) continue;
      const Node& x = nodes_[i];
      const int d = x.digit;
      (candCells_[d - 1] & x.peers).ForEach([&](int c) {
        const int j = singleNode_[c * 9 + d - 1];
        if (linked(j)) weakEdges_.push_back({i, {static_cast<std::int16_t>(j), -1}});
      });
      if (x.type == NodeType::Single) continue;
      for (const int j : wide[d - 1])
        if (j != i && nodes_[j].cells.SubsetOf(x.peers))
          weakEdges_.push_back({i, {static_cast<std::int16_t>(j), -1}});
    }
    // A candidate's links to nodes of many cells: those whose cells it sees
    // all of, that is whose common peers hold it. Each candidate's come
    // after its links to candidates and in node order, as if found from it.
    for (int d = 1; d <= 9; ++d) {
      for (const int j : wide[d - 1]) {
        (candCells_[d - 1] & nodes_[j].peers).ForEach([&](int c) {
          const int i = singleNode_[c * 9 + d - 1];
          if (linked(i)) weakEdges_.push_back({i, {static_cast<std::int16_t>(j), -1}});
        });
      }
    }
    if (!rules_.inCellWeak) return;
    for (int c = 0; c < 81; ++c) {
      int digits = 0;  // bit x: the cell's candidate x + 1 is linked
      for (int rest = s_.Grid[c] == 0 ? s_.CandMask[c] : 0; rest; rest &= rest - 1) {
        const int x = __builtin_ctz(static_cast<unsigned>(rest));
        if (linked(singleNode_[c * 9 + x])) digits |= 1 << x;
      }
      if ((digits & (digits - 1)) == 0) continue;  // one digit or none
      for (int xs = digits; xs; xs &= xs - 1) {
        const int x = __builtin_ctz(static_cast<unsigned>(xs));
        for (int ys = digits & ~(1 << x); ys; ys &= ys - 1)
          weakEdges_.push_back(
              {singleNode_[c * 9 + x], {singleNode_[c * 9 + __builtin_ctz(static_cast<unsigned>(ys))], -1}});
      }
    }
  }

  // Adjacency lists in insertion order (a counting sort by source). With
  // dedupe, repeated links are dropped: the only places of a digit in a block
  // that lie on one line are found from both houses. Weak links are made
  // once per pair and need no such check.
  void Compress(const std::vector<std::pair<int, Link>>& edges, bool dedupe, std::vector<int>& start,
                std::vector<Link>& links) const {
    start.assign(static_cast<std::size_t>(NodeCount()) + 1, 0);
    for (const auto& e : edges) ++start[static_cast<std::size_t>(e.first) + 1];
    for (int i = 0; i < NodeCount(); ++i) start[i + 1] += start[i];
    std::vector<int> fill(start.begin(), start.end() - 1);
    links.resize(edges.size());
    std::size_t dropped = 0;
    for (const auto& e : edges) {
      const int from = e.first;
      bool seen = false;
      // A link inside a set is made once.
      for (int i = start[from]; dedupe && e.second.als < 0 && i < fill[from] && !seen; ++i)
        seen = links[i] == e.second;
      if (!seen) links[fill[from]++] = e.second;
      dropped += seen ? 1 : 0;
    }
    if (dropped == 0) return;
    // Close the gaps the repeats left.
    int out = 0;
    for (int n = 0; n < NodeCount(); ++n) {
      const int begin = start[n], end = fill[n];
      start[n] = out;
      for (int i = begin; i < end; ++i) links[out++] = links[i];
    }
    start[NodeCount()] = out;
    links.resize(static_cast<std::size_t>(out));
  }

  const PuzzleState& s_;  // read only while the graph is built
  Rules rules_;
  std::array<CellBits, 9> candCells_{};
  std::array<std::int16_t, 729> singleNode_{};
  std::vector<Node> nodes_;
  std::array<std::vector<int>, 9> groups_;  // group nodes per digit
  int hashedCount_ = 0;
  std::unique_ptr<AlsTable> als_;
  std::vector<std::array<std::int16_t, 9>> alsNodes_;
  std::vector<std::pair<int, Link>> strongEdges_, weakEdges_;
  std::vector<int> strongStart_, weakStart_;
  std::vector<Link> strong_, weak_;
};

// A chain as node indices; strong[i] and als[i] describe link i (node i to
// node i + 1).
struct FoundChain {
  int length = 0;  // links
  std::array<int, kMaxChainNodes + 1> nodes{};
  std::array<bool, kMaxChainNodes + 1> strong{};
  std::array<int, kMaxChainNodes + 1> als{};
  EliminationMasks eliminations{};
  int placeCell = -1, placeDigit = 0;
};

class ChainSearch {
 public:
  ChainSearch(const LinkGraph& g, const Rules& rules, bool needGroup, bool needAls)
      : g_(g),
        rules_(rules),
        needGroup_(needGroup),
        needAls_(needAls),
        kinds_(rules.alsOnPath ? 4 : 2),
        kindShift_(rules.alsOnPath ? 2 : 1),
        scratch_(ScratchFor(static_cast<std::size_t>(kinds_) * static_cast<std::size_t>(g.NodeCount()))),
        reached_(scratch_.reached.data()),
        queue_(scratch_.queue.data()) {}

  bool Run(FoundChain& best) {
    best.length = rules_.maxLinks + 1;
    bool found = false;
    std::array<int, kBatch> batch{};
    int batched = 0;
    // The starts go in batches through one walk that only tells which of
    // them reach a possible end; the others would find nothing, and only
    // the rest are searched one by one, in order, for their chain.
    const auto searchBatch = [&] {
      const std::uint64_t hopeful = Survey(batch.data(), batched, best.length);
      for (int i = 0; i < batched; ++i) {
        if (!(hopeful >> i & 1)) continue;
        if (rules_.goal == Goal::Eliminate) startVictims_ = batchVictims_[i];
        if (SearchFrom(batch[i], best)) found = true;
      }
      batched = 0;
    };
    for (int start = 0; start < g_.NodeCount(); ++start) {
      if (!g_.HasStrong(start)) continue;
      if (rules_.goal == Goal::Eliminate && !NoteStartVictims(start)) continue;
      // A loop closes with a weak link back to its start.
      if (rules_.goal == Goal::Loop && !g_.HasWeak(start)) continue;
      if (rules_.goal == Goal::Eliminate) batchVictims_[batched] = startVictims_;
      batch[batched++] = start;
      if (batched == kBatch) searchBatch();
    }
    if (batched > 0) searchBatch();
    return found;
  }

 private:
  static constexpr int kBatch = 64;
  static constexpr int kShortestChain = 3;  // links

  // The state a link leads to from `state` (see SearchFrom for the kinds).
  int NextState(int state, const Link& link) const {
    const int throughSet = kinds_ == 4 && (link.als >= 0 || (state & 2)) ? 2 : 0;
    return (link.to << kindShift_) + throughSet + ((state & 1) ? 0 : 1);
  }
  // Whether a walk from its start may take a link back into the start from
  // `state`: only a chain that must return to it, and then by a strong link.
  bool MayReturn(int state) const { return rules_.goal == Goal::Place && !(state & 1); }
  // A chain may end in this kind of state: reached by a strong link, and
  // through a set where the search tells those apart.
  bool EndKind(int state) const { return (state & 1) && (kinds_ != 4 || (state & 2)); }

  // The walk of SearchFrom for up to 64 starts at once, a bit per start on
  // every state, level by level: the states each start reaches, at the same
  // depths, with the same links refused. Returns the starts that reach a
  // state Accept could take (checked as far as Accept does before tracing
  // the chain back); a start drops out of the walk once it has one.
  std::uint64_t Survey(const int* starts, int count, int limit) {
    SurveyScratch& sv = scratch_.survey;
    const std::size_t states = static_cast<std::size_t>(kinds_) * static_cast<std::size_t>(g_.NodeCount());
    if (sv.seen.size() < states) {
      sv.seen.resize(states);
      sv.now.resize(states);
      sv.next.resize(states);
    }
    if (sv.startBit.size() < static_cast<std::size_t>(g_.NodeCount()))
      sv.startBit.resize(static_cast<std::size_t>(g_.NodeCount()));
    std::uint64_t active = count == 64 ? ~0ull : (1ull << count) - 1;
    std::uint64_t hopeful = 0;
    sv.level.clear();
    sv.touched.clear();
    for (int i = 0; i < count; ++i) {
      const int first = starts[i] << kindShift_;
      sv.startBit[starts[i]] |= 1ull << i;
      sv.seen[first] |= 1ull << i;
      sv.now[first] |= 1ull << i;
      sv.level.push_back(first);
      sv.touched.push_back(first);
    }
    if (rules_.goal == Goal::Eliminate) NoteBatchVictims(count);
    for (int depth = 0; depth + 1 < limit && active != 0 && !sv.level.empty(); ++depth) {
      sv.nextLevel.clear();
      for (const int state : sv.level) {
        const std::uint64_t from = sv.now[state] & active;
        sv.now[state] = 0;
        if (from == 0) continue;
        const int n = state >> kindShift_;
        const bool viaStrong = state & 1;
        const bool mayReturn = MayReturn(state);
        const auto visit = [&](const Link& link) {
          const int next = NextState(state, link);
          std::uint64_t bits = from & ~sv.seen[next];
          if (!mayReturn) bits &= ~sv.startBit[link.to];
          if (bits == 0) return;
          if (sv.seen[next] == 0) sv.touched.push_back(next);
          sv.seen[next] |= bits;
          if (sv.next[next] == 0) sv.nextLevel.push_back(next);
          sv.next[next] |= bits;
        };
        if (viaStrong) {
          g_.ForWeak(n, visit);
        } else {
          g_.ForStrong(n, visit);
        }
      }
      sv.level.swap(sv.nextLevel);
      std::swap(sv.now, sv.next);
      if (depth + 1 < kShortestChain) continue;
      for (const int state : sv.level) {
        if (!EndKind(state)) continue;
        const int end = state >> kindShift_;
        if (rules_.goal == Goal::Eliminate) {
          const std::uint64_t ends = sv.now[state] & active & VictimStarts(end);
          hopeful |= ends;
          active &= ~ends;
          continue;
        }
        for (std::uint64_t bits = sv.now[state] & active; bits != 0; bits &= bits - 1) {
          const int i = std::countr_zero(bits);
          if (MayEnd(starts[i], end)) {
            hopeful |= 1ull << i;
            active &= ~(1ull << i);
          }
        }
      }
    }
    for (const int state : sv.level) sv.now[state] = 0;
    for (const int state : sv.touched) sv.seen[state] = 0;
    for (int i = 0; i < count; ++i) sv.startBit[starts[i]] = 0;
    return hopeful;
  }

  // Accept's own tests on the ends alone, for a loop or a return to the
  // start.
  bool MayEnd(int start, int end) const {
    return rules_.goal == Goal::Place ? end == start : g_.WeaklyLinked(start, end);
  }

  // For the batch: which starts conflict with each candidate, so that the
  // starts a node shares a victim with are read at once.
  void NoteBatchVictims(int count) {
    SurveyScratch& sv = scratch_.survey;
    sv.victimStarts.fill(0);
    sv.victimCells.fill({});
    if (sv.endStamp.size() < static_cast<std::size_t>(g_.NodeCount())) {
      sv.endStamp.resize(static_cast<std::size_t>(g_.NodeCount()));
      sv.endStarts.resize(static_cast<std::size_t>(g_.NodeCount()));
    }
    if (++sv.batchNow == 0) {
      std::fill(sv.endStamp.begin(), sv.endStamp.end(), 0);
      sv.batchNow = 1;
    }
    for (int i = 0; i < count; ++i) {
      for (int d = 1; d <= 9; ++d) {
        const CellBits& victims = batchVictims_[i][d - 1];
        sv.victimCells[d - 1] = sv.victimCells[d - 1] | victims;
        victims.ForEach([&](int c) { sv.victimStarts[c * 9 + d - 1] |= 1ull << i; });
      }
    }
  }

  // The starts of the batch that share a victim with node n (AnyVictim).
  std::uint64_t VictimStarts(int n) {
    SurveyScratch& sv = scratch_.survey;
    if (sv.endStamp[n] == sv.batchNow) return sv.endStarts[n];
    std::uint64_t starts = 0;
    for (int d = 1; d <= 9; ++d)
      (sv.victimCells[d - 1] & g_.ConflictCells(n, d)).ForEach([&](int c) {
        starts |= sv.victimStarts[c * 9 + d - 1];
      });
    sv.endStamp[n] = sv.batchNow;
    sv.endStarts[n] = starts;
    return starts;
  }

  // State kn: node n reached by a weak link (or the start); kn + 1: by a
  // strong link; with four kinds, kn + 2 and kn + 3 the same after a link
  // inside a set.
  bool SearchFrom(int start, FoundChain& best) {
    const std::uint32_t stampNow = NextStamp();
    int head = 0, tail = 0;
    const int first = start << kindShift_;
    reached_[first] = {stampNow, -1, -1, 0};
    queue_[tail++] = first;
    while (head < tail) {
      const int state = queue_[head++];
      const int n = state >> kindShift_;
      const bool viaStrong = state & 1;
      const int depth = reached_[state].depth;
      if (viaStrong && depth >= kShortestChain && Accept(start, state, best)) return true;
      if (depth + 1 >= best.length) continue;
      const bool mayReturn = MayReturn(state);
      const auto visit = [&](const Link& link) {
        const int next = NextState(state, link);
        if (link.to == start && !mayReturn) return;
        Reached& r = reached_[next];
        if (r.stamp == stampNow) return;
        r = {stampNow, state, link.als, depth + 1};
        queue_[tail++] = next;
      };
      if (viaStrong) {
        g_.ForWeak(n, visit);
      } else {
        g_.ForStrong(n, visit);
      }
    }
    return false;
  }

  // Reads the chain that ends in `state` back from the parents; false when it
  // visits a node twice (other than a loop back to its start).
  bool Trace(int state, FoundChain& chain) const {
    const int length = reached_[state].depth;
    chain.length = length;
    for (int i = length, st = state; i >= 0; --i, st = reached_[st].parent) {
      chain.nodes[i] = st >> kindShift_;
      if (i > 0) {
        chain.strong[i - 1] = st & 1;
        chain.als[i - 1] = reached_[st].parentAls;
      }
    }
    const int last = chain.nodes[length] == chain.nodes[0] ? length - 1 : length;
    for (int i = 0; i <= last; ++i)
      for (int j = i + 1; j <= last; ++j)
        if (chain.nodes[i] == chain.nodes[j]) return false;
    bool group = false, als = false;
    for (int i = 0; i <= length; ++i) group = group || g_.node(chain.nodes[i]).type != NodeType::Single;
    for (int i = 0; i < length; ++i) als = als || chain.als[i] >= 0;
    return (!needGroup_ || group) && (!needAls_ || als);
  }

  // Candidates that conflict with both nodes.
  bool Victims(int a, int z, EliminationMasks& out) const {
    bool any = false;
    for (int d = 1; d <= 9; ++d) {
      const CellBits hit = g_.CandCells(d) & g_.ConflictCells(a, d) & g_.ConflictCells(z, d);
      hit.ForEach([&](int c) {
        out[c] |= static_cast<std::uint16_t>(DigitBit(d));
        any = true;
      });
    }
    return any;
  }

  // In a loop, a set's link holds exactly one true end: the set lacks the
  // digit of the other, so it is locked on every digit but the two, and
  // what sees all of such a digit's places in the set loses it.
  bool LockedVictims(const FoundChain& chain, int link, EliminationMasks& out) const {
    const AlmostLockedSet& set = g_.Als(chain.als[link]);
    const int ends =
        DigitBit(g_.node(chain.nodes[link]).digit) | DigitBit(g_.node(chain.nodes[link + 1]).digit);
    bool any = false;
    for (int d = 1; d <= 9; ++d) {
      if (!(set.digits & DigitBit(d)) || (ends & DigitBit(d))) continue;
      (g_.CandCells(d) & set.digitPeers[d - 1]).ForEach([&](int c) {
        out[c] |= static_cast<std::uint16_t>(DigitBit(d));
        any = true;
      });
    }
    return any;
  }

  // Whether any candidate conflicts with both nodes.
  // The candidates that conflict with the start, digit by digit; false when
  // there are none, so that no chain from it can eliminate anything.
  bool NoteStartVictims(int start) {
    bool any = false;
    for (int d = 1; d <= 9; ++d) {
      startVictims_[d - 1] = g_.CandCells(d) & g_.ConflictCells(start, d);
      any = any || !startVictims_[d - 1].Empty();
    }
    return any;
  }

  // Whether any candidate conflicts with both the start and node z.
  bool AnyVictim(int z) const {
    for (int d = 1; d <= 9; ++d)
      if (!(startVictims_[d - 1] & g_.ConflictCells(z, d)).Empty()) return true;
    return false;
  }

  bool Accept(int start, int state, FoundChain& best) {
    const int end = state >> kindShift_;
    // The cheap refusals first: most chains reached end nowhere.
    if (reached_[state].depth >= best.length) return false;
    if (!EndKind(state)) return false;
    if (rules_.goal == Goal::Place) {
      if (end != start) return false;
    } else if (rules_.goal == Goal::Eliminate) {
      if (!AnyVictim(end)) return false;
    } else if (!g_.WeaklyLinked(start, end)) {
      return false;
    }
    FoundChain chain;
    if (rules_.goal == Goal::Place) {
      if (end != start || !Trace(state, chain)) return false;
      const Node& n = g_.node(start);
      if (n.type == NodeType::Single) {
        chain.placeCell = n.cells.First();
        chain.placeDigit = n.digit;
      } else if (!Victims(start, start, chain.eliminations)) {
        return false;
      }
    } else if (rules_.goal == Goal::Eliminate) {
      if (rules_.sameDigitEnds && g_.node(start).digit != g_.node(end).digit) return false;
      EliminationMasks victims{};
      if (!Victims(start, end, victims) || !Trace(state, chain)) return false;
      chain.eliminations = victims;
    } else {
      if (!g_.WeaklyLinked(start, end) || !Trace(state, chain)) return false;
      bool any = Victims(end, start, chain.eliminations);
      for (int i = 0; i < chain.length; ++i) {
        if (!chain.strong[i]) any = Victims(chain.nodes[i], chain.nodes[i + 1], chain.eliminations) || any;
        if (chain.als[i] >= 0) any = LockedVictims(chain, i, chain.eliminations) || any;
      }
      if (!any) return false;
    }
    if (chain.length >= best.length) return false;
    best = chain;
    return true;
  }

  // What the search knows of a state, together in one place.
  struct Reached {
    std::uint32_t stamp = 0;
    int parent = -1;
    int parentAls = -1;
    int depth = 0;
  };
  // Per state, the starts of the batch that reached it: in all, in this
  // level and in the next; per node, which start of the batch it is.
  struct SurveyScratch {
    std::vector<std::uint64_t> seen, now, next;
    std::vector<std::uint64_t> startBit;
    std::vector<int> level, nextLevel, touched;
    // Eliminating chains: per candidate (cell * 9 + digit - 1) the starts
    // it conflicts with, per digit the cells of such candidates, and per
    // node the starts it shares a victim with, worked out once per batch.
    std::array<std::uint64_t, 729> victimStarts{};
    std::array<CellBits, 9> victimCells{};
    std::uint32_t batchNow = 0;
    std::vector<std::uint32_t> endStamp;
    std::vector<std::uint64_t> endStarts;
  };
  // The search arrays of this thread, kept from call to call and grown as
  // graphs grow. A state counts as reached only when its stamp is the
  // current search's, so nothing needs clearing between searches.
  struct Scratch {
    std::uint32_t stampNow = 0;
    std::vector<Reached> reached;
    std::vector<int> queue;
    SurveyScratch survey;
  };
  static Scratch& ScratchFor(std::size_t states) {
    thread_local Scratch scratch;
    if (scratch.reached.size() < states) {
      scratch.reached.resize(states);
      scratch.queue.resize(states);
    }
    return scratch;
  }
  std::uint32_t NextStamp() {
    if (++scratch_.stampNow == 0) {  // wrapped: old stamps could match again
      for (Reached& r : scratch_.reached) r.stamp = 0;
      scratch_.stampNow = 1;
    }
    return scratch_.stampNow;
  }

  const LinkGraph& g_;
  Rules rules_;
  bool needGroup_, needAls_;
  int kinds_;      // states per node: 2, or 4 telling apart the chains through a set
  int kindShift_;  // log2 of kinds_: state = node << kindShift_ | kind
  std::array<CellBits, 9> startVictims_{};
  std::array<std::array<CellBits, 9>, kBatch> batchVictims_{};
  Scratch& scratch_;
  Reached* reached_;
  int* queue_;
};

// The nice loops and the AIC search one graph (plain or grouped) in turn at
// each position: the last graph of each kind built on this thread is kept
// for the next search on the same candidates. A graph depends only on the
// candidates and on which links and nodes its rules admit.
std::shared_ptr<const LinkGraph> GraphFor(const PuzzleState& s, const Rules& r) {
  const bool shared = r.digit == 0 && r.conjugates && r.bivalue && r.inCellWeak && (r.groups || !r.als);
  if (!shared) return std::make_shared<const LinkGraph>(s, r);
  struct Kept {
    std::uint64_t position = 0;
    std::shared_ptr<const LinkGraph> graph;
  };
  // Plain, grouped, and grouped with almost locked sets: the last graph of
  // sets serves the three loops and chains through them and the ALS chain.
  thread_local std::array<Kept, 3> kept;
  Kept& k = kept[r.als ? 2 : r.groups ? 1 : 0];
  const std::uint64_t now = PositionNow(s).number;
  if (!k.graph || k.position != now) {
    k.graph = std::make_shared<const LinkGraph>(s, r);
    k.position = now;
  }
  return k.graph;
}

// Searches the whole graph, or with perDigit one single-digit graph per
// digit in turn (the shortest chain over all digits wins, the lower digit on
// a tie).
bool FindChain(const PuzzleState& s, const Rules& rules, bool perDigit, bool needGroup, bool needAls,
               TechniqueId technique, StepRecord& step) {
  FoundChain best;
  best.length = rules.maxLinks + 1;
  std::shared_ptr<const LinkGraph> bestGraph;
  for (int d = perDigit ? 1 : 0; d <= (perDigit ? 9 : 0); ++d) {
    if (perDigit && EveryCandidatePlaceable(s, d)) continue;
    Rules r = rules;
    r.digit = d;
    r.maxLinks = std::min(best.length - 1, kMaxChainNodes - 1);
    auto graph = GraphFor(s, r);
    FoundChain found;
    if (ChainSearch(*graph, r, needGroup, needAls).Run(found)) {
      best = found;
      bestGraph = std::move(graph);
    }
  }
  if (!bestGraph) return false;

  const LinkGraph& g = *bestGraph;
  ChainDraft draft;
  draft.nodeCount = best.length + 1;
  for (int i = 0; i <= best.length; ++i) {
    const Node& n = g.node(best.nodes[i]);
    draft.nodes[i] = {n.digit, n.cells};
    if (i < best.length) {
      draft.strong[i] = best.strong[i];
      draft.linkAls[i] = static_cast<std::int8_t>(best.als[i] >= 0 ? draft.UseAls(&g.Als(best.als[i])) : -1);
    }
  }
  WriteChainStep(draft, best.eliminations, best.placeCell, best.placeDigit, technique, step);
  return true;
}

Rules PlainRules(Goal goal) {
  Rules r;
  r.goal = goal;
  return r;
}
Rules GroupedRules(Goal goal) {
  Rules r = PlainRules(goal);
  r.groups = true;
  return r;
}

Rules AlsRules(Goal goal) {
  Rules r = GroupedRules(goal);
  r.als = true;
  r.alsOnPath = true;
  return r;
}

}  // namespace

bool FindXChain(const PuzzleState& s, StepRecord& step) {
  Rules r;
  r.bivalue = false;
  r.inCellWeak = false;
  return FindChain(s, r, true, false, false, TechniqueId::XChain, step);
}

bool FindXYChain(const PuzzleState& s, StepRecord& step) {
  Rules r;
  r.conjugates = false;
  r.inCellWeak = false;
  r.sameDigitEnds = true;
  return FindChain(s, r, false, false, false, TechniqueId::XYChain, step);
}

bool FindContinuousNiceLoop(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, PlainRules(Goal::Loop), false, false, false, TechniqueId::ContinuousNiceLoop, step);
}

bool FindDiscontinuousNiceLoop(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, PlainRules(Goal::Place), false, false, false, TechniqueId::DiscontinuousNiceLoop, step);
}

bool FindAlternatingInferenceChain(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, PlainRules(Goal::Eliminate), false, false, false, TechniqueId::Aic, step);
}

bool FindGroupedContinuousNiceLoop(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, GroupedRules(Goal::Loop), false, true, false, TechniqueId::GroupedContinuousNiceLoop,
                   step);
}

bool FindGroupedDiscontinuousNiceLoop(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, GroupedRules(Goal::Place), false, true, false,
                   TechniqueId::GroupedDiscontinuousNiceLoop, step);
}

bool FindGroupedAlternatingInferenceChain(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, GroupedRules(Goal::Eliminate), false, true, false, TechniqueId::GroupedAic, step);
}

bool FindGroupedContinuousNiceLoopAls(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, AlsRules(Goal::Loop), false, false, true, TechniqueId::GroupedContinuousNiceLoopAls,
                   step);
}

bool FindGroupedDiscontinuousNiceLoopAls(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, AlsRules(Goal::Place), false, false, true, TechniqueId::GroupedDiscontinuousNiceLoopAls,
                   step);
}

bool FindGroupedAlternatingInferenceChainAls(const PuzzleState& s, StepRecord& step) {
  return FindChain(s, AlsRules(Goal::Eliminate), false, false, true, TechniqueId::GroupedAicAls, step);
}

bool FindAlsChain(const PuzzleState& s, StepRecord& step) {
  Rules r = GroupedRules(Goal::Eliminate);
  r.als = true;
  r.maxLinks = 15;
  return FindChain(s, r, false, false, true, TechniqueId::AlsChain, step);
}

}  // namespace tavimoro::steps
