// Link targets of the form "VB:Name(arg, 'arg', ...)" name a method of the
// window that hosts the label. Parsing them is kept apart from the widget so
// that the rules for quotes and blanks are tested without a toolkit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavimoro::html {

struct MethodCall {
  std::string Name;
  std::vector<std::string> Arguments;  // trimmed, one pair of enclosing quotes removed
};

// True when the target starts with "VB:" in any letter case.
bool IsMethodCallTarget(std::string_view target);

// The call named by a "VB:" target; nullopt when the target has no "VB:"
// prefix or the name is not an identifier. "Name" and "Name()" have no
// arguments; commas inside quotes do not split.
std::optional<MethodCall> ParseMethodCall(std::string_view target);

}  // namespace tavimoro::html
