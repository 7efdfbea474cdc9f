// UTF-8 characters: decoding, screen cells, Windows-1252 conversion and case folding.
#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/cellrow.h"
#include "engine/encoding.h"
#include "engine/tabstops.h"

namespace quorel {
namespace {

TEST(Utf8Characters, DecodeTakesWholeCharactersAndStrayBytesOneByOne) {
  char32_t cp = 0;
  EXPECT_EQ(DecodeUtf8("a", 0, cp), 1);
  EXPECT_EQ(cp, U'a');
  EXPECT_EQ(DecodeUtf8("\xC3\xBC", 0, cp), 2);  // ü
  EXPECT_EQ(cp, U'\u00FC');
  EXPECT_EQ(DecodeUtf8("\xE2\x82\xAC", 0, cp), 3);  // €
  EXPECT_EQ(cp, U'\u20AC');
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80", 0, cp), 4);
  EXPECT_EQ(cp, U'\U0001F600');
  // A stray byte is its Windows-1252 character: 0x80 is the euro sign there.
  EXPECT_EQ(DecodeUtf8("\x80"
                       "a",
                       0, cp),
            1);
  EXPECT_EQ(cp, U'\u20AC');
  // A character cut short at the end of the text, and an overlong form, are stray bytes.
  EXPECT_EQ(DecodeUtf8("\xE2\x82", 0, cp), 1);
  EXPECT_EQ(DecodeUtf8("\xC0\xAF", 0, cp), 1);
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80", 0, cp), 1);  // a surrogate
}

TEST(Utf8Characters, PreviousStartStepsBackOverWholeCharacters) {
  const std::string s = "a\xC3\xBC\xE6\x97\xA5\xF0\x9F\x98\x80\x80";  // a ü 日 😀 stray
  EXPECT_EQ(PreviousUtf8Start(s, s.size()), s.size() - 1);            // the stray byte alone
  EXPECT_EQ(PreviousUtf8Start(s, 10), 6u);
  EXPECT_EQ(PreviousUtf8Start(s, 6), 3u);
  EXPECT_EQ(PreviousUtf8Start(s, 3), 1u);
  EXPECT_EQ(PreviousUtf8Start(s, 1), 0u);
}

TEST(Utf8Characters, EncodeRoundTripsEveryLength) {
  for (char32_t cp : {U'\u0041', U'\u00E9', U'\u07FF', U'\u0800', U'\u65E5', U'\uFFFD',
                      U'\U00010000', U'\U0010FFFF'}) {
    std::string bytes = EncodeUtf8(cp);
    char32_t back = 0;
    EXPECT_EQ(DecodeUtf8(bytes, 0, back), static_cast<int>(bytes.size()));
    EXPECT_EQ(back, cp);
    EXPECT_TRUE(IsValidUtf8(bytes));
  }
}

TEST(Utf8Characters, CellsOfNarrowWideAndCombiningCharacters) {
  EXPECT_EQ(CharCells(U'a'), 1);
  EXPECT_EQ(CharCells(U'\u00E9'), 1);
  EXPECT_EQ(CharCells(U'\u03B1'), 1);  // Greek
  EXPECT_EQ(CharCells(U'\u65E5'), 2);  // 日
  EXPECT_EQ(CharCells(U'\u3042'), 2);  // Hiragana
  EXPECT_EQ(CharCells(U'\uAC00'), 2);  // Hangul
  EXPECT_EQ(CharCells(U'\uFF21'), 2);  // fullwidth A
  EXPECT_EQ(CharCells(U'\U0001F600'), 2);
  EXPECT_EQ(CharCells(U'\u0301'), 0);  // combining acute
  EXPECT_EQ(CharCells(U'\uFF61'), 1);  // halfwidth katakana stop
}

TEST(Utf8Characters, Windows1252ConversionBothWays) {
  EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x93q\x94"),
            "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
  int dropped = -1;
  EXPECT_EQ(Utf8ToCp1252("caf\xC3\xA9 \xE2\x82\xAC", &dropped), "caf\xE9 \x80");
  EXPECT_EQ(dropped, 0);
  EXPECT_EQ(Utf8ToCp1252("a\xE6\x97\xA5"
                         "b\xCE\xB1",
                         &dropped),
            "ab");  // 日 and α left out
  EXPECT_EQ(dropped, 2);
  EXPECT_FALSE(UnicodeToCp1252(U'\u65E5'));
  EXPECT_EQ(UnicodeToCp1252(U'\u2122'), 0x99);  // ™
  // Every byte survives the trip through UTF-8.
  for (int b = 0; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
  }
}

TEST(Utf8Characters, MakeValidKeepsGoodTextAndMendsStrayBytes) {
  EXPECT_EQ(MakeValidUtf8("fine \xC3\xBC"), "fine \xC3\xBC");
  EXPECT_EQ(MakeValidUtf8("caf\xE9 \xC3\xBC"), "caf\xC3\xA9 \xC3\xBC");
  EXPECT_TRUE(IsValidUtf8(MakeValidUtf8("\xFF\xFE\x80\xC3")));
}

TEST(Utf8Characters, FoldingKeepsByteLengths) {
  EXPECT_EQ(FoldUtf8("caf\xC3\xA9"), "CAF\xC3\x89");              // é → É
  EXPECT_EQ(FoldUtf8("\xC3\xBC\xC3\x9C"), "\xC3\x9C\xC3\x9C");    // ü Ü
  EXPECT_EQ(FoldUtf8("\xCE\xB1\xCF\x82"), "\xCE\x91\xCE\xA3");    // α ς → Α Σ
  EXPECT_EQ(FoldUtf8("\xD0\xB4\xD1\x91"), "\xD0\x94\xD0\x81");    // д ё → Д Ё
  EXPECT_EQ(FoldUtf8("\xC5\x82\xC5\xBE"), "\xC5\x81\xC5\xBD");    // ł ž → Ł Ž
  EXPECT_EQ(FoldUtf8("\xC3\xBF"), "\xC5\xB8");                    // ÿ → Ÿ, both two bytes
  EXPECT_EQ(FoldUtf8("\xC4\xB1"), "\xC4\xB1");                    // dotless i stays
  EXPECT_EQ(FoldUtf8("\xE6\x97\xA5\x80z"), "\xE6\x97\xA5\x80Z");  // others and stray bytes
  // Upper and lower case undo each other, final sigma (whose capital is Σ) aside.
  for (char32_t c = 0; c < 0x800; ++c) {
    if (FoldUpper(c) != c && c != U'\u03C2') {
      EXPECT_EQ(FoldLower(FoldUpper(c)), c) << std::hex << static_cast<int>(c);
    }
  }
  EXPECT_EQ(MapUtf8("\xC3\x89T\xC3\x89", FoldLower), "\xC3\xA9t\xC3\xA9");
}

TEST(CellLayout, ColumnsCountCharactersInUtf8AndBytesInWindows1252) {
  TTabStops stops;  // 9, 17, then every 8
  const TCellLayout utf8(stops, true), cp1252(stops, false);
  const std::string text = "a\xC3\xBC\xE6\x97\xA5z";  // a ü 日 z
  EXPECT_EQ(VisualLength(text, utf8), 5);             // 1 + 1 + 2 + 1
  EXPECT_EQ(VisualLength(text, cp1252), 7);
  EXPECT_EQ(VisualToRaw(text, 2, utf8), 3);  // 日 starts at byte 3, column 2
  EXPECT_EQ(VisualToRaw(text, 3, utf8), 3);  // its second column maps to it too
  EXPECT_EQ(VisualToRaw(text, 4, utf8), 6);
  EXPECT_EQ(VisualToRaw(text, 7, utf8), 9);  // past the end by the excess
  EXPECT_EQ(RawToVisual(text, 3, utf8), 2);
  EXPECT_EQ(RawToVisual(text, 6, utf8), 4);
  EXPECT_EQ(WideCharAround(text, 3, utf8), std::make_pair(2, 4));
  EXPECT_EQ(WideCharAround(text, 2, utf8), std::make_pair(2, 2));
  EXPECT_EQ(WideCharAround(text, 3, cp1252), std::make_pair(3, 3));
}

TEST(CellLayout, TabStopsCountCellsAfterWideCharacters) {
  TTabStops stops;
  const TCellLayout utf8(stops, true);
  // 日本 takes columns 0..3, so the tab runs from 4 to the stop at 9.
  const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC\tx";
  EXPECT_EQ(VisualLength(text, utf8), 10);
  EXPECT_EQ(ExpandTabs(text, utf8), "\xE6\x97\xA5\xE6\x9C\xAC     x");
  EXPECT_EQ(VisualToRaw(text, 9, utf8), 7);
  EXPECT_EQ(TabSpanAround(text, 6, utf8), std::make_pair(4, 9));
  EXPECT_EQ(ExpandColors(text, "1234567x", utf8),
            "123456"
            "77777"
            "x");
}

TEST(CellLayout, CombiningMarksShareTheirBasesCell) {
  TTabStops stops;
  const TCellLayout utf8(stops, true);
  const std::string text = "e\xCC\x81x";  // e + combining acute, then x
  EXPECT_EQ(VisualLength(text, utf8), 2);
  EXPECT_EQ(VisualToRaw(text, 1, utf8), 3);  // column 1 is after the mark
  std::vector<TCell> cells = LayOutCells(text, true);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].Byte, 0u);
  EXPECT_EQ(cells[0].Length, 3u);
  EXPECT_EQ(cells[1].Byte, 3u);
  // A mark with no base before it still takes a cell.
  EXPECT_EQ(VisualLength("\xCC\x81", utf8), 1);
}

TEST(CellLayout, ShownPartStartsAtAWholeCharacter) {
  TTabStops stops;
  const TCellLayout utf8(stops, true);
  const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E abc";  // 日本語 abc
  TShownPart part = ShownPart(text, "", utf8, 3, 4);                    // from inside 本
  EXPECT_EQ(part.Column, 2);
  EXPECT_EQ(part.Text, "\xE6\x9C\xAC\xE8\xAA\x9E ");  // columns 2 to 6
  EXPECT_FALSE(part.ReachesEnd);
  std::vector<TCell> cells = LayOutCells(part.Text, true);
  ASSERT_EQ(cells.size(), 5u);
  EXPECT_EQ(cells[1].Length, 0u);  // the second half of 本
  TShownPart plain = ShownPart("hello", "abcde", utf8, 2, 10);
  EXPECT_EQ(plain.Text, "llo");
  EXPECT_EQ(plain.Colors, "cde");
  EXPECT_TRUE(plain.ReachesEnd);
}

}  // namespace
}  // namespace quorel
