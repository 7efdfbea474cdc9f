// The schemes shipped in data/Syntax: each is written exactly as the program writes schemes, reads
// back equal, and after a save and a load colours text exactly as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/golden.h"
#include "support/tempdir.h"
#include "syntax/schemefile.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"

namespace quorel {
namespace {

std::vector<std::string> ShippedSchemes() {
  std::vector<std::string> files;
  for (auto& e : std::filesystem::directory_iterator(test::TestDataPath("../../data/Syntax")))
    if (e.path().extension() == ".sch") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// Every line's colours and end state.
std::vector<std::pair<std::string, uint32_t>> Colour(const TSyntaxScheme& scheme,
                                                     const std::string& text) {
  TSyntaxParser parser;
  parser.SetSyntaxScheme(scheme);
  std::vector<std::pair<std::string, uint32_t>> out;
  uint32_t state = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    TLineColors colors(std::string(line.size(), '\0'));
    state = parser.ParseLine(line, state, colors);
    out.emplace_back(colors.str(), state);
    start = end + 1;
  }
  return out;
}

TEST(ShippedSchemes, WrittenAsShippedAndReadBackEqual) {
  std::vector<std::string> files = ShippedSchemes();
  ASSERT_EQ(files.size(), 5u);
  std::vector<std::string> names;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    TSyntaxScheme loaded;
    loaded.LoadFromFile(file);
    names.push_back(loaded.Name);
    EXPECT_EQ(SchemeToText(loaded), test::ReadBytes(file));
    test::TTempDir dir;
    loaded.SaveToFile(dir.File("again.sch"));
    TSyntaxScheme again;
    again.LoadFromFile(dir.File("again.sch"));
    EXPECT_TRUE(again.SameContent(loaded));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"CSS", "INI", "Java", "JavaScript", "Pascal"}));
}

TEST(ShippedSchemes, SavedAndLoadedColourAsBefore) {
  std::vector<std::string> samples;
  for (auto& e : std::filesystem::directory_iterator(test::TestDataPath("golden/schemes")))
    if (e.path().extension() != ".tokens") samples.push_back(test::ReadBytes(e.path().string()));
  ASSERT_EQ(samples.size(), 5u);
  for (const std::string& file : ShippedSchemes()) {
    SCOPED_TRACE(file);
    TSyntaxScheme original;
    original.LoadFromFile(file);
    test::TTempDir dir;
    original.SaveToFile(dir.File("copy.sch"));
    TSyntaxScheme loaded;
    loaded.LoadFromFile(dir.File("copy.sch"));
    for (const std::string& sample : samples)
      EXPECT_EQ(Colour(loaded, sample), Colour(original, sample));
  }
}

}  // namespace
}  // namespace quorel
