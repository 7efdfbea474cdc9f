// The colouring of sample HTML files, compared with token dumps a person can read: for each
// line its end state and its runs of equal style.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "commands.h"
#include "support/golden.h"

namespace quorel {
namespace {

class TokenGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TokenGolden, DumpMatches) {
  std::string input = test::TestDataPath("golden/tokens/" + GetParam() + ".html");
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"tokens", input}, out, err), 0) << err.str();
  EXPECT_TRUE(test::MatchesGolden(test::TestDataPath("golden/tokens/" + GetParam() + ".tokens"), out.str()));
}

INSTANTIATE_TEST_SUITE_P(Html, TokenGolden,
                         ::testing::Values("tags", "comments", "numbers", "script_style", "unclosed",
                                           "long_line", "tabs"));

// Every sample has its golden and every golden its sample.
TEST(TokenGolden, EverySampleIsListed) {
  int samples = 0;
  for (auto& entry : std::filesystem::directory_iterator(test::TestDataPath("golden/tokens")))
    if (entry.path().extension() == ".html") ++samples;
  EXPECT_EQ(samples, 7);
}

}  // namespace
}  // namespace quorel
