// The scheme editor's rules without its window: tidying before Apply and Save, the block tree
// and its commands (add, edit, remove, drag, copy from another scheme), and shared styles.
#include "syntax/schemeedit.h"

#include <gtest/gtest.h>

#include "syntax/htmlscheme.h"

namespace quorel {
namespace {

// A scheme of named blocks; parents[i] is block i's ParentID and block i has ID 10 + i.
void MakeBlocks(TSyntaxScheme& scheme, const std::vector<std::string>& names,
                const std::vector<int>& parents) {
  scheme.Clear();
  for (size_t i = 0; i < names.size(); ++i) {
    TSyntaxBlock b;
    b.Name = names[i];
    b.ID = 10 + static_cast<int>(i);
    b.ParentID = parents[i];
    scheme.SyntaxBlocks.push_back(b);
  }
}

std::vector<std::string> Names(const TSyntaxScheme& scheme) {
  std::vector<std::string> names;
  for (const TSyntaxBlock& b : scheme.SyntaxBlocks) names.push_back(b.Name);
  return names;
}

TAttrItem& Entry(TSyntaxScheme& scheme, int fontId, const std::string& fontName) {
  TAttrItem& a = scheme.FontTable.Append(TAttrItem());
  a.FontID = fontId;
  a.Font.Name = fontName;
  return a;
}

TEST(SchemeTidying, RulesWithEmptyListsAreSwitchedOff) {
  TSyntaxScheme scheme;
  TSyntaxBlock& b = scheme.SyntaxBlocks[0];
  b.UseComments = true;
  b.UseSingleLineComments = true;  // no delimiters
  b.UseMultiLineComments = true;
  b.MultiLineCommentDelimiters.push_back({});
  b.UseStrings = true;
  b.UseSingleLineStrings = true;  // no delimiters: no kind of string is left
  b.UseMetaSymbol = true;         // character 0
  b.UseLineDirectives = true;     // no prefix
  b.UseKeywords = true;
  b.UsePrefixedSuffixedNumbers = true;
  b.UsePSNumComposition = true;  // composition keeps it without pairs
  b.UsePrefixedSuffixedIdentifiers = true;
  NormaliseScheme(scheme);
  const TSyntaxBlock& t = scheme.SyntaxBlocks[0];
  EXPECT_FALSE(t.UseSingleLineComments);
  EXPECT_TRUE(t.UseMultiLineComments);
  EXPECT_TRUE(t.UseComments);
  EXPECT_FALSE(t.UseSingleLineStrings);
  EXPECT_FALSE(t.UseStrings);
  EXPECT_FALSE(t.UseMetaSymbol);
  EXPECT_FALSE(t.UseLineDirectives);
  EXPECT_FALSE(t.UseKeywords);
  EXPECT_TRUE(t.UsePrefixedSuffixedNumbers);
  EXPECT_FALSE(t.UsePrefixedSuffixedIdentifiers);
}

TEST(SchemeTidying, UnusedStylesGoUnlessNoBlockNamesAny) {
  TSyntaxScheme scheme;
  Entry(scheme, 3, "A");
  Entry(scheme, 12, "Url");
  Entry(scheme, 300, "Out of range");
  NormaliseScheme(scheme);
  EXPECT_EQ(scheme.FontTable.Count(), 3);  // no block names a FontID: the table stays

  scheme.SyntaxBlocks[0].FIText = 3;
  TKeywordSet set;
  set.FontID = 7;
  scheme.SyntaxBlocks[0].KeywordSets.push_back(set);
  TLineToken prefix;
  prefix.FontID = 9;
  scheme.SyntaxBlocks[0].IdentPrefixes.push_back(prefix);
  Entry(scheme, 7, "Keywords");
  Entry(scheme, 9, "Prefix");
  NormaliseScheme(scheme);
  ASSERT_EQ(scheme.FontTable.Count(), 3);
  EXPECT_NE(scheme.FontTable.Find(3), nullptr);
  EXPECT_NE(scheme.FontTable.Find(7), nullptr);
  EXPECT_NE(scheme.FontTable.Find(9), nullptr);   // an identifier prefix's own style stays
  EXPECT_EQ(scheme.FontTable.Find(12), nullptr);  // the address style too, when unnamed
}

TEST(SchemeTidying, BuiltInHtmlSchemeKeepsItsRulesAndStyles) {
  TSyntaxScheme scheme;
  BuildHtmlScheme(scheme);
  TSyntaxScheme before;
  before.Assign(scheme);
  NormaliseScheme(scheme);
  EXPECT_EQ(Names(scheme), Names(before));
  EXPECT_EQ(scheme.FontTable.Count(), before.FontTable.Count());
}

TEST(BlockTree, BuiltFromParentIdsWithStrayBlocksUnderTheTop) {
  TSyntaxScheme scheme;
  // Root(10); B(11) under C(12), which comes later; C under Root; D(13) names no block;
  // E(14) is a top node of its own; F(15) and G(16) name each other.
  MakeBlocks(scheme, {"Root", "B", "C", "D", "E", "F", "G"}, {-1, 12, 10, 99, -1, 16, 15});
  TBlockTree tree = BuildBlockTree(scheme);
  EXPECT_EQ(tree.Roots, (std::vector<int>{0, 4}));
  EXPECT_EQ(tree.Nodes[1].Parent, 2);
  EXPECT_EQ(tree.Nodes[2].Parent, 0);
  EXPECT_EQ(tree.Nodes[3].Parent, 0);
  EXPECT_EQ(tree.Nodes[5].Parent, 0);
  EXPECT_EQ(tree.Nodes[6].Parent, 0);
  SortBlocksByTree(scheme);
  EXPECT_EQ(Names(scheme), (std::vector<std::string>{"Root", "C", "B", "D", "F", "G", "E"}));
}

TEST(BlockTree, ParentMayBeNeitherTheBlockNorBelowIt) {
  TSyntaxScheme scheme;
  MakeBlocks(scheme, {"Root", "A", "A1", "A11", "B"}, {-1, 10, 11, 12, 10});
  EXPECT_FALSE(CanBeParent(scheme, 1, 1));
  EXPECT_FALSE(CanBeParent(scheme, 1, 2));
  EXPECT_FALSE(CanBeParent(scheme, 1, 3));
  EXPECT_TRUE(CanBeParent(scheme, 1, 4));
  EXPECT_TRUE(CanBeParent(scheme, 3, 1));
  EXPECT_FALSE(EditBlock(scheme, 1, "Renamed", 3));
  EXPECT_EQ(scheme.SyntaxBlocks[1].Name, "A");
  EXPECT_TRUE(EditBlock(scheme, 1, "Renamed", 4));
  EXPECT_EQ(scheme.SyntaxBlocks[1].ParentID, 14);
  EXPECT_EQ(scheme.SyntaxBlocks[1].Name, "Renamed");
}

TEST(BlockTree, AddGivesTheFreeIdAndTheParent) {
  TSyntaxScheme scheme;  // "Default" with ID 0
  int a = AddBlock(scheme, "Tags", 0);
  int b = AddBlock(scheme, "Params", a);
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(a)].ID, 1);
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(b)].ID, 2);
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(b)].ParentID, 1);
}

TEST(BlockTree, RemovingABlockRemovesItsSubtreeAndSelectsItsParent) {
  TSyntaxScheme scheme;
  MakeBlocks(scheme, {"Root", "A", "B", "A1", "A11", "B1"}, {-1, 10, 10, 11, 13, 12});
  int selected = RemoveBlock(scheme, 3);  // A1 and A11
  EXPECT_EQ(Names(scheme), (std::vector<std::string>{"Root", "A", "B", "B1"}));
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(selected)].Name, "A");
  selected = RemoveBlock(scheme, 2);
  EXPECT_EQ(Names(scheme), (std::vector<std::string>{"Root", "A"}));
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(RemoveBlock(scheme, 0), 0);  // the top node stays
  EXPECT_EQ(scheme.SyntaxBlocks.size(), 2u);
}

TEST(BlockTree, DragWithCtrlMakesAChildAndWithoutTakesTheTargetsPlace) {
  TSyntaxScheme scheme;
  MakeBlocks(scheme, {"Root", "A", "A1", "B", "C"}, {-1, 10, 11, 10, 10});
  // Ctrl: C becomes a child of A, after A1.
  int c = DragBlock(scheme, 4, 1, true);
  EXPECT_EQ(Names(scheme), (std::vector<std::string>{"Root", "A", "A1", "C", "B"}));
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(c)].Name, "C");
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(c)].ParentID, 11);
  // No Ctrl: B takes A1's place and parent; A subtree moves along when dragged.
  int b = DragBlock(scheme, 4, 2, false);
  EXPECT_EQ(Names(scheme), (std::vector<std::string>{"Root", "A", "B", "A1", "C"}));
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(b)].ParentID, 11);
  int a = DragBlock(scheme, 1, 4, true);  // onto its own descendant: refused
  EXPECT_EQ(a, -1);
  EXPECT_FALSE(CanDragBlock(scheme, 0, 1, true));   // the top node is never dragged
  EXPECT_FALSE(CanDragBlock(scheme, 2, 0, false));  // nor its place taken
  EXPECT_TRUE(CanDragBlock(scheme, 2, 0, true));
  EXPECT_FALSE(CanDragBlock(scheme, 2, 2, true));
}

TEST(BlockCopy, DefaultOfAnHtmlSchemeBecomesHtmlWithStylesOfItsOwn) {
  TSyntaxScheme source;
  source.Name = "HTML";
  source.SyntaxBlocks[0].FIText = 4;
  source.SyntaxBlocks[0].FIIntNum = 4;  // shares FIText's style
  source.SyntaxBlocks[0].FISymbol = 6;
  TAttrItem& text = Entry(source, 4, "Arial");
  text.UseDefFont = false;
  text.BackColor = clYellow;
  text.UseDefBack = false;
  text.GlobalAttrID = "String";
  Entry(source, 6, "Courier New");

  TSyntaxScheme scheme;
  Entry(scheme, 1, "Own");
  Entry(scheme, 4, "Own too");
  int copy = CopyBlock(scheme, source, 0, 0);
  const TSyntaxBlock& b = scheme.SyntaxBlocks[static_cast<size_t>(copy)];
  EXPECT_EQ(b.Name, "HTML");
  EXPECT_EQ(b.ID, 1);
  EXPECT_EQ(b.ParentID, 0);
  EXPECT_EQ(b.FIText, 2);  // the lowest FontIDs free here
  EXPECT_EQ(b.FIIntNum, 2);
  EXPECT_EQ(b.FISymbol, 3);
  const TAttrItem* copied = scheme.FontTable.Find(2);
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->Font.Name, "Arial");
  EXPECT_FALSE(copied->UseDefFont);
  EXPECT_EQ(copied->BlockID, 1);
  // Background and text style are not copied.
  EXPECT_TRUE(copied->UseDefBack);
  EXPECT_EQ(copied->BackColor, clWindow);
  EXPECT_EQ(copied->GlobalAttrID, "");
  EXPECT_EQ(scheme.FontTable.Find(4)->Font.Name, "Own too");  // untouched
  EXPECT_EQ(scheme.FontTable.Count(), 4);
}

TEST(BlockCopy, OtherNamesStayAndAStyleWithoutAnEntryIsDropped) {
  TSyntaxScheme source;
  source.Name = "HTML";
  int tags = AddBlock(source, "Tags", 0);
  source.SyntaxBlocks[static_cast<size_t>(tags)].FIText = 40;  // no entry in a hand-edited file
  TSyntaxScheme scheme;
  int copy = CopyBlock(scheme, source, tags, 0);
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(copy)].Name, "Tags");
  EXPECT_EQ(scheme.SyntaxBlocks[static_cast<size_t>(copy)].FIText, -1);
  EXPECT_EQ(scheme.FontTable.Count(), 0);
}

TEST(FieldStyles, AFieldWithoutAStyleGetsTheLowestFreeFontIdFromOne) {
  TSyntaxScheme scheme;
  Entry(scheme, 1, "Taken");
  Entry(scheme, 3, "Taken");
  TSyntaxBlock& block = scheme.SyntaxBlocks[0];
  block.ID = 5;
  int field = -1;
  EXPECT_EQ(StyleOfField(scheme, block, field), TStyleChoice{});
  TStyleChoice bold;
  bold.UseDefFont = false;
  bold.Styles = {fsBold};
  bold.Color = clRed;
  SetFieldStyle(scheme, block, field, bold, "Courier New", 10);
  EXPECT_EQ(field, 2);
  ASSERT_EQ(scheme.FontTable.Count(), 3);
  const TAttrItem* entry = scheme.FontTable.Find(2);
  EXPECT_EQ(entry->BlockID, 5);
  EXPECT_EQ(entry->Font.Name, "Courier New");  // no name chosen: the default font's
  EXPECT_EQ(entry->Font.Size(), 10);
  EXPECT_EQ(entry->Font.Color, clRed);
  EXPECT_FALSE(entry->UseDefFont);

  // A second field on the same FontID shares the entry.
  int shared = field;
  TStyleChoice italic = StyleOfField(scheme, block, shared);
  EXPECT_EQ(italic.Styles, TFontStyles{fsBold});
  italic.Styles = {fsItalic};
  italic.FontName = "Arial";
  italic.Size = 14;
  SetFieldStyle(scheme, block, shared, italic, "Courier New", 10);
  EXPECT_EQ(shared, 2);
  EXPECT_EQ(scheme.FontTable.Count(), 3);
  EXPECT_EQ(scheme.FontTable.Find(2)->Font.Style, TFontStyles{fsItalic});
  EXPECT_EQ(scheme.FontTable.Find(2)->Font.Size(), 14);
}

TEST(FieldStyles, AFieldOpensWithThePlainTextStyleAndAMissingEntryCountsAsNone) {
  TSyntaxScheme scheme;
  TSyntaxBlock& block = scheme.SyntaxBlocks[0];
  block.FIText = 4;
  TAttrItem& text = Entry(scheme, 4, "Arial");
  text.Font.Color = clNavy;
  int field = 77;  // no entry
  TStyleChoice shown = StyleOfField(scheme, block, field);
  EXPECT_EQ(shown.FontName, "Arial");
  EXPECT_EQ(shown.Color, clNavy);
  SetFieldStyle(scheme, block, field, shown, "Courier New", 10);
  EXPECT_EQ(field, 1);  // a new entry, not one for FontID 77
  EXPECT_EQ(scheme.FontTable.Find(77), nullptr);
}

TEST(Keywords, AddedSortedOnceWhateverTheirCase) {
  std::vector<std::string> words{"body", "head"};
  EXPECT_EQ(AddKeyword(words, "  html "), 2);
  EXPECT_EQ(AddKeyword(words, "Div"), 1);
  EXPECT_EQ(AddKeyword(words, "HEAD"), 2);  // already there: that one is selected
  EXPECT_EQ(AddKeyword(words, "   "), -1);
  EXPECT_EQ(words, (std::vector<std::string>{"body", "Div", "head", "html"}));
}

}  // namespace
}  // namespace quorel
