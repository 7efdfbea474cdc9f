// The lines a search runs over: the document's, or the selected part of each selected line.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "engine/memosource.h"
#include "search/linesearch.h"

namespace quorel {

// The document's lines, read in place unless a line holds tabs.
class TDocumentLines : public ISearchLines {
 public:
  explicit TDocumentLines(TCustomMemoSource& store) : store_(store) {}
  int Count() const override { return store_.LineCount(); }
  std::string_view Line(int i) override {
    const std::string& raw = store_.LineRecord(i)->Text;
    if (raw.find('\t') == std::string::npos) return raw;
    buffer_ = store_.Line(i);
    return buffer_;
  }
  int Offset(int) const { return 0; }
  int Top() const { return 0; }

 private:
  TCustomMemoSource& store_;
  std::string buffer_;
};

// The selected part of each selected line; a line's columns start at its first selected one.
class TSelectionLines : public ISearchLines {
 public:
  explicit TSelectionLines(TCustomMemoSource& store) : store_(store) {
    TRect r = store.TextSelectionRect();
    top_ = r.Top;
    count_ = std::max(0, std::min(r.Bottom, store.LineCount() - 1) - r.Top + 1);
  }
  int Count() const override { return count_; }
  std::string_view Line(int i) override {
    auto [from, to] = store_.SelectedColumns(top_ + i);
    buffer_ = store_.Line(top_ + i);
    if (from >= static_cast<int>(buffer_.size())) return {};
    return std::string_view(buffer_).substr(from, std::min<size_t>(to, buffer_.size()) - from);
  }
  int Offset(int i) const { return store_.SelectedColumns(top_ + i).first; }
  int Top() const { return top_; }

 private:
  TCustomMemoSource& store_;
  int top_ = 0;
  int count_ = 0;
  std::string buffer_;
};

}  // namespace quorel
