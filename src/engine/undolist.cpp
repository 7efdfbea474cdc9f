// Undo record lists.
#include "engine/undolist.h"

namespace quorel {

TUndoRecord& TUndoList::Add() {
  items_.emplace_back();
  return items_.back();
}

void TUndoList::RemoveLast() {
  items_.pop_back();
  if (items_.capacity() > 16 && items_.size() < items_.capacity() / 4) {
    std::vector<TUndoRecord> smaller;
    smaller.reserve(items_.capacity() / 2);
    for (auto& r : items_) smaller.push_back(std::move(r));
    items_.swap(smaller);
  }
}

void TUndoList::RemoveFirst(int count) {
  if (count <= 0) return;
  if (count >= Count()) {
    items_.clear();
    return;
  }
  items_.erase(items_.begin(), items_.begin() + count);
}

void TUndoList::Clear() {
  items_.clear();
  items_.shrink_to_fit();
}

}  // namespace quorel
