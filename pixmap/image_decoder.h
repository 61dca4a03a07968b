// The seam between portable image loading and the platform's image decoder. Portable
// code recognises the format and enforces the caps; the one installed decoder turns the
// bytes of a recognised format into pixels. A decoder asks ImageSizeAllowed with the
// image's dimensions before it allocates any pixels. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "pixmap/pixmap.h"

namespace quardeln {

enum class ImageFormat { Png, Bmp, Ico, Jpeg, Gif };

// The format the leading bytes announce; none when they announce none of ours.
std::optional<ImageFormat> SniffImageFormat(const uint8_t* data, size_t size);

// Caps that keep a hostile file from costing more than a few hundred MiB.
inline constexpr size_t kMaxImageFileBytes = size_t{64} << 20;
inline constexpr int64_t kMaxImageSide = 16384;
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 25;

// Whether an image of this size may be decoded: both sides positive and within the caps.
bool ImageSizeAllowed(int64_t width, int64_t height);

// Decodes one image of `format` (for an icon file: one holding a single image); null
// when the bytes do not decode or the size is refused.
using ImageDecoder = PixmapRef (*)(const uint8_t* data, size_t size, ImageFormat format);

// Makes `decoder` the one that image loading uses; null leaves files undecodable.
void InstallImageDecoder(ImageDecoder decoder);
ImageDecoder InstalledImageDecoder();

}  // namespace quardeln
