// Positions with placed digits ("+" before a digit), the regression
// library's lines, and check-library on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "common/cli_run.h"
#include "common/corpus.h"

namespace tavimoro {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;

const fs::path kData = fs::path(TAVIMORO_SOURCE_DIR) / "tests/data";

TEST(CheckLibrary, TalliesEachCodeAndRefusesWhatIsNoCase) {
  const auto run = RunCli("check-library '" + (kData / "library_cases.txt").string() + "'");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out, testing::ReadWhole(kData / "library_cases.want"));
  EXPECT_EQ(run.err, "tavimoro-cli: " + (kData / "library_cases.txt").string() + ":8: not a library case\n");
}

// The avoidable rectangles rest on the placed digits: found with the "+",
// not without; the other commands read such a line as its digits.
TEST(CheckLibrary, PlusMarksAPlacedDigit) {
  const std::string library = testing::ReadWhole(kData / "library_cases.txt");
  const auto start = library.find(":0607-1:");
  const std::string cases = library.substr(start, library.find('\n', start) - start);
  const std::string marked = cases.substr(11, cases.find(':', 11) - 11);
  std::string plain = marked;
  std::erase(plain, '+');
  ASSERT_EQ(plain.size(), 81u);
  const std::string step = "step --technique 'Avoidable Rectangle type 1'";
  EXPECT_NE(RunCli(step, marked + "\n").out.find("\"kind\":2"), std::string::npos);
  EXPECT_NE(RunCli(step, plain + "\n").out.find("\"kind\":0"), std::string::npos);
  EXPECT_NE(RunCli(step, cases + "\n").out.find("\"kind\":2"), std::string::npos);
  for (const char* command : {"validate", "rate"}) {
    const auto run = RunCli(command, marked + "\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, RunCli(command, plain + "\n").out) << command;
  }
  const auto shown = RunCli("play --ini /dev/null/x.ini", "paste " + marked + "\nshow\n");
  EXPECT_NE(shown.out.find("\"board\":\"[6|F|][4|F|][5|T|]"), std::string::npos) << shown.out.substr(0, 80);
}

// The shared half of the library: no step unsound, no fail case loud.
TEST(CheckLibrary, SharedHalfHasNothingWrong) {
  const auto corpus = testing::CorpusDir();
  if (!corpus || !fs::exists(*corpus / "reglib.txt"))
    GTEST_SKIP() << "no reglib.txt in the corpus (TAVIMORO_CORPUS)";
  const fs::path library = *corpus / "reglib.txt";
  const auto run = RunCli("check-library '" + library.string() + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  std::smatch summary;
  ASSERT_TRUE(
      std::regex_search(run.out, summary, std::regex(" (\\d+) wrong, .*fail cases: (\\d+) of (\\d+) quiet")))
      << run.out;
  EXPECT_EQ(summary[1], "0") << run.out;
  EXPECT_EQ(summary[2], summary[3]) << run.out;
}

}  // namespace
}  // namespace tavimoro
