#include "engine/steps/fish_search.h"

#include <vector>

#include "engine/steps/digit_placements.h"

namespace tavimoro::steps {
namespace {

inline constexpr auto kHouseBits = [] {
  std::array<CellBits, 27> houses{};
  for (int h = 0; h < 27; ++h)
    for (int k = 0; k < 9; ++k) houses[h].Add(HouseCell(h, k));
  return houses;
}();

constexpr CellBits kEveryCell{~std::uint64_t{0}, (std::uint64_t{1} << 17) - 1};

constexpr bool SameQuery(const FishQuery& a, const FishQuery& b) {
  return a.digit == b.digit && a.size == b.size && a.baseHouses == b.baseHouses &&
         a.coverHouses == b.coverHouses && a.shape == b.shape && a.fins == b.fins &&
         a.minBaseCount == b.minBaseCount && a.maxBaseCount == b.maxBaseCount && a.maxFins == b.maxFins;
}

constexpr bool Within(std::uint32_t houses, std::uint32_t allowed) { return (houses & ~allowed) == 0; }

// One digit's search: the base sets are picked first, then the cover sets
// that take their candidates, each leaf judged by Accept.
class Search {
 public:
  // `touched`: houses one of which every fish worth finding takes as a base
  // set (every house when nothing is known).
  Search(const FishQuery& q, const CellBits& digitCells, std::uint32_t touched, Fish& out)
      : q_(q), out_(out), digitCells_(digitCells), touched_(touched) {
    finsAllowed_ = q.fins != FinShape::None;
    if (!finsAllowed_) q_.maxFins = 0;
    // Covers that are lines of one type: the base candidates' spread along
    // that type bounds the search (fins of a basic fish lie in one block,
    // so at most three positions more).
    if (Within(q.coverHouses, kColumnHouses)) spreadType_ = 1;
    if (Within(q.coverHouses, kRowHouses)) spreadType_ = 0;
    for (int h = 0; h < 27; ++h) {
      cands_[h] = kHouseBits[h] & digitCells_;
      const int count = cands_[h].Count();
      if (!(q.baseHouses & (1u << h)) || count < q.minBaseCount || count > q.maxBaseCount) continue;
      eligible_[eligibleCount_++] = h;
      if (spreadType_ >= 0)
        cands_[h].ForEach([&](int c) { spread_[h] |= 1 << (HouseOf(c, spreadType_) % 9); });
    }
  }

  bool Run() {
    // touchedFrom_[i]: whether an eligible house from the i-th on is touched.
    for (int i = eligibleCount_ - 1; i >= 0; --i)
      touchedFrom_[i] = touchedFrom_[i + 1] || (touched_ & (1u << eligible_[i])) != 0;
    return PickBase(0, 0, 0);
  }

 private:
  bool PickBase(int from, int depth, int spread) {
    if (depth == q_.size) {
      CellBits peers = kEveryCell;
      if (!endo_.Empty()) {
        peers = CommonPeers(endo_);
        if (endo_.Count() > q_.maxFins || (peers & digitCells_).Without(baseCells_).Empty()) return false;
      }
      if (spreadType_ >= 0) return PickLineCovers(spread);
      const CellBits uncovered = baseCells_.Without(endo_);
      needTypes_ = CoverTypesNeeded();
      if (!CoverTypesReachable(uncovered)) return false;
      return PickCover(0, uncovered, endo_, endo_.Count(), peers, 0);
    }
    const bool touchedTaken = (baseMask_ & touched_) != 0;
    for (int i = from; i <= eligibleCount_ - (q_.size - depth); ++i) {
      if (!touchedTaken && !touchedFrom_[i]) break;
      const int h = eligible_[i];
      if (!touchedTaken && depth == q_.size - 1 && !(touched_ & (1u << h))) continue;
      const int wider = spread | spread_[h];
      if (spreadType_ >= 0 && BitCount(wider) > q_.size + (finsAllowed_ ? 3 : 0)) continue;
      const CellBits overlap = baseCells_ & cands_[h];
      if (!overlap.Empty() && !finsAllowed_) continue;
      if (spreadType_ < 0 && CoversNeeded((baseCells_ | cands_[h]).Without(endo_ | overlap),
                                          baseMask_ | (1u << h)) > q_.size + q_.maxFins)
        continue;
      const CellBits keptCells = baseCells_, keptEndo = endo_;
      base_[depth] = h;
      baseMask_ |= 1u << h;
      baseCells_ = baseCells_ | cands_[h];
      endo_ = endo_ | overlap;
      const bool found = PickBase(i + 1, depth + 1, wider);
      baseMask_ &= ~(1u << h);
      baseCells_ = keptCells;
      endo_ = keptEndo;
      if (found) return true;
    }
    return false;
  }

  // The house types (bit 0 rows, 1 columns, 2 blocks) the cover sets must
  // include for the query's shape, given the base sets: adding a cover set
  // only moves a fish from basic towards Franken and Mutant.
  int CoverTypesNeeded() const {
    const bool rows = baseMask_ & kRowHouses, columns = baseMask_ & kColumnHouses;
    if (q_.shape == FishShape::Franken) return (baseMask_ & kBlockHouses) ? 0 : 4;
    if (q_.shape != FishShape::Mutant || (rows && columns)) return 0;
    if (rows) return 1;
    return columns ? 2 : 3;
  }

  // Whether every needed type has a house that may cover one of the cells.
  bool CoverTypesReachable(const CellBits& cells) const {
    std::uint32_t open = 0;
    cells.ForEach([&](int c) {
      for (int type = 0; type < 3; ++type) open |= 1u << HouseOf(c, type);
    });
    open &= q_.coverHouses & ~baseMask_;
    for (int type = 0; type < 3; ++type)
      if ((needTypes_ & (1 << type)) && !(open & (kRowHouses << (9 * type)))) return false;
    return true;
  }

  // The needed cover types not yet taken.
  int MissingCoverTypes() const {
    int missing = needTypes_;
    for (int type = 0; type < 3; ++type)
      if (coverMask_ & (kRowHouses << (9 * type))) missing &= ~(1 << type);
    return BitCount(missing);
  }

  // How many cover sets the cells need at least, none of the `taken` houses
  // among them: cells no two of which share a house that may cover, picked
  // greedily. Each needs a cover set of its own or is a fin.
  int CoversNeeded(CellBits cells, std::uint32_t taken) const {
    int needed = 0;
    while (!cells.Empty()) {
      const int cell = cells.First();
      ++needed;
      CellBits shared;
      shared.Add(cell);
      for (int type = 0; type < 3; ++type) {
        const int h = HouseOf(cell, type);
        if ((q_.coverHouses & ~taken) & (1u << h)) shared = shared | kHouseBits[h];
      }
      cells = cells.Without(shared);
    }
    return needed;
  }

  // Cover lines of one type. A fin off the cover lines shares only its
  // block with a cover cell off the base lines, so the fins lie in one block:
  // the positions left out lie in one stack (band), and every choice of
  // `size` positions of that kind is tried, in ascending mask order.
  bool PickLineCovers(int spread) {
    std::array<int, 9> choices{};
    int count = 0;
    if (BitCount(spread) == q_.size) choices[count++] = spread;
    if (finsAllowed_) {
      for (const int stack : {0007, 0070, 0700}) {
        const int outside = spread & ~stack, inside = spread & stack;
        const int need = q_.size - BitCount(outside);
        if (need < 0 || inside == 0) continue;
        for (int sub = inside;; sub = (sub - 1) & inside) {
          if (BitCount(sub) == need && sub != inside && count < static_cast<int>(choices.size())) {
            int at = count++;
            for (; at > 0 && choices[at - 1] > (outside | sub); --at) choices[at] = choices[at - 1];
            choices[at] = outside | sub;
          }
          if (sub == 0) break;
        }
      }
    }
    for (int n = 0; n < count; ++n) {
      CellBits covered;
      int k = 0;
      for (int p = 0; p < 9; ++p) {
        if (!(choices[n] & (1 << p))) continue;
        const int h = 9 * spreadType_ + p;
        cover_[k++] = h;
        coverMask_ |= 1u << h;
        covered = covered | cands_[h];
      }
      const CellBits fins = baseCells_.Without(covered);
      const int block = fins.Empty() ? 0 : 18 + CellBlock(fins.First()) - 1;
      const bool found = fins.Empty() ? Accept(fins, kEveryCell)
                                      : fins.SubsetOf(kHouseBits[block]) && Accept(fins, CommonPeers(fins));
      coverMask_ = 0;
      if (found) return true;
    }
    return false;
  }

  // Covers the first candidate left uncovered by each house of it that may
  // cover, or makes it a fin. `peers`: the cells that see every fin;
  // `barred`: houses left out of this branch, so that every choice of cover
  // sets and fins is met once (a fin's houses are barred: it lies in none).
  bool PickCover(int depth, CellBits uncovered, CellBits fins, int finCount, CellBits peers,
                 std::uint32_t barred) {
    if (MissingCoverTypes() > q_.size - depth) return false;
    if (uncovered.Empty()) return depth == q_.size && Accept(fins, peers);
    const int finsLeft = q_.maxFins - finCount;
    if (depth == q_.size) {
      if (!finsAllowed_ || uncovered.Count() > finsLeft) return false;
      return Accept(fins | uncovered, peers & CommonPeers(uncovered));
    }
    const std::uint32_t taken = baseMask_ | coverMask_ | barred;
    if (CoversNeeded(uncovered, taken) > q_.size - depth + finsLeft) return false;
    const int cell = uncovered.First();
    std::uint32_t tried = 0;
    for (int type = 0; type < 3; ++type) {
      const int h = HouseOf(cell, type);
      const std::uint32_t bit = 1u << h;
      if (!(q_.coverHouses & bit) || (taken & bit)) continue;
      cover_[depth] = h;
      coverMask_ |= bit;
      const bool found =
          PickCover(depth + 1, uncovered.Without(kHouseBits[h]), fins, finCount, peers, barred | tried);
      coverMask_ &= ~bit;
      if (found) return true;
      tried |= bit;
    }
    if (finsLeft <= 0) return false;
    const CellBits seen = peers & kPeerBits[cell];
    // A fin nothing outside the base sets sees leaves nothing to remove.
    if ((seen & digitCells_).Without(baseCells_).Empty()) return false;
    CellBits single;
    single.Add(cell);
    return PickCover(depth, uncovered.Without(single), fins | single, finCount + 1, seen, barred | tried);
  }

  bool Accept(const CellBits& fins, const CellBits& peers) {
    CellBits covered;
    for (int i = 0; i < q_.size; ++i) covered = covered | cands_[cover_[i]];
    CellBits victims = covered.Without(baseCells_);
    if (!fins.Empty()) victims = victims & peers;
    if (victims.Empty()) return false;
    FinShape finShape = FinShape::None;
    if (!fins.Empty()) {
      finShape = FinShape::Finned;
      for (int i = 0; i < q_.size; ++i) {
        const int left = cands_[base_[i]].Without(fins).Count();
        if (left == 0) return false;
        if (left == 1) finShape = FinShape::Sashimi;
      }
    }
    const bool finsFit =
        q_.fins == finShape || (q_.fins == FinShape::FinnedOrSashimi && finShape != FinShape::None);
    if (!finsFit) return false;
    const FishShape shape = ShapeOf(baseMask_, coverMask_);
    if (shape != q_.shape) return false;
    out_.digit = q_.digit;
    out_.size = q_.size;
    int n = 0, m = 0;
    for (int h = 0; h < 27; ++h) {
      if (baseMask_ & (1u << h)) out_.base[n++] = static_cast<std::int8_t>(h);
      if (coverMask_ & (1u << h)) out_.cover[m++] = static_cast<std::int8_t>(h);
    }
    out_.baseCells = baseCells_;
    out_.fins = fins;
    out_.victims = victims;
    out_.finShape = finShape;
    out_.shape = shape;
    return true;
  }

  FishQuery q_;
  Fish& out_;
  CellBits digitCells_;
  std::array<CellBits, 27> cands_{};
  std::array<int, 27> spread_{};
  std::array<int, 27> eligible_{};
  std::array<bool, 28> touchedFrom_{};
  std::uint32_t touched_;
  int eligibleCount_ = 0;
  int spreadType_ = -1;
  int needTypes_ = 0;
  bool finsAllowed_ = false;
  std::array<int, kMaxFishSize> base_{}, cover_{};
  std::uint32_t baseMask_ = 0, coverMask_ = 0;
  CellBits baseCells_, endo_;
};

}  // namespace

FishShape ShapeOf(std::uint32_t baseHouses, std::uint32_t coverHouses) {
  const auto across = [&](std::uint32_t from, std::uint32_t to) {
    return Within(baseHouses, from) && Within(coverHouses, to);
  };
  if (across(kRowHouses, kColumnHouses) || across(kColumnHouses, kRowHouses)) return FishShape::Basic;
  if (across(kRowHouses | kBlockHouses, kColumnHouses | kBlockHouses) ||
      across(kColumnHouses | kBlockHouses, kRowHouses | kBlockHouses))
    return FishShape::Franken;
  return FishShape::Mutant;
}

namespace {

// The houses of the cells in `cells`.
std::uint32_t HousesOf(const CellBits& cells) {
  std::uint32_t houses = 0;
  cells.ForEach([&](int c) {
    for (int type = 0; type < 3; ++type) houses |= 1u << HouseOf(c, type);
  });
  return houses;
}

}  // namespace

std::array<CellBits, 9> DigitCells(const PuzzleState& s) {
  std::array<CellBits, 9> cells{};
  for (int c = 0; c < 81; ++c)
    for (int rest = s.CandMask[c] & 0x1FF; rest; rest &= rest - 1)
      cells[static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(rest)))].Add(c);
  return cells;
}

bool FindFish(const PuzzleState& s, const FishQuery& query, Fish& fish) {
  if (query.digit < 1 || query.digit > 9) return false;
  CellBits cells;
  for (int c = 0; c < 81; ++c)
    if (s.Cand(c, query.digit)) cells.Add(c);
  return FindFish(s, query, cells, fish);
}

bool FindFish(const PuzzleState& s, const FishQuery& query, const CellBits& cells, Fish& fish) {
  if (query.size < 1 || query.size > kMaxFishSize || query.digit < 1 || query.digit > 9) return false;
  // A search reads only the digit's candidates, and a solve's next step
  // leaves most digits as they were; a later solve of the same puzzle meets
  // the same candidates again. Answers are kept on this thread by query and
  // candidates, in a table allocated once per thread.
  struct Kept {
    FishQuery query;
    CellBits cells;
    bool valid = false, found = false;
    Fish fish;
  };
  static constexpr std::size_t kSlots = std::size_t{1} << 14;
  thread_local std::vector<Kept> kept(kSlots);
  std::uint64_t slot = query.digit;
  for (const std::uint64_t part :
       {std::uint64_t(query.size), std::uint64_t(query.baseHouses), std::uint64_t(query.coverHouses),
        std::uint64_t(query.shape), std::uint64_t(query.fins), std::uint64_t(query.minBaseCount),
        std::uint64_t(query.maxBaseCount), std::uint64_t(query.maxFins), cells.low, cells.high})
    slot = (slot ^ part) * 0x9E3779B97F4A7C15u;
  Kept& k = kept[(slot ^ (slot >> 29)) % kSlots];
  if (!k.valid || !SameQuery(k.query, query) || !(k.cells == cells)) {
    // A solve only removes candidates. Where the query found nothing among
    // more candidates, a fish now must take as a base set a house that lost
    // one: with every base set as it was, the same fish (with its fins and
    // at least its victims) was there before. Skipping the other base sets
    // leaves the search's order, so its first fish is the same.
    struct Empty {
      FishQuery query;
      CellBits cells;
      bool valid = false;
    };
    static constexpr std::size_t kQuerySlots = 1024;
    thread_local std::vector<Empty> empty(kQuerySlots);
    std::uint64_t querySlot = query.digit;
    for (const std::uint64_t part :
         {std::uint64_t(query.size), std::uint64_t(query.baseHouses), std::uint64_t(query.coverHouses),
          std::uint64_t(query.shape), std::uint64_t(query.fins), std::uint64_t(query.minBaseCount),
          std::uint64_t(query.maxBaseCount), std::uint64_t(query.maxFins)})
      querySlot = (querySlot ^ part) * 0x9E3779B97F4A7C15u;
    Empty& e = empty[(querySlot ^ (querySlot >> 29)) % kQuerySlots];
    std::uint32_t touched = kAllHouses;
    if (e.valid && SameQuery(e.query, query) && cells.SubsetOf(e.cells))
      touched = HousesOf(e.cells.Without(cells));
    k.query = query;
    k.cells = cells;
    k.valid = true;
    k.found = touched != 0 && !EveryCandidatePlaceable(s, query.digit) &&
              Search(query, cells, touched, k.fish).Run();
    if (!k.found) e = {query, cells, true};
  }
  if (!k.found) return false;
  fish = k.fish;
  return true;
}

}  // namespace tavimoro::steps
