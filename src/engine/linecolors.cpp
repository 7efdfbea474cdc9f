// A line's colours.
#include "engine/linecolors.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace quorel {

char TLineColors::empty_[1] = {'\0'};

TLineColors& TLineColors::operator=(TLineColors&& other) noexcept {
  if (this != &other) {
    Reset();
    head_ = other.head_;
    other.head_ = nullptr;
  }
  return *this;
}

void TLineColors::Reset() {
  std::free(head_);
  head_ = nullptr;
}

void TLineColors::clear() {
  if (!head_) return;
  head_->Size = 0;
  Bytes()[0] = '\0';
}

void TLineColors::resize(size_t size, char c) {
  if (size < this->size())
    erase(size);
  else
    append(size - this->size(), c);
}

char* TLineColors::Open(size_t pos, size_t count, size_t inserted) {
  const size_t old = size();
  if (pos > old) throw std::out_of_range("TLineColors");
  count = std::min(count, old - pos);
  const size_t size = old - count + inserted;
  if (size > std::numeric_limits<uint32_t>::max() - 1) throw std::length_error("line too long");
  if (!head_ || size > head_->Capacity) {
    // Like a std::string: at least double, so that typing at a line's end is amortized.
    size_t capacity = std::max<size_t>(size, head_ ? size_t{head_->Capacity} * 2 : size);
    capacity =
        std::min<size_t>(std::max<size_t>(capacity, 7), std::numeric_limits<uint32_t>::max() - 1);
    auto* grown = static_cast<THead*>(std::malloc(sizeof(THead) + capacity + 1));
    if (!grown) throw std::bad_alloc();
    grown->Size = static_cast<uint32_t>(old);
    grown->Capacity = static_cast<uint32_t>(capacity);
    if (head_) std::memcpy(grown + 1, Bytes(), old);
    std::free(head_);
    head_ = grown;
  }
  char* bytes = Bytes();
  std::memmove(bytes + pos + inserted, bytes + pos + count, old - pos - count);
  head_->Size = static_cast<uint32_t>(size);
  bytes[size] = '\0';
  return bytes + pos;
}

TLineColors& TLineColors::Splice(size_t pos, size_t count, std::string_view colors) {
  // The new bytes may lie inside this one's own.
  if (head_ && colors.data() >= Bytes() && colors.data() <= Bytes() + head_->Capacity) {
    const std::string copy(colors);
    return Splice(pos, count, copy);
  }
  if (colors.empty() && !head_) return *this;
  char* at = Open(pos, count, colors.size());
  if (!colors.empty()) std::memcpy(at, colors.data(), colors.size());
  return *this;
}

TLineColors& TLineColors::Fill(size_t pos, size_t count, size_t fillCount, char fill) {
  if (fillCount == 0 && count == 0 && pos <= size()) return *this;
  char* at = Open(pos, count, fillCount);
  std::memset(at, fill, fillCount);
  return *this;
}

}  // namespace quorel
