#include "analysis/ratio_bands.h"

namespace kuma {

namespace {

constexpr Rgb kGreen{0, 160, 0};
constexpr Rgb kOrange{255, 165, 0};

}  // namespace

// Written so that a NaN ratio falls beyond the limit.
RatioBand RatioBandOf(double ratio) {
  if (!(ratio <= kRatioLimit)) return RatioBand::Beyond;
  return ratio >= kRatioNearLimit ? RatioBand::NearLimit : RatioBand::Within;
}

bool RatioSatisfied(double ratio) { return RatioBandOf(ratio) != RatioBand::Beyond; }

const char* RatioVerdict(double ratio) { return RatioSatisfied(ratio) ? "满足" : "不满足"; }

Rgb RatioColour(double ratio) {
  switch (RatioBandOf(ratio)) {
    case RatioBand::Within:
      return kGreen;
    case RatioBand::NearLimit:
      return kOrange;
    case RatioBand::Beyond:
      break;
  }
  return kRed;
}

Rgb RatioRowColour(double ratio) {
  return RatioBandOf(ratio) == RatioBand::Within ? kWhite : RatioColour(ratio);
}

std::uint32_t RatioRowFill(double ratio) {
  const Rgb c = RatioRowColour(ratio);
  return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

}  // namespace kuma
