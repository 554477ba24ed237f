// Arbitrary text through the puzzle-format readers. Every puzzle read must
// keep the cells' invariants, and must come back from each writer: exactly
// from the puzzle file, with its digits from the line and the pencil grid.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "board/puzzle_formats.h"

namespace {

using namespace tavimoro;

void CheckInvariants(const FormatGrid& cells) {
  for (const FormatCell& cell : cells) {
    if (cell.Value > 9 || (cell.Given && cell.Value == 0) || cell.Marks > 511) std::abort();
  }
}

const FormatGrid& OnlyPuzzle(const std::vector<ReadPuzzle>& puzzles) {
  if (puzzles.size() != 1) std::abort();
  return puzzles[0].Cells;
}

bool SameValues(const FormatGrid& a, const FormatGrid& b) {
  for (int i = 0; i < 81; ++i) {
    if (a[i].Value != b[i].Value) return false;
  }
  return true;
}

// An empty cell with one mark is written as that digit and reads back as a
// value; every other cell keeps its value.
bool SamePencilValues(const FormatGrid& written, const FormatGrid& read) {
  for (int i = 0; i < 81; ++i) {
    const FormatCell& w = written[i];
    int value = w.Value;
    if (value == 0 && w.Marks != 0 && (w.Marks & (w.Marks - 1)) == 0) value = std::countr_zero(w.Marks) + 1;
    if (read[i].Value != value || (value == 0 && read[i].Marks != w.Marks)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto puzzles = ReadPuzzles(text);
  HoldsCandidateRows(text);
  for (std::size_t i = 0; i < puzzles.size() && i < 4; ++i) {
    const FormatGrid& cells = puzzles[i].Cells;
    CheckInvariants(cells);
    if (OnlyPuzzle(ReadPuzzles(WritePuzzleFile({cells}))) != cells) std::abort();
    if (!SameValues(OnlyPuzzle(ReadPuzzles(WriteLine(cells))), cells)) std::abort();
    if (!SameValues(OnlyPuzzle(ReadPuzzles(WriteSs(cells))), cells)) std::abort();
    if (!SamePencilValues(cells, OnlyPuzzle(ReadPuzzles(WritePencilGrid(cells))))) std::abort();
  }
  return 0;
}
