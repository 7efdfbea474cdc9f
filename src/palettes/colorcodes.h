// HTML colour codes and the 16 custom colour slots the user keeps: a slot is a name and a code,
// "#" and six upper-case hexadecimal digits for red, green and blue.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorel {

inline constexpr int kColorSlots = 16;

struct TRgb {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  bool operator==(const TRgb&) const = default;
};

// The slots, index 0 for slot 1.
using TSlotStrings = std::array<std::string, kColorSlots>;

// The value of two hexadecimal digits. Only "1".."9" and upper-case "A".."F" count: anything
// else (lower case included) counts 0, so codes written by hand in lower case read darker; the
// program itself only writes upper case.
int HexPairValue(char high, char low);
// "#RRGGBB" in upper case.
std::string ColorCode(TRgb color);
// Red from characters 2 and 3 of the code, green from 4 and 5, blue from 6 and 7; a shorter
// code gives black.
TRgb DecodeColorCode(std::string_view code);
// A slot is in use when it has a name and a code of exactly 7 characters.
bool SlotInUse(const std::string& name, const std::string& value);
// Empties both halves of every slot not in use.
void NormaliseSlots(TSlotStrings& names, TSlotStrings& values);
// "1st", "2nd", "3rd", then "th" for every other number ("11th", "21th", as the warning has it).
std::string OrdinalSuffix(int n);
// The colour as the platform's colour dialog holds it, 0x00BBGGRR, and back.
unsigned ToBgr(TRgb color);
TRgb FromBgr(unsigned bgr);

}  // namespace quorel
