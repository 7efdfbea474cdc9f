// A set of enumeration values stored as bits: flag n is bit n, as option sets are stored.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace quorel {

template <typename E>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> flags) {
    for (E f : flags) bits_ |= Bit(f);
  }
  static constexpr TEnumSet FromBits(uint32_t bits) {
    TEnumSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool Contains(E f) const { return (bits_ & Bit(f)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr void Include(E f) { bits_ |= Bit(f); }
  constexpr void Exclude(E f) { bits_ &= ~Bit(f); }
  constexpr void Set(E f, bool on) { on ? Include(f) : Exclude(f); }

  constexpr TEnumSet operator|(TEnumSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TEnumSet operator&(TEnumSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TEnumSet& operator|=(TEnumSet o) {
    bits_ |= o.bits_;
    return *this;
  }
  constexpr bool operator==(const TEnumSet&) const = default;

 private:
  static constexpr uint32_t Bit(E f) { return uint32_t{1} << static_cast<unsigned>(f); }
  uint32_t bits_ = 0;
};

}  // namespace quorel
