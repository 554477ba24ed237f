#include "board/puzzle_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "common/cli_run.h"
#include "format_cases.h"
#include "recording_host.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

FormatGrid SomeBoard() {
  FormatGrid cells{};
  cells[0] = FormatCell{5, true, 0};
  cells[1] = FormatCell{3, false, 0};
  cells[2].Marks = 0b110;
  return cells;
}

TEST(PuzzleFiles, TheExtensionChoosesTheLayoutAndEachReadsBack) {
  EXPECT_EQ(SaveFormatOf("/x/puzzle.SDK"), SaveFormat::Sdk);
  EXPECT_EQ(SaveFormatOf("a.ss"), SaveFormat::Ss);
  EXPECT_EQ(SaveFormatOf("a.ss.txt"), SaveFormat::PuzzleFile);
  EXPECT_EQ(SaveFormatOf("sdk"), SaveFormat::PuzzleFile);

  const TempDir temp;
  const FormatGrid board = SomeBoard();
  FormatGrid digits = board;
  for (auto& cell : digits) cell = FormatCell{cell.Value, cell.Value != 0, 0};
  for (const std::string name : {"p.txt", "p.sdk", "p.ss"}) {
    const std::string path = (temp.Path() / name).string();
    ASSERT_EQ(WriteTextFile(path, SaveText(board, SaveFormatOf(path))), "");
    std::string text;
    ASSERT_EQ(ReadTextFile(path, text), "");
    const auto puzzles = ReadPuzzles(text);
    ASSERT_EQ(puzzles.size(), 1u) << name;
    EXPECT_EQ(puzzles[0].Cells, name == "p.txt" ? board : digits) << name;
  }
}

TEST(PuzzleFiles, FailuresAreMessagesAndLeaveNothingBehind) {
  const TempDir temp;
  std::string text = "untouched";
  EXPECT_EQ(ReadTextFile((temp.Path() / "missing.txt").string(), text), "Cannot read missing.txt");
  EXPECT_EQ(ReadTextFile(temp.Path().string(), text), "Cannot read " + temp.Path().filename().string());
  const fs::path large = temp.Path() / "large.txt";
  std::ofstream(large).put('1');
  fs::resize_file(large, kMaxPuzzleFileBytes + 1);
  EXPECT_EQ(ReadTextFile(large.string(), text), "large.txt is too large to be a puzzle file");

  EXPECT_EQ(WriteTextFile((temp.Path() / "no/such/folder/p.txt").string(), "x"),
            "Cannot write p.txt: No such file or directory");
  const fs::path kept = temp.Path() / "kept.txt";
  std::ofstream(kept) << "old";
  EXPECT_EQ(WriteTextFile(kept.string(), "new"), "");
  EXPECT_EQ(testing::ReadWhole(kept), "new");
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(temp.Path()))
    names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"large.txt", "kept.txt"}));
}

// Read in pieces (here cut wherever a cut is allowed), each sample and all
// of them in one text give the puzzles that reading in one go gives.
TEST(PuzzleFiles, ReadingInPiecesReadsWhatOneGoReads) {
  std::vector<std::string> texts;
  std::string all;
  for (const std::string& name : testing::CaseNames()) {
    texts.push_back(testing::ReadFile(testing::kCaseFolder / (name + ".in")));
    all += texts.back() + "\n";
  }
  texts.push_back(all);
  for (const std::string& text : texts) {
    if (WholeTextPuzzle(text)) continue;  // never read in pieces
    const FilePuzzles pieces = ReadFilePuzzles(text, SIZE_MAX, {}, 1);
    const std::vector<ReadPuzzle> whole = ReadPuzzles(text);
    ASSERT_EQ(pieces.total, whole.size()) << text;
    for (std::size_t i = 0; i < whole.size(); ++i) EXPECT_EQ(pieces.first[i], whole[i].Cells) << text;
  }
  const FilePuzzles kept = ReadFilePuzzles(all, 2);
  EXPECT_EQ(kept.first.size(), 2u);
  EXPECT_EQ(kept.total, ReadPuzzles(all).size());
  int calls = 0;
  const FilePuzzles stopped = ReadFilePuzzles(
      all, 2, [&calls](double) { return ++calls < 3; }, 1);
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(calls, 3);
}

TEST(PuzzleFiles, ALinkedFileIsReplacedBehindItsLink) {
  const TempDir temp;
  const fs::path target = temp.Path() / "target.txt";
  std::ofstream(target) << "old";
  fs::create_symlink(target, temp.Path() / "link.txt");
  EXPECT_EQ(WriteTextFile((temp.Path() / "link.txt").string(), "new"), "");
  EXPECT_TRUE(fs::is_symlink(temp.Path() / "link.txt"));
  EXPECT_EQ(testing::ReadWhole(target), "new");
}

// Save As never writes through a planted link, never replaces a read-only
// file or a device, and keeps the file's permissions.
TEST(PuzzleFiles, SavingCannotBeTurnedOnOtherFiles) {
  const TempDir temp;
  const fs::path victim = temp.Path() / "victim.txt";
  std::ofstream(victim) << "victim";
  const fs::path saved = temp.Path() / "p.txt";
  fs::create_symlink(victim, temp.Path() / "p.txt.tavimoro-new");
  EXPECT_EQ(WriteTextFile(saved.string(), "new"), "");
  EXPECT_EQ(testing::ReadWhole(victim), "victim");

  ::chmod(saved.c_str(), 0600);
  EXPECT_EQ(WriteTextFile(saved.string(), "newer"), "");
  EXPECT_EQ(fs::status(saved).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  ::chmod(saved.c_str(), 0444);
  EXPECT_EQ(WriteTextFile(saved.string(), "x"), "Cannot write p.txt: it is read-only");
  EXPECT_EQ(testing::ReadWhole(saved), "newer");

  const fs::path fifo = temp.Path() / "fifo.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(WriteTextFile(fifo.string(), "x"), "Cannot write fifo.txt: it is not a regular file");
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(PuzzleFiles, SeveralPuzzlesGoToTheLibraryUnderNumberedNamesWhenAsked) {
  const std::vector<std::string> records = {"[1|T|]", "[2|T|]", "[3|T|]"};
  testing::RecordingHost host;
  host.answers = {Answer::No};
  EXPECT_EQ(OfferPuzzlesToLibrary(host, records, 3), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "The text holds 3 puzzles. Put all of them in the saved-puzzle library?");

  host.answers = {Answer::Yes};
  host.inputs = {""};
  EXPECT_EQ(OfferPuzzlesToLibrary(host, records, 3), 0);
  EXPECT_EQ(host.messages.back().text, "Puzzle save canceled");

  host.saved["Week 2"] = "old";
  host.answers = {Answer::Yes};
  host.inputs = {"Week"};
  EXPECT_EQ(OfferPuzzlesToLibrary(host, records, 3), 3);
  EXPECT_EQ(host.saved["Week 1"], "[1|T|]");
  EXPECT_EQ(host.saved["Week 2"], "old");
  EXPECT_EQ(host.saved["Week 3"], "[2|T|]");
  EXPECT_EQ(host.saved["Week 4"], "[3|T|]");

  EXPECT_EQ(OfferPuzzlesToLibrary(host, {"[1|T|]"}, 1), 0);  // one puzzle: nothing to offer
  host.answers = {Answer::Yes};
  host.inputs = {"Big"};
  EXPECT_EQ(OfferPuzzlesToLibrary(host, std::vector<std::string>(kMaxPuzzlesToLibrary, "[1|T|]"), 205),
            static_cast<int>(kMaxPuzzlesToLibrary));
  EXPECT_EQ(host.messages.back().text,
            "The text holds 205 puzzles. Put the first 200 of them in the saved-puzzle library?");
}

TEST(PuzzleFiles, SeveralPuzzlesAreAnnouncedOnceTheFirstIsLoaded) {
  testing::RecordingHost host;
  Board board(host);
  const std::string other(81, '.');
  ASSERT_TRUE(board.ApplyPuzzle(std::string(testing::kPuzzle) + "\n" + other + "\n" + other + "\n"));
  EXPECT_EQ(board.GetGrid(true), testing::kPuzzle);
  EXPECT_EQ(host.severalPuzzles, std::vector<std::size_t>{3});
  ASSERT_TRUE(board.ApplyPuzzle(testing::kPuzzle));
  EXPECT_EQ(host.severalPuzzles.size(), 1u);
}

}  // namespace
}  // namespace tavimoro
