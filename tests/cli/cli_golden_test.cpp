// The commands' exact output for a set of invocations, held in one golden
// file: tests/data/cli_commands.txt lists each invocation as a line
// "$ ARGUMENTS" followed by the lines it reads on standard input, and
// tests/data/cli_commands.want holds what each printed, its error output
// and its exit status. In an input line "\r" and "\t" stand for those
// characters and a final "\" leaves the line without its line break. In
// the arguments $IN is a file holding the same input and $TMP a folder of
// the test's own (named so in the output). After a deliberate change,
// TAVIMORO_UPDATE_GOLDEN=1 rewrites the golden file; review its diff.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/cli_run.h"
#include "common/golden_file.h"

namespace {

using tavimoro::testing::ReadWhole;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Run(const std::string& arguments, const std::string& input) {
  const tavimoro::testing::TempDir temp;
  const std::string in = (temp.Path() / "in").string();
  std::ofstream(in, std::ios::binary) << input;
  const std::string data = std::string(TAVIMORO_SOURCE_DIR) + "/tests/data";
  const std::string expanded =
      ReplaceAll(ReplaceAll(ReplaceAll(arguments, "$IN", in), "$TMP", temp.Path().string()), "$DATA", data);
  const auto result = tavimoro::testing::RunCli(expanded, input);
  const std::string shown = "$ " + arguments + "\n" + result.out + "--- errors\n" + result.err +
                            "--- status " + std::to_string(result.status) + "\n\n";
  return ReplaceAll(ReplaceAll(ReplaceAll(shown, in, "$IN"), temp.Path().string(), "$TMP"), data, "$DATA");
}

std::string AllRuns(const std::string& script) {
  std::istringstream lines(script);
  std::string out, arguments, input;
  bool started = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("#")) continue;
    if (line.starts_with("$ ")) {
      if (started) out += Run(arguments, input);
      arguments = line.substr(2);
      input.clear();
      started = true;
      continue;
    }
    const bool joined = line.ends_with("\\");
    if (joined) line.pop_back();
    input += ReplaceAll(ReplaceAll(line, "\\r", "\r"), "\\t", "\t") + (joined ? "" : "\n");
  }
  if (started) out += Run(arguments, input);
  return out;
}

TEST(CliGolden, EveryInvocationPrintsWhatTheGoldenFileSays) {
  const std::string data = std::string(TAVIMORO_SOURCE_DIR) + "/tests/data/";
  tavimoro::testing::ExpectGoldenFile(AllRuns(ReadWhole(data + "cli_commands.txt")), "cli_commands.want",
                                      "$ ");
}

}  // namespace
