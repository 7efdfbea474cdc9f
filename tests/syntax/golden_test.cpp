// The colouring of sample HTML files, compared with token dumps a person can read: for each
// line its end state and its runs of equal style.
#include "support/golden.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <utility>

#include "commands.h"

namespace quorel {
namespace {

class TokenGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TokenGolden, DumpMatches) {
  std::string input = test::TestDataPath("golden/tokens/" + GetParam() + ".html");
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"tokens", input}, out, err), 0) << err.str();
  EXPECT_TRUE(test::MatchesGolden(test::TestDataPath("golden/tokens/" + GetParam() + ".tokens"),
                                  out.str()));
}

INSTANTIATE_TEST_SUITE_P(Html, TokenGolden,
                         ::testing::Values("tags", "comments", "numbers", "script_style",
                                           "unclosed", "long_line", "tabs"));

// The schemes shipped in data/Syntax, each colouring a small sample of its language; the dump
// shows each run's text, so a person can read what is coloured how.
class SchemeGolden : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(SchemeGolden, DumpMatches) {
  auto [scheme, extension] = GetParam();
  std::string schemeFile = test::TestDataPath("../../data/Syntax/" + scheme + ".sch");
  std::string input = test::TestDataPath("golden/schemes/sample." + extension);
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"tokens", "--text", "--scheme", schemeFile, input}, out, err), 0)
      << err.str();
  EXPECT_TRUE(test::MatchesGolden(
      test::TestDataPath("golden/schemes/sample." + extension + ".tokens"), out.str()));
}

INSTANTIATE_TEST_SUITE_P(Shipped, SchemeGolden,
                         ::testing::Values(std::pair<std::string, std::string>{"JavaScript", "js"},
                                           std::pair<std::string, std::string>{"Java", "java"},
                                           std::pair<std::string, std::string>{"Pascal", "pas"},
                                           std::pair<std::string, std::string>{"INI", "ini"},
                                           std::pair<std::string, std::string>{"CSS", "css"}),
                         [](const auto& info) { return info.param.second; });

// Every sample has its golden and every golden its sample.
TEST(TokenGolden, EverySampleIsListed) {
  int samples = 0;
  for (auto& entry : std::filesystem::directory_iterator(test::TestDataPath("golden/tokens")))
    if (entry.path().extension() == ".html") ++samples;
  EXPECT_EQ(samples, 7);
}

}  // namespace
}  // namespace quorel
