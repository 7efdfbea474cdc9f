// The HTML reader, piece by piece: blanks from source line breaks, entities, line-break tags,
// the head, font, size and link formatting, misnested and deeply nested tags, and encodings.
#include "richtext/htmlimporter.h"

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

std::vector<TPiece> Read(std::string_view html, bool utf8 = true) {
  TVrelHTMLImporter importer;
  std::vector<TPiece> pieces;
  importer.Utf8 = utf8;
  importer.OnPiece = [&](TImportPieceKind kind, std::string_view text, const TImportAttributes& a) {
    pieces.push_back({kind, std::string(text), a});
  };
  importer.Import(html);
  return pieces;
}

// Line breaks as "\n".
std::string TextOf(const std::vector<TPiece>& pieces) {
  std::string s;
  for (const TPiece& p : pieces) s += p.Kind == ipLineBreak ? "\n" : p.Text;
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

TEST(HtmlText, ASourceLineBreakIsOneBlank) {
  for (const char* page : {"first line\nsecond", "first line\r\n   second", "first line\rsecond"})
    EXPECT_EQ(TextOf(Read(page)), "first line second") << page;
  // A tag or comment between takes the blank away; a blank line is one blank.
  EXPECT_EQ(TextOf(Read("a\n<b>b</b>\n<!-- c -->d")), "abd");
  EXPECT_EQ(TextOf(Read("a\n\n  \nb")), "a  b");
  EXPECT_EQ(TextOf(Read("a\tb")), "a b");
}

TEST(HtmlText, EntitiesDigitsAndStrayBrackets) {
  EXPECT_EQ(TextOf(Read("&amp;lt; &copy; &#169;")), "&lt; &copy; &#169;");
  EXPECT_EQ(TextOf(Read("&nbsp;&lt;&gt;&quot;&amp;")), " <>\"&");
  auto pieces = Read("<b>3.14 m</b>");
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].Text, "3.14 m");
  EXPECT_EQ(pieces[0].Attributes.Style, kBold);
  EXPECT_EQ(TextOf(Read("a > b")), "a > b");
}

TEST(HtmlTags, ParagraphsAndLineBreaks) {
  auto pieces = Read("a<p>b</p>c<br>d<BR/>e");
  EXPECT_EQ(TextOf(pieces), "a\n\nbc\nd\ne");
  for (const TPiece& p : pieces) EXPECT_TRUE(p.Kind == ipText || p.Text.empty());
}

TEST(HtmlTags, HeadTitleCommentsAndOtherTagsAreNoText) {
  EXPECT_EQ(TextOf(Read("<html><HEAD><title>T</title><style>p {}</style></head>"
                        "<body class=\"x>y\" id='a'>text<img alt=\"<b>\"></body></html>")),
            "text");
  EXPECT_EQ(TextOf(Read("<head><title>T</title>no end")), "");
  // A title after the head, as the program's own export writes it.
  EXPECT_EQ(TextOf(Read("<Html><Head></Head><Title>MemoSource1</Title><Body>x")), "x");
  EXPECT_EQ(TextOf(Read("a<!-- <b>b</b> -->c<!-- open")), "ac");
}

TEST(HtmlFormatting, FontFaceSizeAndColour) {
  auto pieces = Read(
      "<FONT FACE=\"Arial\" size=5 COLOR=\"#FF8000\">a<font size=\"+1\">b</font>"
      "<font color=00FF00 size=9>c</font><font color=\"#GG0010\" size=x>d</font></font>e");
  const TImportAttributes a = Of(pieces, "a");
  EXPECT_EQ(a.FontName, "Arial");
  EXPECT_EQ(a.Size, 18);
  EXPECT_EQ(a.Color, 0x0080FFu);
  EXPECT_EQ(Of(pieces, "b").Size, 14);  // 3 + 1
  EXPECT_EQ(Of(pieces, "b").FontName, "Arial");
  EXPECT_EQ(Of(pieces, "c").Color, 0x00FF00u);  // "#" may be missing
  EXPECT_EQ(Of(pieces, "c").Size, 48);
  EXPECT_EQ(Of(pieces, "d").Color, 0x100000u);  // a pair that does not read is 0
  EXPECT_EQ(Of(pieces, "d").Size, 48);
  const TImportAttributes e = Of(pieces, "e");
  EXPECT_EQ(e.FontName, "Times New Roman");
  EXPECT_EQ(e.Size, 12);
  EXPECT_EQ(e.Color, 0u);
  // A face may list fallbacks; the first is the font.
  EXPECT_EQ(Of(Read("<font face=\"'Courier New', monospace\">f"), "f").FontName, "Courier New");
}

TEST(HtmlFormatting, BigAndSmallStepThroughTheSizeTable) {
  auto pieces = Read("<big>a<BIG>b</big>c</big>d<small>e</small><big>f</big></big><big>g");
  EXPECT_EQ(Of(pieces, "a").Size, 10);  // the level starts at 1
  EXPECT_EQ(Of(pieces, "b").Size, 12);
  EXPECT_EQ(Of(pieces, "c").Size, 10);
  EXPECT_EQ(Of(pieces, "d").Size, 12);
  EXPECT_EQ(Of(pieces, "e").Size, 8);  // not below level 1
  // Closing a SMALL that could not go lower, or a BIG that is not open, leaves the level.
  EXPECT_EQ(Of(pieces, "f").Size, 10);
  EXPECT_EQ(Of(pieces, "g").Size, 10);
}

TEST(HtmlFormatting, LinksAreUnderlinedInTheBodysLinkColour) {
  auto pieces = Read("<a href=x>a</a><body link=\"#00FF00\" bgcolor=\"#FFFFFF\"><a>b</a>c");
  EXPECT_EQ(Of(pieces, "a").Style, TFontStyles{fsUnderline});
  EXPECT_EQ(Of(pieces, "a").Color, 0xFF0000u);  // blue
  EXPECT_EQ(Of(pieces, "b").Color, 0x00FF00u);
  EXPECT_TRUE(Of(pieces, "c").Style.Empty());
  EXPECT_EQ(Of(pieces, "c").Color, 0u);
}

TEST(HtmlNesting, ClosingATagThatIsNotOnTop) {
  auto pieces = Read("<b>a<i>b</B>c</i>d</u><STRONG>e<br>f</strong>g");
  EXPECT_EQ(Of(pieces, "a").Style, kBold);
  EXPECT_EQ(Of(pieces, "b").Style, (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(Of(pieces, "c").Style, TFontStyles{fsItalic});
  EXPECT_TRUE(Of(pieces, "d").Style.Empty());
  EXPECT_EQ(Of(pieces, "f").Style, kBold);
  EXPECT_TRUE(Of(pieces, "g").Style.Empty());  // the BR record above it stays open
}

// Each closing </u> removes a record that has a <b> above it: removing from the middle must not
// cost a walk over the stack either.
TEST(HtmlNesting, OneHundredThousandNestedTags) {
  constexpr int kDepth = 100000;
  std::string html;
  for (int i = 0; i < kDepth; ++i) html += "<u><b>x";
  for (int i = 0; i < kDepth; ++i) html += "</u>";
  html += "y";
  for (int i = 0; i < kDepth; ++i) html += "</b>";
  html += "z";
  auto pieces = Read(html);
  ASSERT_EQ(pieces.size(), static_cast<size_t>(kDepth) + 2);
  for (int i = 0; i < kDepth; ++i)
    ASSERT_EQ(pieces[static_cast<size_t>(i)].Attributes.Style, (TFontStyles{fsUnderline, fsBold}))
        << i;
  EXPECT_EQ(Of(pieces, "y").Style, kBold);
  EXPECT_TRUE(Of(pieces, "z").Style.Empty());
}

TEST(HtmlEncoding, PagesInEitherEncodingIntoEitherTarget) {
  EXPECT_EQ(TextOf(Read("caf\xE9 \x80")), "caf\xC3\xA9 \xE2\x82\xAC");  // Windows-1252
  EXPECT_EQ(TextOf(Read("caf\xC3\xA9")), "caf\xC3\xA9");                // UTF-8 as it is
  // One byte that is not UTF-8 makes the whole page Windows-1252.
  EXPECT_EQ(TextOf(Read("\xC3\xA9 \xE9")), "\xC3\x83\xC2\xA9 \xC3\xA9");
  EXPECT_EQ(TextOf(Read("caf\xE9", false)), "caf\xE9");
  EXPECT_EQ(TextOf(Read("\xEF\xBB\xBFx")), "x");  // a byte-order mark is no text
  // A byte beyond ASCII in a colour value ends it, whatever the target (found by fuzzing).
  const std::string page = std::string("<font color=\"#20\xAA") + "ff00\">x";
  for (bool utf8 : {false, true}) EXPECT_EQ(Of(Read(page, utf8), "x").Color, 0x20u) << utf8;
}

TEST(HtmlRecognition, AnythingIsHtml) {
  TVrelHTMLImporter importer;
  EXPECT_TRUE(importer.Recognises(""));
  EXPECT_TRUE(importer.Recognises("{\\rtf1 x}"));
}

// What the program's own HTML export writes reads back as the same text and formatting.
TEST(HtmlRoundTrip, TheExportOfTheWorkedExample) {
  std::ifstream in(QUOREL_TEST_DATA_DIR "/golden/export/worked.html", std::ios::binary);
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
