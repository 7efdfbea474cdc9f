// Lazy, incremental colouring of the store's lines through a parser.
#include <gtest/gtest.h>

#include <memory>

#include "engine/memosource.h"
#include "engine/strings.h"
#include "support/storehelpers.h"
#include "support/testparser.h"

namespace quorel {
namespace {

using namespace std::string_literals;

using test::Load;
using test::TTestParser;

std::string ManyLines(int n, const std::string& line) {
  std::string text;
  for (int i = 0; i < n; ++i) text += line + "\n";
  return text;
}

TEST(Parsing, ColoursLinesOnDemandAndAHundredAhead) {
  TTestParser parser;
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  Load(store, ManyLines(1000, "a <b> c"));
  EXPECT_EQ(parser.Calls, 0);
  EXPECT_EQ(store.GetLineColors(0), std::string("\0\0\1\1\1\0\0", 7));
  EXPECT_EQ(parser.Calls, 101);
  EXPECT_EQ(store.ParsedUpTo(), 101);
  store.GetLineColors(50);  // already parsed
  EXPECT_EQ(parser.Calls, 101);
  store.GetLineColors(500);  // parses everything up to it once, plus the look-ahead
  EXPECT_EQ(parser.Calls, 601);
}

TEST(Parsing, EditReparsesTheLineAndStopsWhenStatesMatchAgain) {
  TTestParser parser;
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  Load(store, ManyLines(300, "x"));
  store.EnsureParsed(299);
  parser.Calls = 0;

  store.SetCaretPos(0, 10);
  store.InsertText("<y>");
  EXPECT_EQ(parser.Calls, 1);  // the edited line at once
  store.EnsureParsed(299);
  EXPECT_EQ(parser.Calls, 1);  // the state did not change: nothing below is parsed again

  store.SetCaretPos(0, 20);
  store.InsertText("/*");
  EXPECT_EQ(parser.Calls, 2);
  store.GetLineColors(25);  // the comment now runs down: later lines are re-coloured lazily
  EXPECT_EQ(store.GetLineColors(25), "\2");
  EXPECT_GT(parser.Calls, 2);
  store.EnsureParsed(299);
  EXPECT_EQ(store.LineRecord(299)->EndState, TTestParser::InComment);

  parser.Calls = 0;
  store.SetCaretPos(2, 20);
  store.InsertText("*/");  // closes it again: everything below returns to plain
  store.EnsureParsed(299);
  EXPECT_EQ(store.LineRecord(299)->EndState, 0u);
  EXPECT_EQ(store.GetLineColors(25), "\0"s);
}

TEST(Parsing, IncrementalResultEqualsAFreshParse) {
  TTestParser parser;
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  Load(store, "a /* b\nc\nd */ e\n<f>\ng");
  for (int y = 0; y < store.LineCount(); ++y) store.GetLineColors(y);
  store.SetCaretPos(0, 1);
  store.InsertText("*/ ");
  store.SetCaretPos(0, 3);
  store.SplitLine();
  store.SetCaretPos(1, 0);
  store.DeleteChars(3);

  std::vector<std::string> incremental;
  for (int y = 0; y < store.LineCount(); ++y) incremental.push_back(store.GetLineColors(y).str());

  TTestParser fresh;
  TMemoSource copy;
  copy.SetSyntaxParser(&fresh);
  Load(copy, store.Lines().Text());
  for (int y = 0; y < copy.LineCount(); ++y) {
    EXPECT_EQ(copy.GetLineColors(y), incremental[y]) << "line " << y;
    EXPECT_EQ(copy.LineRecord(y)->EndState, store.LineRecord(y)->EndState) << "line " << y;
  }
}

TEST(Parsing, ReparseAllAndParserChanges) {
  auto parser = std::make_unique<TTestParser>();
  TMemoSource store;
  Load(store, "<a>\nb");
  test::TNotificationLog log(store);
  store.SetSyntaxParser(parser.get());
  EXPECT_TRUE(log.Last().Flags.Contains(msParserChanged));
  EXPECT_EQ(log.Last().First, 0);
  EXPECT_EQ(log.Last().Last, MaxInt);
  EXPECT_EQ(store.GetLineColors(0), "\1\1\1");

  parser->NotifyClients();  // a scheme change re-colours everything
  EXPECT_EQ(store.ParsedUpTo(), 0);
  EXPECT_EQ(store.LineRecord(0)->Colors, "");

  parser.reset();  // the store forgets a destroyed parser
  EXPECT_EQ(store.SyntaxParser(), nullptr);
  EXPECT_EQ(store.GetLineColors(0), "");
}

TEST(Parsing, WithoutParserForcedLinesGetNoColours) {
  TMemoSource store;
  Load(store, "abc");
  EXPECT_EQ(store.GetLineColors(0), "");
  store.ParseLines(0, 0, true);
  EXPECT_TRUE(store.LineRecord(0)->LineState & lsParsed);
}

TEST(Parsing, ParseEventAndHookSeeEveryParsedLine) {
  TTestParser parser;
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  Load(store, "a\nb\nc");
  std::vector<int> events, hooks;
  store.OnLineParsed = [&](TCustomMemoSource&, int y, std::string_view, TLineColors&) {
    events.push_back(y);
  };
  store.SetActiveView({&events, nullptr, [&](int y, TStringItem&) { hooks.push_back(y); }});
  store.EnsureParsed(0);
  EXPECT_EQ(events, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(hooks, events);
}

TEST(Parsing, ExpandedColoursLineUpWithTabs) {
  TTestParser parser;
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  store.SetSyntaxParser(&parser);
  Load(store, "<\t>");
  EXPECT_EQ(store.GetLineColors(0), "\1\1\1");
  EXPECT_EQ(store.GetExpandedColors(0), std::string(10, '\1'));
}

TEST(Parsing, AttributeColoursTravelWithEdits) {
  TTestParser parser;
  parser.SetAttributes(true);
  TMemoSource store;
  store.SetSyntaxParser(&parser);
  Load(store, "abcd");
  store.LineRecord(0)->Colors = "\1\2\3\4";
  store.SetCaretPos(2, 0);
  store.InsertText("xy");  // takes the style of the character before the caret
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\2\2\2\3\4");
  store.SetCaretPos(1, 0);
  store.DeleteChars(2);
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\2\3\4");
  store.SetCaretPos(2, 0);
  store.SplitLine();
  EXPECT_EQ(store.LineRecord(0)->Colors, "\1\2");
  EXPECT_EQ(store.LineRecord(1)->Colors, "\3\4");
  EXPECT_EQ(store.TypingStyle(), 3);
  store.SetTypingStyle(9);
  store.SetCaretPos(0, 1);
  store.InsertText("z");
  EXPECT_EQ(store.LineRecord(1)->Colors, "\x09\3\4");
}

// A page whose middle is one long comment, so that a line coloured from a wrong start state
// would show it.
std::string CommentedPage() {
  return ManyLines(10, "a <b> c") + "/* open\n" + ManyLines(2980, "x <y>") + "*/ <z>\n" +
         ManyLines(2000, "a <b> c");
}

TEST(Parsing, LinesFarAboveAJumpKeepOnlyTheirStatesUntilAskedFor) {
  TTestParser parser, freshParser;
  TMemoSource store, fresh;
  store.SetSyntaxParser(&parser);
  fresh.SetSyntaxParser(&freshParser);
  Load(store, CommentedPage());
  Load(fresh, CommentedPage());
  const int last = store.LineCount() - 1;
  store.GetLineColors(last);
  EXPECT_TRUE(store.LineRecord(100)->LineState & lsColorsLeftOut);
  EXPECT_TRUE(store.LineRecord(100)->Colors.empty());
  EXPECT_FALSE(store.LineRecord(last - 500)->LineState & lsColorsLeftOut);
  EXPECT_FALSE(store.LineRecord(last - 500)->Colors.empty());
  // Asked for, each line has the colours and end state of a store coloured from the top.
  fresh.EnsureParsed(last);
  for (int y = 0; y <= last; y += 37) {
    EXPECT_EQ(store.GetLineColors(y), fresh.GetLineColors(y)) << "line " << y;
    EXPECT_EQ(store.LineRecord(y)->EndState, fresh.LineRecord(y)->EndState) << "line " << y;
  }
  EXPECT_FALSE(store.LineRecord(37)->LineState & lsColorsLeftOut);
  // An edit in a line still left out is coloured as in the other store.
  for (TMemoSource* s : {&store, &fresh}) {
    s->SetCaretPos(0, 1500);
    s->InsertText("*/ <q>");
  }
  EXPECT_EQ(store.GetLineColors(1500), fresh.GetLineColors(1500));
  EXPECT_EQ(store.GetLineColors(1501), fresh.GetLineColors(1501));
  // Starting over forgets what was left out.
  store.ReparseAll();
  EXPECT_FALSE(store.LineRecord(100)->LineState & lsColorsLeftOut);
}

TEST(Parsing, ColoursAreKeptWhenTheyAreDataOrSomebodyIsTold) {
  TTestParser told, attributes;
  attributes.SetAttributes(true);
  for (TTestParser* parser : {&told, &attributes}) {
    TMemoSource store;
    store.SetSyntaxParser(parser);
    if (parser == &told)
      store.OnLineParsed = [](TCustomMemoSource&, int, std::string_view, TLineColors&) {};
    Load(store, CommentedPage());
    store.GetLineColors(store.LineCount() - 1);
    EXPECT_FALSE(store.LineRecord(100)->LineState & lsColorsLeftOut);
    EXPECT_FALSE(store.LineRecord(100)->Colors.empty());
  }
}

}  // namespace
}  // namespace quorel
