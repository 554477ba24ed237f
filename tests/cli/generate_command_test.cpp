#include <gtest/gtest.h>

#include <string>

#include "common/cli_run.h"

namespace tavimoro {
namespace {

using testing::RunCli;

TEST(GenerateCommand, HardestMakesAPuzzleWhoseHardestStepIsTheNamedTechnique) {
  const auto run = RunCli("generate --hardest 'naked single' --seed 3 --count 2");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = run.Lines();
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& line : lines) {
    ASSERT_GE(line.size(), 83u) << line;
    const auto rated = RunCli("rate", line.substr(0, 81) + "\n");
    // Singles only: the lowest level.
    EXPECT_NE(rated.out.find("\"level\":1,"), std::string::npos) << line << "\n" << rated.out;
  }
}

}  // namespace
}  // namespace tavimoro
