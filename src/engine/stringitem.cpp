// The raw line list and the blocks its records live in.
#include "engine/stringitem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

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
  refs_ = std::move(other.refs_);
  gapStart_ = other.gapStart_;
  gapEnd_ = other.gapEnd_;
  other.gapStart_ = other.gapEnd_ = 0;
  blocks_ = std::move(other.blocks_);
  free_ = std::move(other.free_);
  usedInLastBlock_ = other.usedInLastBlock_;
  textBlocks_ = std::move(other.textBlocks_);
  textUsed_ = other.textUsed_;
  textRoom_ = other.textRoom_;
  other.textBlocks_.clear();
  other.textUsed_ = other.textRoom_ = 0;
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
  // After the records, which may point into it.
  textBlocks_.clear();
  textUsed_ = textRoom_ = 0;
}

TStringItem* TInternalStrings::NewRecord() {
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
  return new (slot) TStringItem();
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

TStringItem& TInternalStrings::AddStored(std::string_view text) {
  TStringItem& item = Insert(Count());
  if (!text.empty()) item.Text.Borrow(Store(text), text.size());
  return item;
}

TStringItem& TInternalStrings::Insert(int i, std::string_view text) {
  if (gapStart_ == gapEnd_) {
    size_t cap = refs_.size();
    Regrow(cap + std::max<size_t>(cap / 2, 64));
  }
  MoveGapTo(static_cast<size_t>(std::clamp(i, 0, Count())));
  TStringItem* item = NewRecord();
  item->Text = text;
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
