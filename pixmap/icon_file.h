// Choosing the image of an icon file to show: the largest, and of equal sizes the
// deepest. Only the directory and each image's own header are read here; the pixels are
// the platform decoder's, which gets the chosen PNG or an icon file holding just the
// chosen bitmap, so every platform shows the same image. Images over the caps are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "pixmap/image_decoder.h"

namespace quardeln {

struct TIconImage {
  ImageFormat format = ImageFormat::Ico;  // Png, or Ico for an icon file of one bitmap
  std::vector<uint8_t> bytes;
};

// The image to decode from the icon file `data`; none when its directory is damaged or
// no image in it is usable.
std::optional<TIconImage> PickIconImage(const uint8_t* data, size_t size);

}  // namespace quardeln
