#pragma once
// A set of up to 64 values of an enumeration, as the classic "set of" types.
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr TSet& Include(E e) { FBits |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { FBits &= ~Bit(e); return *this; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint64_t Bits() const { return FBits; }
  constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
  constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
  constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
  constexpr TSet operator+(E e) const { return FromBits(FBits | Bit(e)); }
  constexpr TSet operator-(E e) const { return FromBits(FBits & ~Bit(e)); }
  friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }

 private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
  std::uint64_t FBits = 0;
};
