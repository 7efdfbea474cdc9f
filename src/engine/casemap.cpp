// Case mapping for Windows-1252: ASCII, the Latin-1 letters and the few letters of 0x80..0x9F.
#include "engine/casemap.h"

#include <array>

namespace quorel {

namespace {

struct TCaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
  TCaseTables() {
    for (int c = 0; c < 256; ++c) upper[c] = lower[c] = static_cast<unsigned char>(c);
    auto pair = [this](int up, int low) {
      upper[low] = static_cast<unsigned char>(up);
      lower[up] = static_cast<unsigned char>(low);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
      if (c != 0xD7) pair(c, c + 32);  // 0xD7 and 0xF7 are the multiplication and division signs
    pair(0x8A, 0x9A);                  // S with caron
    pair(0x8C, 0x9C);                  // OE ligature
    pair(0x8E, 0x9E);                  // Z with caron
    pair(0x9F, 0xFF);                  // Y with diaeresis
  }
};

const TCaseTables& Tables() {
  static const TCaseTables tables;
  return tables;
}

}  // namespace

const std::array<unsigned char, 256>& LowerTable() { return Tables().lower; }

char UpperChar(char c) { return static_cast<char>(Tables().upper[static_cast<unsigned char>(c)]); }
char LowerChar(char c) { return static_cast<char>(Tables().lower[static_cast<unsigned char>(c)]); }

std::string UpperCase(std::string s) {
  for (char& c : s) c = UpperChar(c);
  return s;
}

std::string LowerCase(std::string s) {
  for (char& c : s) c = LowerChar(c);
  return s;
}

}  // namespace quorel
