// Value identifiers and the character-set notation of scheme files.
#include "syntax/schemevalues.h"

#include <cstdint>
#include <iterator>

namespace quorel {

namespace {

struct TNamed {
  const char* Name;
  int64_t Value;
};

const TNamed kColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
};

const TNamed kCharsets[] = {
    {"ANSI_CHARSET", 0},     {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},     {"SHIFTJIS_CHARSET", 128},   {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},  {"GB2312_CHARSET", 134},     {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},  {"TURKISH_CHARSET", 162},    {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186},     {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},   {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

const char* const kPitches[] = {"fpDefault", "fpVariable", "fpFixed"};
const char* const kFontStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

template <size_t N>
const char* NameOf(const TNamed (&table)[N], int64_t value) {
  for (const TNamed& n : table)
    if (n.Value == value) return n.Name;
  return nullptr;
}

template <size_t N>
std::optional<int64_t> ValueOf(const TNamed (&table)[N], std::string_view ident) {
  for (const TNamed& n : table)
    if (SameIdent(n.Name, ident)) return n.Value;
  return std::nullopt;
}

void AppendMember(std::string& out, unsigned char c) {
  if (c == '\\' || c == '-') out += '\\';
  out += static_cast<char>(c);
}

}  // namespace

bool SameIdent(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

std::string ColorToText(TColor color) {
  if (const char* name = NameOf(kColors, color)) return name;
  // Colours are 32-bit signed numbers in the files, so system colours beyond the named ones are
  // negative there.
  return std::to_string(static_cast<int32_t>(color));
}

std::optional<TColor> ColorFromIdent(std::string_view ident) {
  if (auto v = ValueOf(kColors, ident)) return static_cast<TColor>(*v);
  return std::nullopt;
}

std::string CharsetToText(int charset) {
  if (const char* name = NameOf(kCharsets, charset)) return name;
  return std::to_string(charset);
}

std::optional<int> CharsetFromIdent(std::string_view ident) {
  if (auto v = ValueOf(kCharsets, ident)) return static_cast<int>(*v);
  return std::nullopt;
}

const char* PitchToText(TFontPitch pitch) {
  return pitch >= fpDefault && pitch <= fpFixed ? kPitches[pitch] : kPitches[fpDefault];
}

std::optional<TFontPitch> PitchFromIdent(std::string_view ident) {
  for (int i = 0; i < static_cast<int>(std::size(kPitches)); ++i)
    if (SameIdent(kPitches[i], ident)) return static_cast<TFontPitch>(i);
  return std::nullopt;
}

std::string FontStyleToText(TFontStyles style) {
  std::string out = "[";
  for (int i = 0; i < static_cast<int>(std::size(kFontStyles)); ++i) {
    if (!style.Contains(static_cast<TFontStyle>(i))) continue;
    if (out.size() > 1) out += ", ";
    out += kFontStyles[i];
  }
  return out + "]";
}

std::optional<TFontStyle> FontStyleFromIdent(std::string_view ident) {
  for (int i = 0; i < static_cast<int>(std::size(kFontStyles)); ++i)
    if (SameIdent(kFontStyles[i], ident)) return static_cast<TFontStyle>(i);
  return std::nullopt;
}

std::string CharSetToText(const TCharSet& set) {
  std::string out;
  int c = 0;
  while (c < 256) {
    if (!set[static_cast<unsigned char>(c)]) {
      ++c;
      continue;
    }
    int last = c;
    while (last + 1 < 256 && set[static_cast<unsigned char>(last + 1)]) ++last;
    AppendMember(out, static_cast<unsigned char>(c));
    if (last > c) {
      out += '-';
      out += static_cast<char>(last);  // the end of a run is never escaped
    }
    c = last + 1;
  }
  return out;
}

TCharSet CharSetFromText(std::string_view text) {
  TCharSet set;
  unsigned char current = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c == '\\' || c == '-') && i + 1 < text.size()) {
      unsigned char next = static_cast<unsigned char>(text[++i]);
      if (c == '\\') {
        set.Include(next);
        current = next;
      } else if (next >= current) {
        set.IncludeRange(current, next);
      }
      continue;
    }
    // A lone "\" or "-" at the end stands for itself.
    set.Include(c);
    current = c;
  }
  return set;
}

}  // namespace quorel
