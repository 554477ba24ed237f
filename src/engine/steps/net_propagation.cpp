#include <array>
#include <bit>

#include "engine/steps/net_board.h"

namespace tavimoro::steps {
namespace {

constexpr auto kPeers = [] {
  std::array<std::array<std::int8_t, 20>, 81> peers{};
  for (int c = 0; c < 81; ++c) {
    int n = 0;
    for (int p = 0; p < 81; ++p) {
      if (p != c && CellsShareHouse(c, p)) peers[c][n++] = static_cast<std::int8_t>(p);
    }
  }
  return peers;
}();

// The row (0) or column (1) house of a cell, and whether a cell lies in a house.
constexpr bool InHouse(int cell, int house) { return HouseOf(cell, HouseType(house)) == house; }

}  // namespace

void NetPropagator::Configure(int level, NetPropagator* inner, bool nested, NetBudget* budget) {
  level_ = level;
  inner_ = inner;
  nested_ = nested;
  budget_ = budget;
}

void NetPropagator::AddReason(std::uint16_t reason) {
  if (pending_ < kPoolSize) pool_[pending_++] = reason;
}

// The reason why a candidate is missing: the node that removed it, or for a
// nested net the asking net's node (a candidate missing from that net's start
// board too is resolved, or dropped, further up).
void NetPropagator::AddAbsentReason(int cell, int digit) {
  const NetNode n = FailsNode(cell, digit);
  if (rank_[n] != 0) {
    AddReason(n);
  } else if (nested_) {
    AddReason(static_cast<std::uint16_t>(kExternal | n));
  }
}

void NetPropagator::Commit(NetNode n, NetRule rule) {
  rank_[n] = static_cast<std::uint16_t>(count_ + 1);
  order_[count_] = n;
  rule_[count_] = static_cast<std::uint8_t>(rule);
  house_[count_] = static_cast<std::int8_t>(ruleHouse_);
  ruleHouse_ = -1;
  reasonBegin_[count_] = poolSize_;
  poolSize_ = pending_;
  ++count_;
  reasonBegin_[count_] = poolSize_;
  pending_ = poolSize_;
}

void NetPropagator::Contradict(NetContradiction kind, int cell, int house, int digit) {
  contradictionBegin_ = poolSize_;
  contradictionEnd_ = pending_;
  poolSize_ = pending_;
  contradiction_ = true;
  contradictionKind_ = kind;
  contradictionCell_ = cell;
  contradictionHouse_ = house;
  contradictionDigit_ = digit;
}

// The pending reasons become the node's. False when nothing new was learnt.
bool NetPropagator::SetHolds(int cell, int digit, NetRule rule) {
  const NetNode n = HoldsNode(cell, digit);
  if (rank_[n] != 0 || contradiction_) return false;
  Commit(n, rule);
  if (!board_.Has(cell, digit) || (board_.value[cell] != 0 && board_.value[cell] != digit)) {
    StartReasons();
    AddReason(n);
    if (board_.value[cell] != 0) {
      AddReason(HoldsNode(cell, board_.value[cell]));
    } else {
      AddAbsentReason(cell, digit);
    }
    Contradict(NetContradiction::BothWays, cell, -1, digit);
    return true;
  }
  board_.value[cell] = static_cast<std::uint8_t>(digit);
  for (int rest = board_.cand[cell]; rest != 0; rest &= rest - 1) DropPlace(cell, MaskDigit(LowestBit(rest)));
  for (int t = 0; t < 3; ++t) placed_[HouseOf(cell, t)] |= static_cast<std::uint16_t>(DigitBit(digit));
  for (int rest = board_.cand[cell] & ~DigitBit(digit); rest != 0; rest &= rest - 1) {
    StartReasons();
    AddReason(n);
    SetFails(cell, MaskDigit(LowestBit(rest)), NetRule::Peer);
  }
  return true;
}

bool NetPropagator::SetFails(int cell, int digit, NetRule rule) {
  const NetNode n = FailsNode(cell, digit);
  if (rank_[n] != 0 || contradiction_) return false;
  if (board_.value[cell] == digit && rank_[HoldsNode(cell, digit)] != 0) {
    Commit(n, rule);
    StartReasons();
    AddReason(n);
    AddReason(HoldsNode(cell, digit));
    Contradict(NetContradiction::BothWays, cell, -1, digit);
    return true;
  }
  if (!board_.Has(cell, digit)) {
    pending_ = poolSize_;
    return false;  // missing from the start board already
  }
  Commit(n, rule);
  board_.cand[cell] = static_cast<std::uint16_t>(board_.cand[cell] & ~DigitBit(digit));
  DropPlace(cell, digit);
  return true;
}

namespace {

struct HouseMasks {
  std::array<std::array<std::uint8_t, 3>, 81> position{};  // of a cell in its row, column, block
  std::array<std::array<std::uint16_t, 27>, 27> shared{};  // positions of a house that lie in another
};

constexpr HouseMasks MakeHouseMasks() {
  HouseMasks m;
  for (int h = 0; h < 27; ++h) {
    for (int i = 0; i < 9; ++i) {
      const int cell = HouseCell(h, i);
      m.position[cell][HouseType(h)] = static_cast<std::uint8_t>(i);
      for (int t = 0; t < 3; ++t) m.shared[h][HouseOf(cell, t)] |= static_cast<std::uint16_t>(1 << i);
    }
  }
  return m;
}
constexpr HouseMasks kHouseMasks = MakeHouseMasks();

int LowestPosition(unsigned mask) { return std::countr_zero(mask); }

// Per house, the place masks that lie within a house of the crossing kind
// (a block for a line, a row or column for a block): only those can lock.
constexpr auto kMayLock = [] {
  std::array<std::array<bool, 512>, 27> may{};
  for (int h = 0; h < 27; ++h) {
    for (int other = 0; other < 27; ++other) {
      if ((HouseType(h) == 2) == (HouseType(other) == 2)) continue;
      const unsigned shared = kHouseMasks.shared[h][other];
      if (shared == 0) continue;
      for (unsigned mask = shared; mask != 0; mask = (mask - 1) & shared) may[h][mask] = true;
    }
  }
  return may;
}();

}  // namespace

void NetPropagator::DropPlace(int cell, int digit) {
  for (int t = 0; t < 3; ++t)
    places_[HouseOf(cell, t)][digit] &= static_cast<std::uint16_t>(~(1u << kHouseMasks.position[cell][t]));
}

void NetPropagator::CountPlaces() {
  for (auto& house : places_) house.fill(0);
  placed_.fill(0);
  for (int cell = 0; cell < 81; ++cell) {
    if (board_.value[cell] != 0) {
      for (int t = 0; t < 3; ++t)
        placed_[HouseOf(cell, t)] |= static_cast<std::uint16_t>(DigitBit(board_.value[cell]));
      continue;
    }
    for (int rest = board_.cand[cell]; rest != 0; rest &= rest - 1) {
      const int digit = MaskDigit(LowestBit(rest));
      for (int t = 0; t < 3; ++t)
        places_[HouseOf(cell, t)][digit] |= static_cast<std::uint16_t>(1u << kHouseMasks.position[cell][t]);
    }
  }
}

void NetPropagator::ProcessHolds(NetNode n) {
  const int cell = NodeCell(n), digit = NodeDigit(n);
  for (int p : kPeers[cell]) {
    if (contradiction_) return;
    if (board_.value[p] == digit && rank_[HoldsNode(p, digit)] != 0) {
      StartReasons();
      AddReason(n);
      AddReason(HoldsNode(p, digit));
      Contradict(NetContradiction::BothWays, p, -1, digit);
      return;
    }
    if (board_.value[p] != 0 || !board_.Has(p, digit)) continue;
    StartReasons();
    AddReason(n);
    SetFails(p, digit, NetRule::Peer);
  }
}

void NetPropagator::CheckHouse(int house, int digit) {
  if (contradiction_ || DigitPlaced(house, digit)) return;
  const unsigned mask = places_[house][digit];
  if (BitCount(static_cast<int>(mask)) > 1) return;
  const int last = mask != 0 ? HouseCell(house, LowestPosition(mask)) : -1;
  StartReasons();
  for (int x : CellsOfHouse(house))
    if (x != last) AddAbsentReason(x, digit);
  if (mask == 0) {
    Contradict(NetContradiction::NoPlace, -1, house, digit);
  } else {
    ruleHouse_ = house;
    SetHolds(last, digit, NetRule::HiddenSingle);
    ruleHouse_ = -1;
  }
}

// Locked candidates for one digit, seen from the house that just lost a place
// for it: a block whose places lie in one line, or a line whose places lie in
// one block.
void NetPropagator::CheckLocked(int house, int digit) {
  if (contradiction_ || DigitPlaced(house, digit)) return;
  const unsigned mask = places_[house][digit];
  if (!kMayLock[house][mask]) return;
  const int first = HouseCell(house, LowestPosition(mask));
  const int type = HouseType(house);
  for (int target = 0; target < 3; ++target) {
    // A line against a line never locks; only block-line pairs do.
    if (target == type || (type != 2 && target != 2)) continue;
    const int other = HouseOf(first, target);
    if ((mask & ~static_cast<unsigned>(kHouseMasks.shared[house][other])) != 0) continue;
    // The places of the digit in the other house outside this one: a house
    // stays locked while it loses places, so most checks find none left.
    unsigned victims = places_[other][digit] & ~static_cast<unsigned>(kHouseMasks.shared[other][house]);
    for (; victims != 0; victims &= victims - 1) {
      const int y = HouseCell(other, LowestPosition(victims));
      StartReasons();
      for (int x : CellsOfHouse(house))
        if (!InHouse(x, other)) AddAbsentReason(x, digit);
      ruleHouse_ = house;
      SetFails(y, digit, NetRule::LockedCandidates);
      ruleHouse_ = -1;
    }
  }
}

void NetPropagator::ProcessFails(NetNode n) {
  const int cell = NodeCell(n), digit = NodeDigit(n);
  if (board_.value[cell] == 0) {
    const int rest = board_.cand[cell];
    if (BitCount(rest) <= 1) {
      StartReasons();
      for (int d = 1; d <= 9; ++d)
        if (!(rest & DigitBit(d))) AddAbsentReason(cell, d);
      if (rest == 0) {
        Contradict(NetContradiction::EmptyCell, cell, -1, 0);
        return;
      }
      SetHolds(cell, MaskDigit(rest), NetRule::NakedSingle);
    }
  }
  for (int t = 0; t < 3; ++t) CheckHouse(HouseOf(cell, t), digit);
  for (int t = 0; t < 3; ++t) CheckLocked(HouseOf(cell, t), digit);
}

bool NetPropagator::Drain() {
  while (head_ < count_ && !contradiction_) {
    const NetNode n = order_[head_++];
    if (NodeHolds(n)) {
      ProcessHolds(n);
    } else {
      ProcessFails(n);
    }
  }
  return contradiction_;
}

// One candidate of the current board whose own net (a level below) runs into
// a contradiction fails. The scan goes on where the last one stopped and gives
// up after a full round without success.
bool NetPropagator::TryNested() {
  for (int step = 0; step < 729; ++step) {
    const int index = (nestedScan_ + step) % 729;
    const int cell = index / 9, digit = index % 9 + 1;
    if (board_.value[cell] != 0 || !board_.Has(cell, digit)) continue;
    if (budget_ != nullptr && budget_->Exhausted()) return false;
    const NetNode assumption = HoldsNode(cell, digit);
    if (!inner_->Run(board_, std::span<const NetNode>(&assumption, 1))) continue;
    seenExternal_.fill(0);
    const int innerSize = inner_->Ancestors({}, true, {}, &seenExternal_);
    StartReasons();
    for (int e = 0; e < kNetNodeCount; ++e) {
      if (!seenExternal_[e]) continue;
      AddAbsentReason(NodeCell(static_cast<NetNode>(e)), NodeDigit(static_cast<NetNode>(e)));
    }
    nestedScan_ = index + 1;
    SetFails(cell, digit, NetRule::NestedNet);
    if (Derived(FailsNode(cell, digit)))
      innerSize_[static_cast<std::size_t>(Rank(FailsNode(cell, digit)))] =
          static_cast<std::uint16_t>(innerSize);
    return true;
  }
  return false;
}

bool NetPropagator::Run(const NetBoard& start, std::span<const NetNode> assumptions) {
  for (int i = 0; i < count_; ++i) rank_[order_[i]] = 0;
  if (budget_ != nullptr) ++budget_->runs;
  // The searches run every try from one start board: its places are
  // counted once.
  if (!startCounted_ || start.cand != startBoard_.cand || start.value != startBoard_.value) {
    board_ = start;
    CountPlaces();
    startBoard_ = start;
    startPlaces_ = places_;
    startPlaced_ = placed_;
    startCounted_ = true;
  } else {
    board_ = start;
    places_ = startPlaces_;
    placed_ = startPlaced_;
  }
  count_ = head_ = 0;
  poolSize_ = pending_ = 0;
  reasonBegin_[0] = 0;
  contradiction_ = false;
  contradictionKind_ = NetContradiction::None;
  contradictionCell_ = contradictionHouse_ = -1;
  contradictionDigit_ = 0;
  nestedScan_ = 0;
  ruleHouse_ = -1;
  for (NetNode a : assumptions) {
    StartReasons();
    if (NodeHolds(a)) {
      SetHolds(NodeCell(a), NodeDigit(a), NetRule::Assumption);
    } else {
      SetFails(NodeCell(a), NodeDigit(a), NetRule::Assumption);
    }
  }
  for (;;) {
    if (Drain()) return true;
    if (level_ == 0 || inner_ == nullptr || !TryNested()) return contradiction_;
  }
}

int NetPropagator::Ancestors(std::span<const NetNode> targets, bool contradiction, std::span<NetNode> out,
                             std::array<std::uint8_t, kNetNodeCount>* external) {
  std::fill_n(mark_.begin(), count_, std::uint8_t{0});
  std::array<std::uint16_t, kNetNodeCount> stack;
  int top = 0;
  auto push = [&](std::uint16_t reason) {
    if (reason & kExternal) {
      if (external != nullptr) (*external)[reason & ~kExternal] = 1;
      return;
    }
    const int index = rank_[reason] - 1;
    if (index < 0 || mark_[index]) return;
    mark_[index] = 1;
    stack[top++] = static_cast<std::uint16_t>(index);
  };
  for (NetNode t : targets) push(t);
  if (contradiction && contradiction_) {
    for (std::uint32_t r = contradictionBegin_; r < contradictionEnd_; ++r) push(pool_[r]);
  }
  while (top > 0) {
    const int index = stack[--top];
    for (std::uint32_t r = reasonBegin_[index]; r < reasonBegin_[index + 1]; ++r) push(pool_[r]);
  }
  int written = 0;
  for (int i = 0; i < count_; ++i) {
    if (!mark_[i]) continue;
    if (written < static_cast<int>(out.size())) out[written] = order_[i];
    ++written;
  }
  return written;
}

int NetPropagator::FirstReason(NetNode n) const {
  const int index = rank_[n] - 1;
  if (index < 0) return -1;
  int earliest = -1;
  for (std::uint32_t r = reasonBegin_[index]; r < reasonBegin_[index + 1]; ++r) {
    if (pool_[r] & kExternal) continue;
    const int reason = rank_[pool_[r]] - 1;
    if (earliest < 0 || reason < earliest) earliest = reason;
  }
  return earliest;
}

}  // namespace tavimoro::steps
