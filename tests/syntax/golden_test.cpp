// The colouring of sample HTML files, compared with token dumps a person can read: for each
// line its end state and its runs of equal style.
#include "support/golden.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"

namespace quorel {
namespace {

// Each page of golden/tokens is a case: "tags.html" is compared with "tags.tokens".
class TokenGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TokenGolden, DumpMatches) {
  std::string input = test::TestDataPath("golden/tokens/" + GetParam());
  std::string stem = std::filesystem::path(GetParam()).stem().string();
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"tokens", input}, out, err), 0) << err.str();
  EXPECT_TRUE(
      test::MatchesGolden(test::TestDataPath("golden/tokens/" + stem + ".tokens"), out.str()));
}

INSTANTIATE_TEST_SUITE_P(Html, TokenGolden,
                         ::testing::ValuesIn(test::GoldenSamples("golden/tokens", ".html")),
                         [](const auto& info) { return test::CaseName(info.param); });

// The schemes shipped in data/Syntax, each colouring a small sample of its language; the dump
// shows each run's text, so a person can read what is coloured how.
// Each sample of golden/schemes is a case, coloured by the shipped scheme of its language.
class SchemeGolden : public ::testing::TestWithParam<std::string> {};

// The shipped scheme that colours a sample with this extension ("" for none).
std::string SchemeFor(const std::string& extension) {
  static const std::map<std::string, std::string> schemes = {{".js", "JavaScript"},
                                                             {".java", "Java"},
                                                             {".pas", "Pascal"},
                                                             {".ini", "INI"},
                                                             {".css", "CSS"}};
  auto found = schemes.find(extension);
  return found == schemes.end() ? "" : found->second;
}

std::vector<std::string> SchemeSamples() {
  std::vector<std::string> samples;
  for (const std::string& name : test::GoldenSamples("golden/schemes", ""))
    if (name.rfind("sample.", 0) == 0 && std::filesystem::path(name).extension() != ".tokens" &&
        std::filesystem::path(name).extension() != ".new")
      samples.push_back(name);
  return samples;
}

TEST_P(SchemeGolden, DumpMatches) {
  std::string extension = std::filesystem::path(GetParam()).extension().string();
  std::string scheme = SchemeFor(extension);
  ASSERT_FALSE(scheme.empty()) << GetParam() << ": no shipped scheme is known for " << extension;
  std::string schemeFile = test::TestDataPath("../../data/Syntax/" + scheme + ".sch");
  std::string input = test::TestDataPath("golden/schemes/" + GetParam());
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"tokens", "--text", "--scheme", schemeFile, input}, out, err), 0)
      << err.str();
  EXPECT_TRUE(test::MatchesGolden(input + ".tokens", out.str()));
}

INSTANTIATE_TEST_SUITE_P(Shipped, SchemeGolden, ::testing::ValuesIn(SchemeSamples()),
                         [](const auto& info) { return test::CaseName(info.param); });

}  // namespace
}  // namespace quorel
