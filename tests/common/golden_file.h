// A golden file under tests/data: the text a test makes, compared line by
// line with the file. After a deliberate change TAVIMORO_UPDATE_GOLDEN=1
// rewrites the file first; review its diff.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace tavimoro::testing {

// Fails at the first line where `actual` and tests/data/`name` differ, or
// where one ends before the other, naming the line and, when `heading` is
// given, the last line of the file before it that starts with `heading`.
inline void ExpectGoldenFile(const std::string& actual, const std::string& name,
                             std::string_view heading = {}) {
  const std::string path = std::string(TAVIMORO_SOURCE_DIR) + "/tests/data/" + name;
  if (std::getenv("TAVIMORO_UPDATE_GOLDEN")) std::ofstream(path) << actual;
  std::ifstream in(path);
  std::stringstream expected;
  expected << in.rdbuf();
  std::istringstream a(actual), e(expected.str());
  std::string lineA, lineE, section;
  for (int number = 1; std::getline(e, lineE); ++number) {
    if (!heading.empty() && lineE.starts_with(heading)) section = ", " + lineE;
    ASSERT_TRUE(std::getline(a, lineA)) << "the output ends before line " << number << " of " << name;
    ASSERT_EQ(lineA, lineE) << name << " line " << number << section;
  }
  EXPECT_FALSE(std::getline(a, lineA)) << "the output goes on past the end of " << name << ": " << lineA;
}

}  // namespace tavimoro::testing
