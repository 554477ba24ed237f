// Option parsing shared by the commands: options come before or between the
// file names; "--name value" and "--name=value" are both accepted.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavimoro::cli {

class Args {
 public:
  explicit Args(std::vector<std::string> args) : args_(std::move(args)) {}

  // Removes a flag without value; true when it was present.
  bool Flag(const std::string& name);
  // Removes "--name N"; the default when absent; an error text in `error`
  // when the value is missing or not an integer in [low, high].
  int Int(const std::string& name, int fallback, int low, int high, std::string& error);
  // Removes "--name TEXT"; nullopt when absent.
  std::optional<std::string> Text(const std::string& name, std::string& error);
  // What is left; an argument starting with "--" is reported as unknown.
  std::vector<std::string> Rest(std::string& error) const;

 private:
  std::optional<std::string> Take(const std::string& name, std::string& error);
  std::vector<std::string> args_;
};

}  // namespace tavimoro::cli
