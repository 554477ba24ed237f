// Puzzle files on disk: the text to save for a file name, reading and
// writing whole files with their failures as messages; and the offer to put
// the puzzles of one text into the saved-puzzle library under numbered
// names.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_host.h"
#include "board/puzzle_formats.h"

namespace tavimoro {

// Files larger than this are refused unread: no puzzle text comes near it.
inline constexpr std::size_t kMaxPuzzleFileBytes = 64u << 20;
// Files larger than this are read while the user can follow and cancel it.
inline constexpr std::size_t kReadWithProgressBytes = 4u << 20;

enum class SaveFormat {
  PuzzleFile,  // the plain line and the exact board (any other name)
  Sdk,         // ".sdk": nine rows of digits and "."
  Ss,          // ".ss": nine rows with "|" and "-" frames
};

// By the name's extension, in any letter case.
SaveFormat SaveFormatOf(std::string_view path);
std::string SaveText(const FormatGrid& cells, SaveFormat format);

// Reads the whole file into text: "" when done, else the message to show
// ("Cannot read NAME", "NAME is too large to be a puzzle file", "NAME is
// not a text file").
std::string ReadTextFile(const std::string& path, std::string& text);
// The puzzles of a file's text in the layouts ReadPuzzles knows, read in
// pieces of about pieceBytes cut only between lines where no layout spans
// the cut, so that a collection of any size costs little beyond its text:
// the first `keep` puzzles are kept, the rest only counted. progress gets
// the share of the text read after each piece; when it answers false the
// reading stops and `cancelled` is set.
struct FilePuzzles {
  std::vector<FormatGrid> first;
  std::size_t total = 0;
  bool cancelled = false;
};
using ReadProgress = std::function<bool(double done)>;
inline constexpr std::size_t kPieceBytes = 1u << 20;
FilePuzzles ReadFilePuzzles(std::string_view text, std::size_t keep, const ReadProgress& progress = {},
                            std::size_t pieceBytes = kPieceBytes);

// A file's text that ReadPuzzles leaves alone but that is still a puzzle
// file: one board record, or the board's own line with its marks. Its
// puzzle; nothing for any other text, whose stray digits and dots are no
// puzzle.
std::optional<FormatGrid> WholeTextPuzzle(std::string_view text);
// True when a row, column or block holds some digit twice.
bool BreaksRules(const FormatGrid& cells);

// Writes text through a temporary file beside path that then replaces it
// (see ReplaceFileText), so that a failed write leaves an existing file
// whole: "" when done, else "Cannot write NAME" and the reason. Read-only
// files and things that are not regular files are refused.
std::string WriteTextFile(const std::string& path, std::string_view text);

// Offers to put the puzzles of one text (board records) into the
// saved-puzzle library: asks, takes a name as the saving of one puzzle does
// (an empty name cancels, a name the store cannot keep is asked again), and
// stores them under that name numbered, taken names skipped; at most the
// first kMaxPuzzlesToLibrary. The number of puzzles stored.
// total is the number of puzzles the text holds, records the first of them.
int OfferPuzzlesToLibrary(BoardHost& host, const std::vector<std::string>& records, std::size_t total);

}  // namespace tavimoro
