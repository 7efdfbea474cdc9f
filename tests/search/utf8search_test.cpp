// Find and replace in UTF-8 documents: non-ASCII text and patterns, case folding of accented
// letters, whole words beside them, matches shown in screen columns after wide characters,
// UTF-8 replacements, and the text to find turned into a Windows-1252 document's bytes.
#include <gtest/gtest.h>

#include <bitset>
#include <string>
#include <vector>

#include "engine/memosource.h"
#include "engine/utf8.h"
#include "platform/settings.h"
#include "search/linesearch.h"
#include "search/memosearch.h"
#include "search/utf8text.h"
#include "support/scripteddialogs.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

using test::Load;
using test::Text;

constexpr const char* kDelimiters = "/{}+-*():=,;><$.#[]^@&~|%'";

// ---- The line searcher on plain strings ----

class TStringLines : public ISearchLines {
 public:
  explicit TStringLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string_view Line(int i) override { return lines_[i]; }

 private:
  std::vector<std::string> lines_;
};

std::bitset<256> Delimiters(const std::string& extra = {}) {
  std::bitset<256> set;
  for (unsigned char c : std::string(kDelimiters) + " " + extra) set.set(c);
  return set;
}

// The first forward hit as "line:byte:length", or "none".
std::string FirstHit(const std::string& text, const std::vector<std::string>& lines,
                     bool caseSensitive = false, TEncoding encoding = enUtf8,
                     bool wholeWords = false, const std::string& extraDelimiters = {}) {
  TLineSearch search(text, caseSensitive, wholeWords, false, Delimiters(extraDelimiters), encoding);
  TStringLines source(lines);
  TSearchHit hit;
  if (!search.Run(source, 0, 1, true, hit)) return "none";
  return std::to_string(hit.Line) + ":" + std::to_string(hit.Column) + ":" +
         std::to_string(hit.Length);
}

TEST(Utf8LineSearch, PlainTextFindsWholeCharactersOnly) {
  EXPECT_EQ(FirstHit("日本", {"abc", "x日本"}), "1:1:6");
  // A stray byte from a document never matches a piece of a character.
  EXPECT_EQ(FirstHit("\xA9", {"é", "x\xA9"}, true), "1:1:1");
  EXPECT_EQ(FirstHit("\xC3", {"é", "\xC3x"}, true), "1:0:1");
  // The same bytes in a Windows-1252 document are characters of their own.
  EXPECT_EQ(FirstHit("\xA9", {"\xC3\xA9"}, true, enWindows1252), "0:1:1");
}

TEST(Utf8LineSearch, CaseBlindFoldsAccentedGreekAndCyrillicLetters) {
  EXPECT_EQ(FirstHit("é", {"CAFÉ"}), "0:3:2");
  EXPECT_EQ(FirstHit("ÜBER", {"x über"}), "0:2:5");
  EXPECT_EQ(FirstHit("ÿ", {"Ÿ"}), "0:0:2");
  EXPECT_EQ(FirstHit("σοφία", {"ΣΟΦΊΑ"}), "0:0:10");
  EXPECT_EQ(FirstHit("москва", {"МОСКВА"}), "0:0:12");
  EXPECT_EQ(FirstHit("é", {"CAFÉ"}, true), "none");
  // Windows-1252 text folds with its own table, byte by byte.
  EXPECT_EQ(FirstHit("\xE9", {"CAF\xC9"}, false, enWindows1252), "0:3:1");
}

TEST(Utf8LineSearch, BytesFromHighUpAreNeverWordDelimiters) {
  // "é" among the delimiters: its bytes still join "sum" to "sumé" in UTF-8 text.
  EXPECT_EQ(FirstHit("sum", {"sumé sum"}, false, enUtf8, true, "\xC3\xA9"), "0:6:3");
  EXPECT_EQ(FirstHit("sum", {"résumé"}, false, enUtf8, true), "none");
  EXPECT_EQ(FirstHit("café", {"cafés café"}, false, enUtf8, true), "0:7:5");
  // A Windows-1252 document keeps the delimiters it is given.
  EXPECT_EQ(FirstHit("sum", {"sum\xE9 sum"}, true, enWindows1252, true, "\xE9"), "0:0:3");
}

TEST(Utf8LineSearch, UnholdableCharacterFindsNothing) {
  EXPECT_EQ(FirstHit(std::string("a\0", 2), {"ab", "a"}, false, enWindows1252), "none");
}

TEST(Utf8SearchText, WindowsDocumentsGetTheirBytes) {
  EXPECT_EQ(SearchTextInEncoding("café €", enWindows1252), "caf\xE9 \x80");
  EXPECT_EQ(SearchTextInEncoding("a日b", enWindows1252), std::string("a\0b", 3));
  EXPECT_EQ(SearchTextInEncoding("caf\xE9", enWindows1252), "caf\xE9");  // not UTF-8: kept
  EXPECT_EQ(SearchTextInEncoding("a日b", enUtf8), "a日b");
}

TEST(Utf8SearchText, FoldingInPlaceEqualsFoldUtf8) {
  std::string out = "left over";
  for (const std::string s : {"", "abc xyz", "CAFÉ café", "ÿŸ σς ΆΈ МОСКВА москва ёЁ", "日本😀",
                              "stray \xE9 \xC3 \xA9\xA9 \xF0\x9F", "İı ſ ß ŉ"}) {
    FoldUtf8Into(s, out);
    EXPECT_EQ(out, FoldUtf8(s)) << s;
  }
}

TEST(Utf8SearchOptions, TextsKeptAsWindows1252ByOlderVersionsReadAsUtf8) {
  platform::TMemorySettings settings;
  settings.WriteString("Editor/SearchOptions/TextToFind", "caf\xE9");
  settings.WriteString("Editor/SearchOptions/ReplaceWith", "日本 \x80");  // not UTF-8 as a whole
  TSearchOptions o;
  o.LoadFrom(settings);
  EXPECT_EQ(o.TextToFind(), "café");
  EXPECT_EQ(o.ReplaceWith(), "æ—¥æœ¬ €");  // each byte as the code page reads it
  o.SetTextToFind("wörd");
  o.SaveTo(settings);
  TSearchOptions back;
  back.LoadFrom(settings);
  EXPECT_EQ(back.TextToFind(), "wörd");
}

// ---- Find and replace over a store ----

struct Utf8Search : testing::Test {
  TMemoSource store;
  TSearchOptions options;
  test::TScriptedDialogs dialogs;
  TMemoSearch search{store, options, &dialogs};

  Utf8Search() { store.SetDelimeters(kDelimiters); }

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
  std::string LastMessage() const {
    return dialogs.Messages().empty() ? std::string() : dialogs.Messages().back().Text;
  }
};

TEST_F(Utf8Search, LiteralsOfTwoThreeAndFourBytesShowInColumns) {
  Load(store, "café 日本 😀 end");
  ASSERT_TRUE(store.IsUtf8());
  Find("é");
  EXPECT_EQ(store.MatchRect(), (TRect{3, 0, 4, 0}));
  Find("日本");
  EXPECT_EQ(store.MatchRect(), (TRect{5, 0, 9, 0}));
  Find("😀");
  EXPECT_EQ(store.MatchRect(), (TRect{10, 0, 12, 0}));
  EXPECT_EQ(store.CaretPos(), (TPoint{12, 0}));
  Find("end");
  EXPECT_EQ(store.MatchRect(), (TRect{13, 0, 16, 0}));
}

TEST_F(Utf8Search, HitAfterWideCharactersAndSelectedWhenAsked) {
  Load(store, "日本語 abc");
  store.SetOptions(store.Options() | TStringsOptions{soSelectFoundText});
  Find("abc");
  EXPECT_EQ(store.MatchRect(), (TRect{7, 0, 10, 0}));
  EXPECT_EQ(store.SelStart(), (TPoint{7, 0}));
  EXPECT_EQ(store.SelEnd(), (TPoint{10, 0}));
  options.SetDirection(sdBackward);
  Find("語");
  EXPECT_EQ(store.MatchRect(), (TRect{4, 0, 6, 0}));
  EXPECT_EQ(store.CaretPos(), (TPoint{4, 0}));
}

TEST_F(Utf8Search, CaseBlindAccentsAndCaseSensitiveExact) {
  Load(store, "Élan\nx ÜBER über");
  Find("élan");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 4, 0}));
  Find("über");
  EXPECT_EQ(store.MatchRect(), (TRect{2, 1, 6, 1}));
  options.SetCaseSensitive(true);
  Find("über");
  EXPECT_EQ(store.MatchRect(), (TRect{7, 1, 11, 1}));
  Find("élan");
  EXPECT_EQ(LastMessage(), "Search string 'élan' not found");
}

TEST_F(Utf8Search, PatternsTakeWholeCharacters) {
  Load(store, "naïve cafè\na日b xéééy");
  options.SetRegularExpr(true);
  Find("[à-ü]");
  EXPECT_EQ(store.MatchRect(), (TRect{2, 0, 3, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{9, 0, 10, 0}));
  Find("a.b");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 4, 1}));
  Find("[^a]b");
  EXPECT_EQ(store.MatchRect(), (TRect{1, 1, 4, 1}));
  Find("é+");
  EXPECT_EQ(store.MatchRect(), (TRect{6, 1, 9, 1}));
  Find("É+Y");  // folded without case
  EXPECT_EQ(store.MatchRect(), (TRect{6, 1, 10, 1}));
}

TEST_F(Utf8Search, WholeWordsBesideAccentedLetters) {
  store.SetDelimeters(std::string(kDelimiters) + "é");  // its bytes are no delimiters here
  Load(store, "sumé résumé sum");
  options.SetWholeWordsOnly(true);
  Find("sum");
  EXPECT_EQ(store.MatchRect(), (TRect{12, 0, 15, 0}));
  Find("sumé");  // a text with "é" keeps whole words on
  EXPECT_TRUE(options.WholeWordsOnly());
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 4, 0}));
}

TEST_F(Utf8Search, FromCursorStartsAtTheCaretsCharacter) {
  Load(store, "éé ab ab");
  store.SetCaretPos(5, 0);  // the blank before the second "ab", at byte 7
  options.SetOrigin(soFromCursor);
  Find("ab");
  EXPECT_EQ(store.MatchRect(), (TRect{6, 0, 8, 0}));
  options.SetDirection(sdBackward);
  store.SetCaretPos(5, 0);
  Find("ab");
  EXPECT_EQ(store.MatchRect(), (TRect{3, 0, 5, 0}));
}

TEST_F(Utf8Search, SelectedScopeCutsAtTheSelectedCharacters) {
  Load(store, "日本 abc abc\n日本 abc");
  store.SetSelection(stStream, 6, 0, 7, 1);  // from "bc abc" to "日本 a"
  options.SetScope(ssSelectedText);
  Find("abc");
  EXPECT_EQ(store.MatchRect(), (TRect{9, 0, 12, 0}));
  search.SearchAgain();  // "abc" of line 1 runs past the selection's end
  EXPECT_EQ(LastMessage(), "Search string 'abc' not found");
  store.SetSelection(stBlock, 2, 0, 6, 1);  // columns 2..6: "本 ab" on both lines
  Find("本 a");
  EXPECT_EQ(store.MatchRect(), (TRect{2, 0, 6, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{2, 1, 6, 1}));
}

TEST_F(Utf8Search, ReplaceWritesUtf8AndCaretLandsAfterIt) {
  Load(store, "naïve 日本 ï");
  ReplaceAll("日本", "中文");
  EXPECT_EQ(Text(store), "naïve 中文 ï");
  ReplaceAll("Ï", "i");
  EXPECT_EQ(Text(store), "naive 中文 i");
  EXPECT_EQ(search.ReplacedCount(), 3);

  Load(store, "日本 日本");
  options.SetReplaceAll(false);
  options.SetTextToFind("日本");
  options.SetReplaceWith("ü");
  search.StartReplace();
  EXPECT_EQ(Text(store), "ü 日本");
  EXPECT_EQ(store.CaretPos(), (TPoint{1, 0}));
  search.SearchAgain();
  EXPECT_EQ(Text(store), "ü ü");
  EXPECT_EQ(store.CaretPos(), (TPoint{3, 0}));
}

TEST_F(Utf8Search, EmptyMatchesStepPastWideCharacters) {
  Load(store, "日本\né");
  options.SetRegularExpr(true);
  ReplaceAll("x*", "-");
  EXPECT_EQ(Text(store), "-日-本\n-é");
}

TEST_F(Utf8Search, WordAtCaretIsTakenByWholeCharacters) {
  Load(store, "日本語 wörd");
  store.SetCaretPos(1, 0);
  search.FillOptions();
  EXPECT_EQ(options.TextToFind(), "日本語");
  store.SetCaretPos(8, 0);
  search.FillOptions();
  EXPECT_EQ(options.TextToFind(), "wörd");
}

// ---- Windows-1252 documents ----

TEST_F(Utf8Search, WindowsDocumentFindsTheUtf8TextAsItsBytes) {
  Load(store, "caf\xE9 \xC9t\xE9");
  ASSERT_EQ(store.Encoding(), enWindows1252);
  Find("é");
  EXPECT_EQ(store.MatchRect(), (TRect{3, 0, 4, 0}));
  search.SearchAgain();  // the table of the code page folds É
  EXPECT_EQ(store.MatchRect(), (TRect{5, 0, 6, 0}));
  ReplaceAll("é", "è");
  EXPECT_EQ(Text(store), "caf\xE8 \xE8t\xE8");
  // A character the code page lacks finds nothing, not the text around it.
  Find("caf日");
  EXPECT_EQ(LastMessage(), "Search string 'caf日' not found");
  options.SetWholeWordsOnly(true);  // and it is no delimiter that turns whole words off
  Find("caf日");
  EXPECT_TRUE(options.WholeWordsOnly());
  options.SetWholeWordsOnly(false);
  options.SetRegularExpr(true);
  Find("f[日è]");
  EXPECT_EQ(store.MatchRect(), (TRect{2, 0, 4, 0}));
  Find("f日è");
  EXPECT_EQ(LastMessage(), "Search string 'f日è' not found");
  Find("f日*è");
  EXPECT_EQ(store.MatchRect(), (TRect{2, 0, 4, 0}));
}

TEST_F(Utf8Search, WindowsDocumentWordAtCaretBecomesUtf8) {
  Load(store, "caf\xE9 x");
  ASSERT_EQ(store.Encoding(), enWindows1252);
  store.SetCaretPos(1, 0);
  search.FillOptions();
  EXPECT_EQ(options.TextToFind(), "café");
  Find(options.TextToFind());
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 4, 0}));
}

TEST_F(Utf8Search, SameBytesReadAsWindows1252MatchByteByByte) {
  Load(store, "日本");
  store.SetEncoding(enWindows1252);  // six characters of one column each
  options.SetRegularExpr(true);
  Find("^..$");
  EXPECT_EQ(LastMessage(), "Search string '^..$' not found");
  Find("^......$");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 6, 0}));
  store.SetEncoding(enUtf8);
  Find("^..$");
  EXPECT_EQ(store.MatchRect(), (TRect{0, 0, 4, 0}));
}

}  // namespace
}  // namespace quorel
