// The propagation engine of the forcing nets.
//
// A net starts from a board (candidate masks and placed digits) and one or
// more assumptions, and derives what they force. Every derived fact is a
// node: a candidate that holds (the digit is in the cell) or fails (it is
// not). Each node keeps its reasons, the nodes it follows from, so that the
// part of the net that proves a conclusion can be read back as a path.
//
//   node = ((cell * 9 + digit - 1) << 1) | holds        0 .. 1457
//
// Rules, applied breadth first so that every node is reached by a shortest
// derivation:
//   - a candidate that holds removes the cell's other digits and the digit
//     from the cell's 20 peers;
//   - naked single: a cell left with one candidate holds it;
//   - hidden single: a digit left with one place in a house holds there;
//   - locked candidates: a digit whose places in a block lie in one row or
//     column fails in the rest of that line, and a digit whose places in a
//     line lie in one block fails in the rest of that block;
//   - from level 1 on (nested nets): when these rules are exhausted, a
//     candidate whose own net of the level below runs into a contradiction
//     fails.
// A contradiction is a candidate that both holds and fails, two digits
// holding in one cell, a cell without candidates, or a house where a digit
// has no place left.
//
// A propagator owns fixed-size tables (about 70 KB) that are reused by every
// run; nothing is allocated while a net runs. A nested propagator runs on the
// board of the net that asks it; what it uses of that board's removals it
// reports as references to the asking net's nodes ("external" reasons).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/puzzle_state.h"

namespace tavimoro::steps {

using NetNode = std::uint16_t;
inline constexpr int kNetNodeCount = 81 * 9 * 2;

constexpr NetNode HoldsNode(int cell, int digit) {
  return static_cast<NetNode>(((cell * 9 + digit - 1) << 1) | 1);
}
constexpr NetNode FailsNode(int cell, int digit) { return static_cast<NetNode>((cell * 9 + digit - 1) << 1); }
constexpr int NodeCell(NetNode n) { return (n >> 1) / 9; }
constexpr int NodeDigit(NetNode n) { return (n >> 1) % 9 + 1; }
constexpr bool NodeHolds(NetNode n) { return (n & 1) != 0; }

struct NetBoard {
  std::array<std::uint16_t, 81> cand{};  // candidates of each empty cell, 0 when filled
  std::array<std::uint8_t, 81> value{};  // placed digit, 0 when empty

  static NetBoard From(const PuzzleState& s) {
    NetBoard b;
    b.cand = s.CandMask;
    b.value = s.Grid;
    return b;
  }
  bool Has(int cell, int digit) const { return (cand[cell] >> (digit - 1)) & 1; }
};

// Why a node was derived.
enum class NetRule : std::uint8_t {
  Assumption,
  Peer,          // a candidate of the cell or a peer holds
  NakedSingle,   // the cell's last candidate
  HiddenSingle,  // the digit's last place in a house
  LockedCandidates,
  NestedNet,  // its own net of the level below runs into a contradiction
};

enum class NetContradiction : std::uint8_t {
  None,
  BothWays,   // a candidate that holds and fails
  EmptyCell,  // a cell without candidates
  NoPlace,    // a house without a place for a digit
};

// Counts the runs of every propagator of one search, so that the deepest
// level can give up after a fixed amount of work (the same amount on every
// machine, so results stay reproducible).
struct NetBudget {
  long long runs = 0;
  long long limit = 0;  // 0: no limit
  bool Exhausted() const { return limit > 0 && runs >= limit; }
};

class NetPropagator {
 public:
  // level 0 uses the plain rules; level k > 0 also the contradiction nets of
  // level k - 1, run by `inner` (which must have level k - 1). `nested` is
  // set for a propagator that runs on behalf of another net.
  void Configure(int level, NetPropagator* inner, bool nested, NetBudget* budget);

  // Runs the net of the assumptions from `start`; true when it reaches a
  // contradiction. The start board must not be the propagator's own.
  bool Run(const NetBoard& start, std::span<const NetNode> assumptions);

  bool Contradiction() const { return contradiction_; }
  bool Derived(NetNode n) const { return rank_[n] != 0; }
  // Creation index of a derived node (assumptions first).
  int Rank(NetNode n) const { return rank_[n] - 1; }
  int NodeCount() const { return count_; }
  NetNode NodeAt(int index) const { return order_[index]; }
  const NetBoard& Board() const { return board_; }
  bool BudgetExhausted() const { return budget_ != nullptr && budget_->Exhausted(); }

  // The derived nodes that the targets rest on (the targets included), in
  // creation order, written to `out` (room for kNetNodeCount); with
  // `contradiction`, the reasons of the contradiction are the targets too.
  // External reasons met on the way go to `external` when it is given.
  // Returns the number of nodes written.
  int Ancestors(std::span<const NetNode> targets, bool contradiction, std::span<NetNode> out,
                std::array<std::uint8_t, kNetNodeCount>* external);

  // Creation index of the earliest reason of a node (following these leads
  // back to an assumption by a short path), -1 for an assumption or a node
  // that rests only on external reasons.
  int FirstReason(NetNode n) const;
  // The rule that derived a node (NetRule), by creation index.
  int RuleAt(int index) const { return rule_[index]; }
  // For a node derived by a nested net, by creation index: the implications
  // of that inner net's contradiction.
  int InnerSizeAt(int index) const { return innerSize_[index]; }
  // The house a hidden single or locked candidates rule read, -1 for others.
  int HouseAt(int index) const { return house_[index]; }

  // Where the contradiction lies: the cell without candidates or that holds
  // two digits, or the house and digit without a place.
  NetContradiction ContradictionKind() const { return contradictionKind_; }
  int ContradictionCell() const { return contradictionCell_; }
  int ContradictionHouse() const { return contradictionHouse_; }
  int ContradictionDigit() const { return contradictionDigit_; }

 private:
  static constexpr std::uint16_t kExternal = 0x8000;
  static constexpr int kPoolSize = kNetNodeCount * 16;

  bool SetHolds(int cell, int digit, NetRule rule);
  bool SetFails(int cell, int digit, NetRule rule);
  void AddReason(std::uint16_t reason);
  void AddAbsentReason(int cell, int digit);
  void StartReasons() { pending_ = poolSize_; }
  void Commit(NetNode n, NetRule rule);
  void Contradict(NetContradiction kind, int cell, int house, int digit);
  void ProcessHolds(NetNode n);
  void ProcessFails(NetNode n);
  void CheckHouse(int house, int digit);
  void CheckLocked(int house, int digit);
  bool DigitPlaced(int house, int digit) const { return (placed_[house] >> (digit - 1)) & 1; }
  void DropPlace(int cell, int digit);
  void CountPlaces();
  bool Drain();
  bool TryNested();

  int level_ = 0;
  bool nested_ = false;
  NetPropagator* inner_ = nullptr;
  NetBudget* budget_ = nullptr;

  NetBoard board_;
  // Kept with the board: per house and digit the places (bits by position
  // in the house) that are empty and still hold the digit, and per house
  // the digits placed, so that the house checks read them at once.
  std::array<std::array<std::uint16_t, 10>, 27> places_{};
  std::array<std::uint16_t, 27> placed_{};
  NetBoard startBoard_;  // the last start board and its counts
  std::array<std::array<std::uint16_t, 10>, 27> startPlaces_{};
  std::array<std::uint16_t, 27> startPlaced_{};
  bool startCounted_ = false;
  std::array<std::uint16_t, kNetNodeCount> rank_{};  // creation index + 1, 0 = not derived
  std::array<NetNode, kNetNodeCount> order_{};       // nodes in creation order
  std::array<std::uint32_t, kNetNodeCount + 2> reasonBegin_{};
  std::array<std::uint8_t, kNetNodeCount> rule_{};
  std::array<std::uint16_t, kNetNodeCount> innerSize_{};
  std::array<std::int8_t, kNetNodeCount> house_{};
  int ruleHouse_ = -1;  // the house of the rule that commits the next node
  std::array<std::uint16_t, kPoolSize> pool_{};
  std::array<std::uint8_t, kNetNodeCount> mark_{};
  std::array<std::uint8_t, kNetNodeCount> seenExternal_{};
  int count_ = 0;
  int head_ = 0;
  std::uint32_t poolSize_ = 0;
  std::uint32_t pending_ = 0;  // reasons of the node being made: pool_[poolSize_, pending_)
  bool contradiction_ = false;
  std::uint32_t contradictionBegin_ = 0, contradictionEnd_ = 0;
  NetContradiction contradictionKind_ = NetContradiction::None;
  int contradictionCell_ = -1, contradictionHouse_ = -1, contradictionDigit_ = 0;
  int nestedScan_ = 0;
};

}  // namespace tavimoro::steps
