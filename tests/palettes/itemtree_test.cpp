// Items files: depth by leading tabs or spaces, the first line always top level, a jump of two
// levels stopping the load; writing with tabs; the custom colours branch replaced, never doubled.
#include "palettes/itemtree.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TItemNode Leaf(const std::string& caption) { return {caption, {}}; }

TEST(ItemsFile, DepthsMakeChildrenSiblingsAndClimbBack) {
  TItemsLoad load = ParseItemsFile(
      "Tags\r\n\t<B></B>\r\n\t<TABLE></TABLE>\n\t\tBorder=1\r\tWidth=\"\"\r\nColours\r\n");
  ASSERT_TRUE(load.Ok);
  TItemTree expected = {
      {"Tags", {Leaf("<B></B>"), {"<TABLE></TABLE>", {Leaf("Border=1")}}, Leaf("Width=\"\"")}},
      Leaf("Colours")};
  EXPECT_EQ(load.Tree, expected);
}

TEST(ItemsFile, ATwoLevelJumpStopsWithTheNodesReadSoFar) {
  TItemsLoad load = ParseItemsFile("First\r\n\t\tToo deep\r\nNever read\r\n");
  EXPECT_FALSE(load.Ok);
  EXPECT_EQ(load.FailedLine, 2);
  EXPECT_EQ(load.Tree, (TItemTree{Leaf("First")}));
}

TEST(ItemsFile, TheFirstLineIsTopLevelWhateverItsIndent) {
  // The second line's single tab is compared with the first node's depth (0), not its indent.
  TItemsLoad load = ParseItemsFile("\tIndented\r\n\tChild\r\n");
  ASSERT_TRUE(load.Ok);
  EXPECT_EQ(load.Tree, (TItemTree{{"Indented", {Leaf("Child")}}}));
}

TEST(ItemsFile, SpacesCountAsTabsAndSavingWritesTabs) {
  TItemsLoad load = ParseItemsFile("Top\n Child\n  Grandchild \n\t Also grandchild\n");
  ASSERT_TRUE(load.Ok);
  EXPECT_EQ(WriteItemsFile(load.Tree),
            "Top\r\n\tChild\r\n\t\tGrandchild \r\n\t\tAlso grandchild\r\n");
}

TEST(ItemsFile, EmptyLinesAndEndings) {
  EXPECT_TRUE(ParseItemsFile("").Tree.empty());
  EXPECT_EQ(ParseItemsFile("A\r\n").Tree.size(), 1u);
  // An empty line is an empty caption at the top; a final break adds no line.
  TItemsLoad load = ParseItemsFile("A\r\n\tB\r\n\r\n\tC");
  ASSERT_TRUE(load.Ok);
  EXPECT_EQ(load.Tree, (TItemTree{{"A", {Leaf("B")}}, {"", {Leaf("C")}}}));
  EXPECT_EQ(WriteItemsFile({}), "");
}

TEST(ItemsFile, Windows1252CaptionsComeOutUtf8) {
  TItemsLoad load = ParseItemsFile("Caf\xE9\r\n");
  EXPECT_EQ(load.Tree[0].Caption, "Caf\xC3\xA9");
  EXPECT_EQ(ParseItemsFile("Caf\xC3\xA9").Tree[0].Caption, "Caf\xC3\xA9");
}

TEST(CustomColorsBranch, RebuiltAtTheEndWithTheNamedSlots) {
  TSlotStrings names, values;
  names[0] = "Sky", values[0] = "#87CEEB";
  names[4] = "Ink", values[4] = "#000080";
  TItemTree tree = {Leaf("Colours"), {"Custom Colors", {Leaf("Old #000000")}}, Leaf("Tags")};
  RebuildCustomColorsBranch(tree, names, values);
  TItemTree expected = {
      Leaf("Colours"),
      Leaf("Tags"),
      {"Custom Colors", {Leaf("Edit Colors"), Leaf("Sky #87CEEB"), Leaf("Ink #000080")}}};
  EXPECT_EQ(tree, expected);
  EXPECT_EQ(CustomColorSlotOf("Ink #000080", names, values), 5);
  EXPECT_EQ(CustomColorSlotOf("Ink #000081", names, values), std::nullopt);
  EXPECT_EQ(CustomColorSlotOf(" ", names, values), std::nullopt);
}

TEST(CustomColorsBranch, SavedLoadedAndRebuiltItAppearsOnce) {
  TSlotStrings names, values;
  names[1] = "Sky", values[1] = "#87CEEB";
  TItemTree tree = BuiltInItemTree();
  RebuildCustomColorsBranch(tree, names, values);
  TItemsLoad load = ParseItemsFile(WriteItemsFile(tree));
  ASSERT_TRUE(load.Ok);
  EXPECT_EQ(load.Tree, tree);
  RebuildCustomColorsBranch(load.Tree, names, values);
  int branches = 0;
  for (const TItemNode& node : load.Tree) branches += node.Caption == "Custom Colors";
  EXPECT_EQ(branches, 1);
  EXPECT_EQ(load.Tree, tree);
  // Only the last one goes per rebuild: a nested one is found from the end too.
  TItemTree nested = {{"Group", {Leaf("Custom Colors")}}, Leaf("After")};
  RebuildCustomColorsBranch(nested, names, values);
  EXPECT_TRUE(nested[0].Children.empty());
  EXPECT_EQ(nested.size(), 3u);
}

}  // namespace
}  // namespace quorel
