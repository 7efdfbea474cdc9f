// Find, find-next and replace over a text store: directions, scope, origin, whole words, case,
// patterns, the messages and the replacement prompt.
#include "search/memosearch.h"

#include <gtest/gtest.h>

#include "engine/memosource.h"
#include "support/scripteddialogs.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using platform::mkConfirmation;
using platform::mkInformation;
using test::Load;
using test::Text;

struct SearchFixture : testing::Test {
  TMemoSource store;
  TSearchOptions options;
  test::TScriptedDialogs dialogs;
  TMemoSearch search{store, options, &dialogs};

  SearchFixture() { store.SetDelimeters("/{}+-*():=,;><$.#[]^@&~|%'"); }

  void Find(const std::string& text) {
    options.SetTextToFind(text);
    search.StartSearch();
  }
  void ReplaceAll(const std::string& text, const std::string& with) {
    options.SetTextToFind(text);
    options.SetReplaceWith(with);
    options.SetReplaceAll(true);
    search.StartReplace();
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : dialogs.Messages()) texts.push_back(m.Text);
    return texts;
  }
};

TEST_F(SearchFixture, EntireScopeStartsAtTopThenFindNextGoesOnFromCaret) {
  Load(store, "one two\ntwo three\nfour two");
  store.SetCaretPos(0, 2);
  Find("two");
  EXPECT_EQ(store.CaretPos(), (TPoint{7, 0}));
  EXPECT_EQ(store.MatchRect(), (TRect{4, 0, 7, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 1}));
  search.SearchAgain();
  EXPECT_EQ(store.CaretPos(), (TPoint{8, 2}));
  search.SearchAgain();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string 'two' not found"});
  EXPECT_EQ(dialogs.Messages()[0].Kind, mkInformation);
}

TEST_F(SearchFixture, BackwardEntireScopeStartsAtTheEndOfTheLastLine) {
  Load(store, "ab ab\nab x");
  options.SetDirection(sdBackward);
  Find("ab");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  search.SearchAgain();
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
}

TEST_F(SearchFixture, FromCursorStartsAtTheCaret) {
  Load(store, "ab ab ab");
  store.SetCaretPos(1, 0);
  options.SetOrigin(soFromCursor);
  Find("ab");
  EXPECT_EQ(store.MatchRect(), (TRect{3, 0, 5, 0}));
  options.SetDirection(sdBackward);
  store.SetCaretPos(5, 0);
  Find("ab");  // the character before the caret: a match ending at the caret counts
  EXPECT_EQ(store.MatchRect(), (TRect{3, 0, 5, 0}));
}

TEST_F(SearchFixture, SecondOccurrenceOnOneLineOnSecondFindNext) {
  Load(store, "x\nfoo bar foo");
  Find("foo");
  search.SearchAgain();
  EXPECT_EQ(store.CaretPos(), (TPoint{11, 1}));
  EXPECT_EQ(store.MatchRect(), (TRect{8, 1, 11, 1}));
}

TEST_F(SearchFixture, WholeWordSkipsWordsThatOnlyContainIt) {
  Load(store, "ending end");
  options.SetWholeWordsOnly(true);
  Find("end");
  EXPECT_EQ(store.MatchRect(), (TRect{7, 0, 10, 0}));
  options.SetDirection(sdBackward);
  Find("end");
  EXPECT_EQ(store.MatchRect(), (TRect{7, 0, 10, 0}));
  Load(store, "end-ending");  // "-" is a delimiter: the first word is whole
  options.SetDirection(sdForward);
  Find("end");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 3, 0}));
  search.SearchAgain();
  EXPECT_EQ(MessageTexts().back(), "Search string 'end' not found");
}

TEST_F(SearchFixture, WholeWordsSwitchedOffByDelimiterInText) {
  Load(store, "a+b");
  options.SetWholeWordsOnly(true);
  Find("a+");
  EXPECT_FALSE(options.WholeWordsOnly());
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 2, 0}));
}

TEST_F(SearchFixture, TrailingBlanksAreNeverMatched) {
  store.SetKeepTrailingBlanks(true);
  Load(store, "abc   \nx");
  Find("c ");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string 'c ' not found"});
}

TEST_F(SearchFixture, CaseRulesPlainPairsAccentsPatternOnlyAsciiLetters) {
  Load(store, "caf\xc9 CAFE");
  Find("caf\xe9");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 4, 0}));
  options.SetRegularExpr(true);
  Find("caf\xe9");
  EXPECT_EQ(MessageTexts().back(), "Search string 'caf\xe9' not found");
  Find("cafe");
  EXPECT_EQ(store.MatchRect(), (TRect{5, 0, 9, 0}));
  options.SetCaseSensitive(true);
  Find("cafe");
  EXPECT_EQ(dialogs.Messages().size(), 2u);
}

TEST_F(SearchFixture, FoundTextSelectedWithSelectFoundText) {
  Load(store, "abc def");
  store.SetOptions(store.Options() | TStringsOptions{soSelectFoundText});
  Find("def");
  EXPECT_EQ(store.SelectionType(), stStream);
  EXPECT_EQ(store.SelStart(), (TPoint{4, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{7, 0}));
}

TEST_F(SearchFixture, FindNextBeforeAnyFindReportsEmptyText) {
  Load(store, "abc");
  search.SearchAgain();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string '' not found"});
}

TEST_F(SearchFixture, SearchAgainWaitsWhileFirstSearchIsSet) {
  Load(store, "abc");
  options.SetTextToFind("b");
  options.SetFirstSearch(true);
  search.SearchAgain();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(SearchFixture, NotFoundDoublesAmpersandsAndCanBeHandled) {
  Load(store, "abc");
  Find("a&b");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string 'a&&b' not found"});
  std::vector<std::string> offered;
  search.OnSearchException = [&](TCustomMemoSource&, const std::string& m, bool& handled) {
    offered.push_back(m);
    handled = true;
  };
  Find("zz");
  EXPECT_EQ(offered, std::vector<std::string>{"Search string 'zz' not found"});
  EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(SearchFixture, InvalidPatternShownWithoutNotFound) {
  Load(store, "abc");
  options.SetRegularExpr(true);
  Find("a**");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"a** is invalid mask at (3)"});
  EXPECT_EQ(dialogs.Messages()[0].Kind, mkInformation);
}

TEST_F(SearchFixture, PathologicalPatternReportsErrorInsteadOfHanging) {
  Load(store, std::string(100000, 'a') + "\nb");
  options.SetRegularExpr(true);
  Find("{a*}*[b]");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Text,
            "The pattern {a*}*[b] needs too much work on one line; the search was stopped");
}

TEST_F(SearchFixture, SelectedScopeWithoutSelectionIsAnError) {
  Load(store, "abc");
  options.SetScope(ssSelectedText);
  options.SetTextToFind("b");
  EXPECT_THROW(search.StartSearch(), EVrelError);
  bool handled = false;
  search.OnSearchException = [&](TCustomMemoSource&, const std::string& m, bool& h) {
    EXPECT_EQ(m, TMemoSearch::kInvalidBlock);
    handled = h = true;
  };
  EXPECT_NO_THROW(search.StartSearch());
  EXPECT_TRUE(handled);
  EXPECT_FALSE(search.FindNext());  // not the first search: quietly nothing
}

TEST_F(SearchFixture, SelectedScopeFromCursorNeedsCaretInsideBlock) {
  Load(store, "abc abc\nabc abc\nabc");
  store.SetCaretPos(0, 2);
  store.SetSelection(stStream, 2, 0, 5, 1);
  options.SetScope(ssSelectedText);
  options.SetOrigin(soFromCursor);
  options.SetTextToFind("abc");
  try {
    search.StartSearch();
    FAIL();
  } catch (const EVrelError& e) {
    EXPECT_STREQ(e.what(), TMemoSearch::kCursorOutsideBlock);
  }
}

TEST_F(SearchFixture, SelectedScopeFindsOnlyInsideAndKeepsSelection) {
  Load(store, "abc abc\nabc abc\nabc");
  store.SetOptions(store.Options() | TStringsOptions{soSelectFoundText});
  store.SetSelection(stStream, 2, 0, 5, 1);
  options.SetScope(ssSelectedText);
  Find("abc");
  EXPECT_EQ(store.MatchRect(), (TRect{4, 0, 7, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 3, 1}));
  search.SearchAgain();  // "abc" at column 4 of line 1 runs past the selection's end
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string 'abc' not found"});
  EXPECT_EQ(store.SelStart(), (TPoint{2, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{5, 1}));
}

TEST_F(SearchFixture, BlockScopeTranslatesColumns) {
  Load(store, "xxabxx\nab abab\nxxxab");
  store.SetSelection(stBlock, 2, 0, 4, 2);  // columns 2..4 of each line
  options.SetScope(ssSelectedText);
  Find("ab");
  EXPECT_EQ(store.MatchRect(), (TRect{2, 0, 4, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{3, 1, 5, 1}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{3, 2, 5, 2}));
}

TEST_F(SearchFixture, LineStartPatternFindsEachLineInTurn) {
  Load(store, "a\n\nb");
  options.SetRegularExpr(true);
  Find("^");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 0, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 0, 1}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{0, 2, 0, 2}));
  Find("$");
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 0})) << store.MatchRect().Top;
  EXPECT_EQ(store.MatchRect(), (TRect{1, 0, 1, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 0, 1}));
  options.SetDirection(sdBackward);
  Find("$");
  EXPECT_EQ(store.MatchRect(), (TRect{1, 2, 1, 2}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 0, 1}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{1, 0, 1, 0}));
}

TEST_F(SearchFixture, EmptyMatchFindNextMovesOn) {
  Load(store, "ab\nc");
  options.SetRegularExpr(true);
  Find("x*");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 0, 0}));
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{1, 0, 1, 0}));
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  search.SearchAgain();  // a later line: the caret stays at the match
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 0, 1}));
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  search.SearchAgain();  // found where it started: steps on
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 0, 1}));
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 1}));
  search.SearchAgain();  // the last line's end: nothing more
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string 'x*' not found"});
}

// ---- Replacing ----

TEST_F(SearchFixture, ReplaceAllIsOneUndoStep) {
  Load(store, "cat dog cat\ncat");
  ReplaceAll("cat", "bird");
  EXPECT_EQ(Text(store), "bird dog bird\nbird");
  EXPECT_EQ(search.ReplacedCount(), 3);
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, -1, -1}));
  EXPECT_TRUE(dialogs.Messages().empty());
  store.Undo();
  EXPECT_EQ(Text(store), "cat dog cat\ncat");
  EXPECT_FALSE(store.CanUndo());
}

TEST_F(SearchFixture, ReplaceAllWithNothingFoundReportsOnce) {
  Load(store, "abc");
  ReplaceAll("zz", "y");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Search string 'zz' not found"});
}

TEST_F(SearchFixture, ReplaceAllWithTextContainingTheFoundText) {
  Load(store, "a a");
  ReplaceAll("a", "aa");
  EXPECT_EQ(Text(store), "aa aa");
}

TEST_F(SearchFixture, ReplaceAllEmptyMatchesEnds) {
  Load(store, "abc\nd");
  options.SetRegularExpr(true);
  ReplaceAll("x*", "-");
  EXPECT_EQ(Text(store), "-a-b-c\n-d");
}

TEST_F(SearchFixture, PromptAllAtFirstReplacesEveryLaterOneWithoutAsking) {
  Load(store, "a a a");
  options.SetPromptOnReplace(true);
  options.SetTextToFind("a");
  options.SetReplaceWith("b");
  dialogs.AnswerMessage(platform::mrAll);
  search.StartReplace();
  EXPECT_EQ(Text(store), "b b b");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Text, "Replace this occurence of 'a'?");
  EXPECT_EQ(dialogs.Messages()[0].Kind, mkConfirmation);
  EXPECT_EQ(dialogs.Messages()[0].Buttons, platform::mbYesNoCancelAll);
}

TEST_F(SearchFixture, PromptNoSkipsYesReplacesCancelStops) {
  Load(store, "a a a a");
  options.SetPromptOnReplace(true);
  options.SetReplaceAll(true);
  options.SetTextToFind("a");
  options.SetReplaceWith("b");
  dialogs.AnswerMessage(platform::mrNo);
  dialogs.AnswerMessage(platform::mrYes);
  dialogs.AnswerMessage(platform::mrCancel);
  search.StartReplace();
  EXPECT_EQ(Text(store), "a b a a");
  EXPECT_EQ(dialogs.Messages().size(), 3u);
}

TEST_F(SearchFixture, ReplaceOneThenFindNextRepeatsTheReplacement) {
  Load(store, "a a");
  options.SetTextToFind("a");
  options.SetReplaceWith("bb");
  search.StartReplace();
  EXPECT_EQ(Text(store), "bb a");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
  search.SearchAgain();
  EXPECT_EQ(Text(store), "bb bb");
}

TEST_F(SearchFixture, ReplacingBackwardLeavesCaretAtEachStart) {
  Load(store, "a a a");
  options.SetDirection(sdBackward);
  ReplaceAll("a", "aa");
  EXPECT_EQ(Text(store), "aa aa aa");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_EQ(search.ReplacedCount(), 3);
}

TEST_F(SearchFixture, ReadOnlyStoreReplacesNothingAndSaysNothing) {
  Load(store, "a a");
  store.SetReadOnly(true);
  ReplaceAll("a", "b");
  EXPECT_EQ(Text(store), "a a");
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(SearchFixture, ReplaceAllStopsAtReadOnlyLine) {
  Load(store, "a\na\na");
  store.SetLineReadOnly(1, true);
  ReplaceAll("a", "b");
  EXPECT_EQ(Text(store), "b\na\na");
}

// ---- Options from the document ----

TEST_F(SearchFixture, FillOptionsTakesWordAtCaretAndScopeFromSelection) {
  Load(store, "alpha beta\ngamma");
  store.SetCaretPos(7, 0);
  search.FillOptions();
  EXPECT_EQ(options.TextToFind(), "beta");
  EXPECT_EQ(options.Scope(), ssGlobal);
  store.SetCaretPos(3, 1);  // at the selection's end
  store.SetSelection(stStream, 0, 0, 3, 1);
  search.FillOptions();
  EXPECT_EQ(options.Scope(), ssSelectedText);
  EXPECT_EQ(options.TextToFind(), "gamma");
  store.SetSelection(stStream, 0, 0, 2, 1);
  search.FillOptions();
  EXPECT_EQ(options.Scope(), ssGlobal);
  store.SetOptions(store.Options() - TStringsOptions{soFindTextAtCursor});
  store.SetCaretPos(0, 0);
  search.FillOptions();
  EXPECT_EQ(options.TextToFind(), "gamma");
}

}  // namespace
}  // namespace quorel
