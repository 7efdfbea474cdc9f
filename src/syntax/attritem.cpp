// Styles and the font table.
#include "syntax/attritem.h"

#include <algorithm>

namespace quorel {

void TAttrItem::Assign(const TAttrItem& source) {
  FontID = source.FontID;
  GlobalAttrID = source.GlobalAttrID;
  BlockID = source.BlockID;
  BackColor = source.BackColor;
  Font = source.Font;
  UseDefFont = source.UseDefFont;
  UseDefBack = source.UseDefBack;
}

bool TAttrItem::SameSettings(const TAttrItem& o) const {
  return FontID == o.FontID && GlobalAttrID == o.GlobalAttrID && BlockID == o.BlockID &&
         BackColor == o.BackColor && Font == o.Font && UseDefFont == o.UseDefFont &&
         UseDefBack == o.UseDefBack;
}

TAttrItem& TFontList::Add() {
  // The new entry is in the table with FontID 0 while the free one is searched for.
  auto used = [this](int id) {
    return id == 0 || std::any_of(items_.begin(), items_.end(),
                                  [id](const TAttrItem& a) { return a.FontID == id; });
  };
  int id = -1;
  for (int candidate = 0; candidate <= 255; ++candidate) {
    if (!used(candidate)) {
      id = candidate;
      break;
    }
  }
  TAttrItem item;
  item.FontID = id;
  items_.push_back(item);
  return items_.back();
}

TAttrItem& TFontList::Append(const TAttrItem& item) {
  items_.push_back(item);
  return items_.back();
}

TAttrItem* TFontList::Find(int fontId) {
  for (TAttrItem& a : items_)
    if (a.FontID == fontId) return &a;
  return nullptr;
}

const TAttrItem* TFontList::Find(int fontId) const {
  for (const TAttrItem& a : items_)
    if (a.FontID == fontId) return &a;
  return nullptr;
}

}  // namespace quorel
