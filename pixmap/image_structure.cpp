#include "pixmap/image_structure.h"

#include <cstdlib>
#include <cstring>
#include <optional>

#include "pixmap/byte_reader.h"

namespace quardeln {
namespace {

constexpr size_t kPngSignatureSize = 8;
constexpr size_t kChunkOverhead = 12;  // length, type, checksum
constexpr size_t kPngSizeBytes = 8;    // width and height, first in IHDR
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;
constexpr uint32_t kMaxPaletteEntries = 256;

// Header sizes real bitmaps have: OS/2 core (12) and version 2 (16, 64), Windows 3 (40),
// its bit-field forms (52, 56), version 4 (108) and 5 (124).
bool KnownHeaderSize(size_t size) {
  for (size_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u}) {
    if (size == known) return true;
  }
  return false;
}

bool KnownDepth(uint32_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A palette no larger than the depth can index (and 256 entries at most for the deep
// ones, which may carry one for display): a decoder sizes its buffer by this number.
bool PaletteSound(uint32_t colours, uint32_t bits) {
  const uint32_t most = bits <= 8 ? uint32_t{1} << bits : kMaxPaletteEntries;
  return colours <= most;
}

bool CompressionSound(uint32_t compression, uint32_t bits) {
  switch (compression) {
    case kUncompressed:
      return true;
    case kRle8:
      return bits == 8;
    case kRle4:
      return bits == 4;
    case kBitFields:
    case kAlphaBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;  // a JPEG or PNG inside, or nothing known
  }
}

// What a bitmap's own header (after the file header, or at the start of an icon image)
// says of its uncompressed rows.
struct TBitmapLayout {
  size_t headerSize = 0;
  uint32_t bits = 0;       // per pixel
  uint32_t colours = 0;    // palette entries announced, 0 for all that `bits` allows
  uint64_t rowBytes = 0;   // every row's bytes, padding included
  bool checkable = false;  // uncompressed and within the caps
};

// An OS/2 core header has 16-bit sizes and no compression; the headers from 40 bytes up
// share their first 40, and the short OS/2 one (16) its first 16. A header that no real
// bitmap has (an unknown size, several planes, an odd depth, a palette larger than the
// depth indexes, an unknown compression) is refused: decoders trust these fields when
// they size their buffers.
std::optional<TBitmapLayout> ReadBitmapLayout(const uint8_t* header, size_t size,
                                              bool doubleHeight) {
  if (size < 4) return std::nullopt;
  TBitmapLayout layout;
  layout.headerSize = ReadLe32(header);
  if (!KnownHeaderSize(layout.headerSize) || layout.headerSize > size) return std::nullopt;
  const bool core = layout.headerSize == kCoreHeaderSize;
  const uint32_t planes = ReadLe16(header + (core ? 8 : 12));
  const uint32_t bits = ReadLe16(header + (core ? 10 : 14));
  if (planes != 1 || !KnownDepth(bits)) return std::nullopt;
  if (!core && layout.headerSize < kInfoHeaderSize) {
    layout.bits = bits;
    return layout;
  }
  const int64_t width = core ? ReadLe16(header + 4) : static_cast<int32_t>(ReadLe32(header + 4));
  int64_t height = core ? static_cast<int16_t>(ReadLe16(header + 6))
                        : static_cast<int32_t>(ReadLe32(header + 8));
  height = std::abs(height) / (doubleHeight ? 2 : 1);  // negative: rows run top down
  layout.bits = bits;
  const uint32_t compression = core ? kUncompressed : ReadLe32(header + 16);
  layout.colours = core ? 0 : ReadLe32(header + 32);
  if (!PaletteSound(layout.colours, bits) || !CompressionSound(compression, bits) ||
      !ImageSizeAllowed(width, height)) {
    return std::nullopt;
  }
  layout.checkable = compression != kRle8 && compression != kRle4;
  if (layout.checkable) {
    const uint64_t stride = (static_cast<uint64_t>(width) * layout.bits + 31) / 32 * 4;
    layout.rowBytes = stride * static_cast<uint64_t>(height);
  }
  return layout;
}

}  // namespace

bool PngStructureSound(const uint8_t* data, size_t size) {
  if (size < kPngSignatureSize + kChunkOverhead + kPngSizeBytes) return false;
  const uint8_t* header = data + kPngSignatureSize;
  if (std::memcmp(header + 4, "IHDR", 4) != 0 ||
      !ImageSizeAllowed(ReadBe32(header + 8), ReadBe32(header + 12))) {
    return false;
  }
  size_t at = kPngSignatureSize;
  while (size - at >= kChunkOverhead) {
    const uint64_t length = ReadBe32(data + at);
    const uint8_t* type = data + at + 4;
    if (length > size - at - kChunkOverhead) return false;
    if (std::memcmp(type, "IEND", 4) == 0) return true;
    at += kChunkOverhead + length;
  }
  return false;
}

bool BmpFileComplete(const uint8_t* data, size_t size) {
  if (size < kFileHeaderSize) return false;
  const uint64_t pixelsAt = ReadLe32(data + 10);
  const std::optional<TBitmapLayout> layout =
      ReadBitmapLayout(data + kFileHeaderSize, size - kFileHeaderSize, false);
  if (!layout || pixelsAt < kFileHeaderSize + layout->headerSize || pixelsAt > size) return false;
  return !layout->checkable || pixelsAt + layout->rowBytes <= size;
}

bool IconBitmapComplete(const uint8_t* image, size_t length) {
  const std::optional<TBitmapLayout> layout = ReadBitmapLayout(image, length, true);
  if (!layout) return false;
  if (!layout->checkable) return true;
  const uint64_t paletteEntries = layout->colours     ? layout->colours
                                  : layout->bits <= 8 ? uint64_t{1} << layout->bits
                                                      : 0;
  return layout->headerSize + 4 * paletteEntries + layout->rowBytes <= length;
}

bool StructureSound(ImageFormat format, const uint8_t* data, size_t size) {
  switch (format) {
    case ImageFormat::Png:
      return PngStructureSound(data, size);
    case ImageFormat::Bmp:
      return BmpFileComplete(data, size);
    default:
      return true;
  }
}

}  // namespace quardeln
