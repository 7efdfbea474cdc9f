// Word wrap: each line's display rows, and the conversions between text positions, display rows
// and pixels. Only the lines on the screen are wrapped, so the cost follows the window's size,
// not the document's.
#include <algorithm>
#include <cmath>

#include "view/vrelmemo.h"

namespace quorel {

void TCustomVrelMemo::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  topRow_ = 0;
  if (value) leftCol_ = 0;
  UpdateScrollBars();
  viewport()->update();
}

int TCustomVrelMemo::WrapWidth() const {
  int fits = std::max((ClientWidth() - charWidth_ - TextLeft()) / charWidth_, 1);
  if (!options_.Contains(moBreakWordAtMargin)) return fits;
  int margin = std::max(marginPos_ - 1, 1);
  // On a page, text wrapped at the margin must still fit the paper.
  return printSize_.isEmpty() ? margin : std::min(margin, fits);
}

int TCustomVrelMemo::RowCount(const std::function<bool()>& keepGoing) const {
  if (!wordWrap_) return store_->LineCount();
  int rows = 0;
  for (int y = 0; y < store_->LineCount(); ++y) {
    // Wrapping a long document takes a while: the caller may let the user stop it.
    if (keepGoing && y % 2048 == 2047 && !keepGoing()) return -1;
    rows += static_cast<int>(RowStarts(y).size());
  }
  return rows;
}

std::vector<int> TCustomVrelMemo::RowStarts(int y) const {
  std::vector<int> starts{0};
  if (!wordWrap_ || y < 0 || y >= store_->LineCount()) return starts;
  int width = WrapWidth();
  if (width != wrapCacheWidth_) {
    wrapCache_.clear();
    wrapCacheWidth_ = width;
  }
  if (auto it = wrapCache_.find(y); it != wrapCache_.end()) return *it;
  std::string text = store_->CellLine(y);
  int length = static_cast<int>(text.size());
  // A row never ends between the two halves of a wide character.
  auto whole = [&](int end) {
    if (store_->IsUtf8())
      while (end > 1 && end < length &&
             text[static_cast<size_t>(end)] == TCustomMemoSource::kCellSecondHalf)
        --end;
    return end;
  };
  if (!UseMonoFont) {
    // The characters that fit into the window's width, each as wide as its font makes it.
    std::vector<qreal> xs = Offsets(y, 0, length);
    qreal room = std::max<qreal>(ClientWidth() - charWidth_ - TextLeft(), charWidth_);
    for (int p = 0; xs.back() - xs[static_cast<size_t>(p)] > room;) {
      int fit = p + 1;
      while (fit < length && xs[static_cast<size_t>(fit) + 1] - xs[static_cast<size_t>(p)] <= room)
        ++fit;
      int end = fit;
      int i = std::min(fit, length - 1);
      while (i >= p &&
             !store_->IsDelimiter(static_cast<unsigned char>(text[static_cast<size_t>(i)])))
        --i;
      if (i >= p) end = i + 1;
      end = std::max(whole(end), p + 1);
      if (end >= length) break;
      starts.push_back(end);
      p = end;
    }
    if (wrapCache_.size() > 4096) wrapCache_.clear();
    wrapCache_.insert(y, starts);
    return starts;
  }
  for (int p = 0; length - p > width;) {
    // Break after the last delimiter within the row (one just past it may hang at the end).
    int end = p + width;
    int i = std::min(p + width, length - 1);
    while (i >= p && !store_->IsDelimiter(static_cast<unsigned char>(text[static_cast<size_t>(i)])))
      --i;
    if (i >= p) end = i + 1;
    end = whole(end);
    if (end <= p) end = p + 2;  // a row one column wide holds a wide character all the same
    if (end >= length) break;
    starts.push_back(end);
    p = end;
  }
  if (wrapCache_.size() > 4096) wrapCache_.clear();  // only what is near the screen is kept
  wrapCache_.insert(y, starts);
  return starts;
}

void TCustomVrelMemo::RecalcWrap(int first, int last) {
  for (int y = std::max(first, 0); y <= last && y < store_->LineCount(); ++y) wrapCache_.remove(y);
  viewport()->update();
}

int TCustomVrelMemo::CaretRowColumn() const {
  TPoint caret = store_->CaretPos();
  return caret.X - RowStarts(caret.Y)[static_cast<size_t>(RowOf(caret))];
}

int TCustomVrelMemo::RowOf(TPoint pos) const {
  std::vector<int> starts = RowStarts(pos.Y);
  return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), pos.X) - starts.begin()) -
         1;
}

int TCustomVrelMemo::RowsFromTop(int y, int row) const {
  if (!wordWrap_) return y - topLine_;
  if (y < topLine_ || (y == topLine_ && row < topRow_)) return -1 - (topLine_ - y);
  int limit = VisibleRows() + 1;
  int rows = -topRow_;
  for (int line = topLine_; line < y; ++line) {
    rows += static_cast<int>(RowStarts(line).size());
    if (rows > limit) return MaxInt / 2;  // well below the screen
  }
  return rows + row;
}

std::vector<TCustomVrelMemo::TScreenRow> TCustomVrelMemo::ScreenRows(int height) const {
  std::vector<TScreenRow> rows;
  int top = 0;
  for (int line = topLine_, row = topRow_; top < height; ++line, row = 0) {
    std::vector<int> starts = RowStarts(line);
    for (; row < static_cast<int>(starts.size()) && top < height; ++row, top += lineHeight_) {
      int end =
          row + 1 < static_cast<int>(starts.size()) ? starts[static_cast<size_t>(row) + 1] : MaxInt;
      rows.push_back({line, row, starts[static_cast<size_t>(row)], end, top});
    }
  }
  return rows;
}

// The column whose left edge is nearest to pixel x (from the text's left) in a row starting at
// column `origin` of line y.
static int NearestColumn(const std::vector<qreal>& xs, int origin, qreal x, int charWidth) {
  if (x <= 0) return origin;
  for (size_t i = 1; i < xs.size(); ++i)
    if (x < (xs[i - 1] + xs[i]) / 2) return origin + static_cast<int>(i) - 1;
  int past = static_cast<int>(std::lround((x - xs.back()) / charWidth));
  return origin + static_cast<int>(xs.size()) - 1 + std::max(past, 0);
}

TPoint TCustomVrelMemo::TextPosFromPoint(QPoint point) const {
  int x = point.x() - TextLeft();
  auto columnIn = [&](int line, int origin) {
    if (UseMonoFont) return origin + (x >= 0 ? (x + charWidth_ / 2) / charWidth_ : 0);
    int length = line < store_->LineCount() ? store_->LineLength(line) : 0;
    return NearestColumn(Offsets(line, origin, std::max(length, origin)), origin, x, charWidth_);
  };
  if (!wordWrap_) {
    int row = point.y() >= 0 ? point.y() / lineHeight_ : -1;
    int line = std::max(row + topLine_, 0);
    return {std::max(columnIn(line, leftCol_), 0), line};
  }
  if (point.y() < 0) return {columnIn(std::max(topLine_ - 1, 0), 0), std::max(topLine_ - 1, 0)};
  for (const TScreenRow& r : ScreenRows(point.y() + 1)) {
    if (point.y() >= r.Top && point.y() < r.Top + lineHeight_) {
      // Past the end of a row that continues below, the caret stops at the break.
      int at = columnIn(r.Line, r.Start);
      return {r.End == MaxInt ? at : std::min(at, r.End - 1 >= r.Start ? r.End - 1 : r.Start),
              r.Line};
    }
  }
  return {0, topLine_};
}

QPoint TCustomVrelMemo::PointFromTextPos(TPoint pos) const {
  auto xOf = [&](int origin) {
    if (UseMonoFont || pos.X < origin) return (pos.X - origin) * charWidth_;
    return static_cast<int>(std::lround(Offsets(pos.Y, origin, pos.X).back()));
  };
  if (!wordWrap_) return {TextLeft() + xOf(leftCol_), (pos.Y - topLine_) * lineHeight_};
  int row = RowOf(pos);
  int start = RowStarts(pos.Y)[static_cast<size_t>(row)];
  return {TextLeft() + xOf(start), RowsFromTop(pos.Y, row) * lineHeight_};
}

void TCustomVrelMemo::ScrollRows(int rows) {
  if (!wordWrap_) {
    SetTopLine(topLine_ + rows);
    return;
  }
  int line = topLine_, row = topRow_ + rows;
  while (row < 0 && line > 0) row += static_cast<int>(RowStarts(--line).size());
  while (line < store_->LineCount() - 1 && row >= static_cast<int>(RowStarts(line).size()))
    row -= static_cast<int>(RowStarts(line++).size());
  SetTopLine(line);
  topRow_ = std::clamp(row, 0, static_cast<int>(RowStarts(line).size()) - 1);
  viewport()->update();
}

void TCustomVrelMemo::CaretMoveHook(int& dy, int& dx) {
  // With word wrap, Up and Down move by display rows, keeping the column within the row.
  if (!wordWrap_ || store_->IsPositioning() || dx != 0 || dy == 0) return;
  TPoint caret = store_->CaretPos();
  std::vector<int> starts = RowStarts(caret.Y);
  int row = RowOf(caret);
  int column = caret.X - starts[static_cast<size_t>(row)];
  int line = caret.Y;
  row += dy;
  while (row < 0 && line > 0) row += static_cast<int>(RowStarts(--line).size());
  while (row >= static_cast<int>(RowStarts(line).size()) && line < store_->LineCount() - 1)
    row -= static_cast<int>(RowStarts(line++).size());
  starts = RowStarts(line);
  row = std::clamp(row, 0, static_cast<int>(starts.size()) - 1);
  int x = starts[static_cast<size_t>(row)] + column;
  if (row + 1 < static_cast<int>(starts.size()))
    x = std::min(x, starts[static_cast<size_t>(row) + 1] - 1);
  dy = line - caret.Y;
  dx = x - caret.X;
}

TActiveViewHooks TCustomVrelMemo::Hooks() {
  return {this, [this](int& dy, int& dx) { CaretMoveHook(dy, dx); }, nullptr};
}

}  // namespace quorel
