#include "cli/puzzle_input.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/command.h"
#include "cli/puzzle_files.h"
#include "engine/cells_and_marks.h"

namespace tavimoro::cli {
namespace {

bool IsSkipped(const std::string& line) {
  if (!line.empty() && line[0] == '#') return true;
  return line.find_first_not_of(" \t") == std::string::npos;
}

// False when reading failed before the end (a directory, an I/O error).
// A text of nine-row blocks, pencil-mark grids and the like is read puzzle
// by puzzle; any other text line by line.
bool ReadStream(std::istream& in, const std::function<void(const std::string&)>& each) {
  std::string text;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) text.append(buffer, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return false;
  std::vector<std::string> puzzles;
  if (ReadLayoutPuzzles(text, puzzles)) {
    for (const auto& puzzle : puzzles) each(puzzle);
    return true;
  }
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!IsSkipped(line)) each(PuzzleOfLine(line));
  }
  return true;
}

int CannotRead(const std::string& name) {
  std::cerr << "tavimoro-cli: cannot read " << name << "\n";
  return kExitFileError;
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

PuzzleState PositionFromLine(const std::string& line) {
  PuzzleState state;
  if (!ReadCellsAndMarks(line, state)) state = PuzzleFromString(line);
  return state;
}

int ForEachPuzzleLine(const std::vector<std::string>& files,
                      const std::function<void(const std::string&)>& each) {
  if (files.empty()) return ReadStream(std::cin, each) ? kExitOk : CannotRead("standard input");
  for (const auto& name : files) {
    if (name == "-") {
      if (!ReadStream(std::cin, each)) return CannotRead("standard input");
      continue;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in || !ReadStream(in, each)) return CannotRead(name);
  }
  return kExitOk;
}

int ReadPuzzleLines(const std::vector<std::string>& files, std::vector<std::string>& lines) {
  return ForEachPuzzleLine(files, [&](const std::string& line) { lines.push_back(line); });
}

Progress::Progress() : enabled_(isatty(STDERR_FILENO) != 0), start_(Now()), lastShown_(start_) {}

Progress::~Progress() {
  if (enabled_ && last_ > 0) std::fputs("\r\033[K", stderr);
}

void Progress::Tick(long done) {
  last_ = done;
  if (!enabled_) return;
  const double now = Now();
  if (now - lastShown_ < 0.25) return;
  lastShown_ = now;
  std::fprintf(stderr, "\r%ld puzzles, %.0f/s", done, done / (now - start_));
  std::fflush(stderr);
}

}  // namespace tavimoro::cli
