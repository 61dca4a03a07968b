#include "pixmap/pixmap_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quardeln {
namespace {

using Premultiplied = std::array<double, 4>;  // alpha, red, green, blue; colours times alpha

Premultiplied Read(const TPixmap& source, int32_t x, int32_t y) {
  const uint32_t argb = source.ReadPixel(x, y);
  const double alpha = static_cast<double>(argb >> 24) / 255.0;
  return {alpha, alpha * ((argb >> 16) & 0xFF), alpha * ((argb >> 8) & 0xFF),
          alpha * (argb & 0xFF)};
}

uint32_t Write(const Premultiplied& p) {
  if (p[0] <= 0.0) return 0;
  auto channel = [&p](int i) {
    return static_cast<uint32_t>(std::clamp(std::lround(p[i] / p[0]), 0L, 255L));
  };
  const auto alpha = static_cast<uint32_t>(std::clamp(std::lround(p[0] * 255.0), 0L, 255L));
  return alpha << 24 | channel(1) << 16 | channel(2) << 8 | channel(3);
}

// Where the centre of target pixel `i` of `to` falls among `from` source pixels: the lower
// neighbour and the weight of the upper one.
std::pair<int32_t, double> SourceOf(int32_t i, int32_t from, int32_t to) {
  const double at = (i + 0.5) * from / to - 0.5;
  const double clamped = std::clamp(at, 0.0, static_cast<double>(from - 1));
  const auto low = static_cast<int32_t>(std::floor(clamped));
  return {low, clamped - low};
}

void ScaleInto(const TPixmap& source, TPixmap& target, int32_t left, int32_t size_w, int32_t size_h,
               int32_t target_left, int32_t w, int32_t h) {
  for (int32_t y = 0; y < h; ++y) {
    const auto [sy, fy] = SourceOf(y, size_h, h);
    const int32_t sy1 = std::min(sy + 1, size_h - 1);
    for (int32_t x = 0; x < w; ++x) {
      const auto [sx, fx] = SourceOf(x, size_w, w);
      const int32_t sx1 = std::min(sx + 1, size_w - 1);
      const Premultiplied a = Read(source, left + sx, sy);
      const Premultiplied b = Read(source, left + sx1, sy);
      const Premultiplied c = Read(source, left + sx, sy1);
      const Premultiplied d = Read(source, left + sx1, sy1);
      Premultiplied mixed{};
      for (size_t i = 0; i < mixed.size(); ++i) {
        mixed[i] = (a[i] * (1 - fx) + b[i] * fx) * (1 - fy) + (c[i] * (1 - fx) + d[i] * fx) * fy;
      }
      target.WritePixel(target_left + x, y, Write(mixed));
    }
  }
}

}  // namespace

PixmapRef ScalePixmap(const TPixmap& source, int32_t width, int32_t height) {
  if (width < 1 || height < 1 || source.Width() < 1 || source.Height() < 1) return nullptr;
  PixmapRef target = TPixmap::Create(width, height, source.Format());
  if (target) ScaleInto(source, *target, 0, source.Width(), source.Height(), 0, width, height);
  return target;
}

PixmapRef ScaleIconStrip(const TPixmap& strip, int32_t size) {
  const int32_t from = strip.Height();
  if (size < 1 || from < 1 || strip.Width() < from) return nullptr;
  const int32_t count = strip.Width() / from;
  PixmapRef target = TPixmap::Create(count * size, size, strip.Format());
  if (!target) return nullptr;
  for (int32_t i = 0; i < count; ++i) {
    ScaleInto(strip, *target, i * from, from, from, i * size, size, size);
  }
  return target;
}

}  // namespace quardeln
