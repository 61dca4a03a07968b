// Image decoding with the Windows Imaging Component. Each image goes to the decoder of
// the one container format our sniffing named; the first frame's size is checked against
// the caps before any pixels are made. Every COM interface is held by a TComRef, and COM
// is started for the calling thread only when it is not yet, then left as it was found.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixmap/image_decoder.h"

namespace quardeln {

// An ImageDecoder: BGRA pixmaps (alpha not premultiplied), whatever the file's own format.
PixmapRef DecodeWithWic(const uint8_t* data, size_t size, ImageFormat format);

}  // namespace quardeln
