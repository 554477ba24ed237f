// A single left-to-right scan of the argument list; a quote that opens an
// argument runs to its partner, so commas inside it are part of the value.
#include "htmllabel/method_call.h"

namespace tavimoro::html {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsIdentifier(std::string_view s) {
  if (s.empty()) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

std::string Unquote(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 && (s.front() == '\'' || s.front() == '"') && s.back() == s.front()) {
    s = s.substr(1, s.size() - 2);
  }
  return std::string(s);
}

}  // namespace

bool IsMethodCallTarget(std::string_view target) {
  return target.size() >= 3 && (target[0] == 'V' || target[0] == 'v') &&
         (target[1] == 'B' || target[1] == 'b') && target[2] == ':';
}

std::optional<MethodCall> ParseMethodCall(std::string_view target) {
  if (!IsMethodCallTarget(target)) return std::nullopt;
  std::string_view rest = target.substr(3);
  const std::size_t open = rest.find('(');
  MethodCall call;
  const std::string_view name = Trim(rest.substr(0, open));
  if (!IsIdentifier(name)) return std::nullopt;
  call.Name = std::string(name);
  if (open == std::string_view::npos) return call;

  std::string_view list = rest.substr(open + 1);
  if (const std::size_t close = list.rfind(')'); close != std::string_view::npos)
    list = list.substr(0, close);
  if (Trim(list).empty()) return call;
  char quote = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const char c = list[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if ((c == '\'' || c == '"') && Trim(list.substr(start, i - start)).empty()) {
      quote = c;  // only a quote that opens an argument protects commas
    } else if (c == ',') {
      call.Arguments.push_back(Unquote(list.substr(start, i - start)));
      start = i + 1;
    }
  }
  call.Arguments.push_back(Unquote(list.substr(start)));
  return call;
}

}  // namespace tavimoro::html
