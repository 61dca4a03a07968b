#include "pixmap/pixmap.h"

#include "pixmap/image_file.h"

namespace quardeln {
namespace {

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

uint8_t Channel(uint32_t argb, int shift) {
  return static_cast<uint8_t>((argb >> shift) & 0xFF);
}

uint32_t DecodePixel(const uint8_t* p, int32_t format) {
  switch (format) {
    case PF_I8:
      return Argb(0xFF, p[0], p[0], p[0]);
    case PF_A8:
      return Argb(p[0], 0xFF, 0xFF, 0xFF);
    case PF_RGB888:
      return Argb(0xFF, p[0], p[1], p[2]);
    case PF_BGR888:
      return Argb(0xFF, p[2], p[1], p[0]);
    case PF_RGBA8888:
      return Argb(p[3], p[0], p[1], p[2]);
    case PF_BGRA8888:
      return Argb(p[3], p[2], p[1], p[0]);
    default:
      return 0;
  }
}

void EncodePixel(uint8_t* p, int32_t format, uint32_t argb) {
  const uint8_t a = Channel(argb, 24);
  const uint8_t r = Channel(argb, 16);
  const uint8_t g = Channel(argb, 8);
  const uint8_t b = Channel(argb, 0);
  switch (format) {
    case PF_I8:
      p[0] = static_cast<uint8_t>((r + g + b) / 3);
      break;
    case PF_A8:
      p[0] = a;
      break;
    case PF_RGB888:
      p[0] = r, p[1] = g, p[2] = b;
      break;
    case PF_BGR888:
      p[0] = b, p[1] = g, p[2] = r;
      break;
    case PF_RGBA8888:
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
      break;
    case PF_BGRA8888:
      p[0] = b, p[1] = g, p[2] = r, p[3] = a;
      break;
    default:
      break;
  }
}

}  // namespace

int32_t BytesPerPixel(int32_t format) {
  switch (format) {
    case PF_I8:
    case PF_A8:
      return 1;
    case PF_RGB888:
    case PF_BGR888:
      return 3;
    case PF_RGBA8888:
    case PF_BGRA8888:
      return 4;
    default:
      return 0;
  }
}

bool FormatHasAlpha(int32_t format) {
  return format == PF_A8 || format == PF_RGBA8888 || format == PF_BGRA8888;
}

TPixmap::TPixmap(std::shared_ptr<std::vector<uint8_t>> memory, size_t offset, int32_t width,
                 int32_t height, int32_t pitch, int32_t format)
    : memory_(std::move(memory)),
      offset_(offset),
      width_(width),
      height_(height),
      pitch_(pitch),
      format_(format) {}

PixmapRef TPixmap::Create(int32_t width, int32_t height, int32_t format) {
  const int32_t bpp = BytesPerPixel(format);
  if (bpp == 0 || width < 0 || height < 0) return nullptr;
  const int64_t pitch = int64_t{width} * bpp;
  if (pitch > INT32_MAX) return nullptr;
  auto memory = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(pitch) * height);
  return PixmapRef(
      new TPixmap(std::move(memory), 0, width, height, static_cast<int32_t>(pitch), format));
}

uint8_t* TPixmap::PixelPtr(int32_t x, int32_t y) {
  return const_cast<uint8_t*>(static_cast<const TPixmap*>(this)->PixelPtr(x, y));
}

const uint8_t* TPixmap::PixelPtr(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
  const size_t at =
      offset_ + static_cast<size_t>(y) * pitch_ + static_cast<size_t>(x) * BytesPerPixel(format_);
  return memory_->data() + at;
}

uint32_t TPixmap::ReadPixel(int32_t x, int32_t y) const {
  const uint8_t* p = PixelPtr(x, y);
  return p ? DecodePixel(p, format_) : 0;
}

void TPixmap::WritePixel(int32_t x, int32_t y, uint32_t argb) {
  if (uint8_t* p = PixelPtr(x, y)) EncodePixel(p, format_, argb);
}

PixmapRef TPixmap::Window(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (x < 0 || y < 0 || w < 0 || h < 0) return nullptr;
  if (int64_t{x} + w > width_ || int64_t{y} + h > height_) return nullptr;
  const size_t at =
      offset_ + static_cast<size_t>(y) * pitch_ + static_cast<size_t>(x) * BytesPerPixel(format_);
  return PixmapRef(new TPixmap(memory_, at, w, h, pitch_, format_));
}

PixmapRef TPixmap::Copy() const {
  return Convert(format_);
}

PixmapRef TPixmap::Convert(int32_t format) const {
  PixmapRef copy = Create(width_, height_, format);
  if (!copy) return nullptr;
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) copy->WritePixel(x, y, ReadPixel(x, y));
  }
  return copy;
}

PixmapRef LoadPixmap(const ObjectRef& source) {
  if (const std::u16string* path = AsText(source)) return LoadPixmapFromFile(*path);
  return std::dynamic_pointer_cast<TPixmap>(source);
}

}  // namespace quardeln
