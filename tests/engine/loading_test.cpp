// Loading bytes into the store: line ends, NUL, tabs and trailing blanks.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/linesplitter.h"
#include "engine/memosource.h"
#include "support/storehelpers.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::Text;

std::vector<std::string> LinesOf(const std::string& bytes) {
  TMemoSource store;
  store.LoadFromBuffer(bytes);
  std::vector<std::string> lines;
  for (int y = 0; y < store.LineCount(); ++y) lines.push_back(store.RawLine(y));
  return lines;
}

using Lines = std::vector<std::string>;

TEST(Loading, MixedLineEndsSplitAtCrLfLfAndCr) {
  EXPECT_EQ(LinesOf("a\r\nb\n\rc"), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(LinesOf("a\rb\rc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(LinesOf("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LinesOf("\r\n\r\n"), (Lines{"", ""}));
}

TEST(Loading, FinalLineEndAddsNoLine) {
  EXPECT_EQ(LinesOf("x\r\n"), (Lines{"x"}));
  EXPECT_EQ(LinesOf("x\r"), (Lines{"x"}));
  EXPECT_EQ(LinesOf("x\n"), (Lines{"x"}));
  EXPECT_EQ(LinesOf("x"), (Lines{"x"}));
}

TEST(Loading, EmptyFileHasNoLines) {
  EXPECT_TRUE(LinesOf("").empty());
  EXPECT_TRUE(LinesOf(std::string("\0abc", 4)).empty());
}

TEST(Loading, TextAfterNulIsDropped) {
  EXPECT_EQ(LinesOf(std::string("ab\ncd\0ef\ngh", 11)), (Lines{"ab", "cd"}));
}

TEST(Loading, TabsExpandedThenTrailingBlanksRemoved) {
  EXPECT_EQ(LinesOf("ab  \t \r\n"), (Lines{"ab"}));
  // Tabs stop at 9 and 17 by default, then every 8 columns.
  EXPECT_EQ(LinesOf("\tx"), (Lines{std::string(9, ' ') + "x"}));
  EXPECT_EQ(LinesOf("abc\tx\ty"), (Lines{"abc      x       y"}));
  // Control characters at the end count as blanks too.
  EXPECT_EQ(LinesOf("a\x01\x1f"), (Lines{"a"}));
}

TEST(Loading, TabsKeptWithTabCharacterOption) {
  TMemoSource store;
  store.SetOptions({soUseTabCharacter});
  store.LoadFromBuffer("\tx \t\nab");
  EXPECT_EQ(store.RawLine(0), "\tx");
  EXPECT_EQ(store.Line(0), std::string(9, ' ') + "x");
  EXPECT_EQ(store.LineLength(0), 10);
}

TEST(Loading, BytesAbove127AreKeptUnchanged) {
  std::string bytes = "\x80\x9f\xa0\xff";
  EXPECT_EQ(LinesOf(bytes), (Lines{bytes}));
}

TEST(Loading, ResetsCaretSelectionUndoAndModified) {
  TMemoSource store;
  test::Load(store, "one\ntwo\nthree");
  store.SetCaretPos(2, 2);
  store.InsertText("x");
  store.SetSelection(stStream, 0, 0, 2, 1);
  store.SetBookmark(1);
  ASSERT_TRUE(store.Modified());

  test::Load(store, "new\ntext");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_EQ(store.SelectionType(), stNone);
  EXPECT_FALSE(store.CanUndo());
  EXPECT_FALSE(store.CanRedo());
  EXPECT_FALSE(store.Modified());
  EXPECT_FALSE(store.SavedPointLost());
  TPoint p;
  EXPECT_FALSE(store.GetBookmark(1, p));
  EXPECT_EQ(Text(store), "new\ntext");
}

TEST(Loading, NotifiesEverythingThenTheCleanState) {
  TMemoSource store;
  test::Load(store, "a");
  test::TNotificationLog log(store);
  test::Load(store, "x\ny\nz");
  // The load itself with every flag, then Modified going back to false.
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.Entries[0].Flags.Bits() & msAll.Bits(), msAll.Bits());
  EXPECT_EQ(log.Entries[0].First, 0);
  EXPECT_EQ(log.Entries[0].Reason, urLoad);
  EXPECT_TRUE(log.Entries[1].Flags.Contains(msModifiedChanged));
  EXPECT_EQ(log.Entries[1].Reason, urModified);
  EXPECT_FALSE(store.Modified());
}

// A file arrives in pieces; wherever a piece ends (inside CR LF, inside a line), the lines are
// the same as from the whole text.
TEST(Loading, PiecesGiveTheSameLinesWhereverTheyAreCut) {
  const std::string text = "ab\r\ncd\ref\n\r\n\rgh\t x  \r\n\r";
  TTabStops stops;
  auto whole = [&] {
    TLineSplitter splitter(stops, false);
    splitter.Feed(text);
    TInternalStrings lines = splitter.Finish();
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i) out.push_back(lines[i].Text.str());
    return out;
  }();
  ASSERT_EQ(whole, (Lines{"ab", "cd", "ef", "", "", "gh        x", ""}));
  for (size_t a = 0; a <= text.size(); ++a) {
    for (size_t b = a; b <= text.size(); ++b) {
      TLineSplitter splitter(stops, false);
      splitter.Feed(std::string_view(text).substr(0, a));
      splitter.Feed(std::string_view(text).substr(a, b - a));
      splitter.Feed(std::string_view(text).substr(b));
      TInternalStrings lines = splitter.Finish();
      std::vector<std::string> got;
      for (int i = 0; i < lines.Count(); ++i) got.push_back(lines[i].Text.str());
      EXPECT_EQ(got, whole) << "cut at " << a << " and " << b;
    }
  }
}

// ---- The document keeps its own line ends ----

TEST(LineEnds, TheFirstLineEndSetsTheStyleWhereverThePiecesAreCut) {
  using namespace std::string_literals;
  const std::pair<std::string, TOutFormatType> cases[] = {
      {"a\r\nb\nc\r", ofWindows},
      {"a\nb\r\nc", ofUnix},
      {"a\rb\r\nc", ofMac},
      {"\r\n", ofWindows},
      {"\r", ofMac},
      {"\n\r\n", ofUnix},
      {"no line end", ofWindows},
      {"", ofWindows},
      {"a\r\0\nb"s, ofMac},  // the NUL ends the text after the CR
  };
  TTabStops stops;
  for (const auto& [text, style] : cases) {
    for (size_t cut = 0; cut <= text.size(); ++cut) {
      TLineSplitter splitter(stops, false);
      EXPECT_EQ(test::SplitInTwo(splitter, text, cut).FirstLineEnd(), style)
          << text << " cut at " << cut;
    }
  }
}

TEST(LineEnds, EachStyleComesBackAsItWasLoaded) {
  // A Windows file loses only its final line end, as it always has; Unix and Mac files end
  // every line.
  const std::pair<std::string, std::string> cases[] = {
      {"<p>\r\n<b>x</b>\r\n", "<p>\r\n<b>x</b>"},
      {"<p>\n<b>x</b>\n", "<p>\n<b>x</b>\n"},
      {"<p>\r<b>x</b>\r", "<p>\r<b>x</b>\r"},
      {"one line", "one line"},
  };
  for (const auto& [in, out] : cases) {
    TMemoSource store;
    store.LoadFromBuffer(in);
    EXPECT_EQ(store.SaveToString(), out) << in;
  }
  // The style asked for afterwards wins; the next load brings the file's own back.
  TMemoSource store;
  store.LoadFromBuffer("a\nb\n");
  store.SetOutFormat(ofWindows);
  EXPECT_EQ(store.SaveToString(), "a\r\nb");
  store.LoadFromBuffer("a\rb");
  EXPECT_EQ(store.OutFormat(), ofMac);
}

TEST(LineEnds, AFileReadInPiecesKeepsItsCrLf) {
  test::TTempDir dir;
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "line\r\n";
  test::WriteBytes(dir.File("big.txt"), big);
  TMemoSource store;
  store.LoadFromFile(dir.File("big.txt"));
  EXPECT_EQ(store.OutFormat(), ofWindows);
  std::string lf;
  for (int i = 0; i < 200000; ++i) lf += "line\n";
  test::WriteBytes(dir.File("lf.txt"), lf);
  store.LoadFromFile(dir.File("lf.txt"));
  EXPECT_EQ(store.OutFormat(), ofUnix);
  store.SaveToFile(dir.File("again.txt"));
  EXPECT_EQ(test::ReadBytes(dir.File("again.txt")), lf);
}

TEST(Loading, NulInALaterPieceEndsTheText) {
  TTabStops stops;
  TLineSplitter splitter(stops, false);
  EXPECT_TRUE(splitter.Feed("one\ntw"));
  EXPECT_FALSE(splitter.Feed(std::string("o\0three\n", 9)));
  EXPECT_FALSE(splitter.Feed("four\n"));
  TInternalStrings lines = splitter.Finish();
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines[1].Text, "two");
}

TEST(Loading, LargeFileReadInPieces) {
  test::TTempDir dir;
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "line " + std::to_string(i) + (i % 2 ? "\r\n" : "\r");
  test::WriteBytes(dir.File("big.txt"), text);
  TMemoSource store;
  store.LoadFromFile(dir.File("big.txt"));
  ASSERT_EQ(store.LineCount(), 100000);
  for (int y : {0, 1, 26213, 52428, 99999})
    EXPECT_EQ(store.RawLine(y), "line " + std::to_string(y));
}

TEST(Loading, FromStream) {
  TMemoSource store;
  std::istringstream in("first\r\nsecond\r\n");
  store.LoadFromStream(in);
  EXPECT_EQ(Text(store), "first\nsecond");
}

TEST(Loading, MissingFileRaisesAndKeepsTheDocument) {
  TMemoSource store;
  test::Load(store, "keep me");
  store.SetCaretPos(4, 0);
  store.InsertText("!");
  EXPECT_THROW(store.LoadFromFile("/nonexistent/folder/file.html"), std::runtime_error);
  EXPECT_EQ(Text(store), "keep! me");
  EXPECT_TRUE(store.Modified());
  EXPECT_TRUE(store.CanUndo());
}

TEST(Loading, LongLinesAndManyLines) {
  std::string big;
  for (int i = 0; i < 20000; ++i) big += std::string(i % 300, 'x') + (i % 3 ? "\r\n" : "\n");
  TMemoSource store;
  store.LoadFromBuffer(big);
  ASSERT_EQ(store.LineCount(), 20000);
  EXPECT_EQ(store.LineLength(299), 299);
  EXPECT_EQ(store.LongestLineLength(), 299);
}

}  // namespace
}  // namespace quorel
