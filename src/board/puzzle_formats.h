// Puzzle formats that players exchange, read from and written to text.
//
// Reading works line by line. Each line is classed once, then puzzles are
// taken from the lines in order, so one text may hold many puzzles of
// different layouts:
//
//   Record        "[5|T|][0|F|129]..." (the board record of 81 cells),
//                 alone on a line
//   Line          81 cell characters ("._0123456789") on one line; a label
//                 before or a comment after is ignored ("Puzzle 12: 4....")
//   Rows          nine rows of nine cells, with or without "|" and "-"
//                 frames: plain blocks, .sdk files ("#" header lines) and
//                 .ss files ("53.|.7.|..." rows, "---+---+---" lines)
//   PencilGrid    nine rows of nine candidate groups ("5  3  129 | ...");
//                 a group of one digit is a value, of several an empty cell
//                 with those marks, "." an empty cell without marks
//   Candidates    729 characters, nine per cell: digit d or "."/"0" in the
//                 d-th place; one digit left is a value
//
// A line "#" followed by a record, directly after a puzzle with the same
// digits, replaces that puzzle: the puzzle file written here is a plain
// line for other programs with the exact board behind it in a comment.
//
// Reading is strict about shapes so that a recognised puzzle is the one the
// text holds; text that fits none of these layouts yields nothing, and the
// caller falls back to its general scan.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro {

// One cell as the formats carry it: the same fields as the board's cells.
struct FormatCell {
  std::uint8_t Value = 0;   // 0 empty, 1..9
  bool Given = false;       // only together with a value
  std::uint16_t Marks = 0;  // pencil marks, digit d at bit d - 1
  bool operator==(const FormatCell&) const = default;
};
using FormatGrid = std::array<FormatCell, 81>;

// The library of saved puzzles is a section of the settings file, listed in
// one menu: a collection of thousands goes there only in part.
inline constexpr std::size_t kMaxPuzzlesToLibrary = 200;

enum class PuzzleLayout { Record, Line, Rows, PencilGrid, Candidates };

struct ReadPuzzle {
  PuzzleLayout Layout = PuzzleLayout::Line;
  FormatGrid Cells{};
  std::size_t Line = 0;  // its first line in the text, counted from 0
};

// Lines that hold a digit yet are no part of a puzzle: Count 1 a single
// line, more a grid with rows beyond its nine. Blank lines, "#" comments,
// frame lines and titles without digits are not counted.
struct UnreadLines {
  std::size_t Line = 0;  // counted from 0
  std::size_t Count = 1;
};

// Every puzzle in text, in order; empty when no line or block fits a layout,
// and for the board's own copy with marks (81 cell characters, then the
// pencil text), which the general scan reads. Digits read from any layout
// but the record are givens. A grid of more than nine rows and a candidate
// line with a cell of no digit are no puzzles. When unread is given, it
// receives the lines that held no puzzle.
std::vector<ReadPuzzle> ReadPuzzles(std::string_view text, std::vector<UnreadLines>* unread = nullptr);

// True when text has a row of nine or more digit groups, some of two to
// eight digits, written with spaces: candidate lists that ReadPuzzles could
// not place in a grid. A general scan of such text would take the first 81
// digits of the lists as a puzzle, so the caller refuses it instead.
bool HoldsCandidateRows(std::string_view text);

// A board record string (the "[value|flag|marks]" cells, as undo keeps
// them) read tolerantly: what cannot be read is left empty, and a given
// flag counts only with a value.
FormatGrid ReadRecord(std::string_view record);
std::string WriteRecord(const FormatGrid& cells);

// 81 characters, the digit or "." (givens and entered digits alike).
std::string WriteLine(const FormatGrid& cells);
// Nine rows of nine with "\n", the .sdk body.
std::string WriteSdk(const FormatGrid& cells);
// Nine rows "53.|.7.|..." with "---+---+---" between the bands (.ss).
std::string WriteSs(const FormatGrid& cells);
// The framed candidate grid of forum posts: values as one digit, empty cells
// as their marks ("." without marks), columns padded to their widest group.
std::string WritePencilGrid(const FormatGrid& cells);
// The puzzle file: per board its plain line, then "#" and its record, so
// that other programs read the puzzle and ReadPuzzles the board exactly.
std::string WritePuzzleFile(const std::vector<FormatGrid>& boards);

}  // namespace tavimoro
