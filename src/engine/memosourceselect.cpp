// Making selections: rectangles, extending by caret moves, marks, select all, line and word.
#include <algorithm>
#include <tuple>

#include "engine/memosource.h"
#include "engine/selectionstrings.h"
#include "engine/updateguard.h"
#include "platform/clipboard.h"
#include "platform/services.h"

namespace quorel {

void TCustomMemoSource::SetSelectionRect(const TRect& r) {
  TUpdateGuard update(*this, urSelectionRect);
  selStart_->X = std::max(r.Left, 0);
  selStart_->Y = std::max(r.Top, 0);
  selEnd_->X = std::max(r.Right, 0);
  selEnd_->Y = std::max(r.Bottom, 0);
}

void TCustomMemoSource::ExtendSelection(TSelectionType type, const std::function<void()>& move) {
  DoGetSelectionType(type);
  TUpdateGuard update(*this, urExtendSelection);
  TPoint before = CaretPos();
  TRect r = SelectionRect();
  bool onStream = selType_ == stStream && (before == SelStart() || before == SelEnd());
  bool onBlock = selType_ == stBlock && (before.X == r.Left || before.X == r.Right) &&
                 (before.Y == r.Top || before.Y == r.Bottom);
  move();
  TPoint now = CaretPos();

  if (onBlock) {
    // The edge the caret was on follows it; of two equal edges, the one it moved beyond.
    if (r.Left == r.Right ? now.X < r.Left : before.X == r.Left)
      r.Left = now.X;
    else
      r.Right = now.X;
    if (r.Top == r.Bottom ? now.Y < r.Top : before.Y == r.Top)
      r.Top = now.Y;
    else
      r.Bottom = now.Y;
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  } else if (onStream) {
    TPoint start = SelStart(), end = SelEnd();
    (before == start ? start : end) = now;
    if (std::tie(end.Y, end.X) < std::tie(start.Y, start.X)) std::swap(start, end);
    r = {start.X, start.Y, end.X, end.Y};
  } else if (now.Y == before.Y) {
    r = {std::min(before.X, now.X), now.Y, std::max(before.X, now.X), now.Y};
  } else if (now.Y < before.Y) {
    r = {now.X, now.Y, before.X, before.Y};
  } else {
    r = {before.X, before.Y, now.X, now.Y};
  }
  selStart_->X = r.Left;
  selStart_->Y = r.Top;
  selEnd_->X = r.Right;
  selEnd_->Y = r.Bottom;
  selType_ = type;
}

void TCustomMemoSource::MarkBlockBegin() {
  TUpdateGuard update(*this, urMarkBlockBegin);
  selStart_->X = CaretX();
  selStart_->Y = CaretY();
  if (selType_ == stNone) {
    TSelectionType type = stStream;
    DoGetSelectionType(type);
    selType_ = type;
  }
}

void TCustomMemoSource::MarkBlockEnd() {
  TUpdateGuard update(*this, urMarkBlockEnd);
  selEnd_->X = CaretX();
  selEnd_->Y = CaretY();
  if (selType_ == stNone) {
    TSelectionType type = stStream;
    DoGetSelectionType(type);
    selType_ = type;
  }
}

void TCustomMemoSource::SelectAll() {
  if (blockOption_ == bkNone) return;
  // Held until after the update has ended, which would otherwise drop the selection made here
  // when it equals the one before.
  TKeepSelectionHold hold(*this);
  TUpdateGuard update(*this, urSelectAll);
  selType_ = stNone;
  SetCaretPos(0, 0);
  MarkBlockBegin();
  int last = std::max(LineCount() - 1, 0);
  SetCaretPos(CaretX(), last);
  CaretToLineEnd();
  MarkBlockEnd();
}

void TCustomMemoSource::SelectLine() { SetSelection(stStream, 0, CaretY(), 0, CaretY() + 1); }

void TCustomMemoSource::CaretToBlockBegin() {
  if (selType_ != stNone) SetCaretPos(selStart_->X, selStart_->Y);
}

void TCustomMemoSource::CaretToBlockEnd() {
  if (selType_ != stNone) SetCaretPos(selEnd_->X, selEnd_->Y);
}

TRect TCustomMemoSource::TextSelectionRect() const {
  TRect r = SelectionRect();
  int last = LineCount() - 1;
  if (selType_ != stNone && r.Bottom > last) {
    r.Bottom = std::max(last, r.Top);
    if (selType_ == stStream) r.Right = r.Bottom == last ? LineLength(last) : r.Right;
  }
  return r;
}

std::pair<int, int> TCustomMemoSource::SelectedColumns(int y) const {
  TRect r = SelectionRect();
  if (selType_ == stNone || y < r.Top || y > r.Bottom) return {0, 0};
  if (selType_ == stBlock) return {r.Left, r.Right + 1};
  int from = y == r.Top ? r.Left : 0;
  int to = y == r.Bottom ? r.Right : MaxInt;
  return {from, to};
}

bool TCustomMemoSource::IsInSelection(int x, int y) const {
  auto [from, to] = SelectedColumns(y);
  return from <= x && x < to;
}

bool TCustomMemoSource::CanPaste() const { return services_.Clipboard->HasText(); }

TStrings& TCustomMemoSource::SelectionStrings() {
  if (!selectionStrings_) selectionStrings_ = std::make_unique<TSelectionStrings>(*this);
  return *selectionStrings_;
}

}  // namespace quorel
