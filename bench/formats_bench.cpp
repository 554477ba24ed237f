// The puzzle-format readers over 17clue.txt written in each layout, one
// thread: one iteration reads the whole text; items per second are puzzles
// per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "board/puzzle_formats.h"
#include "common/corpus.h"

namespace tavimoro {
namespace {

enum class Layout { Line, LabelledLine, Rows, PencilGrid };

// The collection written in one layout; empty cells of the pencil grid carry
// all nine marks.
std::string Written(Layout layout, std::size_t& count) {
  std::string text;
  count = 0;
  for (const auto& line : testing::CorpusLines("17clue.txt")) {
    FormatGrid cells{};
    for (int i = 0; i < 81 && i < static_cast<int>(line.size()); ++i) {
      if (line[i] >= '1' && line[i] <= '9') {
        cells[i] = FormatCell{static_cast<std::uint8_t>(line[i] - '0'), true, 0};
      } else {
        cells[i].Marks = layout == Layout::PencilGrid ? 511 : 0;
      }
    }
    switch (layout) {
      case Layout::Line:
        text += WriteLine(cells) + "\n";
        break;
      case Layout::LabelledLine:
        text += "Puzzle " + std::to_string(count + 1) + ": " + WriteLine(cells) + "\n";
        break;
      case Layout::Rows:
        text += WriteSs(cells) + "\n";
        break;
      case Layout::PencilGrid:
        text += WritePencilGrid(cells) + "\n";
        break;
    }
    ++count;
  }
  return text;
}

void ReadLayout(benchmark::State& state, Layout layout) {
  std::size_t count = 0;
  const std::string text = Written(layout, count);
  if (count == 0) {
    state.SkipWithError("collection not found: 17clue.txt");
    return;
  }
  std::size_t read = 0;
  for (auto _ : state) {
    read = ReadPuzzles(text).size();
    benchmark::DoNotOptimize(read);
  }
  if (read != count) state.SkipWithError("a puzzle was not read back");
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

BENCHMARK_CAPTURE(ReadLayout, Lines, Layout::Line)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLayout, LabelledLines, Layout::LabelledLine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLayout, SsBlocks, Layout::Rows)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLayout, PencilGrids, Layout::PencilGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavimoro
