// The scheme model: creation, clearing, version upgrade, free IDs and effective styles.
#include <gtest/gtest.h>

#include "syntax/commatext.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"
#include "syntax/textstyles.h"

namespace quorel {
namespace {

TEST(Scheme, NewHasOneDefaultBlockAndVersionOne) {
  TSyntaxScheme scheme;
  ASSERT_EQ(scheme.SyntaxBlocks.size(), 1u);
  EXPECT_EQ(scheme.SyntaxBlocks[0].Name, "Default");
  EXPECT_EQ(scheme.SyntaxBlocks[0].ID, 0);
  EXPECT_EQ(scheme.SyntaxVersion, 1);
  EXPECT_EQ(scheme.FontTable.Count(), 0);
  scheme.Prepare();
  EXPECT_EQ(scheme.SyntaxVersion, 3);
  scheme.Clear();
  EXPECT_TRUE(scheme.SyntaxBlocks.empty());
  EXPECT_EQ(scheme.SyntaxVersion, 1);
  EXPECT_EQ(scheme.Name, "");
}

TEST(Scheme, VersionOneGetsIdsParentsAndStyleOwners) {
  TSyntaxScheme scheme;
  scheme.Clear();
  for (const char* name : {"Root", "A", "B"}) {
    TSyntaxBlock b;
    b.Name = name;
    scheme.SyntaxBlocks.push_back(b);
  }
  scheme.SyntaxBlocks[1].FIText = 3;
  scheme.SyntaxBlocks[2].FIIntNum = 4;
  TBlockToken comment;
  comment.LeftDelimiter = "/*";
  comment.RightDelimiter = "*/";
  comment.FontID = 5;
  scheme.SyntaxBlocks[2].MultiLineCommentDelimiters.push_back(comment);
  for (int id : {3, 4, 5}) {
    TAttrItem a;
    a.FontID = id;
    scheme.FontTable.Append(a);
  }
  scheme.Prepare();
  EXPECT_EQ(scheme.SyntaxBlocks[0].ID, 0);
  EXPECT_EQ(scheme.SyntaxBlocks[1].ID, 1);
  EXPECT_EQ(scheme.SyntaxBlocks[2].ID, 2);
  EXPECT_EQ(scheme.SyntaxBlocks[0].ParentID, -1);
  EXPECT_EQ(scheme.SyntaxBlocks[1].ParentID, 0);
  EXPECT_EQ(scheme.SyntaxBlocks[2].ParentID, 0);
  EXPECT_EQ(scheme.FontTable.Find(3)->BlockID, 1);
  EXPECT_EQ(scheme.FontTable.Find(4)->BlockID, 2);
  EXPECT_EQ(scheme.FontTable.Find(5)->BlockID, 2);
  EXPECT_EQ(scheme.SyntaxVersion, 3);
}

TEST(Scheme, FreeIds) {
  TFontList table;
  EXPECT_EQ(table.Add().FontID, 1);  // the new entry itself counts as 0 while searching
  TFontList used;
  for (int id : {0, 1, 2, 4}) {
    TAttrItem a;
    a.FontID = id;
    used.Append(a);
  }
  EXPECT_EQ(used.Add().FontID, 3);
  TSyntaxScheme scheme;
  EXPECT_EQ(scheme.FreeBlockID(), 1);
}

TEST(Scheme, AssignCopiesContentAndSchemesCompare) {
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  TSyntaxScheme copy;
  copy.Assign(html);
  EXPECT_TRUE(copy.SameContent(html));
  EXPECT_EQ(copy.Name, "HTML");
  copy.SyntaxBlocks[1].FIText = 2;
  EXPECT_FALSE(copy.SameContent(html));
}

TEST(Scheme, BuiltInHtmlContent) {
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  ASSERT_EQ(html.SyntaxBlocks.size(), 2u);
  const TSyntaxBlock& tags = html.SyntaxBlocks[1];
  EXPECT_EQ(tags.Name, "Tags");
  EXPECT_EQ(tags.ParentID, 0);
  ASSERT_EQ(tags.BlockDelimiters.size(), 1u);
  EXPECT_TRUE(tags.BlockDelimiters[0].DelimitersArePartOfBlock);
  EXPECT_EQ(tags.MultiLineCommentDelimiters[0].LeftDelimiter, "<!--");
  EXPECT_EQ(tags.SingleLineStringDelimiters.size(), 2u);
  EXPECT_EQ(html.FontTable.Count(), 8);
  EXPECT_EQ(html.FontTable.Find(5)->Font.Style, TFontStyles{fsItalic});
  EXPECT_EQ(html.FontTable.Find(1)->Font.Color, clBlue);
  EXPECT_EQ(html.SyntaxVersion, 3);
}

TEST(Styles, HtmlStylesTakeTheDefaultFontWithTheirOwnColours) {
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  TAttrItem def = HtmlDefaultAttr();
  def.Font.Name = "Liberation Mono";
  parser.SetDefaultAttr(def);
  for (int id = 0; id <= 7; ++id) {
    const TFont* font = parser.GetFont(id);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name, "Liberation Mono") << id;
    EXPECT_EQ(font->Height, -11) << id;
    TColor back = 0;
    EXPECT_TRUE(parser.GetBackColor(id, back));
    EXPECT_EQ(back, clWindow);
  }
  EXPECT_EQ(parser.GetFont(5)->Color, clGray);
  EXPECT_EQ(parser.GetFont(5)->Style, TFontStyles{fsItalic});
  EXPECT_EQ(parser.GetFont(6)->Color, clMaroon);
  // FontID 12 is the underlined URL style; unknown ones the substitute style.
  EXPECT_EQ(parser.GetFont(12)->Style, TFontStyles{fsUnderline});
  EXPECT_EQ(parser.GetFont(12)->Color, clWindowText);
  EXPECT_EQ(parser.GetFont(40)->Style, TFontStyles{});
  EXPECT_EQ(parser.GetFont(-1)->Name, "Liberation Mono");
}

TEST(Styles, ATableEntryForTwelveReplacesTheUrlStyle) {
  TSyntaxParser parser;
  TSyntaxScheme scheme;
  TAttrItem a;
  a.FontID = 12;
  a.Font.Color = clRed;
  scheme.FontTable.Append(a);
  parser.SetSyntaxScheme(scheme);
  EXPECT_EQ(parser.GetFont(12)->Color, clRed);
  EXPECT_EQ(parser.GetFont(12)->Style, TFontStyles{});
}

TEST(Styles, FontAndBackgroundAreInheritedThroughTheBlockChain) {
  TSyntaxParser parser;
  TSyntaxScheme scheme;
  scheme.SyntaxBlocks[0].FIText = 1;
  TSyntaxBlock child;
  child.ID = 1;
  child.ParentID = 0;
  child.FIText = 2;
  scheme.SyntaxBlocks.push_back(child);
  TAttrItem rootStyle;
  rootStyle.FontID = 1;
  rootStyle.BlockID = 0;
  rootStyle.UseDefFont = false;
  rootStyle.UseDefBack = false;
  rootStyle.Font.Name = "Root Font";
  rootStyle.BackColor = clYellow;
  scheme.FontTable.Append(rootStyle);
  TAttrItem childStyle;
  childStyle.FontID = 2;
  childStyle.BlockID = 1;
  childStyle.Font.Color = clRed;
  scheme.FontTable.Append(childStyle);
  TAttrItem orphan;  // its block chain has no style of its own: the base values
  orphan.FontID = 3;
  orphan.BlockID = 7;
  scheme.FontTable.Append(orphan);
  parser.SetSyntaxScheme(scheme);

  // The child's own text style uses the defaults; its parent's has a font of its own.
  EXPECT_EQ(parser.GetFont(2)->Name, "Root Font");
  EXPECT_EQ(parser.GetFont(3)->Name, "Courier New");
  TColor back = 0;
  parser.GetBackColor(2, back);
  EXPECT_EQ(back, clYellow);
  EXPECT_EQ(parser.GetFont(2)->Color, clRed);  // colour stays its own
  parser.GetBackColor(3, back);
  EXPECT_EQ(back, clWindow);
}

TEST(Styles, GlobalOptionsTakeNamedStyles) {
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  parser.SyntaxScheme().FontTable.Find(1)->GlobalAttrID = "Tag";
  parser.SyntaxScheme().Changed();
  TTextStyles saved = MemoEnvOptions().TextStyles;
  TTextStyle tag;
  tag.Name = "tag";
  tag.Font.Color = clFuchsia;
  tag.Font.Style = {fsBold};
  tag.Color = clSilver;
  MemoEnvOptions().TextStyles.Items.push_back(tag);
  EXPECT_EQ(parser.GetFont(1)->Color, clBlue);  // global options off
  int notified = 0;
  parser.AddClient(
      &notified, [&](TSimpleParser&) { ++notified; }, nullptr);
  parser.SetUseGlobalOptions(true);
  EXPECT_GE(notified, 1);
  EXPECT_EQ(parser.GetFont(1)->Color, clFuchsia);
  EXPECT_EQ(parser.GetFont(1)->Style, TFontStyles{fsBold});
  TColor back = 0;
  parser.GetBackColor(1, back);
  EXPECT_EQ(back, clSilver);
  MemoEnvOptions().TextStyles = saved;
  MemoEnvOptions().Changed();
  EXPECT_EQ(parser.GetFont(1)->Color, clBlue);  // the style went away: its own colour again
  parser.RemoveClient(&notified);
}

TEST(CommaText, SplitAndJoin) {
  EXPECT_EQ(SplitCommaText("a,b c"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitCommaText(" \"x y\",\"q\"\"r\" "), (std::vector<std::string>{"x y", "q\"r"}));
  EXPECT_TRUE(SplitCommaText("").empty());
  std::vector<std::string> items{"plain", "with space", "comma,inside", "quote\"d"};
  EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
  EXPECT_EQ(JoinCommaText({"a", "b"}), "a,b");
}

}  // namespace
}  // namespace quorel
