// Runs of style bytes that look alike: where a run of coloured text ends.
#include "syntax/stylelooks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/stylenumbers.h"

namespace quorel {
namespace {

// Styles 1 and 2 look the same (red), 3 is blue and bold, 4 looks like the plain style 0.
TTextStyles SampleStyles(const TFont& base) {
  TTextStyles styles;
  for (int i = 0; i <= tsUrl; ++i) styles.Items.push_back({"s" + std::to_string(i), base});
  styles.Items[1].Font.Color = 0x0000FF;
  styles.Items[2].Font.Color = 0x0000FF;
  styles.Items[3].Font.Color = 0xFF0000;
  styles.Items[3].Font.Style = TFontStyles{fsBold};
  styles.Items[tsUrl].Font.Style = TFontStyles{fsUnderline};
  return styles;
}

// The run's end asked byte by byte: what RunEnd must agree with.
size_t PlainRunEnd(std::string_view text, std::string_view colors, size_t from, size_t to,
                   bool utf8, const TStyleLooks& looks) {
  auto styleAt = [&](size_t i) {
    return looks.Effective(i < colors.size() ? static_cast<unsigned char>(colors[i]) : tsPlain);
  };
  size_t end = from + 1;
  for (; end < to; ++end) {
    if (utf8 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) continue;
    if (!looks.LookSame(styleAt(end), styleAt(from))) break;
  }
  return end;
}

TEST(RunEnd, StylesThatLookAlikeFormOneRunAndThePlainTailFollowsItsLook) {
  TFont base;
  TTextStyles named = SampleStyles(base);
  TStyleLooks looks(nullptr, named, base, clWindow, true, false);
  std::string colors = {1, 1, 2, 2, 3, 3, 4, 0};
  std::string text = "abcdefghij";  // two bytes longer than its colours
  EXPECT_EQ(RunEnd(text, colors, 0, text.size(), false, looks), 4u);   // red 1 and red 2
  EXPECT_EQ(RunEnd(text, colors, 4, text.size(), false, looks), 6u);   // blue bold
  EXPECT_EQ(RunEnd(text, colors, 6, text.size(), false, looks), 10u);  // plain look to the end
  EXPECT_EQ(RunEnd(text, colors, 0, 3, false, looks), 3u);             // stops at `to`
  // A red run meets the uncoloured tail, which is plain.
  EXPECT_EQ(RunEnd(text, std::string{1, 1}, 0, text.size(), false, looks), 2u);
}

TEST(RunEnd, AgreesWithAByteByByteWalkOnRandomLines) {
  TFont base;
  TTextStyles named = SampleStyles(base);
  std::mt19937 random(20261211);
  const std::string pieces[] = {"a", "b", " ", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"};
  const char styles[] = {0, 1, 2, 3, 4, static_cast<char>(tsUrl), static_cast<char>(200)};
  for (int round = 0; round < 4000; ++round) {
    const bool utf8 = round % 2 == 0;
    const bool urlsOnly = round % 5 == 0;
    TStyleLooks looks(nullptr, named, base, clWindow, !urlsOnly, true);
    std::string text;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
    if (text.empty()) continue;
    // Colours may stop short of the text, and a character's bytes may disagree in style.
    std::string colors;
    const size_t coloured = random() % 3 == 0 ? random() % (text.size() + 1) : text.size();
    for (size_t i = 0; i < coloured; ++i)
      colors += random() % 4 == 0 || colors.empty() ? styles[random() % std::size(styles)]
                                                    : colors.back();
    const size_t to = text.size() - random() % (text.size() > 1 ? 2 : 1);
    for (size_t from = 0; from < to; ++from)
      ASSERT_EQ(RunEnd(text, colors, from, to, utf8, looks),
                PlainRunEnd(text, colors, from, to, utf8, looks))
          << "round " << round << " from " << from;
  }
}

}  // namespace
}  // namespace quorel
