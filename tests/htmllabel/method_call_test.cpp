#include "htmllabel/method_call.h"

#include <gtest/gtest.h>

namespace tavimoro::html {
namespace {

TEST(MethodCall, NameAndTrimmedUnquotedArguments) {
  const auto call = ParseMethodCall("VB:ShowPage('x', 2)");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->Name, "ShowPage");
  EXPECT_EQ(call->Arguments, (std::vector<std::string>{"x", "2"}));
}

TEST(MethodCall, PrefixInAnyCaseAndEmptyLists) {
  EXPECT_TRUE(IsMethodCallTarget("vB:Go"));
  EXPECT_FALSE(IsMethodCallTarget("VBGo"));
  EXPECT_FALSE(IsMethodCallTarget("http://vb:x"));
  auto call = ParseMethodCall("vb: Go ");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->Name, "Go");
  EXPECT_TRUE(call->Arguments.empty());
  call = ParseMethodCall("VB:Go( )");
  ASSERT_TRUE(call);
  EXPECT_TRUE(call->Arguments.empty());
}

TEST(MethodCall, QuotesProtectCommasAndLoseOnePair) {
  const auto call = ParseMethodCall("VB:Say(\"a, b\", ''quoted'', don't,  , 'open)");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->Arguments, (std::vector<std::string>{"a, b", "'quoted'", "don't", "", "'open"}));
}

TEST(MethodCall, MissingCloseParenthesisTakesTheRest) {
  const auto call = ParseMethodCall("VB:Go(1, 2");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->Arguments, (std::vector<std::string>{"1", "2"}));
}

TEST(MethodCall, RejectsNonIdentifiers) {
  EXPECT_FALSE(ParseMethodCall("VB:"));
  EXPECT_FALSE(ParseMethodCall("VB:do it()"));
  EXPECT_FALSE(ParseMethodCall("VB:9lives"));
  EXPECT_FALSE(ParseMethodCall("ApplyLastHint"));
}

}  // namespace
}  // namespace tavimoro::html
