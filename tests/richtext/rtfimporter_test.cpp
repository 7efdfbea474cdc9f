// The RTF reader, piece by piece: styles and groups, the font and colour tables, skipped
// destinations, characters in both targets, breaks and tabs, broken nesting and deep nesting.
#include "richtext/rtfimporter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace quorel {
namespace {

struct TPiece {
  TImportPieceKind Kind;
  std::string Text;
  TImportAttributes Attributes;
};

std::vector<TPiece> Read(TVrelRtfImporter& importer, std::string_view rtf, bool utf8) {
  std::vector<TPiece> pieces;
  importer.Utf8 = utf8;
  importer.OnPiece = [&](TImportPieceKind kind, std::string_view text, const TImportAttributes& a) {
    pieces.push_back({kind, std::string(text), a});
  };
  importer.Import(rtf);
  return pieces;
}

std::vector<TPiece> Read(std::string_view rtf, bool utf8 = true) {
  TVrelRtfImporter importer;
  return Read(importer, rtf, utf8);
}

// A document around `body`, with no tables.
std::string Doc(std::string_view body) { return "{\\rtf1\\ansi " + std::string(body) + "}"; }

// Line breaks as "\n", tabs as "\t".
std::string TextOf(const std::vector<TPiece>& pieces) {
  std::string s;
  for (const TPiece& p : pieces)
    s += p.Kind == ipLineBreak ? "\n" : p.Kind == ipTab ? "\t" : p.Text;
  return s;
}

// The attributes of the first text piece that is `text`.
TImportAttributes Of(const std::vector<TPiece>& pieces, std::string_view text) {
  for (const TPiece& p : pieces)
    if (p.Kind == ipText && p.Text == text) return p.Attributes;
  ADD_FAILURE() << "no piece \"" << text << "\" in \"" << TextOf(pieces) << '"';
  return {};
}

constexpr TFontStyles kBold{fsBold};

TEST(RtfStyles, ControlWordsTurnStylesOnAndOffWithinAGroup) {
  auto pieces = Read(Doc("\\b bold\\b0 plain"));
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].Text, "bold");  // the blank after a control word is no text
  EXPECT_EQ(pieces[0].Attributes.Style, kBold);
  EXPECT_EQ(pieces[1].Text, "plain");
  EXPECT_TRUE(pieces[1].Attributes.Style.Empty());

  pieces = Read(Doc("\\ul\\i\\strike a\\ulnone b\\i0\\strike0 c"));
  EXPECT_EQ(Of(pieces, "a").Style, (TFontStyles{fsUnderline, fsItalic, fsStrikeOut}));
  EXPECT_EQ(Of(pieces, "b").Style, (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_TRUE(Of(pieces, "c").Style.Empty());
  // Turned off and on again in one group, the style is on.
  EXPECT_EQ(Of(Read(Doc("\\b0\\b x")), "x").Style, kBold);
}

TEST(RtfStyles, AGroupsEndRestoresTheOuterFormatting) {
  auto pieces = Read(Doc("{\\b a{\\i b}c{\\b0 d}e}f"));
  EXPECT_EQ(Of(pieces, "a").Style, kBold);
  EXPECT_EQ(Of(pieces, "b").Style, (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(Of(pieces, "c").Style, kBold);
  EXPECT_TRUE(Of(pieces, "d").Style.Empty());
  EXPECT_EQ(Of(pieces, "e").Style, kBold);
  EXPECT_TRUE(Of(pieces, "f").Style.Empty());
}

constexpr std::string_view kTables =
    "{\\rtf1{\\fonttbl{\\f0\\froman\\fcharset0 Georgia;}"
    "{\\f1\\fmodern\\fcharset204{\\*\\panose 02070309020205020404}Courier New{\\*\\falt Cour};}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}";

TEST(RtfTables, FontsAndColoursComeFromTheTables) {
  auto pieces = Read(std::string(kTables) + "a{\\f1\\cf1 b}{\\cf2\\highlight1 c}{\\f7\\cf9 d}}");
  const TImportAttributes a = Of(pieces, "a");
  EXPECT_EQ(a.FontName, "Georgia");  // the first entry is the default font
  EXPECT_EQ(a.Charset, 0);
  EXPECT_EQ(a.Color, 0u);
  EXPECT_FALSE(a.HasBack);
  const TImportAttributes b = Of(pieces, "b");
  EXPECT_EQ(b.FontName, "Courier New");  // without the alternative name and the font data
  EXPECT_EQ(b.Charset, 204);
  EXPECT_EQ(b.Color, 0x0000FFu);
  const TImportAttributes c = Of(pieces, "c");
  EXPECT_EQ(c.Color, 0xFF8000u);
  EXPECT_TRUE(c.HasBack);
  EXPECT_EQ(c.Back, 0x0000FFu);
  // Entries the tables do not have change nothing.
  const TImportAttributes d = Of(pieces, "d");
  EXPECT_EQ(d.FontName, "Georgia");
  EXPECT_EQ(d.Color, 0u);
  EXPECT_EQ(TextOf(pieces), "abcd");  // no table text shows
}

TEST(RtfTables, HighlightZeroIsNoBackgroundOnlyWhenEntryZeroIsBlack) {
  auto pieces = Read(
      "{\\rtf1{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}"
      "{\\highlight1 a{\\highlight0 b}}}");
  EXPECT_TRUE(Of(pieces, "a").HasBack);
  EXPECT_FALSE(Of(pieces, "b").HasBack);  // and it hides the outer highlight
  pieces = Read("{\\rtf1{\\colortbl\\red0\\green255\\blue0;}{\\highlight0 a}}");
  EXPECT_TRUE(Of(pieces, "a").HasBack);
  EXPECT_EQ(Of(pieces, "a").Back, 0x00FF00u);
}

TEST(RtfTables, EntriesWithoutGroupsAndGapsInTheFontNumbers) {
  auto pieces = Read(
      "{\\rtf1{\\fonttbl\\f2\\fswiss Arial;\\f3 Verdana;}{\\colortbl\\red10;}"
      "{\\f0 a}{\\f3\\cf0 b}{\\f99999 c}}");
  EXPECT_EQ(Of(pieces, "a").FontName, "Arial");  // \f0 is an empty entry; Arial comes first
  EXPECT_EQ(Of(pieces, "b").FontName, "Verdana");
  EXPECT_EQ(Of(pieces, "b").Color, 10u);  // an entry without \blue ends at its ";"
  EXPECT_EQ(Of(pieces, "c").FontName, "Arial");
}

TEST(RtfTables, WithoutAFontTableNoTextIsLost) {
  auto pieces = Read("{\\rtf1\\ansi\\deff0 hello {\\b world}}");
  EXPECT_EQ(TextOf(pieces), "hello world");
  EXPECT_EQ(Of(pieces, "hello ").FontName, "Times New Roman");
  EXPECT_EQ(Of(pieces, "world").Style, kBold);
}

TEST(RtfFormatting, FontSizesInHalfPoints) {
  auto pieces = Read(Doc("{\\fs20 a}{\\fs25 b}{\\fs c}{\\fs-4 d}{\\fs99999999999 e}{\\fs1 f}"));
  EXPECT_EQ(Of(pieces, "a").Size, 10);
  EXPECT_EQ(Of(pieces, "b").Size, 12);  // rounded toward zero
  EXPECT_EQ(Of(pieces, "c").Size, 12);  // no number
  EXPECT_EQ(Of(pieces, "d").Size, 72);  // a sign
  EXPECT_EQ(Of(pieces, "e").Size, 12);  // a number too large to read
  EXPECT_EQ(Of(pieces, "f").Size, 1);   // never below a point
}

TEST(RtfFormatting, PlainResetsEverythingTheOuterGroupsSet) {
  auto pieces =
      Read(std::string(kTables) + "{\\f1\\fs40\\cf1\\highlight2\\b\\i x{\\plain y}\\plain z}}");
  const TImportAttributes x = Of(pieces, "x");
  EXPECT_EQ(x.FontName, "Courier New");
  EXPECT_EQ(x.Size, 20);
  EXPECT_TRUE(x.HasBack);
  for (const char* text : {"y", "z"}) {
    const TImportAttributes a = Of(pieces, text);
    EXPECT_EQ(a.FontName, "Georgia") << text;
    EXPECT_EQ(a.Charset, 0) << text;
    EXPECT_EQ(a.Size, 12) << text;
    EXPECT_EQ(a.Color, 0u) << text;
    EXPECT_TRUE(a.Style.Empty()) << text;
    EXPECT_FALSE(a.HasBack) << text;
  }
}

TEST(RtfDestinations, GroupsThatAreNoTextAreSkippedWhole) {
  auto pieces =
      Read(Doc("{\\*\\generator x;}{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}{\\author A}}"
               "{\\*\\x {a}{b} c}{\\pict\\bin5 ab}cd}shown"));
  EXPECT_EQ(TextOf(pieces), "shown");  // binary picture data may hold braces
  // Text at a group's start is always text, even where it matches part of a skipped word.
  EXPECT_EQ(TextOf(Read(Doc("{at}{\\i it}"))), "atit");
}

TEST(RtfCharacters, HexCharactersInBothTargets) {
  EXPECT_EQ(TextOf(Read(Doc("caf\\'e9"), false)), "caf\xE9");
  EXPECT_EQ(TextOf(Read(Doc("caf\\'e9"), true)), "caf\xC3\xA9");
  // Hex characters and the text after them are one piece; Windows-1252 0x80 is the euro.
  auto pieces = Read(Doc("\\'e9\\'80t\\'E9"));
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].Text, "\xC3\xA9\xE2\x82\xACt");
  // Bytes beyond ASCII in plain text are Windows-1252 too.
  EXPECT_EQ(TextOf(Read(Doc("\xE9"))), "\xC3\xA9");
  EXPECT_EQ(TextOf(Read(Doc("\xE9"), false)), "\xE9");
  // A control character does not get into the text.
  EXPECT_EQ(TextOf(Read(Doc("a\\'0ab\\'09c"))), "abc");
}

TEST(RtfCharacters, UnicodeCharactersDropTheirFallback) {
  const std::string euro = "\xE2\x82\xAC", replacement = "\xEF\xBF\xBD";
  auto pieces = Read(Doc("\\u8364?costs"));
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].Text, euro);
  EXPECT_EQ(pieces[1].Text, "costs");
  EXPECT_EQ(TextOf(Read(Doc("\\u8364?costs"), false)), "\x80" + std::string("costs"));
  EXPECT_EQ(TextOf(Read(Doc("\\u8364\\'80x"))), euro + "x");
  EXPECT_EQ(TextOf(Read(Doc("\\u1046?x"), false)), "?x");      // no Windows-1252 byte: one "?"
  EXPECT_EQ(TextOf(Read(Doc("\\u-3?x"))), replacement + "x");  // negative: 65536 added
  // Surrogate pairs, written either way, are one character.
  EXPECT_EQ(TextOf(Read(Doc("\\u-10179?\\u-8704?!"))), "\xF0\x9F\x98\x80!");
  EXPECT_EQ(TextOf(Read(Doc("\\u55357?\\u56832?!"), false)), "?!");
  EXPECT_EQ(TextOf(Read(Doc("\\u55357?a"))), replacement + "a");  // a lone half
  // \ucN counts the fallback characters, to the end of its group; writers may put one between
  // the halves of a pair.
  EXPECT_EQ(TextOf(Read(Doc("\\uc0 \\u55357\\uc1 \\u56832\\'3f!"))), "\xF0\x9F\x98\x80!");
  EXPECT_EQ(TextOf(Read(Doc("\\uc2\\u26085\\'93\\'fa x"))), "\xE6\x97\xA5 x");
  EXPECT_EQ(TextOf(Read(Doc("{\\uc0 \\u8364 a}\\u8364?b"))), euro + "a" + euro + "b");
  // A number that does not read inserts nothing and keeps the text.
  EXPECT_EQ(TextOf(Read(Doc("\\u?x"))), "?x");
  EXPECT_EQ(TextOf(Read(Doc("\\u99999999999?x"))), "?x");
}

TEST(RtfCharacters, EscapesSymbolsAndSourceLineBreaks) {
  EXPECT_EQ(TextOf(Read(Doc("a\\{b\\}c\\\\d"))), "a{b}c\\d");
  EXPECT_EQ(TextOf(Read(Doc("a\\~b\\_c\\-d\\|e"))), "a b-cde");
  EXPECT_EQ(TextOf(Read(Doc("one\r\ntwo\nthree"))), "onetwothree");
  EXPECT_EQ(TextOf(Read(Doc("\\unknown42 x\\unknown-7 y"))), "xy");
}

TEST(RtfBreaks, ParagraphsLinesAndRowsBreakCellsAndTabsTab) {
  auto pieces = Read(Doc("a\\par b\\line c\\row d\\cell e\\tab f"));
  EXPECT_EQ(TextOf(pieces), "a\nb\nc\nd\te\tf");
  EXPECT_EQ(TextOf(Read(Doc("a\\\nb\\\r\nc"))), "a\nb\nc");  // a backslash before a line end
  for (const TPiece& p : pieces) EXPECT_TRUE(p.Kind == ipText || p.Text.empty());
}

TEST(RtfNesting, UnmatchedAndUnclosedGroups) {
  auto pieces = Read("{\\rtf1 a}}}{\\b b}c{\\i d{\\ul e");
  EXPECT_EQ(TextOf(pieces), "abcde");
  EXPECT_EQ(Of(pieces, "b").Style, kBold);
  EXPECT_TRUE(Of(pieces, "c").Style.Empty());
  EXPECT_EQ(Of(pieces, "e").Style, (TFontStyles{fsItalic, fsUnderline}));
  // What was open at the end does not carry over to the next import.
  TVrelRtfImporter importer;
  Read(importer, "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\b x", true);
  pieces = Read(importer, "{\\rtf1 y}", true);
  EXPECT_TRUE(Of(pieces, "y").Style.Empty());
  EXPECT_EQ(Of(pieces, "y").FontName, "Times New Roman");
}

// Every level changes the style, so each piece needs the attributes of its own depth; a reader
// that walked the stack for them would take minutes here, and one that recursed would overflow.
TEST(RtfNesting, TwoHundredThousandNestedGroups) {
  constexpr int kDepth = 200000;
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < kDepth; ++i) rtf += i % 2 == 0 ? "{\\b x" : "{\\b0 y";
  for (int i = 0; i < kDepth; ++i) rtf += "}";
  rtf += "z}";
  auto pieces = Read(rtf);
  ASSERT_EQ(pieces.size(), static_cast<size_t>(kDepth) + 1);
  for (int i = 0; i < kDepth; ++i)
    ASSERT_EQ(pieces[static_cast<size_t>(i)].Attributes.Style.Contains(fsBold), i % 2 == 0) << i;
  EXPECT_EQ(pieces.back().Text, "z");
  EXPECT_TRUE(pieces.back().Attributes.Style.Empty());
}

TEST(RtfRecognition, OnlyDataThatStartsWithTheHeader) {
  TVrelRtfImporter importer;
  EXPECT_TRUE(importer.Recognises("{\\rtf1\\ansi x}"));
  EXPECT_TRUE(importer.Recognises("{\\rtf"));
  EXPECT_FALSE(importer.Recognises("{\\rt"));
  EXPECT_FALSE(importer.Recognises("{\\RTF1"));
  EXPECT_FALSE(importer.Recognises(" {\\rtf1"));
  EXPECT_FALSE(importer.Recognises(""));
}

// What the program's own RTF export writes reads back as the same text and formatting.
TEST(RtfRoundTrip, TheExportOfTheWorkedExample) {
  std::ifstream in(QUOREL_TEST_DATA_DIR "/golden/export/worked.rtf", std::ios::binary);
  std::stringstream data;
  data << in.rdbuf();
  auto pieces = Read(data.str());
  EXPECT_EQ(TextOf(pieces), "<b>word</b>");
  for (const char* text : {"<b>", "word"}) {
    EXPECT_EQ(Of(pieces, text).FontName, "Courier New") << text;
    EXPECT_EQ(Of(pieces, text).Size, 8) << text;
  }
  EXPECT_EQ(Of(pieces, "<b>").Color, 0xFF0000u);
  EXPECT_EQ(Of(pieces, "word").Color, 0u);
}

}  // namespace
}  // namespace quorel
