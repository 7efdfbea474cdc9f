// A line's text.
#include "engine/linetext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace quorel {

char TLineText::empty_[1] = {'\0'};

namespace {

// The longest text a line holds: its length needs the size's 31 bits, with room for the NUL.
constexpr size_t kMaxSize = 0x7FFFFFFEu;
constexpr size_t kRoomBytes = sizeof(uint32_t);  // the room, kept in front of owned bytes

void CheckSize(size_t size) {
  if (size > kMaxSize) throw std::length_error("line too long");
}

}  // namespace

size_t TLineText::Capacity() const {
  uint32_t room;
  std::memcpy(&room, data_ - kRoomBytes, sizeof room);
  return room;
}

TLineText::TLineText(TLineText&& other) noexcept {
  // Field by field, not through std::exchange: a packed field must not be bound to a reference.
  if (other.Owned()) {
    data_ = other.data_;
    size_ = other.size_;
    other.data_ = empty_;
    other.size_ = 0;
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
  other.data_ = empty_;
  other.size_ = 0;
  return *this;
}

void TLineText::Free() {
  if (Owned()) std::free(data_ - kRoomBytes);
  data_ = empty_;
  size_ = 0;
}

void TLineText::Borrow(const char* text, size_t size) {
  CheckSize(size);
  Free();
  if (size == 0) return;
  data_ = const_cast<char*>(text);  // never written through: changes copy first
  size_ = static_cast<uint32_t>(size);
}

void TLineText::Grow(size_t size, size_t keep) {
  CheckSize(size);
  if (Owned() && size <= Capacity()) return;
  // Like a std::string: at least double, so that typing at a line's end is amortized.
  size_t capacity = std::max<size_t>(size, Owned() ? Capacity() * 2 : size);
  // The smallest block is 16 bytes: the room, 11 bytes of text and the NUL.
  capacity = std::min<size_t>(std::max<size_t>(capacity, 11), kMaxSize);
  auto* block = static_cast<char*>(std::malloc(kRoomBytes + capacity + 1));
  if (!block) throw std::bad_alloc();
  const auto room = static_cast<uint32_t>(capacity);
  std::memcpy(block, &room, sizeof room);
  char* grown = block + kRoomBytes;
  const size_t length = size_ & kSizeBits;
  std::memcpy(grown, data_, std::min(keep, length));
  if (Owned()) std::free(data_ - kRoomBytes);
  data_ = grown;
  size_ = static_cast<uint32_t>(length) | kOwnedBit;
}

TLineText& TLineText::assign(std::string_view text) {
  if (text.empty()) {
    clear();
    return *this;
  }
  // The text may lie inside this one's own bytes.
  if (text.data() >= data_ && text.data() <= data_ + size()) {
    std::string copy(text);
    return assign(std::string_view(copy));
  }
  Grow(text.size(), 0);
  std::memcpy(data_, text.data(), text.size());
  SetSize(text.size());
  data_[text.size()] = '\0';
  return *this;
}

TLineText& TLineText::assign(size_t count, char c) {
  clear();
  return append(count, c);
}

TLineText& TLineText::insert(size_t pos, std::string_view text) {
  const size_t length = size();
  if (pos > length) throw std::out_of_range("TLineText::insert");
  if (text.empty()) return *this;
  if (text.data() >= data_ && text.data() <= data_ + size()) {
    std::string copy(text);
    return insert(pos, std::string_view(copy));
  }
  const size_t size = length + text.size();
  Grow(size, length);
  std::memmove(data_ + pos + text.size(), data_ + pos, length - pos);
  std::memcpy(data_ + pos, text.data(), text.size());
  SetSize(size);
  data_[size] = '\0';
  return *this;
}

TLineText& TLineText::insert(size_t pos, size_t count, char c) {
  const size_t length = size();
  if (pos > length) throw std::out_of_range("TLineText::insert");
  if (count == 0) return *this;
  const size_t size = length + count;
  Grow(size, length);
  std::memmove(data_ + pos + count, data_ + pos, length - pos);
  std::memset(data_ + pos, c, count);
  SetSize(size);
  data_[size] = '\0';
  return *this;
}

TLineText& TLineText::erase(size_t pos, size_t count) {
  const size_t length = size();
  if (pos > length) throw std::out_of_range("TLineText::erase");
  count = std::min(count, length - pos);
  if (count == 0) return *this;
  if (pos == 0 && count == length) {
    clear();
    return *this;
  }
  Grow(length, length);
  std::memmove(data_ + pos, data_ + pos + count, length - pos - count);
  SetSize(length - count);
  data_[length - count] = '\0';
  return *this;
}

void TLineText::resize(size_t size, char c) {
  const size_t length = this->size();
  if (size < length) {
    erase(size);
  } else if (size > length) {
    append(size - length, c);
  }
}

void TLineText::clear() {
  if (Owned()) {
    SetSize(0);
    data_[0] = '\0';
  } else {
    data_ = empty_;
    size_ = 0;
  }
}

char* TLineText::MutableData() {
  const size_t length = size();
  if (!Owned() && length > 0) {
    Grow(length, length);
    data_[length] = '\0';
  }
  return data_;
}

}  // namespace quorel
