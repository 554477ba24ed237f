#include "htmllabel/method_call.h"

#include <gtest/gtest.h>

namespace tavimoro::html {
namespace {

struct CallCase {
  const char* target;
  const char* name;  // nullptr: not a call
  std::vector<std::string> arguments;
};

class MethodCallTest : public ::testing::TestWithParam<CallCase> {};

TEST_P(MethodCallTest, NameAndArguments) {
  const CallCase& c = GetParam();
  const auto call = ParseMethodCall(c.target);
  ASSERT_EQ(call.has_value(), c.name != nullptr);
  if (!call) return;
  EXPECT_EQ(call->Name, c.name);
  EXPECT_EQ(call->Arguments, c.arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, MethodCallTest,
    ::testing::Values(CallCase{"VB:ShowPage('x', 2)", "ShowPage", {"x", "2"}}, CallCase{"vb: Go ", "Go", {}},
                      CallCase{"VB:Go( )", "Go", {}},
                      // quotes protect commas and lose one pair; blanks around arguments go
                      CallCase{"VB:Say(\"a, b\", ''quoted'', don't,  , 'open)",
                               "Say",
                               {"a, b", "'quoted'", "don't", "", "'open"}},
                      CallCase{"VB:Go(1, 2", "Go", {"1", "2"}},  // no ")": the rest is the list
                      CallCase{"VB:", nullptr, {}}, CallCase{"VB:do it()", nullptr, {}},
                      CallCase{"VB:9lives", nullptr, {}}, CallCase{"ApplyLastHint", nullptr, {}}));

TEST(MethodCall, PrefixInAnyCase) {
  EXPECT_TRUE(IsMethodCallTarget("vB:Go"));
  EXPECT_FALSE(IsMethodCallTarget("VBGo"));
  EXPECT_FALSE(IsMethodCallTarget("http://vb:x"));
}

}  // namespace
}  // namespace tavimoro::html
