// A line's text.
#include "engine/linetext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace quorel {

char TLineText::empty_[1] = {'\0'};

TLineText::TLineText(TLineText&& other) noexcept {
  if (other.Owned()) {
    data_ = other.data_;
    size_ = other.size_;
    capacity_ = other.capacity_;
    other.data_ = empty_;
    other.size_ = other.capacity_ = 0;
  } else {
    assign(other.view());
  }
}

TLineText& TLineText::operator=(TLineText&& other) noexcept {
  if (this == &other) return *this;
  if (!other.Owned()) return assign(other.view());
  Free();
  data_ = other.data_;
  size_ = other.size_;
  capacity_ = other.capacity_;
  other.data_ = empty_;
  other.size_ = other.capacity_ = 0;
  return *this;
}

void TLineText::Free() {
  if (Owned()) std::free(data_);
  data_ = empty_;
  size_ = capacity_ = 0;
}

void TLineText::Borrow(const char* text, size_t size) {
  if (size > std::numeric_limits<uint32_t>::max() - 1) throw std::length_error("line too long");
  Free();
  if (size == 0) return;
  data_ = const_cast<char*>(text);  // never written through: changes copy first
  size_ = static_cast<uint32_t>(size);
}

void TLineText::Grow(size_t size, size_t keep) {
  if (size > std::numeric_limits<uint32_t>::max() - 1) throw std::length_error("line too long");
  if (Owned() && size <= capacity_) return;
  // Like a std::string: at least double, so that typing at a line's end is amortized.
  size_t capacity = std::max<size_t>(size, Owned() ? size_t{capacity_} * 2 : size);
  capacity =
      std::min<size_t>(std::max<size_t>(capacity, 15), std::numeric_limits<uint32_t>::max() - 1);
  auto* grown = static_cast<char*>(std::malloc(capacity + 1));
  if (!grown) throw std::bad_alloc();
  std::memcpy(grown, data_, std::min<size_t>(keep, size_));
  if (Owned()) std::free(data_);
  data_ = grown;
  capacity_ = static_cast<uint32_t>(capacity);
}

TLineText& TLineText::assign(std::string_view text) {
  if (text.empty()) {
    clear();
    return *this;
  }
  // The text may lie inside this one's own bytes.
  if (text.data() >= data_ && text.data() <= data_ + size_) {
    std::string copy(text);
    return assign(std::string_view(copy));
  }
  Grow(text.size(), 0);
  std::memcpy(data_, text.data(), text.size());
  size_ = static_cast<uint32_t>(text.size());
  data_[size_] = '\0';
  return *this;
}

TLineText& TLineText::assign(size_t count, char c) {
  clear();
  return append(count, c);
}

TLineText& TLineText::insert(size_t pos, std::string_view text) {
  if (pos > size_) throw std::out_of_range("TLineText::insert");
  if (text.empty()) return *this;
  if (text.data() >= data_ && text.data() <= data_ + size_) {
    std::string copy(text);
    return insert(pos, std::string_view(copy));
  }
  const size_t size = size_ + text.size();
  Grow(size, size_);
  std::memmove(data_ + pos + text.size(), data_ + pos, size_ - pos);
  std::memcpy(data_ + pos, text.data(), text.size());
  size_ = static_cast<uint32_t>(size);
  data_[size_] = '\0';
  return *this;
}

TLineText& TLineText::insert(size_t pos, size_t count, char c) {
  if (pos > size_) throw std::out_of_range("TLineText::insert");
  if (count == 0) return *this;
  const size_t size = size_ + count;
  Grow(size, size_);
  std::memmove(data_ + pos + count, data_ + pos, size_ - pos);
  std::memset(data_ + pos, c, count);
  size_ = static_cast<uint32_t>(size);
  data_[size_] = '\0';
  return *this;
}

TLineText& TLineText::erase(size_t pos, size_t count) {
  if (pos > size_) throw std::out_of_range("TLineText::erase");
  count = std::min(count, size_ - pos);
  if (count == 0) return *this;
  if (pos == 0 && count == size_) {
    clear();
    return *this;
  }
  Grow(size_, size_);
  std::memmove(data_ + pos, data_ + pos + count, size_ - pos - count);
  size_ = static_cast<uint32_t>(size_ - count);
  data_[size_] = '\0';
  return *this;
}

void TLineText::resize(size_t size, char c) {
  if (size < size_) {
    erase(size);
  } else if (size > size_) {
    append(size - size_, c);
  }
}

void TLineText::clear() {
  if (Owned()) {
    size_ = 0;
    data_[0] = '\0';
  } else {
    data_ = empty_;
    size_ = 0;
  }
}

char* TLineText::MutableData() {
  if (!Owned() && size_ > 0) {
    Grow(size_, size_);
    data_[size_] = '\0';
  }
  return data_;
}

}  // namespace quorel
