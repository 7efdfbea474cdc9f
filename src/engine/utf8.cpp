// UTF-8 characters, their screen cells, Windows-1252 and case folding.
#include "engine/utf8.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "engine/encoding.h"
#include "platform/cp1252table.h"

namespace quorel {

namespace {

constexpr const auto& kHigh = platform::kCp1252High;

struct TRange {
  char32_t First, Last;
};

// East Asian wide and fullwidth characters, and the emoji drawn two cells wide.
constexpr TRange kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18AFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F202}, {0x1F210, 0x1F23B},
    {0x1F240, 0x1F248}, {0x1F250, 0x1F251}, {0x1F260, 0x1F265}, {0x1F300, 0x1F320},
    {0x1F32D, 0x1F335}, {0x1F337, 0x1F37C}, {0x1F37E, 0x1F393}, {0x1F3A0, 0x1F3CA},
    {0x1F3CF, 0x1F3D3}, {0x1F3E0, 0x1F3F0}, {0x1F3F4, 0x1F3F4}, {0x1F3F8, 0x1F43E},
    {0x1F440, 0x1F440}, {0x1F442, 0x1F4FC}, {0x1F4FF, 0x1F53D}, {0x1F54B, 0x1F54E},
    {0x1F550, 0x1F567}, {0x1F57A, 0x1F57A}, {0x1F595, 0x1F596}, {0x1F5A4, 0x1F5A4},
    {0x1F5FB, 0x1F64F}, {0x1F680, 0x1F6C5}, {0x1F6CC, 0x1F6CC}, {0x1F6D0, 0x1F6D2},
    {0x1F6D5, 0x1F6D7}, {0x1F6EB, 0x1F6EC}, {0x1F6F4, 0x1F6FC}, {0x1F7E0, 0x1F7EB},
    {0x1F90C, 0x1F93A}, {0x1F93C, 0x1F945}, {0x1F947, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}};

// Combining marks and the other characters drawn on the character before them.
constexpr TRange kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489},  {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A},  {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF},  {0x302A, 0x302F}, {0x3099, 0x309A}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F}, {0xE0100, 0xE01EF}};

template <size_t N>
bool InRanges(const TRange (&ranges)[N], char32_t cp) {
  const TRange* it = std::upper_bound(std::begin(ranges), std::end(ranges), cp,
                                      [](char32_t c, const TRange& r) { return c < r.First; });
  return it != std::begin(ranges) && cp <= (it - 1)->Last;
}

}  // namespace

int DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + i;
  const size_t left = s.size() - i;
  const unsigned char c = p[0];
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  int needed = 0;
  unsigned char low = 0x80, high = 0xBF;
  char32_t value = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    needed = 1;
    value = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    needed = 2;
    value = c & 0x0F;
    if (c == 0xE0) low = 0xA0;   // no overlong forms
    if (c == 0xED) high = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    needed = 3;
    value = c & 0x07;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  }
  if (needed == 0 || left <= static_cast<size_t>(needed)) {
    cp = Cp1252ToUnicode(c);
    return 1;
  }
  for (int k = 1; k <= needed; ++k) {
    const unsigned char b = p[k];
    if (b < low || b > high) {
      cp = Cp1252ToUnicode(c);
      return 1;
    }
    low = 0x80;
    high = 0xBF;
    value = (value << 6) | (b & 0x3F);
  }
  cp = value;
  return needed + 1;
}

int Utf8CharLength(std::string_view s, size_t i) {
  if (static_cast<unsigned char>(s[i]) < 0x80) return 1;
  char32_t cp;
  return DecodeUtf8(s, i, cp);
}

size_t PreviousUtf8Start(std::string_view s, size_t i) {
  // A character is at most four bytes: try each start that could end exactly at i.
  for (size_t back = 2; back <= 4 && back <= i; ++back)
    if (!IsUtf8Continuation(static_cast<unsigned char>(s[i - back])) &&
        Utf8CharLength(s, i - back) == static_cast<int>(back))
      return i - back;
  return i - 1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string EncodeUtf8(char32_t cp) {
  std::string out;
  AppendUtf8(out, cp);
  return out;
}

int CharCells(char32_t cp) {
  if (cp < 0x300) return 1;
  if (InRanges(kZeroWidth, cp)) return 0;
  return cp >= 0x1100 && InRanges(kWide, cp) ? 2 : 1;
}

char32_t Cp1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (unsigned char c : bytes) AppendUtf8(out, Cp1252ToUnicode(c));
  return out;
}

std::string Utf8ToCp1252(std::string_view text, int* dropped) {
  std::string out;
  out.reserve(text.size());
  if (dropped) *dropped = 0;
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    i += DecodeUtf8(text, i, cp);
    if (auto byte = UnicodeToCp1252(cp))
      out.push_back(static_cast<char>(*byte));
    else if (dropped)
      ++*dropped;
  }
  return out;
}

std::string MakeValidUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    const size_t length = static_cast<size_t>(DecodeUtf8(text, i, cp));
    if (length == 1)
      AppendUtf8(out, cp);  // ASCII, or a stray byte as its Windows-1252 character
    else
      out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

std::string ToUtf8(std::string_view bytes, bool utf8) {
  return utf8 ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::string FromUtf8(std::string_view text, bool utf8, int* dropped) {
  if (dropped) *dropped = 0;
  return utf8 ? MakeValidUtf8(text) : Utf8ToCp1252(text, dropped);
}

char32_t FoldUpper(char32_t cp) {
  if (cp < 0x80) return cp >= 'a' && cp <= 'z' ? cp - 32 : cp;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
  if (cp == 0xFF) return 0x178;
  if (cp >= 0x100 && cp <= 0x17F) {
    // Latin Extended-A pairs capital and small letters side by side, in two alignments.
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) return cp % 2 ? cp : cp - 1;
    if (cp == 0x131 || cp == 0x138 || cp == 0x149 || cp == 0x17F) return cp;
    return cp % 2 ? cp - 1 : cp;
  }
  if (cp >= 0x3B1 && cp <= 0x3C9) return cp == 0x3C2 ? 0x3A3 : cp - 32;  // Greek, final sigma
  if (cp >= 0x3AC && cp <= 0x3AF) return cp == 0x3AC ? 0x386 : cp - 37;  // Greek with tonos
  if (cp >= 0x430 && cp <= 0x44F) return cp - 32;                        // Cyrillic
  if (cp >= 0x450 && cp <= 0x45F) return cp - 80;
  return cp;
}

char32_t FoldLower(char32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 32 : cp;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
  if (cp == 0x178) return 0xFF;
  if (cp >= 0x100 && cp <= 0x17F) {
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) return cp % 2 ? cp + 1 : cp;
    if (cp == 0x130 || cp == 0x131 || cp == 0x138 || cp == 0x149 || cp == 0x17F) return cp;
    return cp % 2 ? cp : cp + 1;
  }
  if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 32;
  if (cp == 0x386) return 0x3AC;
  if (cp >= 0x388 && cp <= 0x38A) return cp + 37;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 32;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
  return cp;
}

std::string FoldUtf8(std::string_view s) { return MapUtf8(s, FoldUpper); }

size_t CountUtf8Chars(std::string_view s) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++count) i += static_cast<size_t>(Utf8CharLength(s, i));
  return count;
}

}  // namespace quorel
