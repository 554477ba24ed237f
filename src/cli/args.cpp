#include "cli/args.h"

#include <charconv>

namespace tavimoro::cli {

bool Args::Flag(const std::string& name) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it == name) {
      args_.erase(it);
      return true;
    }
  }
  return false;
}

std::optional<std::string> Args::Take(const std::string& name, std::string& error) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it == name) {
      if (it + 1 == args_.end()) {
        error = name + " needs a value";
        args_.erase(it);
        return std::nullopt;
      }
      std::string value = *(it + 1);
      args_.erase(it, it + 2);
      return value;
    }
    if (it->rfind(name + "=", 0) == 0) {
      std::string value = it->substr(name.size() + 1);
      args_.erase(it);
      return value;
    }
  }
  return std::nullopt;
}

int Args::Int(const std::string& name, int fallback, int low, int high, std::string& error) {
  auto text = Take(name, error);
  if (!text) return fallback;
  int value = 0;
  const char* end = text->data() + text->size();
  auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (ec != std::errc() || ptr != end || value < low || value > high) {
    error = name + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return fallback;
  }
  return value;
}

std::optional<std::string> Args::Text(const std::string& name, std::string& error) {
  return Take(name, error);
}

std::vector<std::string> Args::Rest(std::string& error) const {
  for (const auto& a : args_) {
    if (a.size() > 2 && a.rfind("--", 0) == 0) {
      error = "unknown option " + a;
      break;
    }
  }
  return args_;
}

}  // namespace tavimoro::cli
