// Scripted sessions through `tavimoro-cli play`, checked on the JSON it
// prints, its error output, its exit status and the settings file it writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "common/cli_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using tavimoro::testing::ReadWhole;

constexpr std::string_view kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

class Play : public ::testing::Test {
 protected:
  // Runs the script; the JSON objects printed, in order.
  std::vector<json> Run(const std::string& script) {
    const auto result = tavimoro::testing::RunCli("play --ini '" + ini_.string() + "'", script);
    exitStatus = result.status;
    errors = result.err;
    std::vector<json> shown;
    for (const auto& line : result.Lines()) shown.push_back(json::parse(line));
    return shown;
  }
  static std::string Cell(const json& show, int cell) {
    const std::string board = show["board"];
    std::size_t at = 0;
    for (int i = 0; i < cell; ++i) at = board.find(']', at) + 1;
    return board.substr(at, board.find(']', at) + 1 - at);
  }

  tavimoro::testing::TempDir temp_;
  const fs::path ini_ = temp_.Path() / "Tavimoro.ini";
  int exitStatus = -1;
  std::string errors;
};

TEST_F(Play, EnterAPuzzleByHandAndPlayIt) {
  std::string script = "paste ";
  for (int r = 0; r < 9; ++r) script += std::string(kPuzzle.substr(9 * r, 9)) + "\\n";
  script +=
      "\nshow\nclick 2 left\nkey 4\nkey Right\nkey Num6\nkey Left\nkey Delete\nclick 0 left\nkey 9\nshow\n";
  const auto shown = Run(script);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(Cell(shown[0], 0), "[5|T|]");
  EXPECT_EQ(shown[0]["enabled"]["undo"], true);
  EXPECT_EQ(Cell(shown[1], 2), "[0|F|]");
  EXPECT_EQ(Cell(shown[1], 3), "[6|F|]");
  EXPECT_EQ(shown[1]["sel"], 0);
  EXPECT_EQ(shown[1]["beeps"], 1);
  EXPECT_EQ(Cell(shown[1], 0), "[5|T|]");
  EXPECT_EQ(exitStatus, 0);
}

TEST_F(Play, OpenAPuzzleFileAndAPencilMarkGrid) {
  const fs::path file = temp_.Path() / "puzzle.sdk";
  std::string rows = "#A hand-made sample\n";
  for (int r = 0; r < 9; ++r) rows += std::string(kPuzzle.substr(9 * r, 9)) + "\n";
  std::ofstream(file) << rows;
  const auto shown =
      Run("open " + file.string() + "\nshow\nopen " + (temp_.Path() / "none.txt").string() + "\nshow\n");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(Cell(shown[0], 0), "[5|T|]");
  EXPECT_EQ(Cell(shown[0], 2), "[0|F|]");
  EXPECT_EQ(shown[1]["board"], shown[0]["board"]);
  ASSERT_EQ(shown[1]["messages"].size(), 1u);
  EXPECT_EQ(shown[1]["messages"][0]["text"], "Cannot read none.txt");

  std::string pencil = "paste ";
  for (int r = 0; r < 9; ++r) pencil += r == 0 ? "12 . . | . . . | . . 9\\n" : ". . . | . . . | . . .\\n";
  const auto marks = Run(pencil + "\nshow\n");
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(Cell(marks[0], 0), "[0|F|12]");
  EXPECT_EQ(Cell(marks[0], 8), "[9|T|]");
}

TEST_F(Play, PencilMarksDoublePressAndUndo) {
  const auto shown = Run("apply " + std::string(kPuzzle) +
                         "\nclick 2 right\nmenu mnuPMRow\nshow\n"
                         "key P\nkey 4\nwait 300\nkey 4\nshow\n"
                         "key 1\nwait 301\nkey 1\nshow\n"
                         "key Z ctrl\nkey Z ctrl\nshow\n");
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(Cell(shown[0], 2), "[0|F|124]");
  EXPECT_EQ(shown[0]["enabled"]["removeMarks"], true);
  EXPECT_EQ(shown[0]["enabled"]["pmCell"], false);
  EXPECT_EQ(Cell(shown[1], 2), "[4|F|12]");
  EXPECT_EQ(shown[1]["tool"], 1);
  EXPECT_EQ(Cell(shown[2], 2), "[0|F|12]");  // pencil on a value clears it; the late press toggles back
  EXPECT_EQ(Cell(shown[3], 2), "[4|F|12]");
}

TEST_F(Play, SaveUnderAnExistingNameAnsweredNoThenYes) {
  const auto shown = Run("apply " + std::string(kPuzzle) +
                         "\ninput first\nkey S ctrl\n"
                         "click 2 left\nkey 4\n"
                         "input FIRST\nanswer no\nmenu mnuSave\nshow\n"
                         "input first\nanswer yes\nmenu mnuSave\n"
                         "input bad=name\ninput\nmenu mnuSave\nshow\n");
  ASSERT_EQ(shown.size(), 2u);
  ASSERT_EQ(shown[0]["messages"].size(), 1u);
  EXPECT_EQ(shown[0]["messages"][0]["text"], "FIRST already exists. Overwrite?");
  ASSERT_EQ(shown[1]["messages"].size(), 3u);
  EXPECT_EQ(shown[1]["messages"][1]["text"], "The name cannot contain \"=\".");
  EXPECT_EQ(shown[1]["messages"][2]["text"], "Puzzle save canceled");
  const std::string ini = ReadWhole(ini_);
  EXPECT_EQ(ini.find("bad"), std::string::npos);
  EXPECT_EQ(ini.rfind("[SavedGames]\nfirst=[5|T|][3|T|][4|F|]", 0), 0u) << ini;
}

TEST_F(Play, LoadASavedPuzzleByName) {
  std::ofstream(ini_) << "[SavedGames]\neasy=[1|T|][2|F|3][0|F|]\n";
  const auto shown = Run("input easy\nmenu mnuLoad\nshow\nanswer yes\ninput missing\nmenu mnuLoad\nshow\n");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(Cell(shown[0], 1), "[2|F|3]");
  ASSERT_EQ(shown[1]["messages"].size(), 2u);
  EXPECT_EQ(shown[1]["messages"][0]["text"], "Are you sure you would like to discard the current puzzle?");
  EXPECT_EQ(shown[1]["messages"][1]["text"], "An error occurred");
}

TEST_F(Play, ClipboardAndHighlightsAppearInShow) {
  const auto shown =
      Run("apply " + std::string(kPuzzle) +
          "\nmenu mnuCopy\nshow\nfrobnicate\nkey F13\nmenu imgBut7\nmenu mnuFAQ3\nmenu mnuPrint\nshow\n");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0]["clipboard"], kPuzzle);
  EXPECT_EQ(shown[0]["colors"], json::array());
  EXPECT_EQ(shown[1]["messages"], json::array());
  EXPECT_NE(errors.find("unknown command 'frobnicate'"), std::string::npos);
  EXPECT_NE(errors.find("unknown key 'F13'"), std::string::npos);
  EXPECT_NE(errors.find("unknown menu item 'imgBut7'"), std::string::npos);  // buttons are not menu items
  EXPECT_EQ(errors.find("mnuFAQ3"), std::string::npos);
  EXPECT_EQ(errors.find("mnuPrint"), std::string::npos);
  EXPECT_EQ(exitStatus, 0);
}

TEST_F(Play, OptionTogglesAreStored) {
  Run("menu mnuShowAnal\nmenu mnuRember\nmenu mnuCheckVer\nmenu mnuCheckVer\n");
  EXPECT_EQ(ReadWhole(ini_), "[Options]\nShowAnalysis=Y\nWizard=N\nCheckVer=Y\n");
}

// A whole hint sequence scripted: the panel escalates, highlights the cell,
// applies through the link; an entered wrong digit turns the light red.
TEST_F(Play, HintSequenceAndStatusPanel) {
  constexpr std::string_view kSolution =
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  std::string holes(kSolution);
  holes[0] = holes[80] = '.';
  const auto shown = Run("apply " + holes + "\nshow\nkey H\nshow\nkey H\nshow\nlink ApplyLastHint\nshow\n" +
                         "apply " + std::string(kPuzzle) + "\nclick 2 left\nkey 2\nshow\nkey A\nshow\n");
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_NE(shown[0]["panel"].get<std::string>().find("to see an analysis of this puzzle."),
            std::string::npos);
  EXPECT_EQ(shown[0]["enabled"]["hint"], true);
  EXPECT_NE(shown[1]["panel"].get<std::string>().find("Look for an <a href='"), std::string::npos);
  EXPECT_NE(shown[2]["panel"].get<std::string>().find("This block only has one open cell left (9)."),
            std::string::npos);
  EXPECT_EQ(shown[2]["sel"], 80);
  EXPECT_EQ(shown[2]["colors"], json::parse("[[80, 16777088]]"));
  EXPECT_EQ(Cell(shown[3], 80), "[9|F|]");
  EXPECT_EQ(shown[3]["colors"], json::array());
  EXPECT_EQ(shown[4]["light"], "red");
  EXPECT_EQ(shown[4]["panel"],
            "<HTML><BODY><h5>Invalid puzzle - no solution</h5><br>Pink cell is invalid.</BODY></HTML>");
  EXPECT_EQ(shown[4]["enabled"]["hint"], false);
  EXPECT_EQ(shown[4]["colors"], json::parse("[[2, 16761087]]"));
  EXPECT_EQ(shown[5]["panel"].get<std::string>().rfind("<HTML><BODY><h5>Invalid puzzle - no solution", 0),
            0u);
}

}  // namespace

// "menu mnuExtended" toggles "Techniques beyond the ladder" (on in a fresh
// settings file) and stores it; where the ladder is stuck, the hint says so
// with the tick off and names the extension's step with it on.
TEST_F(Play, ExtendedTechniquesToggleIsStoredAndDrivesTheHint) {
  constexpr std::string_view kLadderStuck =
      ".2.4..97..79.21.43...9.7..24.7..93.639.....572.1.734987..1.2.3981239.76.9357.6..."
      "16||38||36|58|||15|56|||58|||68|||156|48|34||36||568|18|||58||258|15|||12||||68|26|14|48|12||||56||56|"
      "||||"
      "||46|46||58||58||||||||45|||45|||||48||12|128|14|";
  const auto shown = Run("apply " + std::string(kLadderStuck) + "\nmenu mnuExtended\nkey H\nshow\n" +
                         "menu mnuExtended\nkey H\nshow\n");
  ASSERT_EQ(shown.size(), 2u);
  const std::string off = shown[0]["panel"], on = shown[1]["panel"];
  EXPECT_NE(off.find("<BODY><b>HINT:</b> <i>No further hint.</i>"), std::string::npos) << off;
  EXPECT_NE(on.find("<BODY><b>HINT:</b> Look for a <a href="), std::string::npos) << on;
  EXPECT_NE(on.find("#wxyz-wing'>WXYZ-Wing</a>"), std::string::npos) << on;
  EXPECT_EQ(ReadWhole(ini_), "[Options]\nExtended=Y\n");
  Run("menu mnuExtended\n");
  EXPECT_EQ(ReadWhole(ini_), "[Options]\nExtended=N\n");
  EXPECT_EQ(exitStatus, 0);
}

// Typing a puzzle in, locking it as givens, and undo with redo by menu and
// by key; the option and Home are the new verbs' only effect.
TEST_F(Play, TypedPuzzleSetAsGivensWithRedo) {
  const auto shown =
      Run("menu mnuNextCell\nclick 0 left\nkey 5\nkey Space\nkey 3\nmenu mnuSetGivens\nshow\n"
          "key Z ctrl\nshow\nmenu mnuRedo\nshow\nkey Z ctrl\nkey Y ctrl\nkey Home\nshow\n");
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(Cell(shown[0], 0), "[5|T|]");
  EXPECT_EQ(Cell(shown[0], 1), "[0|F|]");
  EXPECT_EQ(Cell(shown[0], 2), "[3|T|]");
  EXPECT_EQ(shown[0]["sel"], 3);
  EXPECT_EQ(Cell(shown[1], 0), "[5|F|]");  // undone: entered again
  EXPECT_EQ(Cell(shown[2], 0), "[5|T|]");  // redone
  EXPECT_EQ(Cell(shown[3], 2), "[3|T|]");
  EXPECT_EQ(shown[3]["sel"], 0);
  EXPECT_EQ(exitStatus, 0);
}
