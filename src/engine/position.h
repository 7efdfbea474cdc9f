// Positions in a store's text that the editing primitives keep up to date.
#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace quorel {

class TPosition;

// May veto the column or the line part of an automatic shift.
using TAllowUpdateEvent = std::function<void(TPosition& sender, bool& adjustX, bool& adjustY)>;

class TPosition {
 public:
  int X = 0;
  int Y = 0;
  // Only positions with a handler are shifted by edits; the caret has none.
  TAllowUpdateEvent OnAllowUpdate;
  // The selection start counts as "right of the caret" already at the caret's own column.
  bool IsSelectionStart = false;
};

// How an edit at the caret moved the text behind it.
enum class TShiftKind { Insert, Delete, Split, Join };

// The store's collection of positions.
class TPositions {
 public:
  TPosition* Add(int x = 0, int y = 0, TAllowUpdateEvent onAllowUpdate = nullptr);
  void Remove(TPosition* p);
  // Shifts every position with a handler for an edit at (caretX, caretY) of `count` columns.
  void Shift(TShiftKind kind, int caretX, int caretY, int count);
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  std::vector<std::unique_ptr<TPosition>> items_;
};

// A temporary position that always follows edits, removed when it goes out of scope.
class TTempPosition {
 public:
  TTempPosition(TPositions& owner, int x, int y);
  ~TTempPosition() { owner_.Remove(pos_); }
  TTempPosition(const TTempPosition&) = delete;
  TTempPosition& operator=(const TTempPosition&) = delete;
  int X() const { return pos_->X; }
  int Y() const { return pos_->Y; }

 private:
  TPositions& owner_;
  TPosition* pos_;
};

}  // namespace quorel
