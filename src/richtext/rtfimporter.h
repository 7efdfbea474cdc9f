// The RTF reader behind "Import text from RTF", and the stack of formatting records that both
// readers keep for their open RTF groups or HTML tags.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/importer.h"

namespace quorel {

// What one open RTF group or HTML tag says about the formatting; unset parts leave the outer
// record's formatting in effect.
struct TImportRecord {
  int Key = -1;          // the HTML tag's number; -1 for an RTF group
  std::string FontName;  // empty: not set
  int Charset = DEFAULT_CHARSET;
  TFontStyles AddStyles;
  TFontStyles RemoveStyles;
  // Set: the style is the outer one plus AddStyles less RemoveStyles, or none at all when both
  // sets are empty (RTF's \plain).
  bool StyleGiven = false;
  int Color = -1;  // RGB; -1: not set
  int Size = -1;   // points; -1: not set
  int Back = -1;   // RGB; -1: no background
  bool BackGiven = false;
  int LevelStep = 0;  // HTML: what BIG or SMALL did to the size level, undone on closing
};

// The open records, innermost last, and the attributes they add up to. The records are kept in
// a tree of partial results, so a push, a pop, a change to the innermost record or the removal
// of one from the middle costs time logarithmic in the depth, never a walk over the whole stack.
class TImportAttributeStack {
 public:
  void Clear();
  // The font of text that no record names a font for.
  void SetDefaultFont(const std::string& name, int charset);
  const std::string& DefaultFontName() const { return defaultName_; }
  int DefaultCharset() const { return defaultCharset_; }

  bool Empty() const { return records_.empty(); }
  void Push(int key);
  // Removes the innermost record (nothing when there is none).
  void Pop();
  // Removes the innermost record with `key`, wherever it stands, and returns it.
  std::optional<TImportRecord> RemoveInnermost(int key);
  // The innermost record, to be changed (the stack must not be empty).
  TImportRecord& Top();
  // The attributes in effect with the records open now.
  const TImportAttributes& Effective();

 private:
  // What a run of records does to the attributes below it. Record numbers stand for font names
  // so that combining two layers copies no string.
  struct TLayer {
    int FontFrom = -1;  // the record whose font applies; -1: none
    int Size = -1;
    int Color = -1;
    TFontStyles Remove;  // the style becomes (style - Remove) + Add
    TFontStyles Add;
    bool BackGiven = false;
    int Back = -1;
    bool operator==(const TLayer&) const = default;
  };
  static TLayer Combine(const TLayer& lower, const TLayer& upper);
  static TLayer LayerOf(const TImportRecord& record, int number);
  void SetLeaf(size_t number, const TLayer& layer);
  void Grow();
  void Settle();
  std::vector<size_t>& WithKey(int key);

  std::vector<TImportRecord> records_;
  std::vector<bool> removed_;               // taken out of the middle; popped once on top
  std::vector<std::vector<size_t>> byKey_;  // [key + 1]: numbers of the live records, in order
  std::vector<TLayer> tree_;  // leaves at [leaves_, 2 * leaves_); node n combines 2n and 2n+1
  size_t leaves_ = 0;
  bool topChanged_ = false;
  bool stale_ = true;  // effective_ needs building
  std::string defaultName_ = "Times New Roman";
  int defaultCharset_ = DEFAULT_CHARSET;
  TImportAttributes effective_;
};

// Reads RTF: text with its fonts, sizes, colours, highlights and styles, paragraph and line
// ends as line breaks, cells and tabs as tabs. Destinations it does not show (style sheets,
// pictures, document information, the groups marked \*) are skipped.
class TVrelRtfImporter : public TVrelImporter {
 public:
  // Data that starts with "{\rtf".
  bool Recognises(std::string_view data) const override;
  void Import(std::string_view data) override;
};

}  // namespace quorel
