// The raw line list and the blocks its records live in.
#include "engine/stringitem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quorel {

namespace {

// A block of the text store. Loading a large file fills tens of megabytes of fresh memory at
// once, and taking it in large pages where the system offers them saves most of the page faults
// (a 4 KB page each otherwise), which cost more than copying the text.
char* NewTextBlock(size_t bytes) {
#ifdef __linux__
  constexpr size_t kLargePage = 2 << 20;
  if (bytes % kLargePage == 0) {
    if (void* block = std::aligned_alloc(kLargePage, bytes)) {
      madvise(block, bytes, MADV_HUGEPAGE);
      return static_cast<char*>(block);
    }
  }
#endif
  auto* block = static_cast<char*>(std::malloc(bytes));
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

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
  refs_ = std::exchange(other.refs_, nullptr);
  capacity_ = std::exchange(other.capacity_, 0);
  gapStart_ = other.gapStart_;
  gapEnd_ = other.gapEnd_;
  other.gapStart_ = other.gapEnd_ = 0;
  blocks_ = std::move(other.blocks_);
  free_ = std::move(other.free_);
  extras_ = std::move(other.extras_);
  other.extras_.clear();
  usedInLastBlock_ = other.usedInLastBlock_;
  textBlocks_ = std::move(other.textBlocks_);
  textUsed_ = other.textUsed_;
  textRoom_ = other.textRoom_;
  other.textBlocks_.clear();
  other.textUsed_ = other.textRoom_ = 0;
  other.blocks_.clear();
  other.free_.clear();
  other.usedInLastBlock_ = kBlockSlots;
}

void TInternalStrings::DestroyAll() {
  for (int i = 0; i < Count(); ++i) Ref(static_cast<size_t>(i))->~TStringItem();
  std::free(refs_);
  refs_ = nullptr;
  capacity_ = gapStart_ = gapEnd_ = 0;
  free_.clear();
  extras_.clear();
  blocks_.clear();
  usedInLastBlock_ = kBlockSlots;
  // After the records, which may point into it.
  textBlocks_.clear();
  textUsed_ = textRoom_ = 0;
}

uint32_t TInternalStrings::NewRecord() {
  uint32_t slot;
  if (!free_.empty()) {
    slot = free_.back();
    free_.pop_back();
  } else {
    if (usedInLastBlock_ == kBlockSlots) {
      if (blocks_.size() >= UINT32_MAX / kBlockSlots) throw std::length_error("too many lines");
      blocks_.push_back(std::make_unique_for_overwrite<TSlot[]>(kBlockSlots));
      usedInLastBlock_ = 0;
    }
    slot = static_cast<uint32_t>((blocks_.size() - 1) * kBlockSlots + usedInLastBlock_++);
  }
  new (Slot(slot)) TStringItem();
  return slot;
}

const char* TInternalStrings::Store(std::string_view text) {
  const size_t need = text.size() + 1;
  if (textRoom_ - textUsed_ < need) {
    // Blocks grow with the text (a short document takes one small block) up to a size that
    // large pages fit; a line longer than a block gets a block of its own size.
    const size_t grown = std::clamp(textRoom_ * 2, kFirstTextBlockBytes, kTextBlockBytes);
    textRoom_ = std::max(grown, need);
    textBlocks_.emplace_back(NewTextBlock(textRoom_));
    textUsed_ = 0;
  }
  char* at = textBlocks_.back().get() + textUsed_;
  std::memcpy(at, text.data(), text.size());
  at[text.size()] = '\0';
  textUsed_ += need;
  return at;
}

void TInternalStrings::Release(uint32_t slot) {
  TStringItem* item = Slot(slot);
  if (!extras_.empty()) extras_.erase(item);
  item->~TStringItem();
  free_.push_back(slot);
}

// Moves the gap so that it starts at line i.
void TInternalStrings::MoveGapTo(size_t i) {
  size_t gap = gapEnd_ - gapStart_;
  if (i < gapStart_) {
    std::memmove(refs_ + i + gap, refs_ + i, (gapStart_ - i) * sizeof(*refs_));
  } else if (i > gapStart_) {
    std::memmove(refs_ + gapStart_, refs_ + gapEnd_, (i - gapStart_) * sizeof(*refs_));
  }
  gapStart_ = i;
  gapEnd_ = i + gap;
}

// A new array of `capacity` references with the lines at both ends and the gap where it was.
void TInternalStrings::Regrow(size_t capacity) {
  const size_t after = capacity_ - gapEnd_;
  auto* grown = static_cast<uint32_t*>(std::realloc(refs_, capacity * sizeof(*refs_)));
  if (!grown) throw std::bad_alloc();
  std::memmove(grown + capacity - after, grown + gapEnd_, after * sizeof(*refs_));
  refs_ = grown;
  capacity_ = capacity;
  gapEnd_ = capacity - after;
}

void TInternalStrings::Reserve(size_t count) {
  if (count > capacity_) Regrow(count);
}

TStringItem& TInternalStrings::AddStored(std::string_view text) {
  TStringItem& item = Insert(Count());
  if (!text.empty()) item.Text.Borrow(Store(text), text.size());
  return item;
}

TStringItem& TInternalStrings::Insert(int i, std::string_view text) {
  if (gapStart_ == gapEnd_) {
    size_t cap = capacity_;
    Regrow(cap + std::max<size_t>(cap / 2, 64));
  }
  MoveGapTo(static_cast<size_t>(std::clamp(i, 0, Count())));
  const uint32_t slot = NewRecord();
  TStringItem& item = *Slot(slot);
  try {
    item.Text = text;
  } catch (...) {
    Release(slot);
    throw;
  }
  refs_[gapStart_++] = slot;
  return item;
}

void TInternalStrings::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  MoveGapTo(static_cast<size_t>(i));
  Release(refs_[gapEnd_++]);
}

void TInternalStrings::Clear() { DestroyAll(); }

const std::string& TInternalStrings::Tag(int i) const {
  static const std::string none;
  if (extras_.empty() || !At(i)) return none;
  auto it = extras_.find(At(i));
  return it == extras_.end() ? none : it->second.Tag;
}

void* TInternalStrings::Object(int i) const {
  if (extras_.empty() || !At(i)) return nullptr;
  auto it = extras_.find(At(i));
  return it == extras_.end() ? nullptr : it->second.Object;
}

void TInternalStrings::SetTag(int i, std::string tag) {
  if (!At(i) || (tag.empty() && Tag(i).empty())) return;
  Extras(i).Tag = std::move(tag);
  Tidy(i);
}

void TInternalStrings::SetObject(int i, void* object) {
  if (!At(i) || object == Object(i)) return;
  Extras(i).Object = object;
  Tidy(i);
}

void TInternalStrings::MoveExtras(int from, int to) {
  if (from == to || !At(from) || !At(to)) return;
  auto it = extras_.find(At(from));
  if (it == extras_.end()) {
    extras_.erase(At(to));
    return;
  }
  TExtras moved = std::move(it->second);
  extras_.erase(it);
  extras_[At(to)] = std::move(moved);
}

void TInternalStrings::Tidy(int i) {
  auto it = extras_.find(At(i));
  if (it != extras_.end() && it->second.Tag.empty() && !it->second.Object) extras_.erase(it);
}

}  // namespace quorel
