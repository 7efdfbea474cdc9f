// Real RTF documents (written by a word processor, and by our own export) and an HTML page read
// with their formatting, compared with style dumps a person can read: each run of the imported
// document with its font, size, styles and colours.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "commands.h"
#include "support/golden.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

class ImportGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ImportGolden, StyleDumpMatches) {
  std::string input = test::TestDataPath("golden/import/" + GetParam());
  std::string format = std::filesystem::path(input).extension() == ".rtf" ? "--rtf" : "--html";
  test::TTempDir dir;
  std::ostringstream out, err;
  ASSERT_EQ(cli::Run({"import", format, "--styles", input, dir.File("dump")}, out, err), 0)
      << err.str();
  EXPECT_TRUE(test::MatchesGolden(input + ".styles", test::ReadBytes(dir.File("dump"))));
}

// Each RTF document and HTML page of golden/import is a case, beside its ".styles" dump.
std::vector<std::string> ImportSamples() {
  std::vector<std::string> samples = test::GoldenSamples("golden/import", ".rtf");
  for (std::string& page : test::GoldenSamples("golden/import", ".html")) samples.push_back(page);
  return samples;
}

INSTANTIATE_TEST_SUITE_P(Documents, ImportGolden, ::testing::ValuesIn(ImportSamples()),
                         [](const auto& info) { return test::CaseName(info.param); });

}  // namespace
}  // namespace quorel
