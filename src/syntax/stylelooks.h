// How a style byte looks: the font and background a coloured character is shown with. The
// view, the exporters and the printer all ask here, so a style looks the same everywhere.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "engine/fonttypes.h"
#include "engine/stylenumbers.h"
#include "syntax/textstyles.h"

namespace quorel {

class TSimpleParser;

class TStyleLooks {
 public:
  // `parser` may be null (then the named styles decide); `baseFont` and `baseColor` are the
  // view's font and background. With `colorSyntax` off and `highlightUrls` on only addresses
  // keep their style.
  TStyleLooks(const TSimpleParser* parser, const TTextStyles& named, const TFont& baseFont,
              TColor baseColor, bool colorSyntax, bool highlightUrls);

  // The style a character of style byte `style` is shown with.
  int Effective(int style) const {
    // Addresses keep their style even when the syntax colours are off.
    return urlsOnly_ && style != tsUrl ? tsPlain : style;
  }
  // The parser's font for the style, else the named style's, else the base font.
  const TFont& Font(int style) const;
  // The parser's background for the style, else the named style's (the base colour when it
  // uses the view's), else the base colour.
  TColor Back(int style) const;
  bool UpperCase(int style) const;
  // Same background, upper-case flag, font colour, face, size, style and character set
  // (colours compared as the RGB they show).
  bool LookSame(int a, int b) const { return LookId(a) == LookId(b); }
  // Styles that look the same share one number (worked out once per style).
  int LookId(int style) const {
    if (idsCleared_ && style >= -1 && style <= 255) {
      int id = lookIds_[static_cast<size_t>(style + 1)];
      if (id >= 0) return id;
    }
    return NewLookId(style);
  }

  const TFont& BaseFont() const { return *baseFont_; }
  TColor BaseColor() const { return baseColor_; }

 private:
  const TTextStyle* Named(int style) const;
  bool SameLook(int a, int b) const;
  int NewLookId(int style) const;

  const TSimpleParser* parser_;
  const TTextStyles* named_;
  const TFont* baseFont_;
  TColor baseColor_;
  bool urlsOnly_;
  // Per style + 1 (style -1 is "no colour"): its look number, -1 until asked.
  mutable std::array<int, 257> lookIds_;
  mutable bool idsCleared_ = false;      // cleared at the first question: construction stays cheap
  mutable std::vector<int> lookStyles_;  // a style of each look number
};

// The end of the run of equal-looking styles that starts at colors[from], at most `to`. In UTF-8
// text the continuation bytes of a character always stay with its first byte.
size_t RunEnd(std::string_view text, std::string_view colors, size_t from, size_t to, bool utf8,
              const TStyleLooks& looks);

}  // namespace quorel
