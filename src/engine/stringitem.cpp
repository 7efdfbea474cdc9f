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
  refs_ = std::move(other.refs_);
  gapStart_ = other.gapStart_;
  gapEnd_ = other.gapEnd_;
  other.gapStart_ = other.gapEnd_ = 0;
  blocks_ = std::move(other.blocks_);
  free_ = std::move(other.free_);
  usedInLastBlock_ = other.usedInLastBlock_;
  other.refs_.clear();
  other.blocks_.clear();
  other.free_.clear();
  other.usedInLastBlock_ = kBlockSlots;
}

void TInternalStrings::DestroyAll() {
  for (int i = 0; i < Count(); ++i) Ref(static_cast<size_t>(i))->~TStringItem();
  refs_.clear();
  gapStart_ = gapEnd_ = 0;
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

// Moves the gap so that it starts at line i.
void TInternalStrings::MoveGapTo(size_t i) {
  size_t gap = gapEnd_ - gapStart_;
  if (i < gapStart_) {
    std::move_backward(refs_.begin() + i, refs_.begin() + gapStart_, refs_.begin() + gapEnd_);
  } else if (i > gapStart_) {
    std::move(refs_.begin() + gapEnd_, refs_.begin() + i + gap, refs_.begin() + gapStart_);
  }
  gapStart_ = i;
  gapEnd_ = i + gap;
}

// A new array of `capacity` references with the lines at both ends and the gap where it was.
void TInternalStrings::Regrow(size_t capacity) {
  size_t after = refs_.size() - gapEnd_;
  std::vector<TStringItem*> grown(capacity);
  std::copy(refs_.begin(), refs_.begin() + gapStart_, grown.begin());
  std::copy(refs_.begin() + gapEnd_, refs_.end(), grown.end() - after);
  gapEnd_ = capacity - after;
  refs_ = std::move(grown);
}

void TInternalStrings::Reserve(size_t count) {
  if (count > refs_.size()) Regrow(count);
}

TStringItem& TInternalStrings::Insert(int i, std::string text) {
  if (gapStart_ == gapEnd_) {
    size_t cap = refs_.size();
    Regrow(cap + std::max<size_t>(cap / 2, 64));
  }
  MoveGapTo(static_cast<size_t>(std::clamp(i, 0, Count())));
  TStringItem* item = NewRecord(std::move(text));
  refs_[gapStart_++] = item;
  return *item;
}

void TInternalStrings::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  MoveGapTo(static_cast<size_t>(i));
  Release(refs_[gapEnd_++]);
}

void TInternalStrings::Clear() { DestroyAll(); }

}  // namespace quorel
