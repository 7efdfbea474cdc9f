// A line's text: its bytes, always followed by a NUL. Loading puts a document's lines side by
// side in its line list's text store, and each loaded line only points at its bytes there, so a
// 200 MB file costs 200 MB of text and no allocation per line. The first change to a line copies
// it into a block of its own, which grows like a std::string.
//
// Twelve bytes: the pointer and the size, whose top bit says whether the bytes are owned. An
// owned block keeps its room in the four bytes in front of the text. Packed to four-byte
// alignment so that a line record can put a 32-bit field right after it; a million lines are
// then 8 MB smaller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorel {

#pragma pack(push, 4)
class TLineText {
 public:
  static constexpr size_t npos = std::string::npos;

  TLineText() = default;
  explicit TLineText(std::string_view text) { assign(text); }
  // Copies and moves always own their bytes: a copy may outlive the list it was taken from.
  TLineText(const TLineText& other) : TLineText(other.view()) {}
  TLineText(TLineText&& other) noexcept;
  TLineText& operator=(const TLineText& other) { return assign(other.view()); }
  TLineText& operator=(TLineText&& other) noexcept;
  TLineText& operator=(std::string_view text) { return assign(text); }
  TLineText& operator=(const std::string& text) { return assign(text); }
  TLineText& operator=(const char* text) { return assign(std::string_view(text)); }
  ~TLineText() { Free(); }

  // Points at `size` bytes kept (with a NUL after them) by the line list for as long as this
  // line lives in it.
  void Borrow(const char* text, size_t size);
  bool Owned() const { return (size_ & kOwnedBit) != 0; }

  // ---- Reading, as on a std::string ----
  size_t size() const { return size_ & kSizeBits; }
  bool empty() const { return size() == 0; }
  const char* data() const { return data_; }
  const char* c_str() const { return data_; }
  char operator[](size_t i) const { return data_[i]; }
  char front() const { return data_[0]; }
  char back() const { return data_[size() - 1]; }
  const char* begin() const { return data_; }
  const char* end() const { return data_ + size(); }
  std::string_view view() const { return {data_, size()}; }
  operator std::string_view() const { return view(); }  // NOLINT
  explicit operator std::string() const { return std::string(view()); }
  std::string str() const { return std::string(view()); }
  std::string substr(size_t pos, size_t count = npos) const {
    return std::string(view().substr(pos, count));
  }
  size_t find(char c, size_t pos = 0) const { return view().find(c, pos); }
  size_t find(std::string_view s, size_t pos = 0) const { return view().find(s, pos); }
  friend bool operator==(const TLineText& a, const TLineText& b) { return a.view() == b.view(); }
  friend bool operator==(const TLineText& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const TLineText& a, const char* b) { return a.view() == b; }
  friend bool operator==(const TLineText& a, const std::string& b) { return a.view() == b; }
  friend std::string operator+(const TLineText& a, std::string_view b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a.view()).append(b);
    return out;
  }

  // ---- Changing, as on a std::string (a borrowed text is copied first) ----
  TLineText& assign(std::string_view text);
  TLineText& assign(size_t count, char c);
  TLineText& append(std::string_view text) { return insert(size(), text); }
  TLineText& append(size_t count, char c) { return insert(size(), count, c); }
  TLineText& operator+=(std::string_view text) { return append(text); }
  TLineText& operator+=(char c) { return append(1, c); }
  void push_back(char c) { append(1, c); }
  TLineText& insert(size_t pos, std::string_view text);
  TLineText& insert(size_t pos, size_t count, char c);
  TLineText& erase(size_t pos = 0, size_t count = npos);
  void resize(size_t size, char c = '\0');
  // Empty, keeping the room (as on a std::string); Reset gives the room back.
  void clear();
  void Reset() { Free(); }
  // The bytes to write into, owned by this text (copied first when borrowed).
  char* MutableData();

 private:
  // Room for `size` bytes plus the NUL, owned, keeping the first `keep` bytes.
  void Grow(size_t size, size_t keep);
  void Free();

  static constexpr uint32_t kOwnedBit = 0x80000000u;
  static constexpr uint32_t kSizeBits = kOwnedBit - 1;
  // Bytes owned, NUL not counted (owned texts only).
  size_t Capacity() const;
  void SetSize(size_t size) { size_ = static_cast<uint32_t>(size) | (size_ & kOwnedBit); }

  static char empty_[1];
  char* data_ = empty_;
  uint32_t size_ = 0;  // the length, and kOwnedBit when data_ follows a block's room
};
#pragma pack(pop)

}  // namespace quorel
