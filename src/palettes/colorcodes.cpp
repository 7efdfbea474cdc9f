// HTML colour codes and custom colour slots.
#include "palettes/colorcodes.h"

namespace quorel {

namespace {

int HexDigitValue(char c) {
  if (c >= '1' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

void AppendHexPair(std::string& out, uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[value >> 4];
  out += kDigits[value & 0xF];
}

}  // namespace

int HexPairValue(char high, char low) { return 16 * HexDigitValue(high) + HexDigitValue(low); }

std::string ColorCode(TRgb color) {
  std::string code = "#";
  AppendHexPair(code, color.Red);
  AppendHexPair(code, color.Green);
  AppendHexPair(code, color.Blue);
  return code;
}

TRgb DecodeColorCode(std::string_view code) {
  if (code.size() < 7) return {};
  auto pair = [code](size_t at) {
    return static_cast<uint8_t>(HexPairValue(code[at], code[at + 1]));
  };
  return {pair(1), pair(3), pair(5)};
}

bool SlotInUse(const std::string& name, const std::string& value) {
  return !name.empty() && value.size() == 7;
}

void NormaliseSlots(TSlotStrings& names, TSlotStrings& values) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SlotInUse(names[i], values[i])) continue;
    names[i].clear();
    values[i].clear();
  }
}

std::string OrdinalSuffix(int n) {
  switch (n) {
    case 1:
      return "st";
    case 2:
      return "nd";
    case 3:
      return "rd";
    default:
      return "th";
  }
}

unsigned ToBgr(TRgb color) {
  return unsigned{color.Red} | unsigned{color.Green} << 8 | unsigned{color.Blue} << 16;
}

TRgb FromBgr(unsigned bgr) {
  return {static_cast<uint8_t>(bgr & 0xFF), static_cast<uint8_t>((bgr >> 8) & 0xFF),
          static_cast<uint8_t>((bgr >> 16) & 0xFF)};
}

}  // namespace quorel
