// Exports of small sample documents compared with golden .html and .rtf files a person can
// read: each case loads "<case>.in" into a store, sets up the view the way the case says and
// exports the whole text (or the selection) both ways.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "engine/memosource.h"
#include "richtext/exportwalk.h"
#include "support/golden.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

std::string ReadSample(const std::string& name) {
  std::ifstream in(test::TestDataPath("golden/export/" + name + ".in"), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What a case may change: the store, the parser (none when `UseParser` is off) and the view.
struct TExportCase {
  TMemoSource Store;
  TSyntaxParser Parser;
  TTextStyles Named;
  TExportSource Source;
  bool UseParser = true;
  bool SelectionOnly = false;

  TExportCase() {
    BuildHtmlScheme(Parser.SyntaxScheme());
    Parser.SetDefaultAttr(HtmlDefaultAttr());
    Store.SetName("MemoSource1");
    Source.Store = &Store;
    Source.Font.Name = "Courier New";
    Source.Font.SetSize(8);
    Source.Font.Color = clBlack;
    Source.Color = clWindow;
    Source.TextStyles = &Named;
    Source.Title = "MemoSource1";
  }
  ~TExportCase() { Store.SetSyntaxParser(nullptr); }
  // Changes FontID `id` of the scheme and makes the parser take it.
  void ChangeStyle(int id, const std::function<void(TAttrItem&)>& change) {
    TFontList& table = Parser.SyntaxScheme().FontTable;
    for (int i = 0; i < table.Count(); ++i)
      if (table[i].FontID == id) change(table[i]);
    Parser.SyntaxScheme().Changed();
  }
};

// How each case sets things up before the sample is loaded (`before`) and after (`after`).
struct TSetup {
  std::function<void(TExportCase&)> Before = nullptr;
  std::function<void(TExportCase&)> After = nullptr;
};

const std::map<std::string, TSetup>& Cases() {
  static const std::map<std::string, TSetup> cases = {
      // A bold tag, a word and the closing tag; the view's font is 10 points on white.
      {"worked",
       {[](TExportCase& c) {
          c.Source.Font.SetSize(10);
          c.Source.Color = clWhite;
        },
        [](TExportCase& c) { c.Store.SetEncoding(enWindows1252); }}},
      // Blanks, tabs (kept as tabs) and the characters HTML and RTF must escape.
      {"escapes", {[](TExportCase& c) {
         c.Store.SetOptions(c.Store.Options() | TStringsOptions{soUseTabCharacter});
       }}},
      // A double-quoted value coloured like the tag around it: the tag is one run.
      {"alike",
       {[](TExportCase& c) { c.ChangeStyle(6, [](TAttrItem& a) { a.Font.Color = clBlue; }); }}},
      // Empty lines after a coloured line, and empty lines inside the text.
      {"empty_lines", {}},
      // No highlighting: everything inside the view's bold italic font.
      {"plain", {[](TExportCase& c) {
         c.UseParser = false;
         c.Source.Font.Style = {fsBold, fsItalic};
       }}},
      // Only addresses marked: the rest keeps the view's font.
      {"urls",
       {[](TExportCase& c) {
          c.UseParser = false;
          c.Named.Items.resize(13);
          TTextStyle& url = c.Named.Items[12];
          url.Font.Name = "Courier New";
          url.Font.SetSize(8);
          url.Font.Color = clBlue;
          url.Font.Style = {fsUnderline};
          url.UseMemoColor = true;
        },
        [](TExportCase& c) { c.Store.SetHighlightUrls(true); }}},
      // A stream selection from the middle of the first line to the middle of the third.
      {"selection",
       {{},
        [](TExportCase& c) {
          c.SelectionOnly = true;
          c.Store.SetSelection(stStream, 5, 0, 4, 2);
        }}},
      // A column block over three lines.
      {"block",
       {{},
        [](TExportCase& c) {
          c.SelectionOnly = true;
          c.Store.SetSelection(stBlock, 2, 0, 6, 2);
        }}},
      // UTF-8 text: accents, the euro sign, a wide character and one beyond U+FFFF.
      {"utf8", {}},
      // A comment style on a yellow background, written in a lower-case font name.
      {"background", {[](TExportCase& c) {
         c.ChangeStyle(5, [](TAttrItem& a) {
           a.BackColor = clYellow;
           a.UseDefBack = false;
         });
         c.ChangeStyle(1, [](TAttrItem& a) {
           a.Font.Name = "courier new";
           a.UseDefFont = false;
         });
       }}},
  };
  return cases;
}

class ExportGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ExportGolden, MatchesHtmlAndRtf) {
  const TSetup& setup = Cases().at(GetParam());
  TExportCase c;
  if (setup.Before) setup.Before(c);
  c.Store.LoadFromBuffer(ReadSample(GetParam()));
  if (c.UseParser) c.Store.SetSyntaxParser(&c.Parser);
  if (setup.After) setup.After(c);
  std::string base = test::TestDataPath("golden/export/" + GetParam());
  EXPECT_TRUE(test::MatchesGolden(base + ".html", ExportHtml(c.Source, c.SelectionOnly)));
  EXPECT_TRUE(test::MatchesGolden(base + ".rtf", ExportRtf(c.Source, c.SelectionOnly)));
}

INSTANTIATE_TEST_SUITE_P(Samples, ExportGolden, ::testing::ValuesIn([] {
                           std::vector<std::string> names;
                           for (const auto& [name, setup] : Cases()) names.push_back(name);
                           return names;
                         }()));

// Every sample has a case and its two goldens.
TEST(ExportGolden, EverySampleIsACase) {
  int samples = 0;
  for (auto& entry : std::filesystem::directory_iterator(test::TestDataPath("golden/export"))) {
    if (entry.path().extension() != ".in") continue;
    ++samples;
    std::string name = entry.path().stem().string();
    EXPECT_TRUE(Cases().count(name)) << name;
  }
  EXPECT_EQ(samples, static_cast<int>(Cases().size()));
}

}  // namespace
}  // namespace quorel
