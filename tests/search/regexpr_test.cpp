// The pattern matcher: what patterns find in one line, the errors of bad patterns, and the
// step budget that stops runaway matching.
#include "search/regexpr.h"

#include <gtest/gtest.h>

#include <string>

namespace quorel {
namespace {

struct TFindRow {
  const char* Name;
  const char* Pattern;
  bool CaseSensitive;
  const char* Text;
  int Start;  // 1-based column where the search begins
  bool Forward;
  int Column;  // 0 when nothing is found
  int Length;
};

const TFindRow kFindRows[] = {
    {"StarTakesNone", "ab*c", false, "xacx", 1, true, 2, 2},
    {"StarTakesMany", "ab*c", false, "abbbc", 1, true, 1, 5},
    {"PlusTakesOne", "ab+c", false, "abc", 1, true, 1, 3},
    {"PlusNeedsOne", "ab+c", false, "ac", 1, true, 0, 0},
    {"GroupRepeatedIsOneMatch", "{ab}+", false, "ababab", 1, true, 1, 6},
    {"GroupStarThenLiteral", "{ab}*c", false, "xababc", 1, true, 2, 5},
    {"RangeIgnoringCase", "[a-c]x", false, "Bx", 1, true, 1, 2},
    {"RangeWithCase", "[a-c]x", true, "Bx", 1, true, 0, 0},
    {"NegatedClassFindsNonDigit", "[^0-9]", false, "12a3", 1, true, 3, 1},
    {"NegatedClassNoCandidateAtEnd", "[^0-9]", false, "123", 1, true, 0, 0},
    {"NegatedClassTakesTheEnd", "3[^0-9]", false, "123", 1, true, 3, 1},
    {"DotTakesTheEnd", "x.", false, "ax", 1, true, 2, 1},
    {"DotTakesTheEndOnlyOnce", "x..", false, "ax", 1, true, 0, 0},
    {"DotBeforeLiteralNeedsAChar", "x.y", false, "ax", 1, true, 0, 0},
    {"CaretAtFirstColumn", "^a", false, "aa", 1, true, 1, 1},
    {"CaretNotLater", "^a", false, "ba", 1, true, 0, 0},
    {"CaretNotFromLaterStart", "^a", false, "aa", 2, true, 0, 0},
    {"DollarAfterLastChar", "a$", false, "aba", 1, true, 3, 1},
    {"DollarNotBeforeEnd", "a$", false, "ab", 1, true, 0, 0},
    {"EscapedDotIsFullStop", "\\.", false, "a.b", 1, true, 2, 1},
    {"EscapedDotNotAnyChar", "\\.", false, "ab", 1, true, 0, 0},
    {"EscapedBracketInClass", "[\\]]", false, "a]", 1, true, 2, 1},
    {"OtherBackslashInClassIsMember", "[\\d]", false, "a\\", 1, true, 2, 1},
    {"BackwardPlusFromColumn5", "a+", false, "aaaaaa", 5, false, 5, 2},
    {"BackwardFindsLastStart", "ab", false, "abxab", 5, false, 4, 2},
    {"BackwardStartLimitedToLength", "b", false, "abxab", 99, false, 5, 1},
    {"ForwardFromLaterColumn", "ab", false, "abxab", 2, true, 4, 2},
    {"BacktrackGivesBackRepeats", "a*ab", false, "aaab", 1, true, 1, 4},
    {"BacktrackTwoItems", "a*b*bab", false, "aabbab", 1, true, 1, 6},
    {"EmptyMatchAtCandidate", "a*", false, "bbb", 1, true, 1, 0},
    {"IgnoringCaseFoldsText", "ABC", false, "xabc", 1, true, 2, 3},
    {"IgnoringCaseOnlyAsciiLetters", "\xc9", false, "\xe9", 1, true, 0, 0},
    {"WithCaseExact", "ABC", true, "xabc", 1, true, 0, 0},
    {"DollarAloneForwardIsLineEnd", "$", false, "abc", 1, true, 4, 0},
    {"DollarAloneBackwardAtLength", "$", false, "abc", 3, false, 4, 0},
    {"DollarAloneBackwardElsewhere", "$", false, "abc", 2, false, 0, 0},
    {"EmptyLineMatchesCaret", "^", false, "", 1, true, 1, 0},
    {"EmptyLineMatchesCaretDollar", "^$", false, "", 1, true, 1, 0},
    {"EmptyLineNotStar", "a*", false, "", 1, true, 0, 0},
    {"CaretDollarNotOnText", "^$", false, "a", 1, true, 0, 0},
    {"ClassRepeated", "[ab]+c", false, "xabbac", 1, true, 2, 5},
    {"EscapedCharRepeated", "\\.+x", false, "a...x", 1, true, 2, 4},
    {"RangeAfterRange", "[a-c-e]+", false, "xdcx", 1, true, 2, 2},
    {"ReversedRangeAddsNothing", "[c-a]", true, "b", 1, true, 0, 0},
    {"NestedGroupRepeated", "{{ab}c}+", false, "abcabcab", 1, true, 1, 6},
    // Nested repeated groups: greedy inner runs, and backtracking resumes to the pattern's end.
    {"NestedStarGreedy", "{a*b}*", false, "aabab", 1, true, 1, 5},
    {"NestedStarThenLiteral", "{a*}*b", false, "aaab", 1, true, 1, 4},
    {"NestedStarNoB", "{a*}*b", false, "aaaa", 1, true, 0, 0},
};

class FindRows : public testing::TestWithParam<TFindRow> {};

TEST_P(FindRows, ColumnAndLength) {
  const TFindRow& row = GetParam();
  TRegExpr re(row.Pattern, row.CaseSensitive);
  int start = row.Start, length = -1;
  const bool found = re.Find(row.Text, start, row.Forward, length);
  EXPECT_EQ(found, row.Column != 0);
  EXPECT_EQ(start, row.Column);
  if (found) {
    EXPECT_EQ(length, row.Length);
  }
}

INSTANTIATE_TEST_SUITE_P(Patterns, FindRows, testing::ValuesIn(kFindRows),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TErrorRow {
  const char* Name;
  const char* Pattern;
  int Position;
};

const TErrorRow kErrorRows[] = {
    {"RepeatOfRepeat", "a**", 3},
    {"RepeatFirst", "*a", 1},
    {"PlusFirst", "+", 1},
    {"EmptyClass", "[]", 2},
    {"EmptyNegatedClass", "[^]", 3},
    {"UnclosedClass", "[abc", 5},
    {"UnclosedGroup", "{a", 3},
    {"CloseWithoutOpen", "a}", 2},
    {"BackslashAtEnd", "a\\", 3},
    {"DashWithoutMember", "[-a]", 2},
    {"RangeRunsOffTheEnd", "[a-", 4},
    {"RepeatOfCaret", "^*", 2},
    {"RepeatOfDollar", "a$+", 3},
    {"StarAfterPlus", "a+*", 3},
    {"NestedUnclosed", "{{a}", 5},
};

class ErrorRows : public testing::TestWithParam<TErrorRow> {};

TEST_P(ErrorRows, MessageNamesPatternAndPosition) {
  const TErrorRow& row = GetParam();
  try {
    TRegExpr re(row.Pattern, false);
    FAIL() << "compiled";
  } catch (const EVrelError& e) {
    EXPECT_EQ(e.what(), std::string(row.Pattern) + " is invalid mask at (" +
                            std::to_string(row.Position) + ")");
  }
}

INSTANTIATE_TEST_SUITE_P(Patterns, ErrorRows, testing::ValuesIn(kErrorRows),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RegExprElements, RepeatedCharIsWrappedAndSpansItsItem) {
  TRegExpr re("ab*", true);
  const auto& el = re.Elements();
  ASSERT_EQ(el.size(), 6u);
  EXPECT_EQ(el[0].Kind, TRegExpr::rkChar);
  EXPECT_EQ(el[0].SpanEnd, -1);
  EXPECT_EQ(el[1].Kind, TRegExpr::rkOpen);
  EXPECT_EQ(el[2].Char, 'b');
  EXPECT_EQ(el[3].Kind, TRegExpr::rkClose);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(el[i].SpanEnd, 3);
  EXPECT_EQ(el[4].Kind, TRegExpr::rkStar);
  EXPECT_EQ(el[5].Kind, TRegExpr::rkChar);
  EXPECT_EQ(el[5].Char, 0);
}

TEST(RegExprElements, EscapeMarkerBeforeLiteralAndCaseFolding) {
  TRegExpr re("\\a[b-c]", false);
  const auto& el = re.Elements();
  ASSERT_EQ(el.size(), 4u);
  EXPECT_EQ(el[0].Kind, TRegExpr::rkEscape);
  EXPECT_EQ(el[1].Char, 'A');
  EXPECT_EQ(el[2].Kind, TRegExpr::rkClass);
  EXPECT_TRUE(el[2].Set['B'] && el[2].Set['C']);
  EXPECT_FALSE(el[2].Set['b']);
}

// {a*}*[b] against a long run of a has no match; the matcher must give up with a message
// instead of running for minutes.
TEST(RegExprBudget, NestedRepeatsOnLongLineStopWithMessage) {
  TRegExpr re("{a*}*[b]", false);
  const std::string line(100000, 'a');
  int start = 1, length = 0;
  try {
    re.Find(line, start, true, length);
    FAIL() << "no error";
  } catch (const ERegExprTooComplex& e) {
    EXPECT_EQ(std::string(e.what()),
              "The pattern {a*}*[b] needs too much work on one line; the search was stopped");
  }
}

TEST(RegExprBudget, ManyStarsBacktrackingIsStopped) {
  TRegExpr re("a*a*a*a*a*a*[c]", false);
  int start = 1, length = 0;
  EXPECT_THROW(re.Find(std::string(300, 'a'), start, true, length), ERegExprTooComplex);
}

TEST(RegExprBudget, BudgetIsPerLineNotPerSearch) {
  TRegExpr re("a*[b]", false);
  re.SetStepBudget(5000);
  const std::string line = std::string(20, 'a') + "b";
  for (int i = 0; i < 100; ++i) {  // many lines, each well within the budget
    int start = 1, length = 0;
    ASSERT_TRUE(re.Find(line, start, true, length));
    EXPECT_EQ(length, 21);
  }
  int start = 1, length = 0;
  EXPECT_THROW(re.Find(std::string(2000, 'a'), start, true, length), ERegExprTooComplex);
}

// A line without the literals that every match must pass through is passed over at once, even
// where matching would need more than the budget.
TEST(RegExprBudget, LineWithoutRequiredLiteralsIsPassedOver) {
  TRegExpr re("{a*}*xb", false);
  re.SetStepBudget(10);
  const std::string run(100000, 'a');
  int start = 1, length = 0;
  EXPECT_FALSE(re.Find(run + "x b", start, true, length));
  start = 1;  // the literals are compared without case: this line must be matched
  EXPECT_THROW(re.Find(run + "XB", start, true, length), ERegExprTooComplex);
  re.SetStepBudget(0);
  start = 1;
  EXPECT_TRUE(re.Find("aaXb", start, true, length));
  EXPECT_EQ(length, 4);
}

}  // namespace
}  // namespace quorel
