// Attribute values, their order and merging, and the attributes object's change reporting.
#include "richtext/memoattributes.h"

#include <tuple>

namespace quorel {

TFont TAttributeValues::Font() const {
  TFont font;
  font.Name = Name;
  font.SetSize(Size);
  font.Charset = Charset;
  font.Pitch = Pitch;
  font.Style = Style;
  font.Color = Color;
  return font;
}

TAttributeValues TAttributeValues::FromFont(const TFont& font, TColor back) {
  TAttributeValues v;
  v.Name = font.Name;
  v.Size = font.Size();
  v.Charset = font.Charset;
  v.Pitch = font.Pitch;
  v.Style = font.Style;
  v.Color = font.Color;
  v.BackColor = back;
  return v;
}

bool TAttributeValues::operator<(const TAttributeValues& o) const {
  // Cheap parts first; the name is compared last and only when all else is equal.
  auto key = [](const TAttributeValues& v) {
    return std::make_tuple(v.Size, v.Style.Bits(), v.Charset, static_cast<int>(v.Pitch), v.Color,
                           v.BackColor);
  };
  auto a = key(*this), b = key(o);
  if (a != b) return a < b;
  return Name < o.Name;
}

TAttributeValues TAttributeValues::Merged(const TAttributeValues& from, unsigned mask) const {
  TAttributeValues v = *this;
  if (mask & abColor) v.Color = from.Color;
  if (mask & abBackColor) v.BackColor = from.BackColor;
  if (mask & abName) v.Name = from.Name;
  if (mask & abCharset) v.Charset = from.Charset;
  if (mask & abPitch) v.Pitch = from.Pitch;
  if (mask & abSize) v.Size = from.Size;
  auto take = [&](TFontStyle flag) {
    if (from.Style.Contains(flag))
      v.Style.Include(flag);
    else
      v.Style.Exclude(flag);
  };
  if (mask & (abBold | abStyle)) take(fsBold);
  if (mask & (abItalic | abStyle)) take(fsItalic);
  if (mask & (abUnderline | abStyle)) take(fsUnderline);
  if (mask & (abStrikeOut | abStyle)) take(fsStrikeOut);
  return v;
}

void TMemoAttributes::SetFlag(TFontStyle flag, bool on, unsigned bit) {
  TFontStyles style = values_.Style;
  if (on)
    style.Include(flag);
  else
    style.Exclude(flag);
  Set(values_.Style, style, bit);
}

void TMemoAttributes::EndUpdate() {
  if (updates_ > 0 && --updates_ == 0 && mask_) Flush();
}

void TMemoAttributes::Flush() {
  unsigned mask = mask_;
  mask_ = 0;
  if (OnChanged) OnChanged(values_, mask);
}

}  // namespace quorel
