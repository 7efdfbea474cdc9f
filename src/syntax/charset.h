// A set of 256 characters, for the parser's character class tests.
#pragma once

#include <array>
#include <string_view>

namespace quorel {

// A set of 256 characters, tested by direct indexing.
class TCharSet {
 public:
  TCharSet() { bits_.fill(false); }
  bool operator[](unsigned char c) const { return bits_[c]; }
  bool Contains(char c) const { return bits_[static_cast<unsigned char>(c)]; }
  void Include(unsigned char c) { bits_[c] = true; }
  void Exclude(unsigned char c) { bits_[c] = false; }
  void IncludeRange(unsigned char from, unsigned char to) {
    for (int c = from; c <= to; ++c) bits_[c] = true;
  }
  void IncludeAll(std::string_view chars) {
    for (char c : chars) Include(static_cast<unsigned char>(c));
  }
  bool operator==(const TCharSet&) const = default;

 private:
  std::array<bool, 256> bits_;
};

// Printable ASCII punctuation except the underscore, and code 127: what symbol tokens are made of.
inline const TCharSet& SymbolChars() {
  static const TCharSet set = [] {
    TCharSet s;
    s.IncludeRange(33, 47);
    s.IncludeRange(58, 64);
    s.IncludeRange(91, 94);
    s.Include(96);
    s.IncludeRange(123, 127);
    return s;
  }();
  return set;
}

}  // namespace quorel
