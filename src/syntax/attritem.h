// Styles of a syntax scheme: one font table entry, and the parser's default style.
#pragma once

#include <string>
#include <vector>

#include "engine/fonttypes.h"

namespace quorel {

struct TAttrItem {
  int FontID = -1;
  std::string GlobalAttrID;  // editor-wide text style that replaces the colours with global options
  int BlockID = 0;           // the block whose chain gives inherited font and background
  TFont Font;
  TColor BackColor = clWindow;
  bool UseDefFont = true;
  bool UseDefBack = true;

  // Effective values, computed by the scheme's UpdateFonts.
  TFont UsedFont;
  TColor UsedBack = clWindow;

  // Copies the persistent values.
  void Assign(const TAttrItem& source);
  bool SameSettings(const TAttrItem& other) const;
};

// The font table: styles by FontID.
class TFontList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TAttrItem& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TAttrItem& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  // A new entry with the lowest FontID 1..255 that no entry uses (the new entry counts as 0
  // during the search); -1 when none is free.
  TAttrItem& Add();
  // An entry with the given values appended as it is.
  TAttrItem& Append(const TAttrItem& item);
  void Clear() { items_.clear(); }
  // The first entry with this FontID, or null.
  TAttrItem* Find(int fontId);
  const TAttrItem* Find(int fontId) const;
  std::vector<TAttrItem>::iterator begin() { return items_.begin(); }
  std::vector<TAttrItem>::iterator end() { return items_.end(); }
  std::vector<TAttrItem>::const_iterator begin() const { return items_.begin(); }
  std::vector<TAttrItem>::const_iterator end() const { return items_.end(); }

 private:
  std::vector<TAttrItem> items_;
};

}  // namespace quorel
