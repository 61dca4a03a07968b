// The toolkit's units of 1/96 inch against a device's pixels. Programs see units only;
// the platform code that meets pixels converts with these. Halves round away from zero,
// so a value taken to pixels and back (at 96 dots per inch or more) is the value given;
// at 96 dots per inch both directions are the identity.
#pragma once

#include <cstdint>

namespace quardeln {

inline constexpr int32_t kUnitDpi = 96;

// `value` measured at `from` dots per inch, measured at `to`.
constexpr int32_t ScaleDpi(int32_t value, int32_t to, int32_t from) {
  if (to == from || from <= 0) return value;
  const int64_t product = static_cast<int64_t>(value) * to;
  const int64_t half = from / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / from : (product - half) / from);
}

constexpr int32_t UnitsToPixels(int32_t units, int32_t dpi) {
  return ScaleDpi(units, dpi, kUnitDpi);
}
constexpr int32_t PixelsToUnits(int32_t pixels, int32_t dpi) {
  return ScaleDpi(pixels, kUnitDpi, dpi);
}

}  // namespace quardeln
