// Style bytes resolved to fonts and backgrounds, and runs of styles that look alike.
#include "syntax/stylelooks.h"

#include <algorithm>

#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"

namespace quorel {

TStyleLooks::TStyleLooks(const TSimpleParser* parser, const TTextStyles& named,
                         const TFont& baseFont, TColor baseColor, bool colorSyntax,
                         bool highlightUrls)
    : parser_(parser),
      named_(&named),
      baseFont_(&baseFont),
      baseColor_(baseColor),
      urlsOnly_(!colorSyntax && highlightUrls) {}

const TTextStyle* TStyleLooks::Named(int style) const {
  if (style < 0 || style >= static_cast<int>(named_->Items.size())) return nullptr;
  return &named_->Items[static_cast<size_t>(style)];
}

const TFont& TStyleLooks::Font(int style) const {
  if (parser_ && style >= 0)
    if (const TFont* f = parser_->GetFont(style)) return *f;
  if (const TTextStyle* named = Named(style)) return named->Font;
  return *baseFont_;
}

TColor TStyleLooks::Back(int style) const {
  TColor parsed = 0;
  if (parser_ && style >= 0 && parser_->GetBackColor(style, parsed)) return parsed;
  if (const TTextStyle* named = Named(style))
    return named->UseMemoColor ? baseColor_ : named->Color;
  return baseColor_;
}

bool TStyleLooks::UpperCase(int style) const {
  if (parser_ && style >= 0 && parser_->GetFont(style)) return false;
  const TTextStyle* named = Named(style);
  return named && named->UpperCase;
}

int TStyleLooks::NewLookId(int style) const {
  if (!idsCleared_) {
    lookIds_.fill(-1);
    idsCleared_ = true;
  }
  size_t slot = static_cast<size_t>(std::clamp(style, -1, 255) + 1);
  int& id = lookIds_[slot];
  if (id >= 0) return id;
  for (size_t i = 0; i < lookStyles_.size(); ++i)
    if (SameLook(lookStyles_[i], style)) return id = static_cast<int>(i);
  lookStyles_.push_back(style);
  return id = static_cast<int>(lookStyles_.size()) - 1;
}

bool TStyleLooks::SameLook(int a, int b) const {
  if (a == b) return true;
  const TFont& fa = Font(a);
  const TFont& fb = Font(b);
  return ColorToRgb(Back(a)) == ColorToRgb(Back(b)) && UpperCase(a) == UpperCase(b) &&
         ColorToRgb(fa.Color) == ColorToRgb(fb.Color) && fa.Name == fb.Name &&
         fa.Height == fb.Height && fa.Style == fb.Style && fa.Charset == fb.Charset;
}

size_t RunEnd(std::string_view text, std::string_view colors, size_t from, size_t to, bool utf8,
              const TStyleLooks& looks) {
  const auto lookOf = [&](int style) { return looks.LookId(looks.Effective(style)); };
  const auto continuation = [&](size_t i) {
    return utf8 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
  };
  const size_t coloured = std::min(to, colors.size());
  const int look = lookOf(from < coloured ? static_cast<unsigned char>(colors[from]) : tsPlain);
  size_t end = from + 1;
  // A byte like the last style taken needs no look: runs are mostly one style byte repeated.
  unsigned char same = from < coloured ? static_cast<unsigned char>(colors[from]) : 0;
  for (; end < coloured; ++end) {
    const unsigned char style = static_cast<unsigned char>(colors[end]);
    if (style == same || continuation(end)) continue;
    if (lookOf(style) != look) return end;
    same = style;
  }
  // Past its colours a line is plain: the run takes the rest or ends at its first character.
  if (end >= to || lookOf(tsPlain) == look) return to;
  while (end < to && continuation(end)) ++end;
  return end;
}

}  // namespace quorel
