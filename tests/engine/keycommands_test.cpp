// The store's key commands: Enter with auto-indent, Tab and smart tab, back-tab, Backspace with
// back-unindent, Delete, the line commands, Left/Right over tabs and bracket matching.
#include <gtest/gtest.h>

#include <regex>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"
#include "support/testparser.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

// A store with `text`, `extra` options added to the defaults and the caret at `caret`.
struct TCase {
  const char* Name;
  const char* Before;
  TPoint Caret;
  TStringsOptions Extra;
  const char* After;
  TPoint CaretAfter;
};

std::string CaseName(const ::testing::TestParamInfo<TCase>& info) { return info.param.Name; }

void Prepare(TMemoSource& store, const TCase& c) {
  store.SetOptions(store.Options() | c.Extra);
  Load(store, c.Before);
  store.SetCaretPos(c.Caret.X, c.Caret.Y);
}

class Enter : public ::testing::TestWithParam<TCase> {};

TEST_P(Enter, SplitsAndIndents) {
  TMemoSource store;
  Prepare(store, GetParam());
  store.NewLine();
  EXPECT_EQ(Text(store), GetParam().After);
  EXPECT_EQ(store.CaretPos(), GetParam().CaretAfter);
}

const TStringsOptions kTabs{soUseTabCharacter};

INSTANTIATE_TEST_SUITE_P(
    AutoIndent, Enter,
    ::testing::Values(
        TCase{"AtLineEndKeepsTheIndent", "    foo", {7, 0}, {}, "    foo\n    ", {4, 1}},
        TCase{"InsideTheIndentKeepsTheCaretColumn", "    foo", {2, 0}, {}, "\n    foo", {2, 1}},
        TCase{"OnTheFirstLetter", "    foo", {4, 0}, {}, "\n    foo", {4, 1}},
        TCase{"MidWordTakesTheLineIndent", "  abc def", {5, 0}, {}, "  abc\n   def", {2, 1}},
        TCase{"EmptyLineTakesTheIndentAbove", "   x\n\n", {0, 1}, {}, "   x\n\n   ", {3, 2}},
        TCase{"ColumnZeroOfUnindentedLineTakesTheIndentAbove",
              "  a\nb",
              {0, 1},
              {},
              "  a\n\n  b",
              {2, 2}},
        TCase{"ColumnZeroOfIndentedLineGivesZero", "  a", {0, 0}, {}, "\n  a", {0, 1}},
        TCase{"PrevIndentCopiesTabs",
              "\t  x",
              {12, 0},
              {soUseTabCharacter, soUsePrevIndent},
              "\t  x\n\t  ",
              {11, 1}},
        TCase{"OptimalFillUsesTabsThenSpaces",
              "            x",
              {13, 0},
              {soUseTabCharacter, soOptimalFill},
              "            x\n\t   ",
              {12, 1}},
        TCase{"TabsWithoutFillUseSpaces", "   x", {4, 0}, kTabs, "   x\n   ", {3, 1}}),
    CaseName);

TEST(Enter, WithoutAutoIndentStartsAtColumnZero) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soAutoIndent});
  Load(store, "    foo");
  store.SetCaretPos(7, 0);
  store.NewLine();
  EXPECT_EQ(Text(store), "    foo\n");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
}

TEST(Enter, OverwriteModeOnlyMovesTheCaret) {
  TMemoSource store;
  Load(store, "abc\n   def");
  store.SetCaretPos(2, 0);
  TCustomMemoSource::SetOverwriteMode(true);
  store.NewLine();
  TCustomMemoSource::SetOverwriteMode(false);
  EXPECT_EQ(Text(store), "abc\n   def");
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 1}));  // the next line's indentation
}

TEST(Enter, ReplacesTheSelectionAndUndoesInOneStep) {
  TMemoSource store;
  Load(store, "one two");
  store.SetCaretPos(7, 0);
  store.SetSelection(stStream, 3, 0, 7, 0);
  store.NewLine();
  EXPECT_EQ(Text(store), "one\n");
  store.Undo();
  EXPECT_EQ(Text(store), "one two");
}

class Tab : public ::testing::TestWithParam<TCase> {};

TEST_P(Tab, InsertsUpToTheTarget) {
  TMemoSource store;
  Prepare(store, GetParam());
  store.InsertTab();
  EXPECT_EQ(Text(store), GetParam().After);
  EXPECT_EQ(store.CaretPos(), GetParam().CaretAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, Tab,
    ::testing::Values(
        TCase{"SmartTabGoesUnderTheNextWord", "int  x;\n\n", {0, 1}, {}, "int  x;\n     ", {5, 1}},
        TCase{"SmartTabGoesToTheFirstNonBlank",
              "      x\nab",
              {1, 1},
              {},
              "      x\na     b",
              {6, 1}},
        TCase{
            "SmartTabSkipsShortLines", "a     b\nx\n\n", {2, 2}, {}, "a     b\nx\n      ", {6, 2}},
        TCase{"NoLineAboveUsesTheTabStop", "ab", {2, 0}, {}, "ab       ", {9, 0}},
        TCase{"PastTheLastWordUsesTheTabStop", "ab\ncd", {3, 1}, {}, "ab\ncd       ", {9, 1}},
        TCase{"TabCharacter", "abc", {1, 0}, kTabs, "a\tbc", {9, 0}}),
    CaseName);

TEST(TabKeys, SeveralSelectedLinesAreIndentedAndStaySelected) {
  TMemoSource store;
  Load(store, "a\nb\nc\nd");
  store.SetCaretPos(0, 3);
  store.SetSelection(stStream, 0, 0, 0, 3);
  store.InsertTab();
  EXPECT_EQ(Text(store), std::string(9, ' ') + "a\n" + std::string(9, ' ') + "b\n" +
                             std::string(9, ' ') + "c\nd");
  EXPECT_EQ(store.SelectionType(), stStream);
  EXPECT_EQ(store.SelectionRect(), (TRect{0, 0, 0, 3}));
  store.BackTab();  // unindents by as much again
  EXPECT_EQ(Text(store), "a\nb\nc\nd");
}

TEST(TabKeys, OverwriteModeOnlyMovesAndBackTabGoesToThePreviousStop) {
  TMemoSource store;
  Load(store, "abcdefghijklmnopqrstuvwxyz");
  store.SetCaretPos(3, 0);
  TCustomMemoSource::SetOverwriteMode(true);
  store.InsertTab();
  TCustomMemoSource::SetOverwriteMode(false);
  EXPECT_EQ(store.CaretPos(), (TPoint{9, 0}));
  EXPECT_EQ(store.LineLength(0), 26);
  store.SetCaretPos(20, 0);
  store.BackTab();
  EXPECT_EQ(store.CaretX(), 17);
  store.BackTab();
  EXPECT_EQ(store.CaretX(), 9);
  store.BackTab();
  EXPECT_EQ(store.CaretX(), 0);
}

class Backspace : public ::testing::TestWithParam<TCase> {};

TEST_P(Backspace, DeletesOrUnindents) {
  TMemoSource store;
  Prepare(store, GetParam());
  store.Backspace();
  EXPECT_EQ(Text(store), GetParam().After);
  EXPECT_EQ(store.CaretPos(), GetParam().CaretAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Backspace,
    ::testing::Values(
        TCase{"UnindentsToTheLineAbove",
              "    bar\n        foo",
              {8, 1},
              {},
              "    bar\n    foo",
              {4, 1}},
        TCase{"UnindentsToTheWordAbove",
              "  if (x)\n       y",
              {7, 1},
              {},
              "  if (x)\n     y",
              {5, 1}},
        TCase{"WithoutALineIndentedLessGoesToZero", "    a\n    b", {4, 1}, {}, "    a\nb", {0, 1}},
        TCase{"MidWordDeletesOneCharacter",
              "    bar\n        foo",
              {10, 1},
              {},
              "    bar\n        fo",
              {9, 1}},
        TCase{"PastTheLineEndOnlyMoves", "ab", {5, 0}, {}, "ab", {4, 0}},
        TCase{"AtColumnZeroJoins", "ab\ncd", {0, 1}, {}, "abcd", {2, 0}},
        TCase{"TabUnindentsAsABlock",
              "x\n\t\ty",
              {17, 1},
              {soUseTabCharacter, soBackUnindents},
              "x\ny",
              {0, 1}},
        TCase{"TabUnindentPadsWithSpaces", "    a\n\ty", {9, 1}, kTabs, "    a\n    y", {4, 1}},
        TCase{"OverTabSpanWithCursorOnTabs",
              "a\tb",
              {9, 0},
              {soUseTabCharacter, soCursorOnTabs},
              "ab",
              {1, 0}}),
    CaseName);

TEST(BackspaceKey, WithoutBackUnindentsDeletesOneBlank) {
  TMemoSource store;
  store.SetOptions(store.Options() - TStringsOptions{soBackUnindents});
  Load(store, "    bar\n        foo");
  store.SetCaretPos(8, 1);
  store.Backspace();
  EXPECT_EQ(store.RawLine(1), "       foo");
}

TEST(BackspaceKey, JoinsBelowALineWithKeptTrailingBlanks) {
  TMemoSource store;
  Load(store, "x\nab\ncz");
  store.Lines().Put(1, "ab  ");  // lines set from outside keep their blanks
  ASSERT_EQ(Text(store), "x\nab  \ncz");
  store.SetCaretPos(0, 2);
  store.Backspace();
  EXPECT_EQ(Text(store), "x\nabcz");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 1}));
}

TEST(BackspaceKey, SelectionIsDeletedWithOverwriteBlocks) {
  TMemoSource store;
  Load(store, "hello world");
  store.SetCaretPos(6, 0);
  store.SetSelection(stStream, 0, 0, 6, 0);
  store.Backspace();
  EXPECT_EQ(Text(store), "world");
}

TEST(PrevIndent, NearestLessIndentedNonEmptyLine) {
  TMemoSource store;
  Load(store, "a b\n\n      deep\n  c");
  EXPECT_EQ(store.PrevIndent(6, 3), 2);   // "      deep" is not indented less: the "b" of "a b"
  EXPECT_EQ(store.PrevIndent(2, 2), 0);   // back over the blank and the "a" of "a b"
  EXPECT_EQ(store.PrevIndent(10, 3), 6);  // the start of "deep"
  EXPECT_EQ(store.PrevIndent(3, 0), 0);
}

TEST(DeleteKeys, DeleteJoinsAtTheLineEndAndPadsPastIt) {
  TMemoSource store;
  Load(store, "ab\ncd");
  store.SetCaretPos(0, 0);
  store.DeleteChar();
  EXPECT_EQ(Text(store), "b\ncd");
  store.SetCaretPos(3, 0);
  store.DeleteChar();
  EXPECT_EQ(Text(store), "b  cd");
}

TEST(DeleteKeys, LineCommands) {
  TMemoSource store;
  Load(store, "one\ntwo\nthree");
  store.SetCaretPos(2, 1);
  store.DeleteLine();
  EXPECT_EQ(Text(store), "one\nthree");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  store.SetCaretPos(2, 1);
  store.DeleteToLineEnd();
  EXPECT_EQ(Text(store), "one\nth");
  store.SetCaretPos(2, 0);
  store.DeleteToLineStart();
  EXPECT_EQ(Text(store), "e\nth");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
}

TEST(DeleteKeys, DeleteToLineStartKeepsATabTheCaretStandsIn) {
  TMemoSource store;
  store.SetOptions(store.Options() | kTabs);
  Load(store, "ab\tc");
  store.SetCaretPos(5, 0);
  store.DeleteToLineStart();
  EXPECT_EQ(store.RawLine(0), "\tc");
}

TEST(Arrows, RightWithLimitEolWrapsAndTabsAreJumped) {
  TMemoSource store;
  store.SetOptions(store.Options() | TStringsOptions{soLimitEOL});
  Load(store, "ab\ncd");
  store.SetCaretPos(2, 0);
  store.CaretRight();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  store.SetCaretPos(2, 1);
  store.CaretRight();  // no line below
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 1}));
  store.SetCaretPos(2, 0);
  store.CaretRight(true);  // extending a block
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));

  TMemoSource tabs;
  tabs.SetOptions(tabs.Options() | TStringsOptions{soUseTabCharacter, soCursorOnTabs});
  Load(tabs, "a\tb");
  tabs.SetCaretPos(1, 0);
  tabs.CaretRight();
  EXPECT_EQ(tabs.CaretX(), 9);
  tabs.CaretLeft();
  EXPECT_EQ(tabs.CaretX(), 1);
  tabs.SetCaretPos(0, 0);
  tabs.CaretLeft(true);  // nothing above
  EXPECT_EQ(tabs.CaretX(), 0);
}

TEST(Arrows, LeftAtColumnZeroMayGoToThePreviousLineEnd) {
  TMemoSource store;
  Load(store, "abc\nd");
  store.SetCaretPos(0, 1);
  store.CaretLeft();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  store.CaretLeft(true);
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 0}));
  store.SelectCharLeft();
  EXPECT_EQ(store.SelectedText(), "c");
}

struct Brackets : ::testing::Test {
  test::TTestParser parser;
  TMemoSource store;
  void SetUp() override { store.SetSyntaxParser(&parser); }
  void TearDown() override { store.SetSyntaxParser(nullptr); }
};

TEST_F(Brackets, MatchSkipsNestedPairsAndQuotedBrackets) {
  // "<...>" is style 1 and "/* */" style 2 in the test parser.
  Load(store, "f(a, (b),\n <)> /*)*/ c)\n[x]");
  store.SetCaretPos(1, 0);
  store.MatchBracket();
  EXPECT_EQ(store.CaretPos(), (TPoint{12, 1}));
  store.MatchBracket();  // and back
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 0}));
  store.SetCaretPos(2, 1);  // the ")" inside "<...>"
  store.MatchBracket();
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 1}));
  store.SetCaretPos(0, 2);
  store.MatchBracket();
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 2}));
}

TEST_F(Brackets, UnmatchedOrNoBracketLeavesTheCaret) {
  Load(store, "(a\nb");
  store.SetCaretPos(0, 0);
  store.MatchBracket();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  store.SetCaretPos(1, 0);
  store.MatchBracket();
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 0}));
}

TEST(Guid, InsertedBracketedAtTheCaretAndNewEachTime) {
  TMemoSource store;
  Load(store, "x");
  store.SetCaretPos(1, 0);
  store.InsertGuid();
  std::string first = store.RawLine(0);
  std::regex form(
      R"(x\['\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\}'\])");
  EXPECT_TRUE(std::regex_match(first, form)) << first;
  store.InsertGuid();
  EXPECT_NE(store.RawLine(0).substr(0, first.size()), store.RawLine(0).substr(first.size() - 1));
}

}  // namespace
}  // namespace quorel
