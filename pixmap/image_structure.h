// Cheap checks, before any decoder runs, that the data a file's headers announce is all
// there. Progressive decoders give the part of an image before a cut as if it were the
// whole; these checks turn a cut file into none on every platform. Only what the headers
// pin down is checked: compressed data, and most sizes over the caps, are the decoder's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixmap/image_decoder.h"

namespace quardeln {

// PNG: IHDR first with a size within the caps, then every chunk whole up to IEND. The
// size is checked here already because some decoders (Wine's WIC) allocate the whole
// image as soon as they have read the header.
bool PngStructureSound(const uint8_t* data, size_t size);

// BMP file: the uncompressed rows its header announces are all inside the file.
bool BmpFileComplete(const uint8_t* data, size_t size);

// An icon file's bitmap image (header, palette, colour rows, then the mask): its header,
// palette and colour rows are there. A short mask only costs transparency.
bool IconBitmapComplete(const uint8_t* image, size_t length);

// The check above for `format`; true for formats whose decoders see cuts themselves.
bool StructureSound(ImageFormat format, const uint8_t* data, size_t size);

}  // namespace quardeln
