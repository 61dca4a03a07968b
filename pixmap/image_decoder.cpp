#include "pixmap/image_decoder.h"

#include <cstring>

namespace quardeln {
namespace {

ImageDecoder installed = nullptr;

bool StartsWith(const uint8_t* data, size_t size, const char* magic, size_t length) {
  return size >= length && std::memcmp(data, magic, length) == 0;
}

}  // namespace

std::optional<ImageFormat> SniffImageFormat(const uint8_t* data, size_t size) {
  if (StartsWith(data, size, "\x89PNG\r\n\x1a\n", 8)) return ImageFormat::Png;
  if (StartsWith(data, size, "BM", 2)) return ImageFormat::Bmp;
  if (StartsWith(data, size, "\0\0\1\0", 4)) return ImageFormat::Ico;
  if (StartsWith(data, size, "\xFF\xD8\xFF", 3)) return ImageFormat::Jpeg;
  if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6)) {
    return ImageFormat::Gif;
  }
  return std::nullopt;
}

bool ImageSizeAllowed(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return false;
  if (width > kMaxImageSide || height > kMaxImageSide) return false;
  return width * height <= kMaxImagePixels;
}

void InstallImageDecoder(ImageDecoder decoder) {
  installed = decoder;
}

ImageDecoder InstalledImageDecoder() {
  return installed;
}

}  // namespace quardeln
