// The HTML and RTF writers and the export walk: the worked example byte for byte, the tag and
// table rules, UTF-8 text, the selection, the export event and files that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/memosource.h"
#include "platform/services.h"
#include "richtext/exportwalk.h"
#include "richtext/htmlexporter.h"
#include "richtext/rtfexporter.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

// A store coloured by the built-in HTML scheme, shown in Courier New 10 point, black on white.
struct HtmlDocument : ::testing::Test {
  test::TFaultyFileSystem files;
  TMemoSource store{platform::WithDefaults({nullptr, nullptr, &files})};
  TSyntaxParser parser;
  TTextStyles named;
  TExportSource source;

  HtmlDocument() {
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    store.SetName("MemoSource1");
    store.SetSyntaxParser(&parser);
    source.Store = &store;
    source.Font.Name = "Courier New";
    source.Font.SetSize(10);
    source.Font.Color = clBlack;
    source.Color = clWhite;
    source.TextStyles = &named;
    source.Title = "MemoSource1";
  }
  ~HtmlDocument() override { store.SetSyntaxParser(nullptr); }
};

TEST_F(HtmlDocument, WorkedExampleIsWrittenTagForTag) {
  store.LoadFromBuffer("<b>word</b>");
  store.SetEncoding(enWindows1252);
  EXPECT_EQ(ExportHtml(source),
            "<Html><Head></Head><Title>MemoSource1</Title><Body><font face=\"Times New Roman\">"
            "\r\n<Body BGCOLOR=\"#FFFFFF\">"
            "\r\n<font face=\"Courier New\"><font SIZE=\"2\"><font color=\"#000000\">"
            "<font face=\"Courier New\"><font SIZE=\"1\"><font color=\"#0000FF\">&lt;b&gt;"
            "</font></font></font>"
            "<font SIZE=\"1\"><font color=\"#000000\">word</font></font>"
            "<font SIZE=\"1\"><font color=\"#0000FF\">&lt;/b&gt;</font></font>"
            "</font></font></font></Body></font></Body></Html>");
}

TEST_F(HtmlDocument, RtfOfTheWorkedExampleHasItsTablesAfterTheHeader) {
  store.LoadFromBuffer("<b>word</b>");
  EXPECT_EQ(ExportRtf(source),
            "{\\rtf1\\ansi \r\n"
            "{\\fonttbl\r\n{\\f0\\fcharset1 \\fnil Times New Roman;}\r\n"
            "{\\f1\\fcharset1 Courier New;}\r\n}\r\n"
            "{\\colortbl\r\n\\red0\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n}\r\n"
            "{\\plain \r\n"
            "{\\f1 {\\fs20 \r\n{\\cf0 "
            "{\\f1 {\\fs16 \r\n{\\cf1 <b>}}}"
            "{\\fs16 \r\n{\\cf0 word}}"
            "{\\fs16 \r\n{\\cf1 </b>}}"
            "}}}}}");
}

TEST_F(HtmlDocument, SelectionOnlyWithoutASelectionWritesTheFrame) {
  store.LoadFromBuffer("<p>text</p>");
  std::string html = ExportHtml(source, true);
  EXPECT_EQ(html.find("text"), std::string::npos);
  EXPECT_NE(html.find("</Body></font></Body></Html>"), std::string::npos);
  std::string rtf = ExportRtf(source, true);
  EXPECT_EQ(rtf.find("text"), std::string::npos);
  // The colour table holds the base font's colour only.
  size_t table = rtf.find("{\\colortbl\r\n\\red0\\green0\\blue0;\r\n}");
  EXPECT_NE(table, std::string::npos) << rtf;
}

TEST_F(HtmlDocument, EveryEscapedPieceGoesThroughTheExportEvent) {
  store.LoadFromBuffer("<b>a b</b>\r\nplain");
  std::vector<std::string> pieces;
  source.OnExportString = [&](TVrelExporter&, std::string& text) {
    pieces.push_back(text);
    if (text == "plain") text = "CHANGED";
  };
  std::string html = ExportHtml(source);
  EXPECT_EQ(pieces, (std::vector<std::string>{"&lt;b&gt;", "a&nbsp;b", "&lt;/b&gt;", "plain"}));
  EXPECT_NE(html.find("CHANGED"), std::string::npos);
  EXPECT_EQ(html.find(">plain<"), std::string::npos);
}

TEST_F(HtmlDocument, Utf8TextIsDeclaredInHtmlAndWrittenAsUnicodeInRtf) {
  store.SetEncoding(enUtf8);
  store.LoadFromBuffer("caf\xC3\xA9 \xEF\xBC\xA1 \xF0\x9F\x98\x80");
  ASSERT_TRUE(store.IsUtf8());
  std::string html = ExportHtml(source);
  EXPECT_EQ(html.rfind("<Html><Head><meta charset=\"utf-8\"></Head><Title>", 0), 0u);
  EXPECT_NE(html.find("caf\xC3\xA9&nbsp;\xEF\xBC\xA1&nbsp;\xF0\x9F\x98\x80"), std::string::npos);
  std::string rtf = ExportRtf(source);
  // U+FF21 is above 32767 and goes negative; U+1F600 is a surrogate pair.
  EXPECT_NE(rtf.find("caf\\u233? \\u-223? \\u-10179?\\u-8704?"), std::string::npos) << rtf;
}

TEST_F(HtmlDocument, Windows1252BytesPassUnchanged) {
  store.LoadFromBuffer("caf\xE9 \x80");
  ASSERT_FALSE(store.IsUtf8());
  EXPECT_NE(ExportRtf(source).find("caf\xE9 \x80"), std::string::npos);
  std::string html = ExportHtml(source);
  EXPECT_NE(html.find("caf\xE9&nbsp;\x80"), std::string::npos);
  EXPECT_EQ(html.find("charset"), std::string::npos);
}

TEST_F(HtmlDocument, AUtf8CharacterIsNeverCutBetweenRuns) {
  store.SetEncoding(enUtf8);
  // The multi-byte character sits right where a tag's colour would begin.
  store.LoadFromBuffer("\xC3\xA9<b>\xE2\x82\xAC</b>");
  std::string html = ExportHtml(source);
  EXPECT_NE(html.find(">\xC3\xA9</font>"), std::string::npos) << html;
  EXPECT_NE(html.find(">\xE2\x82\xAC</font>"), std::string::npos) << html;
}

TEST_F(HtmlDocument, ExportingToAFileReplacesItThroughTheSafeWrite) {
  test::TTempDir dir;
  store.LoadFromBuffer("<p>page</p>");
  std::string target = dir.File("out.html");
  test::WriteBytes(target, "old");
  ExportHtmlFile(source, target);
  EXPECT_EQ(test::ReadBytes(target), ExportHtml(source));
  ExportRtfFile(source, dir.File("out.rtf"));
  EXPECT_EQ(test::ReadBytes(dir.File("out.rtf")), ExportRtf(source));
}

// A page whose HTML runs to megabytes goes to the file in pieces cut at line ends: the file must
// be the page ExportHtml makes, byte for byte, and a write failing halfway must keep the old one.
TEST_F(HtmlDocument, ALargeExportWrittenInPiecesIsTheWholePage) {
  test::TTempDir dir;
  std::string text;
  for (int y = 0; y < 40000; ++y) text += "<p class=\"x\">line " + std::to_string(y) + "</p>\r\n";
  store.LoadFromBuffer(text);
  const std::string whole = ExportHtml(source);
  ASSERT_GT(whole.size(), 3 * TVrelExporter::kDrainBytes);
  std::string target = dir.File("out.html");
  ExportHtmlFile(source, target);
  EXPECT_EQ(test::ReadBytes(target), whole);
  files.FailWriteAfter = static_cast<long>(TVrelExporter::kDrainBytes + 100);
  test::WriteBytes(target, "old bytes");
  EXPECT_THROW(ExportHtmlFile(source, target), std::exception);
  EXPECT_EQ(test::ReadBytes(target), "old bytes");
  EXPECT_EQ(dir.FileCount(), 1);
}

TEST_F(HtmlDocument, AFailedExportLeavesTheOldFileAsItWas) {
  test::TTempDir dir;
  store.LoadFromBuffer(std::string(50000, 'x'));
  std::string target = dir.File("out.rtf");
  test::WriteBytes(target, "old bytes");
  files.FailWriteAfter = 1000;
  EXPECT_THROW(ExportRtfFile(source, target), std::exception);
  EXPECT_EQ(test::ReadBytes(target), "old bytes");
  EXPECT_EQ(dir.FileCount(), 1);
  files.FailWriteAfter = -1;

  std::filesystem::permissions(target, std::filesystem::perms::owner_read);
  EXPECT_THROW(ExportHtmlFile(source, target), std::exception);
  EXPECT_EQ(test::ReadBytes(target), "old bytes");
  std::filesystem::permissions(target, std::filesystem::perms::owner_all);
  EXPECT_THROW(ExportHtmlFile(source, dir.File("missing/out.html")), std::exception);
}

TEST(HtmlExporter, SizesAndColours) {
  std::vector<std::pair<int, int>> sizes = {{0, 7},  {1, 1},  {8, 1},  {9, 2},  {11, 2},
                                            {12, 3}, {13, 3}, {14, 4}, {17, 4}, {18, 5},
                                            {23, 5}, {24, 6}, {35, 6}, {36, 7}, {-3, 7}};
  for (auto [points, size] : sizes) EXPECT_EQ(HtmlFontSize(points), size) << points;
  EXPECT_EQ(HtmlColor(0x00A0B1C2), "#C2B1A0");  // stored blue-green-red
  EXPECT_EQ(HtmlColor(clWindow), "#FFFFFF");
  EXPECT_EQ(HtmlColor(clWindowText), "#000000");
}

TEST(HtmlExporter, AttributeTagsStartALineWhenTheirNameChanges) {
  std::string out;
  TVrelHTMLExporter html(out);
  html.BeginFontName("", 1);  // an empty value is left out
  html.BeginColor(clRed);
  html.BeginBody(clWhite);
  html.BeginBody(clWhite);
  html.BeginFontSize(10);
  html.BeginItalic();  // plain tags do not count
  html.BeginFontSize(12);
  EXPECT_EQ(out,
            "<font><font color=\"#FF0000\">\r\n<Body BGCOLOR=\"#FFFFFF\"><Body "
            "BGCOLOR=\"#FFFFFF\">\r\n<font SIZE=\"2\"><I><font SIZE=\"3\">");
  std::string escaped;
  html.EscapeText("a \"b\" & <c>\t", escaped);
  EXPECT_EQ(escaped, "a&nbsp;&quot;b&quot;&nbsp;&amp;&nbsp;&lt;c&gt;\t");
}

TEST(RtfWriterList, TablesHoldEachFontAndColourOnce) {
  std::string out;
  TVrelRTFExporter rtf(out);
  rtf.BeginDocument("ignored");
  rtf.BeginFontName("Arial", 0);
  rtf.BeginFontName("ARIAL", 2);            // the same font
  rtf.BeginFontName("Times New Roman", 1);  // not entry 0, whose name is "\fnil ..."
  rtf.BeginColor(0x0000FF);
  rtf.BeginBackColor(clWindow);
  rtf.BeginColor(0x0000FF);
  rtf.BeginColor(clWhite);  // the window colour resolved is white: the same entry
  rtf.EndDocument();
  EXPECT_EQ(out,
            "{\\rtf1\\ansi \r\n"
            "{\\fonttbl\r\n{\\f0\\fcharset1 \\fnil Times New Roman;}\r\n"
            "{\\f1\\fcharset0 Arial;}\r\n{\\f2\\fcharset1 Times New Roman;}\r\n}\r\n"
            "{\\colortbl\r\n\\red255\\green0\\blue0;\r\n\\red255\\green255\\blue255;\r\n}\r\n"
            "{\\plain \r\n{\\f1 {\\f1 {\\f2 {\\cf0 {\\highlight1 {\\cf0 {\\cf1 }}");
}

TEST(RtfWriterList, NoColourTableWithoutColoursAndEscapes) {
  std::string out;
  TVrelRTFExporter rtf(out);
  rtf.BeginDocument("");
  std::string escaped;
  rtf.EscapeText("a\tb\\c{d}", escaped);
  rtf.WriteText(escaped);
  rtf.NewLine();
  rtf.EndDocument();
  EXPECT_EQ(out,
            "{\\rtf1\\ansi \r\n{\\fonttbl\r\n{\\f0\\fcharset1 \\fnil Times New Roman;}\r\n}\r\n"
            "{\\plain \r\na\\tab b\\\\c\\{d\\}{\\line \r\n}}}");
}

}  // namespace
}  // namespace quorel
