// Colouring: the strong links of one digit join cells into clusters, and
// the two colours of a cluster alternate along its links, so one colour
// holds the digit in all its cells and the other in none.
//
// Simple Colouring, within one cluster: a colour that meets itself in a
// house is false (a colour wrap), and a cell outside the cluster that sees
// both colours cannot hold the digit (a colour trap). Multi-Colouring, two
// clusters: when a cell of colour A sees a cell of colour B, A and B are not
// both true, so a cell that sees the opposites of A and of B loses the
// digit; when A meets both colours of the other cluster, A is false.
//
// Clusters are found by a breadth-first walk in cell order; a cluster whose
// colours clash along its links (only with wrong candidates) is skipped.
#include <array>
#include <cstdint>

#include "engine/steps/digit_placements.h"
#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {
namespace {

constexpr int kMaxClusters = 40;

struct Clusters {
  std::array<std::int8_t, 81> cluster{};               // -1 outside every cluster
  std::array<std::int8_t, 81> colour{};                // 0 or 1
  std::array<std::int8_t, 81> parent{};                // towards the cluster's first cell
  std::array<std::uint8_t, 81> order{};                // cells in walk order
  std::array<std::uint8_t, kMaxClusters + 1> start{};  // walk order index of each cluster's first cell
  std::array<bool, kMaxClusters> clash{};
  int count = 0;
};

// The cells linked to `cell` by a strong link of d.
template <typename Visit>
void ForEachPartner(const PuzzleState& s, int d, int cell, Visit visit) {
  for (int t = 0; t < 3; ++t) {
    const int h = HouseOf(cell, t);
    if (s.HouseCandCount(h, d) != 2) continue;
    for (int c : CellsOfHouse(h))
      if (c != cell && s.Cand(c, d)) visit(c);
  }
}

void BuildClusters(const PuzzleState& s, int d, Clusters& k) {
  k.cluster.fill(-1);
  k.count = 0;
  int placed = 0;
  for (int root = 0; root < 81 && k.count < kMaxClusters; ++root) {
    if (!s.Cand(root, d) || k.cluster[root] >= 0) continue;
    bool linked = false;
    ForEachPartner(s, d, root, [&](int) { linked = true; });
    if (!linked) continue;
    const int id = k.count++;
    k.start[id] = static_cast<std::uint8_t>(placed);
    k.clash[id] = false;
    k.cluster[root] = static_cast<std::int8_t>(id);
    k.colour[root] = 0;
    k.parent[root] = -1;
    k.order[placed++] = static_cast<std::uint8_t>(root);
    for (int next = k.start[id]; next < placed; ++next) {
      const int cell = k.order[next];
      ForEachPartner(s, d, cell, [&](int partner) {
        if (k.cluster[partner] < 0) {
          k.cluster[partner] = static_cast<std::int8_t>(id);
          k.colour[partner] = static_cast<std::int8_t>(1 - k.colour[cell]);
          k.parent[partner] = static_cast<std::int8_t>(cell);
          k.order[placed++] = static_cast<std::uint8_t>(partner);
        } else if (k.colour[partner] == k.colour[cell]) {
          k.clash[id] = true;
        }
      });
    }
  }
  k.start[k.count] = static_cast<std::uint8_t>(placed);
}

// The cells of cluster `id` in walk order.
template <typename Visit>
void ForEachInCluster(const Clusters& k, int id, Visit visit) {
  for (int i = k.start[id]; i < k.start[id + 1]; ++i) visit(static_cast<int>(k.order[i]));
}

// The path of strong links from `from` to `to` in one cluster, through the
// walk's tree, appended to the Meaning chain (the first node joined to what
// is there by `joinLink`).
void PushPath(StepRecord& step, const Clusters& k, int d, int from, int to, LinkKind joinLink) {
  // Both cells' paths to the root; the path goes up from `from` to the
  // first common cell and down to `to`.
  std::array<int, 81> up{}, down{};
  int nUp = 0, nDown = 0;
  std::array<bool, 81> onUp{};
  for (int c = from; c >= 0; c = k.parent[c]) {
    up[nUp++] = c;
    onUp[c] = true;
  }
  int meet = to;
  while (!onUp[meet]) {
    down[nDown++] = meet;
    meet = k.parent[meet];
  }
  LinkKind link = joinLink;
  for (int i = 0; i < nUp; ++i) {
    PushNode(step, PlainNode(d, up[i]), link);
    link = LinkKind::Strong;
    if (up[i] == meet) break;
  }
  for (int i = nDown - 1; i >= 0; --i) PushNode(step, PlainNode(d, down[i]), LinkKind::Strong);
}

void ColourClusters(StepRecord& step, const Clusters& k, int id, int firstColourOf) {
  ForEachInCluster(k, id, [&](int c) {
    if (step.CellColour[c] != 0) return;
    step.CellColour[c] = k.colour[c] == firstColourOf ? FirstColour : SecondColour;
  });
}

void FinishColouring(StepRecord& step, int d) {
  DrawChain(step);
  step.Text << d << ' ';
  AppendChainText(step.Text, step.Meaning, false);
  step.Digits << d;
  step.Meaning.DigitMask = DigitBit(d);
}

// The first cell of colour `colour` in cluster `id` that `cell` sees; -1
// when there is none.
int SeenOfColour(const Clusters& k, int id, int colour, int cell) {
  int found = -1;
  ForEachInCluster(k, id, [&](int c) {
    if (found < 0 && k.colour[c] == colour && Sees(c, cell)) found = c;
  });
  return found;
}

bool ColourWrap(const PuzzleState& s, const Clusters& k, int id, int d, StepRecord& step) {
  int first = -1, second = -1;
  ForEachInCluster(k, id, [&](int a) {
    if (first >= 0) return;
    ForEachInCluster(k, id, [&](int b) {
      if (first < 0 && a < b && k.colour[a] == k.colour[b] && Sees(a, b)) first = a, second = b;
    });
  });
  if (first < 0) return false;
  StartElimination(step, TechniqueId::SimpleColouring);
  step.Text << "colour wrap, ";
  PushPath(step, k, d, first, second, LinkKind::Strong);
  PushNode(step, PlainNode(d, first), LinkKind::Weak);
  const int falseColour = k.colour[first];
  ForEachInCluster(k, id, [&](int c) {
    if (k.colour[c] == falseColour && s.Cand(c, d)) EliminateAt(step, c, d);
  });
  ColourClusters(step, k, id, 1 - falseColour);
  FinishColouring(step, d);
  return true;
}

bool ColourTrap(const PuzzleState& s, const Clusters& k, int id, int d, StepRecord& step) {
  int firstVictim = -1, end0 = -1, end1 = -1;
  for (int c = 0; c < 81; ++c) {
    if (!s.Cand(c, d) || k.cluster[c] == id) continue;
    const int a = SeenOfColour(k, id, 0, c), b = SeenOfColour(k, id, 1, c);
    if (a < 0 || b < 0) continue;
    if (firstVictim < 0) {
      firstVictim = c;
      end0 = a;
      end1 = b;
      StartElimination(step, TechniqueId::SimpleColouring);
      step.Text << "colour trap, ";
    }
    EliminateAt(step, c, d);
  }
  if (firstVictim < 0) return false;
  PushPath(step, k, d, end0, end1, LinkKind::Strong);
  ColourClusters(step, k, id, 0);
  FinishColouring(step, d);
  return true;
}

}  // namespace

bool FindSimpleColouring(const PuzzleState& s, StepRecord& step) {
  Clusters k;
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    BuildClusters(s, d, k);
    for (int id = 0; id < k.count; ++id) {
      if (k.clash[id]) continue;
      if (ColourWrap(s, k, id, d, step) || ColourTrap(s, k, id, d, step)) return true;
    }
  }
  return false;
}

bool FindMultiColouring(const PuzzleState& s, StepRecord& step) {
  Clusters k;
  for (int d = 1; d <= 9; ++d) {
    if (EveryCandidatePlaceable(s, d)) continue;
    BuildClusters(s, d, k);
    for (int i = 0; i < k.count; ++i) {
      if (k.clash[i]) continue;
      for (int j = 0; j < k.count; ++j) {
        if (j == i || k.clash[j]) continue;
        for (int ci = 0; ci < 2; ++ci) {
          for (int cj = 0; cj < 2; ++cj) {
            // A cell x of colour ci that sees a cell y of colour cj.
            int x = -1, y = -1;
            ForEachInCluster(k, i, [&](int c) {
              if (x >= 0 || k.colour[c] != ci) return;
              const int seen = SeenOfColour(k, j, cj, c);
              if (seen >= 0) x = c, y = seen;
            });
            if (x < 0) continue;
            // A cell of colour ci that sees the other colour of cluster j
            // too: ci is false.
            int x2 = -1, y2 = -1;
            ForEachInCluster(k, i, [&](int c) {
              if (x2 >= 0 || k.colour[c] != ci) return;
              const int seen = SeenOfColour(k, j, 1 - cj, c);
              if (seen >= 0) x2 = c, y2 = seen;
            });
            if (x2 >= 0) {
              StartElimination(step, TechniqueId::MultiColouring);
              step.Text << "colour meets both colours, ";
              PushNode(step, PlainNode(d, x), LinkKind::Weak);
              PushPath(step, k, d, y, y2, LinkKind::Weak);
              PushNode(step, PlainNode(d, x2), LinkKind::Weak);
              ForEachInCluster(k, i, [&](int c) {
                if (k.colour[c] == ci && s.Cand(c, d)) EliminateAt(step, c, d);
              });
              ColourClusters(step, k, i, 1 - ci);
              ColourClusters(step, k, j, cj);
              FinishColouring(step, d);
              return true;
            }
            // Otherwise the opposites of ci and cj: one of them is true.
            int victim = -1, u = -1, w = -1;
            for (int c = 0; c < 81; ++c) {
              if (!s.Cand(c, d)) continue;
              if ((k.cluster[c] == i && k.colour[c] != ci) || (k.cluster[c] == j && k.colour[c] != cj))
                continue;
              const int seenI = SeenOfColour(k, i, 1 - ci, c), seenJ = SeenOfColour(k, j, 1 - cj, c);
              if (seenI < 0 || seenJ < 0) continue;
              if (victim < 0) {
                victim = c;
                u = seenI;
                w = seenJ;
                StartElimination(step, TechniqueId::MultiColouring);
              }
              EliminateAt(step, c, d);
            }
            if (victim < 0) continue;
            PushPath(step, k, d, u, x, LinkKind::Strong);
            PushPath(step, k, d, y, w, LinkKind::Weak);
            ColourClusters(step, k, i, 1 - ci);
            ColourClusters(step, k, j, 1 - cj);
            FinishColouring(step, d);
            return true;
          }
        }
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
