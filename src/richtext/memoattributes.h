// Character formatting as attribute documents store it: a font (name, size, character set,
// pitch, styles), a font colour and a background, with a mask of what a change touched.
#pragma once

#include <functional>
#include <string>

#include "engine/fonttypes.h"

namespace quorel {

// What an attribute change touched: one bit per attribute.
enum TAttributeBit : unsigned {
  abColor = 1,
  abBackColor = 2,
  abName = 4,
  abCharset = 8,
  abPitch = 16,
  abSize = 32,
  abBold = 64,
  abItalic = 128,
  abStrikeOut = 256,
  abUnderline = 512,
  abStyle = 1024,
  abAll = 2047,
};

struct TAttributeValues {
  std::string Name = "Courier New";
  int Size = 10;  // points
  int Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;
  TFontStyles Style;
  TColor Color = clWindowText;
  TColor BackColor = clWindow;

  TFont Font() const;
  static TAttributeValues FromFont(const TFont& font, TColor back);
  // Equal fonts (name, size, style, character set, pitch), colours and backgrounds.
  bool operator==(const TAttributeValues&) const = default;
  // The order of the style table's lookup list (a strict order over font, colour and background).
  bool operator<(const TAttributeValues& other) const;
  // These values with every attribute in `mask` taken from `from` (with abStyle the four style
  // flags together).
  TAttributeValues Merged(const TAttributeValues& from, unsigned mask) const;
};

// The attributes object of a view: setting an attribute records its bit in the change mask
// and, outside BeginUpdate/EndUpdate, hands the change to OnChanged (which applies it to the
// selection, or makes it the typing style).
class TMemoAttributes {
 public:
  const TAttributeValues& Values() const { return values_; }
  // Takes values without reporting a change (the attributes at the caret, say).
  void Assign(const TAttributeValues& values) { values_ = values; }
  unsigned ChangeMask() const { return mask_; }

  void SetName(const std::string& v) { Set(values_.Name, v, abName); }
  void SetSize(int v) { Set(values_.Size, v, abSize); }
  void SetCharset(int v) { Set(values_.Charset, v, abCharset); }
  void SetPitch(TFontPitch v) { Set(values_.Pitch, v, abPitch); }
  void SetColor(TColor v) { Set(values_.Color, v, abColor); }
  void SetBackColor(TColor v) { Set(values_.BackColor, v, abBackColor); }
  void SetStyle(TFontStyles v) { Set(values_.Style, v, abStyle); }
  void SetBold(bool on) { SetFlag(fsBold, on, abBold); }
  void SetItalic(bool on) { SetFlag(fsItalic, on, abItalic); }
  void SetUnderline(bool on) { SetFlag(fsUnderline, on, abUnderline); }
  void SetStrikeOut(bool on) { SetFlag(fsStrikeOut, on, abStrikeOut); }

  void BeginUpdate() { ++updates_; }
  void EndUpdate();

  // Applies the changed attributes; `mask` says which. Given the values and mask.
  std::function<void(const TAttributeValues& values, unsigned mask)> OnChanged;
  // Whether a setter would change nothing in the selection: the selection is uniform in the
  // attribute and already has the value. Unset: a setter always applies.
  std::function<bool(unsigned bit, const TAttributeValues& values)> IsUniform;

 private:
  template <class T>
  void Set(T& field, const T& value, unsigned bit) {
    bool same = field == value;
    field = value;
    if (same && (!IsUniform || IsUniform(bit, values_))) return;
    mask_ |= bit;
    if (updates_ == 0) Flush();
  }
  void SetFlag(TFontStyle flag, bool on, unsigned bit);
  void Flush();

  TAttributeValues values_;
  unsigned mask_ = 0;
  int updates_ = 0;
};

}  // namespace quorel
