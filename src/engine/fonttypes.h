// Colours and fonts as the editor describes them, independent of any toolkit.
#pragma once

#include <cstdint>
#include <string>

#include "engine/enumset.h"

namespace quorel {

// 0x00BBGGRR for an RGB colour; 0x80000000 + n for system colour n.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowText = clSystemColor + 8;

// The RGB value (0x00BBGGRR) a colour shows as: system colours take the usual values of the
// window, text, selection and button colours the editor names; others are already RGB.
TColor ColorToRgb(TColor color);
inline int RedOf(TColor rgb) { return static_cast<int>(rgb & 0xFF); }
inline int GreenOf(TColor rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }
inline int BlueOf(TColor rgb) { return static_cast<int>((rgb >> 16) & 0xFF); }

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontStyles = TEnumSet<TFontStyle>;

inline constexpr int DEFAULT_CHARSET = 1;
// Font sizes in points are converted at this many pixels per inch.
inline constexpr int ScreenPixelsPerInch = 96;

struct TFont {
  std::string Name = "Courier New";
  int Height = -13;  // negative: character height in pixels
  TColor Color = clWindowText;
  TFontStyles Style;
  int Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;

  int Size() const;
  void SetSize(int points);
  bool operator==(const TFont&) const = default;
};

}  // namespace quorel
