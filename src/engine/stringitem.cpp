// The raw line list and the blocks its records live in.
#include "engine/stringitem.h"

#include <algorithm>
#include <new>

namespace quorel {

TInternalStrings::~TInternalStrings() { DestroyAll(); }

TInternalStrings::TInternalStrings(TInternalStrings&& other) noexcept { Take(other); }

TInternalStrings& TInternalStrings::operator=(TInternalStrings&& other) noexcept {
  if (this != &other) {
    DestroyAll();
    Take(other);
  }
  return *this;
}

void TInternalStrings::Take(TInternalStrings& other) {
  items_ = std::move(other.items_);
  blocks_ = std::move(other.blocks_);
  free_ = std::move(other.free_);
  usedInLastBlock_ = other.usedInLastBlock_;
  other.items_.clear();
  other.blocks_.clear();
  other.free_.clear();
  other.usedInLastBlock_ = kBlockSlots;
}

void TInternalStrings::DestroyAll() {
  for (TStringItem* item : items_) item->~TStringItem();
  items_.clear();
  free_.clear();
  blocks_.clear();
  usedInLastBlock_ = kBlockSlots;
}

TStringItem* TInternalStrings::NewRecord(std::string text) {
  void* slot;
  if (!free_.empty()) {
    slot = free_.back();
    free_.pop_back();
  } else {
    if (usedInLastBlock_ == kBlockSlots) {
      blocks_.push_back(std::make_unique_for_overwrite<TSlot[]>(kBlockSlots));
      usedInLastBlock_ = 0;
    }
    slot = &blocks_.back()[usedInLastBlock_++];
  }
  auto* item = new (slot) TStringItem();
  item->Text = std::move(text);
  return item;
}

void TInternalStrings::Release(TStringItem* item) {
  item->~TStringItem();
  free_.push_back(item);
}

TStringItem& TInternalStrings::Insert(int i, std::string text) {
  if (items_.size() == items_.capacity()) {
    size_t cap = items_.capacity();
    items_.reserve(cap + std::max<size_t>(cap / 2, 64));
  }
  i = std::clamp(i, 0, Count());
  TStringItem* item = NewRecord(std::move(text));
  items_.insert(items_.begin() + i, item);
  return *item;
}

void TInternalStrings::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  Release(items_[static_cast<size_t>(i)]);
  items_.erase(items_.begin() + i);
}

void TInternalStrings::Clear() { DestroyAll(); }

}  // namespace quorel
