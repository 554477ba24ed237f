// Scripted sessions through `tavimoro-cli play`, checked on the JSON it
// prints, its error output, its exit status and the settings file it writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "common/cli_run.h"
#include "common/golden_file.h"

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

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Sessions through every command: typing, pastes, marks, saving and
// loading, files, the status panel, the hint sequence, every toolbar button
// and menu item by the numbers and names `play` gives them, every tick and
// unknown lines. Their output, error output and status and the settings file
// they leave ($TMP standing for a folder of the test's own) are held in
// tests/data/play_session.want; TAVIMORO_UPDATE_GOLDEN=1 rewrites that after
// a deliberate change.
TEST_F(Play, SessionsThroughEveryCommandReadAsTheGoldenFileSays) {
  const std::string data = std::string(TAVIMORO_SOURCE_DIR) + "/tests/data/";
  const std::string folder = temp_.Path().string();
  // Each part between lines "---" is a session of its own on the same settings file.
  std::string actual;
  std::istringstream parts(Replaced(ReadWhole(data + "play_session.txt"), "$TMP", folder) + "---\n");
  std::string part;
  for (std::string line; std::getline(parts, line);) {
    if (line != "---") {
      part += line + "\n";
      continue;
    }
    const auto result = tavimoro::testing::RunCli("play --ini '" + ini_.string() + "'", part);
    actual += "--- session\n" + result.out + "--- errors\n" + result.err + "--- status " +
              std::to_string(result.status) + "\n";
    part.clear();
  }
  actual = Replaced(actual + "--- settings\n" + ReadWhole(ini_), folder, "$TMP");
  tavimoro::testing::ExpectGoldenFile(actual, "play_session.want");
}

TEST_F(Play, OpenAPuzzleFileOrAMissingOne) {
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
}

}  // namespace
