// The pattern matcher on UTF-8 text: whole characters for literals, "." and classes, folding
// of accented and other letters, matches only between characters, positions in bytes, and
// random patterns agreeing with the same patterns over one byte per character.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "search/regexpr.h"

namespace quorel {
namespace {

struct TUtf8Row {
  const char* Name;
  const char* Pattern;
  bool CaseSensitive;
  const char* Text;
  int Start;  // 1-based byte where the search begins
  bool Forward;
  int Column;  // 1-based byte; 0 when nothing is found
  int Length;  // bytes
};

// "é" and "ü" are two bytes, "日" and "本" three, "😀" four.
const TUtf8Row kUtf8Rows[] = {
    {"TwoByteLiteral", "é", true, "café", 1, true, 4, 2},
    {"ThreeByteLiterals", "日本", true, "x日本", 1, true, 2, 6},
    {"FourByteLiteral", "😀b", true, "a😀b", 1, true, 2, 5},
    {"AccentFoldsWithoutCase", "É", false, "café", 1, true, 4, 2},
    {"AccentKeptWithCase", "É", true, "café", 1, true, 0, 0},
    {"UmlautFoldsBothWays", "ü", false, "ÜBER", 1, true, 1, 2},
    {"GreekFolds", "σοφία", false, "ΣΟΦΊΑ", 1, true, 1, 10},
    {"CyrillicFolds", "МОСКВА", false, "в москва", 1, true, 4, 12},
    // ÿ and Ÿ begin with different bytes: the start set must hold both.
    {"FoldAcrossFirstBytes", "Ÿ", false, "xÿ", 1, true, 2, 2},
    {"FoldAcrossFirstBytesBack", "ÿ", false, "xŸ", 1, true, 2, 2},
    {"DotTakesWholeChar", "a.c", false, "a日c", 1, true, 1, 5},
    {"DotAfterWideChar", "日.", false, "日本", 1, true, 1, 6},
    {"DotTakesTheEndOnce", "本.", false, "x本", 1, true, 2, 3},
    {"DotCountsCharsNotBytes", "^..$", false, "日本", 1, true, 1, 6},
    {"DotTakesAllBytesOfChar", "^.本", false, "日本", 1, true, 1, 6},
    {"RangeOfAccents", "[à-ü]", true, "xéy", 1, true, 2, 2},
    {"RangeOfAccentsRepeated", "[à-ü]+", true, "aüéz", 1, true, 2, 4},
    {"RangeOutside", "[à-ü]", true, "ßÿ", 1, true, 0, 0},
    {"RangeFoldsMembersWithoutCase", "[à-ü]", false, "xÉ", 1, true, 2, 2},
    {"NegatedClassTakesWholeChar", "[^a]", false, "a日", 1, true, 2, 3},
    {"NegatedClassThenLiteral", "[^a]b", false, "日b", 1, true, 1, 4},
    {"NegatedClassExcludesAccent", "[^é]", true, "éx", 1, true, 3, 1},
    {"ClassOfWideChars", "[日本]+", false, "x本日y", 1, true, 2, 6},
    {"ClassRangeOfWideChars", "[一-龥]+", false, "ab漢字c", 1, true, 3, 6},
    {"RepeatTakesWholeChar", "é+", false, "xéééy", 1, true, 2, 6},
    {"StarOfCharThenLiteral", "é*x", false, "ééx", 1, true, 1, 5},
    {"EscapedCharRepeated", "\\é+", false, "aéé", 1, true, 2, 4},
    {"GroupOfWideChars", "{日本}+", false, "日本日本日", 1, true, 1, 12},
    // Candidates are characters: a search from inside one starts at the next (forward) or at
    // its own start (backward).
    {"ForwardFromInsideChar", ".", false, "日a", 2, true, 4, 1},
    {"BackwardFromInsideChar", ".", false, "日", 3, false, 1, 3},
    {"BackwardLastCharStart", "本", false, "本本", 99, false, 4, 3},
    // "$" alone backward is found from the line's last byte, where a caret at its end puts the
    // search, and not from inside the last character.
    {"DollarAloneBackwardFromLastByte", "$", false, "x日", 4, false, 5, 0},
    {"DollarAloneBackwardNotInsideLastChar", "$", false, "x日", 2, false, 0, 0},
    {"ForwardPastTheEndTakesLastChar", "日", false, "a日", 9, true, 2, 3},
    // A byte that begins no character only matches itself.
    {"StrayByteNotInsideChar", "\xA9", true, "é", 1, true, 0, 0},
    {"StrayByteMatchesItself", "\xA9", true, "x\xA9", 1, true, 2, 1},
    {"StrayByteIsOneCharForDot", "^.x", true, "\xE9x", 1, true, 1, 2},
    {"StrayByteNotItsCodePageLetter", "é", false, "\xE9", 1, true, 0, 0},
};

// A NUL byte in a pattern stands for a character the text cannot hold.
TEST(Utf8RegExprUnholdable, LiteralMatchesNothingClassMemberAddsNothing) {
  int start = 1, length = 0;
  TRegExpr literal(std::string("a\0", 2), false, enUtf8);
  EXPECT_FALSE(literal.Find("ab", start, true, length));
  TRegExpr starred(std::string("a\0*b", 4), false, enWindows1252);
  start = 1;
  EXPECT_TRUE(starred.Find("ab", start, true, length));
  EXPECT_EQ(length, 2);
  TRegExpr member(std::string("[\0b]", 4), false, enWindows1252);
  start = 1;
  EXPECT_TRUE(member.Find(std::string("\0b", 2), start, true, length));
  EXPECT_EQ(start, 2);
  TRegExpr onlyMember(std::string("[\0]", 3), false, enUtf8);
  start = 1;
  EXPECT_FALSE(onlyMember.Find(std::string("x\0", 2), start, true, length));
  TRegExpr negated(std::string("[^\0]", 4), false, enWindows1252);
  start = 1;
  EXPECT_TRUE(negated.Find("q", start, true, length));
  EXPECT_EQ(length, 1);
}

class Utf8Rows : public testing::TestWithParam<TUtf8Row> {};

TEST_P(Utf8Rows, ColumnAndLengthInBytes) {
  const TUtf8Row& row = GetParam();
  TRegExpr re(row.Pattern, row.CaseSensitive, enUtf8);
  int start = row.Start, length = -1;
  const bool found = re.Find(row.Text, start, row.Forward, length);
  EXPECT_EQ(found, row.Column != 0);
  EXPECT_EQ(start, row.Column);
  if (found) {
    EXPECT_EQ(length, row.Length);
  }
}

INSTANTIATE_TEST_SUITE_P(Patterns, Utf8Rows, testing::ValuesIn(kUtf8Rows),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Utf8RegExprElements, RepeatedCharIsOneWrappedElement) {
  TRegExpr re("é*", true, enUtf8);
  const auto& el = re.Elements();
  ASSERT_EQ(el.size(), 5u);
  EXPECT_EQ(el[0].Kind, TRegExpr::rkOpen);
  EXPECT_EQ(el[1].Kind, TRegExpr::rkChar);
  EXPECT_EQ(el[1].Char, 0xE9);
  EXPECT_EQ(el[2].Kind, TRegExpr::rkClose);
  EXPECT_EQ(el[3].Kind, TRegExpr::rkStar);
}

TEST(Utf8RegExprElements, WindowsTextKeepsBytes) {
  TRegExpr re("é*", true);  // two bytes, each a character of its own
  EXPECT_FALSE(re.Utf8());
  ASSERT_EQ(re.Elements().size(), 6u);
  EXPECT_EQ(re.Elements()[0].Char, 0xC3);
  EXPECT_EQ(re.Elements()[2].Char, 0xA9);
}

TEST(Utf8RegExprErrors, PositionCountsCharacters) {
  auto message = [](const std::string& pattern) {
    try {
      TRegExpr re(pattern, false, enUtf8);
    } catch (const EVrelError& e) {
      return std::string(e.what());
    }
    return std::string("compiled");
  };
  EXPECT_EQ(message("日**"), "日** is invalid mask at (3)");
  EXPECT_EQ(message("é[ab"), "é[ab is invalid mask at (5)");
  EXPECT_EQ(message("[日-"), "[日- is invalid mask at (4)");
  EXPECT_EQ(message("ü}"), "ü} is invalid mask at (2)");
}

// The literals every match passes through are looked for in the folded line, so a line that
// holds them in another case must still be matched, and one without them passed over.
TEST(Utf8RegExprBudget, RequiredTextFoldsAccents) {
  TRegExpr re("{a*}*xÉ", false, enUtf8);
  re.SetStepBudget(10);
  const std::string run(100000, 'a');
  int start = 1, length = 0;
  EXPECT_FALSE(re.Find(run + "x e", start, true, length));
  start = 1;
  EXPECT_THROW(re.Find(run + "Xé", start, true, length), ERegExprTooComplex);
  re.SetStepBudget(0);
  start = 1;
  ASSERT_TRUE(re.Find("aaxé", start, true, length));
  EXPECT_EQ(length, 5);
}

TEST(Utf8RegExprBudget, NestedRepeatsOverWideCharsAreStopped) {
  TRegExpr re("{日*}*[b]", false, enUtf8);
  std::string line;
  for (int i = 0; i < 30000; ++i) line += "日";
  int start = 1, length = 0;
  EXPECT_THROW(re.Find(line, start, true, length), ERegExprTooComplex);
}

// ---- Random patterns: UTF-8 text against the same text with one byte per character ----

// Each character of the alphabet and the byte that stands for it. Case pairs stand for case
// pairs, so that folding means the same on both sides; "日" stands as a letter without case.
struct TLetter {
  const char* Utf8;
  char Byte;
};
const TLetter kLetters[] = {{"a", 'a'}, {"b", 'b'},  {"A", 'A'}, {".", '.'}, {"é", 'e'},
                            {"É", 'E'}, {"日", 'q'}, {"😀", '!'}, {"ü", 'u'}};
constexpr int kLetterCount = sizeof(kLetters) / sizeof(kLetters[0]);

struct TPair {
  std::string Utf8, Bytes;
  void Add(int letter) {
    Utf8 += kLetters[letter].Utf8;
    Bytes += kLetters[letter].Byte;
  }
  void AddSyntax(const std::string& s) {
    Utf8 += s;
    Bytes += s;
  }
};

class TPatternMaker {
 public:
  explicit TPatternMaker(unsigned seed) : rng_(seed) {}
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  TPair Pattern() {
    TPair p;
    for (int i = 1 + Pick(4); i > 0; --i) Item(p, true);
    return p;
  }
  TPair Text() {
    TPair t;
    for (int i = Pick(8); i > 0; --i) t.Add(Pick(kLetterCount));
    return t;
  }

 private:
  void Literal(TPair& p) {
    const int letter = Pick(kLetterCount);
    if (kLetters[letter].Byte == '.') p.AddSyntax("\\");
    p.Add(letter);
  }
  void Item(TPair& p, bool mayRepeat) {
    const int kind = Pick(10);
    if (kind < 5) {
      Literal(p);
    } else if (kind < 6) {
      p.AddSyntax(".");
    } else if (kind < 8) {
      p.AddSyntax(Pick(3) == 0 ? "[^" : "[");
      for (int m = 1 + Pick(2); m > 0; --m) {
        if (Pick(4) == 0)
          p.AddSyntax("a-b");
        else
          Literal(p);
      }
      p.AddSyntax("]");
    } else if (kind < 9) {
      p.AddSyntax(Pick(2) ? "^" : "$");
      return;
    } else {
      p.AddSyntax("{");
      for (int i = Pick(3); i > 0; --i) Item(p, false);
      p.AddSyntax("}");
    }
    if (mayRepeat && Pick(3) == 0) p.AddSyntax(Pick(2) ? "*" : "+");
  }

  std::mt19937 rng_;
};

// Byte offsets of each character of `t.Utf8`, with one more entry for its end.
std::vector<int> CharOffsets(const TPair& t) {
  std::vector<int> offsets;
  size_t at = 0;
  for (char byte : t.Bytes) {
    offsets.push_back(static_cast<int>(at));
    for (const TLetter& l : kLetters)
      if (l.Byte == byte) at += std::string_view(l.Utf8).size();
  }
  offsets.push_back(static_cast<int>(at));
  return offsets;
}

// A 1-based character position as a 1-based byte position (past the end by the excess).
int BytePosition(const std::vector<int>& offsets, int position) {
  if (position <= 0) return position;
  const int chars = static_cast<int>(offsets.size()) - 1;
  if (position - 1 <= chars) return offsets[position - 1] + 1;
  return offsets.back() + (position - chars);
}

TEST(Utf8RegExprDifferential, RandomPatternsAgreeWithOneBytePerCharacter) {
  TPatternMaker maker(20250611);
  int compared = 0, found = 0;
  for (int round = 0; round < 3000; ++round) {
    const TPair pattern = maker.Pattern();
    const bool cs = maker.Pick(2) == 0;
    TRegExpr utf8(pattern.Utf8, cs, enUtf8);
    TRegExpr bytes(pattern.Bytes, cs);
    for (int t = 0; t < 5; ++t) {
      const TPair text = maker.Text();
      const std::vector<int> offsets = CharOffsets(text);
      const int chars = static_cast<int>(text.Bytes.size());
      for (int start = 0; start <= chars + 1; ++start) {
        for (bool forward : {true, false}) {
          // "$" alone backward counts bytes: see DollarAloneBackward* above.
          if (pattern.Utf8 == "$" && !forward) continue;
          int s1 = BytePosition(offsets, start), l1 = -1, s2 = start, l2 = -1;
          const bool f1 = utf8.Find(text.Utf8, s1, forward, l1);
          const bool f2 = bytes.Find(text.Bytes, s2, forward, l2);
          const std::string where = pattern.Utf8 + " on '" + text.Utf8 + "' from " +
                                    std::to_string(start) + (forward ? " forward" : " backward") +
                                    (cs ? " with case" : "");
          ASSERT_EQ(f1, f2) << where;
          ASSERT_EQ(s1, BytePosition(offsets, s2)) << where;
          if (f1 && s2 <= chars) {
            ASSERT_EQ(l1, offsets[s2 - 1 + l2] - offsets[s2 - 1]) << where;
          }
          ++compared;
          found += f1;
        }
      }
    }
  }
  EXPECT_GT(found, compared / 10);
  EXPECT_LT(found, compared * 9 / 10);
}

}  // namespace
}  // namespace quorel
