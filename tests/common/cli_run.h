// Runs tavimoro-cli as a child process on a given input and captures its
// standard output, standard error and exit status.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavimoro::testing {

struct CliResult {
  int status = -1;
  std::string out, err;

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A fresh folder, removed with its contents when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavimoro-test-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    if (!path_.empty()) std::filesystem::remove_all(path_);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// `arguments` is appended to the command line as it is (shell syntax);
// `input` is fed on standard input.
inline CliResult RunCli(const std::string& arguments, const std::string& input = "") {
  const TempDir temp;
  const auto& dir = temp.Path();
  std::ofstream(dir / "in", std::ios::binary) << input;
  const std::string command = std::string("'") + TAVIMORO_CLI_PATH + "' " + arguments + " < '" +
                              (dir / "in").string() + "' > '" + (dir / "out").string() + "' 2> '" +
                              (dir / "err").string() + "'";
  CliResult result;
  const int raw = std::system(command.c_str());
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadWhole(dir / "out");
  result.err = ReadWhole(dir / "err");
  return result;
}

}  // namespace tavimoro::testing
