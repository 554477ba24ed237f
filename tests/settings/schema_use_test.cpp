// Every row of the settings schema is used by the program: a row that no
// source file names is an option nobody reads, or one whose reader was lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace tavimoro {
namespace {

namespace fs = std::filesystem;

std::string TextOf(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SettingsSchema, EveryRowIsNamedByTheProgram) {
  const fs::path src = fs::path(TAVIMORO_SOURCE_DIR) / "src";
  const fs::path schema = src / "settings" / "settings_schema.h";
  std::string program;
  for (const auto& entry : fs::recursive_directory_iterator(src))
    if (entry.is_regular_file() && entry.path() != schema) program += TextOf(entry.path());

  const std::string rows = TextOf(schema);
  const std::regex row(
      R"(inline constexpr [A-Za-z]+Setting\s+(\w+)\s*\{|inline constexpr NamedSection\s+(\w+)\s*\{)");
  int count = 0;
  for (std::sregex_iterator it(rows.begin(), rows.end(), row), end; it != end; ++it, ++count) {
    const std::string name = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
    EXPECT_NE(program.find("setting::" + name), std::string::npos) << name << " is read nowhere";
  }
  EXPECT_GT(count, 15);
}

}  // namespace
}  // namespace tavimoro
