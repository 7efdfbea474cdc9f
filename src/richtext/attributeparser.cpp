// The attribute parser's style table, its lookup and free lists, and resetting.
#include "richtext/attributeparser.h"

#include <algorithm>

#include "engine/memosource.h"

namespace quorel {

TAttributeParser::TAttributeParser(const TAttributeValues& base, const TAttributeValues& url,
                                   TCustomMemoSource* store)
    : url_(url), baseFont_(base.Font()), baseBack_(base.BackColor), store_(store) {
  Add(base);
}

const TFont* TAttributeParser::GetFont(int n) const {
  if (n >= 0 && n < StyleCount()) return &styles_[static_cast<size_t>(n)].Font;
  if (n == kUrlStyle) return nullptr;  // the view's own address style
  return &baseFont_;
}

bool TAttributeParser::GetBackColor(int n, TColor& color) const {
  if (n >= 0 && n < StyleCount()) {
    color = styles_[static_cast<size_t>(n)].Values.BackColor;
    return true;
  }
  if (n == kUrlStyle) return false;
  color = baseBack_;
  return true;
}

uint32_t TAttributeParser::ParseLine(std::string_view text, uint32_t state, TLineColors& colors) {
  // The colours are the document's own; they only follow the text's length.
  colors.resize(text.size(), '\0');
  return state;
}

void TAttributeParser::InitColors(int, std::string_view text, TLineColors& colors) {
  if (clearing_ || colors.empty())
    colors.assign(text.size(), '\0');
  else
    colors.resize(text.size(), '\0');
}

void TAttributeParser::Put(int n, const TAttributeValues& values) {
  TStyle& style = styles_[static_cast<size_t>(n)];
  style.Values = values;
  style.Font = values.Font();
  lookup_.emplace(values, n);
}

int TAttributeParser::Add(const TAttributeValues& values) {
  styles_.push_back({});
  int n = StyleCount() - 1;
  Put(n, values);
  std::erase(free_, n);
  return n;
}

bool TAttributeParser::MayReuse() const {
  return ResetOnOverFlow || !store_ || !store_->AllowUndo();
}

void TAttributeParser::BuildFreeList() {
  // The style numbers no line uses any more (12 stays the address style).
  std::vector<bool> used(kMaxStyles, false);
  if (store_)
    for (int y = 0; y < store_->LineCount(); ++y)
      for (unsigned char c : store_->LineRecord(y)->Colors) used[c] = true;
  for (int n = 1; n < kMaxStyles; ++n)
    if (!used[static_cast<size_t>(n)] && n != kUrlStyle) free_.push_back(n);
  freeBuilt_ = true;
}

int TAttributeParser::StyleFor(const TAttributeValues& values) {
  if (auto it = lookup_.find(values); it != lookup_.end()) {
    // In use again: a style on the free list must not be overwritten while text shows it.
    if (freeBuilt_) std::erase(free_, it->second);
    return it->second;
  }
  if (StyleCount() < kMaxStyles) {
    // Number 12 is kept for addresses: the table takes the view's address style there first.
    if (StyleCount() == kUrlStyle) Add(url_);
    if (StyleCount() < kMaxStyles) return Add(values);
  }
  if (!MayReuse()) return 0;
  if (!freeBuilt_) BuildFreeList();
  if (free_.empty()) return 0;
  int n = free_.front();
  free_.erase(free_.begin());
  std::erase_if(lookup_, [n](const auto& entry) { return entry.second == n; });
  Put(n, values);
  return n;
}

void TAttributeParser::ResetStyles() {
  TAttributeValues base = styles_.front().Values;
  styles_.clear();
  lookup_.clear();
  free_.clear();
  freeBuilt_ = false;
  Add(base);
  if (!store_) return;
  clearing_ = true;
  store_->ReparseAll();
  store_->EnsureParsed(store_->LineCount() - 1, true);
  clearing_ = false;
}

}  // namespace quorel
