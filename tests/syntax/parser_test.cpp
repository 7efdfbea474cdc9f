// The parser's token rules, line states and token reports, with the built-in HTML scheme and with
// small schemes of our own.
#include <gtest/gtest.h>

#include <utility>

#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

// Colours one line; returns the colours as digits/letters (style 10 = 'a') for readable checks.
struct TLine {
  std::string colors;
  uint32_t end = 0;
};

TLine Parse(TSyntaxParser& parser, const std::string& text, uint32_t state = 0) {
  TLineColors colors(std::string(text.size(), '\0'));
  TLine line;
  line.end = parser.ParseLine(text, state, colors);
  for (char c : colors) line.colors += static_cast<char>(c < 10 ? '0' + c : 'a' + c - 10);
  return line;
}

struct HtmlParser : ::testing::Test {
  TSyntaxParser parser;
  void SetUp() override { BuildHtmlScheme(parser.SyntaxScheme()); }
};

TEST_F(HtmlParser, TextWithoutTagsIsPlainAndEndsInTheRoot) {
  TLine l = Parse(parser, "Words, blanks &amp; entities &#169; 42");
  EXPECT_EQ(l.colors, std::string(38, '0'));
  EXPECT_EQ(l.end, 0u);
}

TEST_F(HtmlParser, AttributeValues) {
  TLine l = Parse(parser, "<a href=\"x.html\">");
  EXPECT_EQ(l.colors, "11111111666666661");
  EXPECT_EQ(TLineState::Unpack(l.end).StateIndex, 0);
  EXPECT_EQ(TLineState::Unpack(l.end).Construct, ctNone);
  EXPECT_EQ(Parse(parser, "<a href='x'>").colors, "111111117771");
}

TEST_F(HtmlParser, NumbersInTags) {
  EXPECT_EQ(Parse(parser, "<t w=50%>").colors, "111112221");
  EXPECT_EQ(Parse(parser, "<t c=#a0f>").colors, "1111144441");
  EXPECT_EQ(Parse(parser, "<t c=#>").colors, "1111111");
  EXPECT_EQ(Parse(parser, "<t a=0.5 b=1e3 c=2e>").colors, "11111333111333111211");
}

TEST_F(HtmlParser, ClosingTagIsOneIdentifierToken) {
  std::vector<std::pair<int, std::string>> tokens;
  parser.OnGetToken = [&](TSyntaxParser&, int kind, const std::string& text) {
    tokens.push_back({kind, text});
  };
  Parse(parser, "</div>");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1], (std::pair<int, std::string>{tkIdentifier, "/div"}));
}

TEST_F(HtmlParser, UnclosedTagContinuesOnTheNextLine) {
  TLine first = Parse(parser, "<img src=x");
  EXPECT_NE(TLineState::Unpack(first.end).StateIndex, 0);
  TLine second = Parse(parser, "alt=y> after", first.end);
  EXPECT_EQ(second.colors, "111111000000");
  EXPECT_EQ(TLineState::Unpack(second.end).StateIndex, 0);
}

TEST_F(HtmlParser, CommentsRunOverLines) {
  TLine open = Parse(parser, "<!-- note");
  EXPECT_EQ(open.colors, "555555555");
  EXPECT_EQ(TLineState::Unpack(open.end).Construct, ctMultiLineComment);
  TLine close = Parse(parser, "more --> text", open.end);
  EXPECT_EQ(close.colors,
            "55555555"
            "00000");
  EXPECT_EQ(TLineState::Unpack(close.end).StateIndex, 0);
  EXPECT_EQ(TLineState::Unpack(close.end).Construct, ctNone);
}

TEST_F(HtmlParser, UnclosedQuoteEndsWithItsLine) {
  TLine first = Parse(parser, "<a title=\"open");
  EXPECT_EQ(first.colors,
            "111111111"
            "66666");
  TLineState s = TLineState::Unpack(first.end);
  EXPECT_NE(s.StateIndex, 0);
  EXPECT_EQ(s.Construct, ctNone);
  EXPECT_EQ(Parse(parser, "x>", first.end).colors, "11");
}

TEST_F(HtmlParser, StateAfterATagBehavesAsStateZero) {
  TLine l = Parse(parser, "<b>");
  TLineState s = TLineState::Unpack(l.end);
  EXPECT_EQ(s.StateIndex, 0);
  EXPECT_EQ(s.Delimiter, -1);
  EXPECT_EQ(l.end & ~0x00FF0000u, 0u);  // only the part-of-block flag and delimiter differ
  for (const char* text : {"a <i>b</i> c", "<!-- x", "x=\"y\""})
    EXPECT_EQ(Parse(parser, text, l.end).colors, Parse(parser, text, 0).colors) << text;
}

TEST_F(HtmlParser, EmptyLineKeepsItsState) {
  TLineColors colors;
  EXPECT_EQ(parser.ParseLine("", 0x01800100u, colors), 0x01800100u);
}

TEST_F(HtmlParser, GarbageStatesAreReadSafely) {
  for (uint32_t state : {0xFFFFFFFFu, 0x7F00FFFFu, 0x01FF05FFu, 0x0000FF00u})
    EXPECT_NO_FATAL_FAILURE(Parse(parser, "<a href=\"x\"> text <!-- c -->", state));
}

// A small scheme: one block with the rules under test.
struct CustomParser : ::testing::Test {
  TSyntaxParser parser;
  TSyntaxScheme scheme;
  TSyntaxBlock& Root() { return scheme.SyntaxBlocks[0]; }
  void Use() { parser.SetSyntaxScheme(scheme); }
  static TBlockToken Pair(const std::string& l, const std::string& r, int id) {
    TBlockToken t;
    t.LeftDelimiter = l;
    t.RightDelimiter = r;
    t.FontID = id;
    return t;
  }
  void SetUp() override {
    Root().FIText = 0;
    Root().UseStrings = true;
    Root().UseSingleLineStrings = true;
    Root().SingleLineStringDelimiters.push_back(Pair("\"", "\"", 5));
  }
};

TEST_F(CustomParser, MetaCharacterEscapesTheClosingQuote) {
  Root().UseMetaSymbol = true;
  Root().MetaSymbol = '\\';
  Use();
  EXPECT_EQ(Parse(parser, "a \"b\\\"c\" d").colors, "0055555500");
  EXPECT_EQ(Parse(parser, "\"x\\\\\" y").colors, "5555500");
}

TEST_F(CustomParser, MetaCharacterAtTheEndContinuesTheString) {
  Root().UseMetaSymbol = true;
  Root().MetaSymbol = '\\';
  Use();
  TLine first = Parse(parser, "s = \"abc\\");
  EXPECT_EQ(TLineState::Unpack(first.end).Construct, ctContinuedString);
  EXPECT_EQ(Parse(parser, "def\" x", first.end).colors, "555500");
  TLine closed = Parse(parser, "s = \"abc");
  EXPECT_EQ(TLineState::Unpack(closed.end).Construct, ctNone);
}

TEST_F(CustomParser, FullLineCommentsOnlyAfterBlanks) {
  Root().UseComments = true;
  Root().UseFullLineComments = true;
  TLineToken rem;
  rem.LeftDelimiter = ";";
  rem.FontID = 3;
  Root().FullLineCommentDelimiters.push_back(rem);
  Use();
  EXPECT_EQ(Parse(parser, "  ; note").colors, "00333333");
  EXPECT_EQ(Parse(parser, "x ; note").colors, std::string(8, '0'));
}

TEST_F(CustomParser, KeywordsIgnoreCaseUnlessTheBlockIsCaseSensitive) {
  Root().UseKeywords = true;
  Root().UseIdentifiers = true;
  Root().FIIdentifier = 2;
  TKeywordSet set;
  set.Keywords = "begin, end";
  set.FontID = 4;
  Root().KeywordSets.push_back(set);
  std::vector<int> kinds;
  parser.OnGetToken = [&](TSyntaxParser&, int kind, const std::string&) { kinds.push_back(kind); };
  Use();
  EXPECT_EQ(Parse(parser, "BEGIN begins").colors, "444440222222");
  EXPECT_EQ(kinds, (std::vector<int>{tkKeyword, tkText, tkIdentifier}));
  Root().CaseSensitive = true;
  Use();
  EXPECT_EQ(Parse(parser, "BEGIN begin").colors, "22222044444");
}

TEST_F(CustomParser, WordLikeDelimitersNeedAWordBoundary) {
  Root().UseComments = true;
  Root().UseSingleLineComments = true;
  TLineToken rem;
  rem.LeftDelimiter = "rem";
  rem.FontID = 3;
  Root().SingleLineCommentDelimiters.push_back(rem);
  Use();
  EXPECT_EQ(Parse(parser, "remark").colors, "000000");
  EXPECT_EQ(Parse(parser, "rem ark").colors, "3333333");
  EXPECT_EQ(Parse(parser, "rem").colors, "333");
}

TEST_F(CustomParser, MultiLineStringsAndDirectives) {
  Root().UseMultiLineStrings = true;
  Root().MultiLineStringDelimiters.push_back(Pair("[[", "]]", 6));
  Root().UseLineDirectives = true;
  Root().LineDirectivePrefix = "#";
  Root().FIDirective = 7;
  Use();
  TLine open = Parse(parser, "x [[a");
  EXPECT_EQ(open.colors, "00666");
  EXPECT_EQ(TLineState::Unpack(open.end).Construct, ctMultiLineString);
  EXPECT_EQ(Parse(parser, "b]] y", open.end).colors, "66600");
  EXPECT_EQ(Parse(parser, "#if x").colors, "77777");
  EXPECT_EQ(Parse(parser, "a #if").colors, "00000");  // only before other tokens
}

TEST_F(CustomParser, NestedBlocksThatAreNotPartOfTheirDelimiters) {
  // A block opened by "(" and closed by ")" whose delimiters keep the outer block's colour.
  TSyntaxBlock inner;
  inner.Name = "Inner";
  inner.ID = 1;
  inner.ParentID = 0;
  inner.FIText = 9;
  TDelimiters paren;
  paren.LeftDelimiter = "(";
  paren.RightDelimiter = ")";
  inner.BlockDelimiters.push_back(paren);
  scheme.SyntaxBlocks.push_back(inner);
  Use();
  TLine l = Parse(parser, "a(bc)d");
  EXPECT_EQ(l.colors, "009900");
  EXPECT_EQ(TLineState::Unpack(l.end).StateIndex, 0);
  TLine open = Parse(parser, "f(x");
  EXPECT_EQ(open.colors, "009");
  EXPECT_EQ(Parse(parser, "y)z", open.end).colors, "900");
}

TEST_F(CustomParser, TokenReportsJoinPiecesOfAConstruct) {
  Root().UseMetaSymbol = true;
  Root().MetaSymbol = '\\';
  std::vector<std::string> reported;
  parser.OnGetToken = [&](TSyntaxParser&, int, const std::string& text) {
    reported.push_back(text);
  };
  Use();
  Parse(parser, "\"a\\\"b\" c");
  EXPECT_EQ(reported, (std::vector<std::string>{"\"a\\\"b\"", " ", "c"}));
  reported.clear();
  Parse(parser, "x \"open\\");  // the string goes on to the next line: not reported yet
  EXPECT_EQ(reported, (std::vector<std::string>{"x", " "}));
}

TEST(SyntaxParserLifecycle, SchemeChangesTellTheStores) {
  TSyntaxParser parser;
  int told = 0;
  parser.AddClient(
      &told, [&](TSimpleParser&) { ++told; }, nullptr);
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  parser.SetSyntaxScheme(html);
  EXPECT_GE(told, 1);
  int before = told;
  parser.SetSyntaxScheme(parser.SyntaxScheme());  // its own scheme: nothing
  EXPECT_EQ(told, before);
  parser.RemoveClient(&told);
}

}  // namespace
}  // namespace quorel
