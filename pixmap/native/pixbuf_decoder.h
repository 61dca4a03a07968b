// Image decoding with gdk-pixbuf, where there is no Windows. Each image goes to the
// loader of the one format our sniffing named, never to gdk-pixbuf's own detection, so
// no other loader sees the bytes; an image over the caps is stopped when the loader first
// knows its size, before it allocates pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixmap/image_decoder.h"

namespace quardeln {

// An ImageDecoder: RGB or RGBA pixmaps as gdk-pixbuf gives them (alpha not premultiplied).
PixmapRef DecodeWithPixbuf(const uint8_t* data, size_t size, ImageFormat format);

}  // namespace quardeln
