// Small wings over bivalue cells of one pair {x, y}.
//
// W-Wing: two such cells P and Q that do not see each other, and a strong
// link of x whose ends see P and Q. If neither P nor Q held y both would be
// x, and the link would have no place left for x; so y goes from every cell
// that sees P and Q.
//
// Remote Pair: a path of such cells, each seeing the next, alternates x and
// y; two cells an odd number of links apart hold one x and one y between
// them, so both digits go from every cell that sees the two. Shorter paths
// are preferred: the search runs by path length, then by cells.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/steps/pattern_chain.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro::steps {

bool FindWWing(const PuzzleState& s, StepRecord& step) {
  for (int p = 0; p < 81; ++p) {
    if (s.CandCount[p] != 2) continue;
    const int pair = s.CandMask[p];
    for (int q = p + 1; q < 81; ++q) {
      if (s.CandCount[q] != 2 || s.CandMask[q] != pair || CellsShareHouse(p, q)) continue;
      const int lowDigit = MaskDigit(LowestBit(pair)), highDigit = MaskDigit(pair & ~LowestBit(pair));
      for (const auto& [x, y] :
           {std::array<int, 2>{lowDigit, highDigit}, std::array<int, 2>{highDigit, lowDigit}}) {
        bool anyVictim = false;
        for (int c = 0; c < 81 && !anyVictim; ++c) anyVictim = s.Cand(c, y) && Sees(c, p) && Sees(c, q);
        if (!anyVictim) continue;
        for (int h = 0; h < 27; ++h) {
          if (s.HouseCandCount(h, x) != 2) continue;
          int e1 = -1, e2 = -1;
          for (int c : CellsOfHouse(h))
            if (s.Cand(c, x)) (e1 < 0 ? e1 : e2) = c;
          if (e1 == p || e1 == q || e2 == p || e2 == q) continue;
          if (!(Sees(e1, p) && Sees(e2, q))) {
            if (!(Sees(e2, p) && Sees(e1, q))) continue;
            std::swap(e1, e2);
          }
          StartElimination(step, TechniqueId::WWing);
          PushNode(step, PlainNode(y, p), LinkKind::Strong);
          PushNode(step, PlainNode(x, p), LinkKind::Strong);
          PushNode(step, PlainNode(x, e1), LinkKind::Weak);
          PushNode(step, PlainNode(x, e2), LinkKind::Strong);
          PushNode(step, PlainNode(x, q), LinkKind::Weak);
          PushNode(step, PlainNode(y, q), LinkKind::Strong);
          step.Meaning.House = h;
          for (int c = 0; c < 81; ++c)
            if (s.Cand(c, y) && Sees(c, p) && Sees(c, q)) EliminateAt(step, c, y);
          step.CellColour[p] = PatternColour;
          step.CellColour[q] = PatternColour;
          step.CellColour[e1] = SecondColour;
          step.CellColour[e2] = SecondColour;
          DrawChain(step);
          AppendChainText(step.Text, step.Meaning, true);
          step.Digits << std::min(x, y) << " & " << std::max(x, y);
          step.Meaning.DigitMask = DigitBit(x) | DigitBit(y);
          return true;
        }
      }
    }
  }
  return false;
}

bool FindRemotePair(const PuzzleState& s, StepRecord& step) {
  // Link distances between bivalue cells of the same pair, by a
  // breadth-first walk from each cell; -1 where there is no path.
  std::array<std::uint8_t, 81> cells{};
  int n = 0;
  for (int c = 0; c < 81; ++c)
    if (s.CandCount[c] == 2) cells[n++] = static_cast<std::uint8_t>(c);
  if (n < 4) return false;
  std::array<std::array<std::int8_t, 81>, 81> dist;
  std::array<std::array<std::int8_t, 81>, 81> parent;
  int longest = 0;
  for (int i = 0; i < n; ++i) {
    const int a = cells[i];
    dist[a].fill(-1);
    dist[a][a] = 0;
    parent[a][a] = -1;
    std::array<std::uint8_t, 81> queue{};
    int head = 0, tail = 0;
    queue[tail++] = static_cast<std::uint8_t>(a);
    while (head < tail) {
      const int c = queue[head++];
      for (int j = 0; j < n; ++j) {
        const int next = cells[j];
        if (dist[a][next] >= 0 || s.CandMask[next] != s.CandMask[a] || !Sees(c, next)) continue;
        dist[a][next] = static_cast<std::int8_t>(dist[a][c] + 1);
        parent[a][next] = static_cast<std::int8_t>(c);
        if (dist[a][next] > longest) longest = dist[a][next];
        queue[tail++] = static_cast<std::uint8_t>(next);
      }
    }
  }
  for (int length = 3; length <= longest; length += 2) {
    for (int i = 0; i < n; ++i) {
      const int a = cells[i];
      for (int j = i + 1; j < n; ++j) {
        const int b = cells[j];
        if (dist[a][b] != length) continue;
        const int pair = s.CandMask[a];
        bool any = false;
        for (int c = 0; c < 81 && !any; ++c)
          any = (s.CandMask[c] & pair) && c != a && c != b && dist[a][c] < 0 && Sees(c, a) && Sees(c, b);
        if (!any) continue;
        StartElimination(step, TechniqueId::RemotePair);
        const int x = MaskDigit(LowestBit(pair)), y = MaskDigit(pair & ~LowestBit(pair));
        // The path from b back to a, written from a.
        std::array<int, 81> path{};
        int len = 0;
        for (int c = b; c >= 0; c = parent[a][c]) path[len++] = c;
        int digit = x;
        for (int k = len - 1; k >= 0; --k) {
          const int other = digit == x ? y : x;
          PushNode(step, PlainNode(digit, path[k]), LinkKind::Weak);
          PushNode(step, PlainNode(other, path[k]), LinkKind::Strong);
          step.CellColour[path[k]] = (len - 1 - k) % 2 == 0 ? FirstColour : SecondColour;
          digit = other;
        }
        for (int c = 0; c < 81; ++c) {
          if (c == a || c == b || dist[a][c] >= 0 || !Sees(c, a) || !Sees(c, b)) continue;
          for (int d : {x, y})
            if (s.Cand(c, d)) EliminateAt(step, c, d);
        }
        DrawChain(step);
        AppendChainText(step.Text, step.Meaning, true);
        step.Digits << x << " & " << y;
        step.Meaning.DigitMask = DigitBit(x) | DigitBit(y);
        return true;
      }
    }
  }
  return false;
}

}  // namespace tavimoro::steps
