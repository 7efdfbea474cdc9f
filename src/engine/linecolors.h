// A line's colours: one style byte per byte of its text. Most lines of a large document have
// none kept (they are coloured again when shown), so an empty one is a single null pointer; the
// length and room live in front of the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorel {

class TLineColors {
 public:
  static constexpr size_t npos = std::string::npos;

  TLineColors() = default;
  explicit TLineColors(std::string_view colors) { assign(colors); }
  TLineColors(const TLineColors& other) { assign(other.view()); }
  TLineColors(TLineColors&& other) noexcept : head_(other.head_) { other.head_ = nullptr; }
  TLineColors& operator=(const TLineColors& other) { return assign(other.view()); }
  TLineColors& operator=(TLineColors&& other) noexcept;
  TLineColors& operator=(std::string_view colors) { return assign(colors); }
  TLineColors& operator=(const std::string& colors) { return assign(colors); }
  TLineColors& operator=(const char* colors) { return assign(std::string_view(colors)); }
  ~TLineColors() { Reset(); }

  // ---- Reading, as on a std::string ----
  size_t size() const { return head_ ? head_->Size : 0; }
  bool empty() const { return size() == 0; }
  const char* data() const { return head_ ? Bytes() : ""; }
  char operator[](size_t i) const { return Bytes()[i]; }
  char front() const { return Bytes()[0]; }
  char back() const { return Bytes()[size() - 1]; }
  const char* begin() const { return data(); }
  const char* end() const { return data() + size(); }
  std::string_view view() const { return {data(), size()}; }
  operator std::string_view() const { return view(); }  // NOLINT
  std::string str() const { return std::string(view()); }
  std::string substr(size_t pos, size_t count = npos) const {
    return std::string(view().substr(pos, count));
  }
  friend bool operator==(const TLineColors& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const TLineColors& a, const std::string& b) { return a.view() == b; }
  friend bool operator==(const TLineColors& a, const char* b) { return a.view() == b; }
  size_t find(char c, size_t pos = 0) const { return view().find(c, pos); }

  // ---- Changing, as on a std::string ----
  TLineColors& assign(std::string_view colors) { return Splice(0, size(), colors); }
  TLineColors& assign(size_t count, char c) { return Fill(0, size(), count, c); }
  TLineColors& append(std::string_view colors) { return Splice(size(), 0, colors); }
  TLineColors& append(size_t count, char c) { return Fill(size(), 0, count, c); }
  TLineColors& operator+=(std::string_view colors) { return append(colors); }
  TLineColors& insert(size_t pos, size_t count, char c) { return Fill(pos, 0, count, c); }
  TLineColors& erase(size_t pos = 0, size_t count = npos) { return Splice(pos, count, {}); }
  TLineColors& replace(size_t pos, size_t count, std::string_view colors) {
    return Splice(pos, count, colors);
  }
  void resize(size_t size, char c = '\0');
  // Empty, keeping the room (as on a std::string); Reset gives the room back.
  void clear();
  void Reset();
  // The bytes to write into.
  char* MutableData() { return head_ ? Bytes() : empty_; }

 private:
  struct THead {
    uint32_t Size;
    uint32_t Capacity;  // bytes after the head, not counting the NUL
  };
  char* Bytes() const { return reinterpret_cast<char*>(head_ + 1); }
  // Replaces `count` bytes at `pos` with `colors`, or with `fillCount` times `fill`.
  TLineColors& Splice(size_t pos, size_t count, std::string_view colors);
  TLineColors& Fill(size_t pos, size_t count, size_t fillCount, char fill);
  // Makes the room for `size` bytes with the bytes before `pos` kept and the `tail` bytes from
  // `pos + count` moved to the end; returns where the new bytes go.
  char* Open(size_t pos, size_t count, size_t inserted);

  static char empty_[1];
  THead* head_ = nullptr;
};

}  // namespace quorel
