// The attribute parser: the styles of an attribute document. Each character's style byte names
// a style in its table; the parser never colours anything itself, it only answers what a style
// looks like and finds or adds the style for a formatting.
#pragma once

#include <map>
#include <vector>

#include "engine/simpleparser.h"
#include "richtext/memoattributes.h"

namespace quorel {

class TCustomMemoSource;

class TAttributeParser : public TSimpleParser {
 public:
  static constexpr int kMaxStyles = 256;
  static constexpr int kUrlStyle = 12;

  // `base` is style 0 (the view's font and background); `url` the view's address style (font and
  // background), copied in as style 12 when the table reaches it. `store` is the text the styles
  // belong to (null: none).
  TAttributeParser(const TAttributeValues& base, const TAttributeValues& url,
                   TCustomMemoSource* store = nullptr);

  const TFont* GetFont(int fontId) const override;
  bool GetBackColor(int fontId, TColor& color) const override;
  uint32_t ParseLine(std::string_view text, uint32_t state, TLineColors& colors) override;
  bool HasAttributes() const override { return !clearing_; }
  void InitColors(int line, std::string_view text, TLineColors& colors) override;

  // Reusing styles when the table is full is allowed even while undo is on.
  bool ResetOnOverFlow = false;

  int StyleCount() const { return static_cast<int>(styles_.size()); }
  const TAttributeValues& Style(int n) const { return styles_[static_cast<size_t>(n)].Values; }
  // The style for `values`: an equal one, a new one, a reused one, or 0 when none can be had.
  int StyleFor(const TAttributeValues& values);
  // Every style but 0 goes; the text's colours are emptied so that it is all style 0.
  void ResetStyles();
  void SetStore(TCustomMemoSource* store) { store_ = store; }

 private:
  struct TStyle {
    TAttributeValues Values;
    TFont Font;  // built from the values, for GetFont
  };
  int Add(const TAttributeValues& values);
  void Put(int n, const TAttributeValues& values);
  bool MayReuse() const;
  void BuildFreeList();

  std::vector<TStyle> styles_;
  std::map<TAttributeValues, int> lookup_;
  std::vector<int> free_;
  bool freeBuilt_ = false;
  bool clearing_ = false;
  TAttributeValues url_;
  TFont baseFont_;
  TColor baseBack_;
  TCustomMemoSource* store_;
};

}  // namespace quorel
