// The lines a search runs over: the document's, or the selected part of each selected line.
// Both hand out tab-expanded text, so that a line's bytes map to its columns through
// VisualToRaw and RawToVisual over store.Line(y).
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "engine/memosource.h"
#include "search/linesearch.h"

namespace quorel {

// The byte of expanded line text where `column` lies (VisualToRaw), safe for a column far past
// the end such as a stream selection's open end.
inline int ByteOfColumn(std::string_view text, int column, const TCellLayout& cells) {
  const int n = static_cast<int>(text.size());
  const int length = VisualLength(text, cells);
  if (column < length) return VisualToRaw(text, column, cells);
  return column - length >= MaxInt - n ? MaxInt : n + (column - length);
}

// The document's lines, read in place unless a line holds tabs.
class TDocumentLines : public ISearchLines {
 public:
  explicit TDocumentLines(TCustomMemoSource& store) : store_(store) {}
  int Count() const override { return store_.LineCount(); }
  std::string_view Line(int i) override {
    const TLineText& raw = store_.LineRecord(i)->Text;
    if (raw.find('\t') == std::string::npos) return raw;
    buffer_ = store_.Line(i);
    return buffer_;
  }
  // Where line i's searched text starts in store.Line(i), in bytes.
  int Offset(int) const { return 0; }
  int Top() const { return 0; }

 private:
  TCustomMemoSource& store_;
  std::string buffer_;
};

// The selected part of each selected line: the whole characters from its first selected
// column up to the column after the selection (a wide character cut by the selection's left
// edge counts in, one cut by its right edge out); a line's bytes start at the first of them.
class TSelectionLines : public ISearchLines {
 public:
  explicit TSelectionLines(TCustomMemoSource& store) : store_(store) {
    TRect r = store.TextSelectionRect();
    top_ = r.Top;
    count_ = std::max(0, std::min(r.Bottom, store.LineCount() - 1) - r.Top + 1);
  }
  int Count() const override { return count_; }
  std::string_view Line(int i) override {
    buffer_ = store_.Line(top_ + i);
    auto [from, to] = Bytes(i, buffer_);
    const int n = static_cast<int>(buffer_.size());
    if (from >= n) return {};
    return std::string_view(buffer_).substr(from, std::min(to, n) - from);
  }
  int Offset(int i) const { return Bytes(i, store_.Line(top_ + i)).first; }
  int Top() const { return top_; }

 private:
  // The selected columns of line i as bytes of its text.
  std::pair<int, int> Bytes(int i, std::string_view text) const {
    auto [from, to] = store_.SelectedColumns(top_ + i);
    const TCellLayout cells = store_.Cells();
    return {ByteOfColumn(text, from, cells), ByteOfColumn(text, to, cells)};
  }

  TCustomMemoSource& store_;
  int top_ = 0;
  int count_ = 0;
  std::string buffer_;
};

}  // namespace quorel
