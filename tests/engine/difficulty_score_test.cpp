// The difficulty score: the easiest-first solve, the score of what it leaves
// unfinished, and the calibration against the published ratings of
// rated.tsv (Spearman rank correlation at least 0.95).
#include "engine/difficulty_score.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "common/corpus.h"
#include "common/puzzles.h"
#include "engine/technique_registry.h"

namespace tavimoro {
namespace {

PuzzleState Fresh(std::string_view text) {
  PuzzleState s = PuzzleFromString(text);
  CalcCandidates(s);
  return s;
}

// Average ranks, ties sharing the mean of their places.
std::vector<double> Ranks(const std::vector<double>& values) {
  std::vector<std::size_t> order(values.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](auto a, auto b) { return values[a] < values[b]; });
  std::vector<double> ranks(values.size());
  for (std::size_t i = 0; i < order.size();) {
    std::size_t j = i;
    while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]]) ++j;
    for (std::size_t k = i; k <= j; ++k) ranks[order[k]] = (i + j) / 2.0 + 1;
    i = j + 1;
  }
  return ranks;
}

double Spearman(const std::vector<double>& x, const std::vector<double>& y) {
  const auto rx = Ranks(x), ry = Ranks(y);
  const double n = static_cast<double>(rx.size());
  const double mx = std::accumulate(rx.begin(), rx.end(), 0.0) / n;
  const double my = std::accumulate(ry.begin(), ry.end(), 0.0) / n;
  double cov = 0, vx = 0, vy = 0;
  for (std::size_t i = 0; i < rx.size(); ++i) {
    cov += (rx[i] - mx) * (ry[i] - my);
    vx += (rx[i] - mx) * (rx[i] - mx);
    vy += (ry[i] - my) * (ry[i] - my);
  }
  return cov / std::sqrt(vx * vy);
}

TEST(DifficultyScore, TakesTheEasiestStepEachTime) {
  // Every empty cell is a naked and a hidden single: the hidden single scores.
  const DifficultyScore singles = ScoreDifficulty(Fresh(testing::kSinglesOnly));
  EXPECT_TRUE(singles.solved);
  EXPECT_EQ(singles.hardestTechnique, Index(TechniqueId::HiddenSingle));
  EXPECT_DOUBLE_EQ(singles.score, 1.2);
  EXPECT_EQ(singles.cellsLeft, 0);
  const DifficultyScore solved = ScoreDifficulty(Fresh(testing::kSolvedGrid));
  EXPECT_TRUE(solved.solved);
  EXPECT_EQ(solved.hardestTechnique, -1);
  EXPECT_DOUBLE_EQ(solved.score, 0);
}

TEST(DifficultyScore, UnfinishedScoresFromTheStuckRatingByCellsLeft) {
  const double stuck = Technique(kStuckRating).score;
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 0), stuck);
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 4), stuck);
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 25), std::round((stuck + 0.5) * 10) / 10);
  EXPECT_DOUBLE_EQ(UnfinishedScore(4.4, 81), std::round((stuck + 0.9) * 10) / 10);
  EXPECT_DOUBLE_EQ(UnfinishedScore(stuck + 1, 0), stuck + 1);
}

TEST(DifficultyScore, RanksRatedPuzzlesAsTheirPublishedRatings) {
  const auto lines = testing::CorpusLines("rated.tsv");
  TAVIMORO_REQUIRE_CORPUS(lines, "rated.tsv");
  std::vector<double> scores, published;
  for (const std::string& line : lines) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    scores.push_back(ScoreDifficulty(Fresh(line.substr(0, tab))).score);
    published.push_back(std::stod(line.substr(tab + 1)));
  }
  EXPECT_GE(Spearman(scores, published), 0.95);
}

}  // namespace
}  // namespace tavimoro
