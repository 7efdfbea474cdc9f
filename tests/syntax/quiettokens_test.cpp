// The scanner's quick loop over quiet tokens against the token-by-token rules: the same parser
// colours random text once as it normally does and once with token reports on (which take every
// token through the full rules), and every line's colours and end state must agree. The schemes
// are the built-in HTML one, the shipped ones and one made to trip the quick loop: child blocks
// entered and left by words and by a blank, identifier suffixes, keywords, directives and plain
// digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "support/golden.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"

namespace quorel {
namespace {

void BuildTrickyScheme(TSyntaxScheme& scheme) {
  BuildHtmlScheme(scheme);
  TSyntaxBlock& text = scheme.SyntaxBlocks[0];
  text.UseIdentifiers = true;
  text.FIIdentifier = 9;
  text.UseSymbols = true;
  text.FISymbol = 10;
  // A word-like child of the plain text, left by a word; another entered after a blank.
  TSyntaxBlock words;
  words.Name = "Words";
  words.ID = 2;
  words.ParentID = 0;
  words.FIText = 11;
  words.BlockDelimiters.push_back(TDelimiters{"begin", "end", false, true});
  words.UseSuffixedIdentifiers = true;
  words.IdentSuffixes.push_back(TLineToken{});
  words.IdentSuffixes.back().LeftDelimiter = "$";
  words.UseKeywords = true;
  words.KeywordSets.push_back(TKeywordSet{});
  words.KeywordSets.back().Keywords = "if,then,else";
  words.KeywordSets.back().FontID = 12;
  words.UseLineDirectives = true;
  words.LineDirectivePrefix = "#";
  words.FIDirective = 13;
  scheme.SyntaxBlocks.push_back(words);
  TSyntaxBlock spaced;
  spaced.Name = "Spaced";
  spaced.ID = 3;
  spaced.ParentID = 0;
  spaced.FIText = 14;
  spaced.UseSymbols = true;
  spaced.FISymbol = 15;
  spaced.BlockDelimiters.push_back(TDelimiters{" {", "} ", true, true});
  scheme.SyntaxBlocks.push_back(spaced);
  // Tags whose identifiers (after the "/" prefix too) look unlike their symbols, with a full-line
  // comment and a string that start with characters the quick loop takes alone otherwise.
  TSyntaxBlock& tags = scheme.SyntaxBlocks[1];
  tags.UseIdentifiers = true;
  tags.FIIdentifier = 16;
  tags.UseSymbols = true;
  tags.FISymbol = 17;
  tags.UseFullLineComments = true;
  TLineToken full;
  full.LeftDelimiter = ";;";
  full.FontID = 18;
  tags.FullLineCommentDelimiters.push_back(full);
  TBlockToken braces;
  braces.LeftDelimiter = "%{";
  braces.RightDelimiter = "}%";
  braces.FontID = 19;
  tags.SingleLineStringDelimiters.push_back(braces);
  scheme.Prepare();
}

std::vector<std::unique_ptr<TSyntaxScheme>> Schemes() {
  std::vector<std::unique_ptr<TSyntaxScheme>> schemes;
  schemes.push_back(std::make_unique<TSyntaxScheme>());
  BuildHtmlScheme(*schemes.back());
  std::vector<std::string> files;
  for (auto& e : std::filesystem::directory_iterator(test::TestDataPath("../../data/Syntax")))
    if (e.path().extension() == ".sch") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    schemes.push_back(std::make_unique<TSyntaxScheme>());
    schemes.back()->LoadFromFile(file);
  }
  schemes.push_back(std::make_unique<TSyntaxScheme>());
  BuildTrickyScheme(*schemes.back());
  return schemes;
}

std::string RandomLine(std::mt19937& random) {
  static const std::vector<std::string> pieces = [] {
    std::vector<std::string> p = {"<",     ">",    "<!--", "-->", "\"",   "'",  "abc", "Begin",
                                  "begin", "end",  "END",  "if",  "then", "x$", "12",  "3.59",
                                  "0x1F",  " ",    "  ",   "\t",  "#",    "%",  "/",   "=",
                                  "&amp;", "\xe9", "{",    "}",   " {",   "} ", ";",   ":",
                                  "_a1",   "//",   "/*",   "*/",  "(*",   "*)", "\\",  "@media",
                                  "9",     ";;",   "%{",   "}%",  "/a"};
    // UTF-8: an accented letter, two wide characters, the euro sign before a tag.
    for (const char* utf8 : {"caf\xc3\xa9", "\xe6\x97\xa5\xe6\x9c\xac", "\xe2\x82\xac<"})
      p.push_back(utf8);
    return p;
  }();
  std::string line;
  int count = std::uniform_int_distribution<int>(0, 14)(random);
  for (int i = 0; i < count; ++i)
    line += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
  return line;
}

TEST(QuietTokens, ColourEveryLineAsTheFullRulesDo) {
  std::mt19937 random(20261210);
  for (const auto& scheme : Schemes()) {
    SCOPED_TRACE(scheme->Name);
    TSyntaxParser quick, full;
    quick.SetSyntaxScheme(*scheme);
    full.SetSyntaxScheme(*scheme);
    int reported = 0;
    full.OnGetToken = [&](TSyntaxParser&, int, const std::string&) { ++reported; };
    for (int document = 0; document < 200; ++document) {
      uint32_t quickState = 0, fullState = 0;
      for (int y = 0; y < 12; ++y) {
        std::string line = RandomLine(random);
        TLineColors quickColors(std::string(line.size(), '\x7f'));
        TLineColors fullColors(std::string(line.size(), '\x7f'));
        quickState = quick.ParseLine(line, quickState, quickColors);
        fullState = full.ParseLine(line, fullState, fullColors);
        ASSERT_EQ(quickColors, fullColors) << "line \"" << line << "\"";
        ASSERT_EQ(quickState, fullState) << "line \"" << line << "\"";
      }
    }
    EXPECT_GT(reported, 0);
  }
}

}  // namespace
}  // namespace quorel
