#pragma once
// Colours as RGB triples and whole-pixel positions: what the section state
// and the form share with the drawings.

#include <cstdint>

namespace kuma {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
  friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGray{128, 128, 128};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kPurple{128, 0, 128};
inline constexpr Rgb kLightGray{240, 240, 240};

struct PixelPoint {
  int x = 0, y = 0;
};

}  // namespace kuma
