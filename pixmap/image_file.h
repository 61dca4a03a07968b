// Pixmaps from image files (PNG, BMP, ICO, JPEG, GIF) and from their bytes in memory.
// The result is a pixmap within the caps of pixmap/image_decoder.h or null: a missing,
// damaged or absurd file costs at most reading kMaxImageFileBytes, never a crash. An
// image whose alpha is opaque everywhere comes back without alpha, so HasAlpha means
// real transparency. Without an installed decoder nothing loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "pixmap/pixmap.h"

namespace quardeln {

PixmapRef LoadPixmapFromMemory(const uint8_t* data, size_t size);

// `path` as the platform names files; a relative path is taken from the current directory.
PixmapRef LoadPixmapFromFile(const std::u16string& path);

}  // namespace quardeln
