// Scheme files: the exact text written for a scheme, reading it back, and the reader's rules for
// what it accepts and passes over.
#include "syntax/schemefile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/golden.h"
#include "support/tempdir.h"
#include "syntax/htmlscheme.h"
#include "syntax/schemevalues.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"

namespace quorel {
namespace {

// Every line's colours and end state, for comparing how two schemes colour a text.
std::vector<std::pair<std::string, uint32_t>> Colour(const TSyntaxScheme& scheme,
                                                     const std::string& text) {
  TSyntaxParser parser;
  parser.SetSyntaxScheme(scheme);
  std::vector<std::pair<std::string, uint32_t>> out;
  uint32_t state = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    TLineColors colors(std::string(line.size(), '\0'));
    state = parser.ParseLine(line, state, colors);
    out.emplace_back(colors.str(), state);
    start = end + 1;
  }
  return out;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TSyntaxScheme& Read(TSyntaxScheme& scheme, const std::string& text) {
  SchemeFromText(WithCrLf(text), scheme);
  return scheme;
}

// ---- Writing ----

TEST(SchemeFileWrite, HtmlSchemeIsWrittenExactly) {
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  EXPECT_EQ(SchemeToText(html), test::ReadBytes(test::TestDataPath("schemes/html.sch")));
}

TEST(SchemeFileWrite, LongStringsGoOnInPiecesOf64) {
  TSyntaxScheme s;
  s.Name = std::string(64, 'a');
  std::string text = SchemeToText(s);
  EXPECT_NE(text.find("  P.Name = '" + std::string(64, 'a') + "'\r\n"), std::string::npos) << text;

  s.Name = std::string(65, 'b');
  text = SchemeToText(s);
  EXPECT_NE(text.find("  P.Name = \r\n    '" + std::string(64, 'b') + "' +\r\n    'b'\r\n"),
            std::string::npos)
      << text;

  // A "#" code counts as one character of the 64.
  s.Name = std::string(63, 'c') + "\t" + std::string(3, 'd');
  text = SchemeToText(s);
  EXPECT_NE(text.find("'" + std::string(63, 'c') + "'#9 +\r\n    'ddd'\r\n"), std::string::npos)
      << text;
}

TEST(SchemeFileWrite, StringsWithApostrophesAndControlCharacters) {
  struct TCase {
    std::string value, written;
  } cases[] = {
      {"'", "#39"},
      {"a\tb", "'a'#9'b'"},
      {"it's", "'it'#39's'"},
      {std::string(1, '\0'), "#0"},
      {"\xE9t\xE9", "'\xE9t\xE9'"},
  };
  for (const TCase& c : cases) {
    TSyntaxScheme s;
    s.Name = c.value;
    std::string text = SchemeToText(s);
    EXPECT_NE(text.find("  P.Name = " + c.written + "\r\n"), std::string::npos) << text;
    TSyntaxScheme back;
    SchemeFromText(text, back);
    EXPECT_EQ(back.Name, c.value);
  }
}

TEST(SchemeFileWrite, CharacterSetNotation) {
  struct TCase {
    std::string members, written;
  } cases[] = {
      {",-", ",--"}, {"\\", "\\\\"},   {"ac", "ac"},      {"ab", "a-b"},
      {"-", "\\-"},  {"-./", "\\--/"}, {"[\\a", "[-\\a"},
  };
  for (const TCase& c : cases) {
    TCharSet set;
    set.IncludeAll(c.members);
    EXPECT_EQ(CharSetToText(set), c.written) << c.members;
    EXPECT_TRUE(CharSetFromText(c.written) == set) << c.written;
  }
  EXPECT_EQ(CharSetToText(TSyntaxBlockProps::DefaultFirstIdentChars()), "A-Z_a-z");
  EXPECT_EQ(CharSetToText(TSyntaxBlockProps::DefaultOtherIdentChars()), "0-9A-Z_a-z");
  // A range whose end lies below the current character adds nothing; a lone "-" at the end is
  // a member.
  TCharSet expected;
  expected.Include('z');
  expected.Include('-');
  EXPECT_TRUE(CharSetFromText("z-a-") == expected);
}

TEST(SchemeFileWrite, IdentifierCharactersOnlyWhenNotTheDefault) {
  TSyntaxScheme s;
  std::string text = SchemeToText(s);
  EXPECT_EQ(text.find("IdentChars"), std::string::npos);
  s.SyntaxBlocks[0].OtherIdentChars.Include('$');
  text = SchemeToText(s);
  EXPECT_EQ(text.find("FirstIdentChars"), std::string::npos);
  EXPECT_NE(text.find("      OtherIdentChars = '$0-9A-Z_a-z'\r\n"), std::string::npos) << text;
}

TEST(SchemeFileWrite, FlaggedPropertiesAndColourNames) {
  TSyntaxScheme s;
  TSyntaxBlock& b = s.SyntaxBlocks[0];
  b.UseMetaSymbol = true;       // brings UseMetaToWrapLines and MetaSymbol at their defaults
  b.UseKeywords = true;         // an empty keyword set list is still written
  b.LineDirectivePrefix = "#";  // left out: directives are off
  TAttrItem& a = s.FontTable.Add();
  a.Font.Color = clSystemColor + 30;  // no name
  a.BackColor = 0x1FFFFFFF;           // clNone
  a.Font.Charset = 3;
  a.Font.Pitch = fpFixed;
  a.Font.Style = {fsBold, fsStrikeOut};
  a.UseDefBack = false;
  std::string text = SchemeToText(s);
  for (const char* line :
       {"      UseMetaSymbol = True\r\n      UseMetaToWrapLines = True\r\n      MetaSymbol = "
        "#0\r\n",
        "      UseKeywords = True\r\n      BlockDelimiters = <>\r\n      KeywordSets = <>\r\n",
        "      FontID = 1\r\n      Font.Charset = 3\r\n      Font.Color = -2147483618\r\n",
        "      Font.Pitch = fpFixed\r\n      Font.Style = [fsBold, fsStrikeOut]\r\n      BackColor "
        "= clNone\r\n"
        "      UseDefBack = False\r\n    end>\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
  EXPECT_EQ(text.find("LineDirectivePrefix"), std::string::npos);
  TSyntaxScheme back;
  SchemeFromText(text, back);
  EXPECT_EQ(back.FontTable[0].Font.Color, clSystemColor + 30);
  EXPECT_TRUE(back.FontTable[0].SameSettings(a));
}

// ---- Round trips ----

TEST(SchemeFileRoundTrip, HtmlSchemeReadsBackEqual) {
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  TSyntaxScheme back;
  SchemeFromText(SchemeToText(html), back);
  EXPECT_TRUE(back.SameContent(html));
}

TEST(SchemeFileRoundTrip, LoadedHtmlSchemeColoursAsTheBuiltInOne) {
  std::string sample = test::ReadBytes(test::TestDataPath("golden/tokens/tags.html")) +
                       test::ReadBytes(test::TestDataPath("golden/tokens/comments.html")) +
                       test::ReadBytes(test::TestDataPath("golden/tokens/numbers.html"));
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  TSyntaxScheme loaded;
  SchemeFromText(SchemeToText(html), loaded);
  EXPECT_EQ(Colour(loaded, sample), Colour(html, sample));
}

// ---- Reading ----

TEST(SchemeFileRead, PropertiesWithoutTheWrapperPrefixGiveTheFreshScheme) {
  TSyntaxScheme s;
  BuildHtmlScheme(s);
  Read(s, "object Form1: TForm1\n  SyntaxScheme.Name = 'X'\n  Caption = 'Form'\nend\n");
  EXPECT_EQ(s.Name, "");
  ASSERT_EQ(s.SyntaxBlocks.size(), 1u);
  EXPECT_EQ(s.SyntaxBlocks[0].Name, "Default");
  EXPECT_EQ(s.SyntaxBlocks[0].ID, 0);
  EXPECT_EQ(s.FontTable.Count(), 0);
  EXPECT_EQ(s.SyntaxVersion, 3);
}

TEST(SchemeFileRead, EmptyCollectionsKeepWhatIsThere) {
  TSyntaxScheme s;
  Read(s, "object TPersHolder\n P.SyntaxBlocks = <>\n P.FontTable = <>\n P.SyntaxVersion = 3\nend");
  ASSERT_EQ(s.SyntaxBlocks.size(), 1u);
  EXPECT_EQ(s.SyntaxBlocks[0].Name, "Default");
  EXPECT_EQ(s.FontTable.Count(), 0);
}

TEST(SchemeFileRead, StyleWithoutFontIdTakesTheLowestFreeOne) {
  TSyntaxScheme s;
  s.FontTable.Append(TAttrItem()).FontID = 0;
  s.FontTable.Append(TAttrItem()).FontID = -1;
  s.FontTable.Append(TAttrItem()).FontID = 2;
  s.FontTable.Append(TAttrItem()).FontID = -1;
  std::string text = SchemeToText(s);
  EXPECT_EQ(text.find("FontID = -1"), std::string::npos);
  TSyntaxScheme back;
  SchemeFromText(text, back);
  ASSERT_EQ(back.FontTable.Count(), 4);
  EXPECT_EQ(back.FontTable[1].FontID, 1);
  EXPECT_EQ(back.FontTable[3].FontID, 3);

  // When every FontID is taken a new entry has none.
  std::string many = "object TPersHolder\n  P.FontTable = <";
  for (int i = 0; i < 300; ++i) many += "item end ";
  SchemeFromText(many + ">\nend", back);
  ASSERT_EQ(back.FontTable.Count(), 300);
  EXPECT_EQ(back.FontTable[0].FontID, 1);
  EXPECT_EQ(back.FontTable[254].FontID, 255);
  EXPECT_EQ(back.FontTable[255].FontID, -1);
}

TEST(SchemeFileRead, WithoutVersionTheSchemeIsUpgraded) {
  TSyntaxScheme s;
  Read(s,
       "object TPersHolder\n"
       "  P.SyntaxBlocks = <\n"
       "    item\n      Name = 'Text'\n      FIText = 4\n    end\n"
       "    item\n      Name = 'Code'\n      ParentID = 7\n      FIText = 5\n    end>\n"
       "  P.FontTable = <\n    item\n      FontID = 4\n    end\n    item\n      FontID = 5\n    "
       "end>\n"
       "end\n");
  ASSERT_EQ(s.SyntaxBlocks.size(), 2u);
  EXPECT_EQ(s.SyntaxBlocks[0].ID, 0);
  EXPECT_EQ(s.SyntaxBlocks[1].ID, 1);
  EXPECT_EQ(s.SyntaxBlocks[0].ParentID, -1);
  EXPECT_EQ(s.SyntaxBlocks[1].ParentID, 0);
  EXPECT_EQ(s.FontTable.Find(5)->BlockID, 1);
  EXPECT_EQ(s.SyntaxVersion, 3);
}

TEST(SchemeFileRead, UnknownPropertiesAndWrongKindsArePassedOver) {
  TSyntaxScheme s;
  Read(s,
       "OBJECT holder: TPersHolder [3]\n"
       "  Tag = 5\n"
       "  P.Unknown = (1 'two' [a, b] <item x = 1 end> {0aFF} 2.5)\n"
       "  P.Name = 'Kept'\n"
       "  P.Name = 12\n"
       "  p.syntaxblocks = <\n"
       "    Item [0]\n"
       "      Name = 'Root'\n"
       "      ID = 'zero'\n"
       "      ID = 99999999999999999999\n"
       "      FIText = 3\n"
       "      CaseSensitive = Maybe\n"
       "      UseMetaSymbol = true\n"
       "      MetaSymbol = 'ab'\n"
       "      MetaSymbol = '\\'\n"
       "      Color.Deep.Path = clRed\n"
       "      SingleLineCommentDelimiters = <\n"
       "        item\n          LeftDelimiter = '//'\n          RightDelimiter = 'x'\n"
       "          FontID = 2.0\n        end>\n"
       "    END>\n"
       "  P.FontTable = <\n"
       "    item\n      FontID = 3\n      Font.Color = clNoSuchColour\n      Font.Style = [fsBold, "
       "fsWide]\n"
       "      Font.Height = -15\n      BackColor = $FF\n      Font.Charset = 300\n    end>\n"
       "  P.SyntaxVersion = 3\n"
       "  object Child: TChild\n    Foo = 1\n  end\n"
       "end\n");
  EXPECT_EQ(s.Name, "Kept");
  ASSERT_EQ(s.SyntaxBlocks.size(), 1u);
  const TSyntaxBlock& b = s.SyntaxBlocks[0];
  EXPECT_EQ(b.Name, "Root");
  EXPECT_EQ(b.ID, -1);  // never set: both values were of the wrong kind or too big
  EXPECT_EQ(b.FIText, 3);
  EXPECT_FALSE(b.CaseSensitive);
  EXPECT_TRUE(b.UseMetaSymbol);
  EXPECT_EQ(b.MetaSymbol, '\\');
  ASSERT_EQ(b.SingleLineCommentDelimiters.size(), 1u);
  EXPECT_EQ(b.SingleLineCommentDelimiters[0].LeftDelimiter, "//");
  EXPECT_EQ(b.SingleLineCommentDelimiters[0].FontID, -1);
  ASSERT_EQ(s.FontTable.Count(), 1);
  const TAttrItem& a = s.FontTable[0];
  EXPECT_EQ(a.FontID, 3);
  EXPECT_EQ(a.Font.Color, TFont().Color);
  EXPECT_TRUE(a.Font.Style.Empty());
  EXPECT_EQ(a.Font.Height, -15);
  EXPECT_EQ(a.BackColor, TColor{0xFF});
  EXPECT_EQ(a.Font.Charset, DEFAULT_CHARSET);
}

TEST(SchemeFileRead, FreeSpacingAndJoinedStrings) {
  TSyntaxScheme s;
  SchemeFromText("inherited X:TPersHolder P.Name='a'#9'b'+\r\n  'c'''#$41 P.SyntaxVersion=$3 end",
                 s);
  EXPECT_EQ(s.Name, "a\tbc'A");
}

TEST(SchemeFileRead, ReadingReplacesTheSchemeAndTellsItsParser) {
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  int told = 0;
  int client = 0;
  parser.AddClient(
      &client, [&](TSimpleParser&) { ++told; }, [](TSimpleParser&) {});
  Read(parser.SyntaxScheme(), "object TPersHolder\n  P.Name = 'Plain'\nend");
  EXPECT_EQ(parser.SyntaxScheme().Name, "Plain");
  EXPECT_EQ(parser.SyntaxScheme().FontTable.Count(), 0);
  EXPECT_EQ(told, 1);
  parser.RemoveClient(&client);
}

}  // namespace
}  // namespace quorel
