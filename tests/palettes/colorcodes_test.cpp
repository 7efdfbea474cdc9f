// Colour codes: reading and writing "#RRGGBB", and the slots kept only when named and whole.
#include "palettes/colorcodes.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(ColorCodes, OnlyDigitsAndUpperCaseLettersCount) {
  EXPECT_EQ(HexPairValue('F', 'F'), 255);
  EXPECT_EQ(HexPairValue('8', '0'), 128);
  EXPECT_EQ(HexPairValue('0', 'A'), 10);
  EXPECT_EQ(HexPairValue('f', 'f'), 0);
  EXPECT_EQ(HexPairValue('c', 'E'), 14);
  EXPECT_EQ(HexPairValue('9', 'G'), 144);
  EXPECT_EQ(HexPairValue(' ', '\0'), 0);
}

TEST(ColorCodes, WrittenUpperCaseAndReadBack) {
  EXPECT_EQ(ColorCode({255, 128, 0}), "#FF8000");
  EXPECT_EQ(ColorCode({0, 0, 0}), "#000000");
  EXPECT_EQ(ColorCode({10, 171, 205}), "#0AABCD");
  for (TRgb c : {TRgb{1, 2, 3}, TRgb{254, 15, 240}, TRgb{255, 255, 255}})
    EXPECT_EQ(DecodeColorCode(ColorCode(c)), c);
  EXPECT_EQ(DecodeColorCode("#87ceeb"), (TRgb{135, 0, 0}));
  EXPECT_EQ(DecodeColorCode("#FFF"), TRgb{});
  EXPECT_EQ(DecodeColorCode(""), TRgb{});
}

TEST(ColorCodes, TheDialogsOrderIsBlueGreenRed) {
  EXPECT_EQ(ToBgr({0x12, 0x34, 0x56}), 0x563412u);
  EXPECT_EQ(FromBgr(0x563412), (TRgb{0x12, 0x34, 0x56}));
}

TEST(ColorSlots, SlotsWithoutANameOrAWholeCodeAreEmptied) {
  TSlotStrings names, values;
  names[0] = "Sky", values[0] = "#87CEEB";
  names[1] = "Half", values[1] = "#87CE";
  names[2] = "", values[2] = "#000000";
  names[3] = "NoValue";
  names[4] = "Long", values[4] = "#87CEEBA";
  NormaliseSlots(names, values);
  EXPECT_EQ(names[0], "Sky");
  EXPECT_EQ(values[0], "#87CEEB");
  for (size_t i = 1; i < 5; ++i) {
    EXPECT_EQ(names[i], "") << i;
    EXPECT_EQ(values[i], "") << i;
  }
}

TEST(ColorSlots, OrdinalSuffixes) {
  EXPECT_EQ(OrdinalSuffix(1), "st");
  EXPECT_EQ(OrdinalSuffix(2), "nd");
  EXPECT_EQ(OrdinalSuffix(3), "rd");
  for (int n : {4, 11, 12, 13, 16}) EXPECT_EQ(OrdinalSuffix(n), "th") << n;
}

}  // namespace
}  // namespace quorel
