// Smooth scaling of pictures, for screens of another DPI than the one they were drawn for.
#pragma once

#include <cstdint>

#include "pixmap/pixmap.h"

namespace quardeln {

// A copy of `source` at `width` x `height` in the source's format, each pixel interpolated
// from its four nearest source pixels (bilinear, on premultiplied colours, so transparent
// pixels lend no colour to their neighbours). Null for a size below 1 or an empty source.
PixmapRef ScalePixmap(const TPixmap& source, int32_t width, int32_t height);

// A strip of square icons side by side, each scaled on its own to `size` x `size`, so no
// icon bleeds into the next. Null when the strip holds no whole icon or size is below 1.
PixmapRef ScaleIconStrip(const TPixmap& strip, int32_t size);

}  // namespace quardeln
