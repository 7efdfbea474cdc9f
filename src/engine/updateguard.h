// RAII guards for the store's update bracket and undo groups, so that an early return or an
// exception never leaves them open.
#pragma once

#include <exception>

#include "engine/memosource.h"

namespace quorel {

class TUpdateGuard {
 public:
  TUpdateGuard(TCustomMemoSource& store, TUpdateReason reason, bool keepSelection = false)
      : store_(store), exceptions_(std::uncaught_exceptions()) {
    keepSelection ? store.BeginUpdateKeepSelection(reason) : store.BeginUpdate(reason);
  }
  // Closing the bracket notifies listeners, who may throw; while unwinding that is swallowed.
  ~TUpdateGuard() noexcept(false) {
    if (std::uncaught_exceptions() > exceptions_) {
      try {
        store_.EndUpdate();
      } catch (...) {
      }
    } else {
      store_.EndUpdate();
    }
  }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

 private:
  TCustomMemoSource& store_;
  int exceptions_;
};

class TUndoGroupGuard {
 public:
  explicit TUndoGroupGuard(TCustomMemoSource& store) : store_(store) { store.BeginUndoGroup(); }
  ~TUndoGroupGuard() { store_.EndUndoGroup(); }
  TUndoGroupGuard(const TUndoGroupGuard&) = delete;
  TUndoGroupGuard& operator=(const TUndoGroupGuard&) = delete;

 private:
  TCustomMemoSource& store_;
};

// Holds the store's keep-selection count, so that caret moves meanwhile keep the selection.
class TKeepSelectionHold {
 public:
  explicit TKeepSelectionHold(TCustomMemoSource& store) : store_(store) {
    store.HoldKeepSelection();
  }
  ~TKeepSelectionHold() { store_.ReleaseKeepSelection(); }
  TKeepSelectionHold(const TKeepSelectionHold&) = delete;
  TKeepSelectionHold& operator=(const TKeepSelectionHold&) = delete;

 private:
  TCustomMemoSource& store_;
};

}  // namespace quorel
