#include "cli/puzzle_input.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/command.h"
#include "cli/library_line.h"
#include "cli/puzzle_files.h"
#include "engine/cells_and_marks.h"
#include "engine/validate.h"

namespace tavimoro::cli {
namespace {

bool IsCellCharacter(char ch) { return ch == '.' || ch == '_' || (ch >= '0' && ch <= '9'); }

bool IsSkipped(const std::string& line) {
  if (!line.empty() && line[0] == '#') return true;
  return line.find_first_not_of(" \t") == std::string::npos;
}

// Why the line is not a puzzle, "" when it is one: 81 cells, alone or
// followed by the pencil-mark text.
std::string PuzzleLineProblem(const std::string& line) {
  if (line.size() == 81) return "";
  PuzzleState state;
  if (line.size() > 81 && line.find('|', 81) != std::string::npos) {
    if (ReadCellsAndMarks(line, state)) return "";
    return "the pencil-mark text after the 81 cells is not 81 groups of digits, each ending in \"|\"";
  }
  if (line.size() == 729)
    return "729 characters, but not the candidates of 81 cells, each with at least one digit";
  return std::to_string(line.size()) + " characters, a puzzle line has 81";
}

// A line of 81 cells followed by a blank or a tab and a comment (a tag, a
// rating) stands for its cells; pencil-mark text after the cells is kept.
std::string WithoutComment(const std::string& line) {
  if (line.size() > 81 && (line[81] == '\t' || line[81] == ' ')) {
    if (line.find('|', 81) == std::string::npos) return line.substr(0, 81);
  }
  return line;
}

bool OutputFailed() { return !std::cout || std::ferror(stdout) != 0; }

void Refuse(const std::string& name, std::size_t number, const std::string& problem, bool& refused) {
  std::cerr << "tavimoro-cli: " << name << ":" << number << ": not a puzzle: " << problem << "\n";
  refused = true;
}

// The puzzle line with "+" put back before the digits of the placed cells.
std::string WithPlacedMarks(const std::string& puzzle, const std::vector<int>& placed) {
  std::string marked;
  for (std::size_t i = 0; i < puzzle.size(); ++i) {
    if (std::find(placed.begin(), placed.end(), static_cast<int>(i)) != placed.end() && i < 81) marked += '+';
    marked += puzzle[i];
  }
  return marked;
}

// One line of a file read line by line (or a line between the puzzles of a
// layout file): a puzzle line, a library case, skipped, or refused. A line
// that starts with its cells may mark placed digits with "+".
void ReadLine(std::string line, const std::string& name, std::size_t number,
              const std::function<void(const std::string&)>& each, bool& refused) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (IsSkipped(line)) return;
  if (line.front() == ':') {
    if (const auto libraryCase = ReadLibraryLine(line)) {
      each(libraryCase->position);
    } else {
      Refuse(name, number,
             "not a library case (:CODE:CANDIDATES:GIVENS:DELETED:ELIMINATIONS:PLACEMENTS:EXTRA)", refused);
    }
    return;
  }
  std::vector<int> placed;
  if (line.find('+') != std::string::npos && (line.front() == '+' || IsCellCharacter(line.front())))
    line = WithoutPlacedMarks(line, placed);
  const std::string puzzle = WithoutComment(PuzzleOfLine(line));
  const std::string problem = PuzzleLineProblem(puzzle);
  if (problem.empty()) {
    each(placed.empty() ? puzzle : WithPlacedMarks(puzzle, placed));
  } else {
    Refuse(name, number, problem, refused);
  }
}

// Reads one input. A text of nine-row blocks, pencil-mark grids and the like
// is read puzzle by puzzle, the lines between them as puzzle lines; any
// other text line by line, a labelled line as its 81 cells. False when
// reading failed before the end (a directory, an I/O error); refused is set
// when a line was not a puzzle.
bool ReadStream(std::istream& in, const std::string& name,
                const std::function<void(const std::string&)>& each, bool& refused) {
  std::string text;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return false;
  std::vector<LayoutPuzzle> puzzles;
  std::vector<LayoutGap> gaps;
  if (ReadLayoutPuzzles(text, puzzles, gaps)) {
    std::vector<std::string_view> lines;
    for (std::string_view rest = text; !rest.empty();) {
      const auto end = rest.find('\n');
      lines.push_back(rest.substr(0, end));
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    auto gap = gaps.begin();
    auto puzzle = puzzles.begin();
    while ((gap != gaps.end() || puzzle != puzzles.end()) && !OutputFailed()) {
      if (puzzle != puzzles.end() && (gap == gaps.end() || puzzle->Line < gap->Line)) {
        each((puzzle++)->Text);
      } else if (gap->Count > 1) {
        Refuse(name, gap->Line, std::to_string(gap->Count) + " rows, a grid has 9", refused);
        ++gap;
      } else {
        ReadLine(std::string(lines[gap->Line - 1]), name, gap->Line, each, refused);
        ++gap;
      }
    }
    return true;
  }
  std::istringstream lines(text);
  std::string line;
  for (std::size_t number = 1; std::getline(lines, line) && !OutputFailed(); ++number)
    ReadLine(std::move(line), name, number, each, refused);
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
  std::vector<int> placed;
  const std::string plain = line.find('+') == std::string::npos ? line : WithoutPlacedMarks(line, placed);
  PuzzleState state;
  if (!ReadCellsAndMarks(plain, state)) state = PuzzleFromString(plain);
  if (placed.empty()) return state;
  // Placed digits count as such only over givens that make a proper puzzle,
  // as on the board: the steps that lean on them assume its one solution.
  PuzzleState givens;
  for (int c = 0; c < 81; ++c) givens.Grid[c] = state.Grid[c];
  for (const int c : placed) givens.Grid[c] = 0;
  CalcCandidates(givens);
  if (!Validate(givens, true, false, true).empty()) return state;
  for (const int c : placed) state.MarkEntered(c);
  return state;
}

int ForEachPuzzleLine(const std::vector<std::string>& files,
                      const std::function<void(const std::string&)>& each) {
  bool refused = false;
  if (files.empty()) {
    if (!ReadStream(std::cin, "standard input", each, refused)) return CannotRead("standard input");
  }
  for (const auto& name : files) {
    if (name == "-") {
      if (!ReadStream(std::cin, "standard input", each, refused)) return CannotRead("standard input");
      continue;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in || !ReadStream(in, name, each, refused)) return CannotRead(name);
  }
  return refused ? kExitRefusedLines : kExitOk;
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
