// Unique loops: the rectangle's argument on a longer ring. An even number of
// empty cells (six or more), each holding x and y, joined in a ring so that
// every house holding one of them holds exactly two, at an odd distance
// along the ring. Were they all only {x, y}, the two digits would alternate
// around the ring and could be swapped house by house: a second solution.
// So the cells with other digits (the roof) must break the pattern:
//   type 1: a single roof cell: it is neither x nor y;
//   type 2: two roof cells with the same one extra z: one of them is z, and
//           cells that see both lose z;
//   type 3: two roof cells sharing a house, whose other digits, as if one
//           cell held them, form a naked subset with other cells there;
//   type 4: two roof cells sharing a house in which x lies only in them: one
//           is x, so neither may be y.
#include <array>

#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"
#include "engine/steps/rectangle_walker.h"
#include "engine/technique_registry.h"

namespace tavimoro::steps {
namespace {

constexpr int kMaxLoop = 14;  // longer rings are not worth the search
constexpr int kMaxRoof = 2;

class LoopSearch {
 public:
  LoopSearch(const PuzzleState& s, int x, int y, StepRecord& step) : s_(s), x_(x), y_(y), step_(step) {}

  // Rings starting at `start`, the lowest cell of the ring; true once one
  // gives a step.
  bool From(int start) {
    if (!Holds(start)) return false;
    start_ = start;
    Add(start);
    const bool found = Extend();
    Remove();
    return found;
  }

 private:
  int Xy() const { return DigitBit(x_) | DigitBit(y_); }
  bool Holds(int c) const { return s_.Grid[c] == 0 && (s_.CandMask[c] & Xy()) == Xy(); }
  bool IsRoof(int c) const { return s_.CandMask[c] != Xy(); }

  // Whether the cell can join the ring at the next place: every house of it
  // holds at most one ring cell so far, at the other parity.
  bool Fits(int c) const {
    if (c <= start_ || !Holds(c) || (IsRoof(c) && roofCount_ == kMaxRoof)) return false;
    for (int t = 0; t < 3; ++t) {
      const int h = HouseOf(c, t);
      if (houseCount_[h] == 2 || (houseCount_[h] == 1 && houseParity_[h] == length_ % 2)) return false;
    }
    for (int i = 0; i < length_; ++i)
      if (ring_[i] == c) return false;
    return true;
  }

  void Add(int c) {
    for (int t = 0; t < 3; ++t) {
      const int h = HouseOf(c, t);
      if (houseCount_[h]++ == 0) houseParity_[h] = static_cast<std::int8_t>(length_ % 2);
    }
    roofCount_ += IsRoof(c) ? 1 : 0;
    ring_[length_++] = c;
  }

  void Remove() {
    const int c = ring_[--length_];
    roofCount_ -= IsRoof(c) ? 1 : 0;
    for (int t = 0; t < 3; ++t) --houseCount_[HouseOf(c, t)];
  }

  // Closed once every house of every ring cell holds two of them.
  bool Closed() const {
    for (int i = 0; i < length_; ++i)
      for (int t = 0; t < 3; ++t)
        if (houseCount_[HouseOf(ring_[i], t)] != 2) return false;
    return true;
  }

  bool Extend() {
    if (length_ >= 6 && length_ % 2 == 0 && Closed()) return Broken();
    if (length_ == kMaxLoop) return false;
    for (int c : Peers(ring_[length_ - 1])) {
      if (!Fits(c)) continue;
      Add(c);
      const bool found = Extend();
      Remove();
      if (found) return true;
    }
    return false;
  }

  // The type checks on a closed ring.
  bool Broken() {
    std::array<int, kMaxRoof> roof{};
    int n = 0;
    for (int i = 0; i < length_; ++i)
      if (IsRoof(ring_[i])) roof[n++] = ring_[i];
    if (n == 1) {
      EliminateAt(step_, roof[0], x_);
      EliminateAt(step_, roof[0], y_);
      return Record(1);
    }
    if (n != 2) return false;
    const int extra = s_.CandMask[roof[0]] & ~Xy();
    if (BitCount(extra) == 1 && extra == (s_.CandMask[roof[1]] & ~Xy())) {
      const int z = MaskDigit(extra);
      bool any = false;
      for (int c = 0; c < 81; ++c) {
        if (!s_.Cand(c, z) || !Sees(c, roof[0]) || !Sees(c, roof[1])) continue;
        EliminateAt(step_, c, z);
        any = true;
      }
      if (any) {
        for (int c : roof) step_.CellColour[c] = SecondColour;
        return Record(2);
      }
    }
    for (int t = 0; t < 3; ++t) {
      const int h = HouseOf(roof[0], t);
      if (HouseOf(roof[1], t) != h) continue;
      for (const auto& [locked, doomed] : {std::array<int, 2>{x_, y_}, std::array<int, 2>{y_, x_}}) {
        if (s_.HouseCandCount(h, locked) != 2) continue;
        EliminateAt(step_, roof[0], doomed);
        EliminateAt(step_, roof[1], doomed);
        step_.Meaning.House = h;
        return Record(4);
      }
    }
    for (int t = 0; t < 3; ++t) {
      const int h = HouseOf(roof[0], t);
      if (HouseOf(roof[1], t) == h && RoofSubsetIn(s_, h, roof[0], roof[1], Xy(), step_)) return Record(3);
    }
    return false;
  }

  bool Record(int type) {
    StartElimination(step_, TechniqueId::UniqueLoop, type);
    step_.Text << x_ << y_ << ' ';
    for (int i = 0; i < length_; ++i) {
      if (i) step_.Text << ',';
      AppendCellName(step_.Text, ring_[i]);
      if (step_.CellColour[ring_[i]] == 0) step_.CellColour[ring_[i]] = PatternColour;
      // The ring in order, as the hint walks it.
      PushNode(step_, PlainNode(x_, ring_[i]), LinkKind::Weak);
      const int next = ring_[(i + 1) % length_];
      if (i < static_cast<int>(step_.Lines.size())) step_.Lines[i] = {ring_[i], next, LineColour, 1};
    }
    step_.Digits << x_ << " & " << y_;
    step_.Meaning.DigitMask = Xy();
    return true;
  }

  const PuzzleState& s_;
  int x_, y_;
  StepRecord& step_;
  int start_ = 0;
  std::array<int, kMaxLoop> ring_{};
  int length_ = 0;
  int roofCount_ = 0;
  std::array<std::int8_t, 27> houseCount_{};
  std::array<std::int8_t, 27> houseParity_{};  // the parity of the house's first ring cell
};

}  // namespace

bool FindUniqueLoop(const PuzzleState& s, StepRecord& step) {
  for (int x = 1; x <= 9; ++x) {
    for (int y = x + 1; y <= 9; ++y) {
      // A ring needs at least four cells holding nothing but the two digits.
      const int xy = DigitBit(x) | DigitBit(y);
      int floor = 0;
      for (int c = 0; c < 81; ++c) floor += s.Grid[c] == 0 && s.CandMask[c] == xy ? 1 : 0;
      if (floor < 6 - kMaxRoof) continue;
      LoopSearch search(s, x, y, step);
      for (int start = 0; start < 81; ++start)
        if (search.From(start)) return true;
    }
  }
  return false;
}

}  // namespace tavimoro::steps
