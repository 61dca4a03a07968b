#include "pixmap/icon_file.h"

#include <algorithm>
#include <cstring>

#include "pixmap/byte_reader.h"
#include "pixmap/image_structure.h"

namespace quardeln {
namespace {

constexpr size_t kDirectorySize = 6;  // reserved, type, count
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kPngHeaderEnd = 26;  // signature, IHDR length and type, size, depth, colour
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

struct TEntry {
  const uint8_t* directoryEntry = nullptr;
  const uint8_t* image = nullptr;
  size_t length = 0;
  bool png = false;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t depth = 0;  // bits per pixel
};

uint32_t PngChannels(uint8_t colourType) {
  switch (colourType) {
    case 0:  // grey
    case 3:  // palette
      return 1;
    case 4:  // grey and alpha
      return 2;
    case 2:
      return 3;
    case 6:
      return 4;
    default:
      return 0;
  }
}

// Size and depth come from the image's own header: the directory's are single bytes
// (0 standing for 256) and often wrong. An image cut short is not usable.
bool ReadImageHeader(TEntry& entry) {
  const uint8_t* p = entry.image;
  if (entry.length >= kPngHeaderEnd && std::memcmp(p, kPngSignature, 8) == 0) {
    entry.png = true;
    entry.width = ReadBe32(p + 16);
    entry.height = ReadBe32(p + 20);
    entry.depth = p[24] * PngChannels(p[25]);
    return PngStructureSound(p, entry.length);
  }
  if (entry.length < kInfoHeaderSize || ReadLe32(p) < kInfoHeaderSize) return false;
  // The height counts the colours and the mask, one above the other.
  entry.width = static_cast<int32_t>(ReadLe32(p + 4));
  entry.height = static_cast<int32_t>(ReadLe32(p + 8)) / 2;
  entry.depth = ReadLe16(p + 14);
  return IconBitmapComplete(p, entry.length);
}

std::optional<TEntry> ReadEntry(const uint8_t* data, size_t size, size_t index) {
  TEntry entry;
  entry.directoryEntry = data + kDirectorySize + index * kEntrySize;
  const size_t length = ReadLe32(entry.directoryEntry + 8);
  const size_t offset = ReadLe32(entry.directoryEntry + 12);
  if (offset > size || length > size - offset) return std::nullopt;
  entry.image = data + offset;
  entry.length = length;
  if (!ReadImageHeader(entry) || !ImageSizeAllowed(entry.width, entry.height)) {
    return std::nullopt;
  }
  return entry;
}

bool Better(const TEntry& a, const TEntry& b) {
  const int64_t areaA = a.width * a.height;
  const int64_t areaB = b.width * b.height;
  return areaA != areaB ? areaA > areaB : a.depth > b.depth;
}

// The chosen bitmap as an icon file of its own: a directory of one entry, then the image.
std::vector<uint8_t> SingleImageIcon(const TEntry& entry) {
  constexpr uint8_t kDirectory[kDirectorySize] = {0, 0, 1, 0, 1, 0};
  constexpr uint32_t kImageOffset = kDirectorySize + kEntrySize;
  std::vector<uint8_t> icon(kImageOffset + entry.length);
  std::copy_n(kDirectory, kDirectorySize, icon.begin());
  std::copy_n(entry.directoryEntry, kEntrySize, icon.begin() + kDirectorySize);
  for (size_t i = 0; i < 4; ++i) {
    icon[kDirectorySize + 12 + i] = static_cast<uint8_t>(kImageOffset >> (8 * i));
  }
  std::copy_n(entry.image, entry.length, icon.begin() + kImageOffset);
  return icon;
}

}  // namespace

std::optional<TIconImage> PickIconImage(const uint8_t* data, size_t size) {
  if (size < kDirectorySize || ReadLe16(data) != 0 || ReadLe16(data + 2) != 1) return std::nullopt;
  const size_t count = ReadLe16(data + 4);
  if (size < kDirectorySize + count * kEntrySize) return std::nullopt;
  std::optional<TEntry> best;
  for (size_t i = 0; i < count; ++i) {
    const std::optional<TEntry> entry = ReadEntry(data, size, i);
    if (entry && (!best || Better(*entry, *best))) best = entry;
  }
  if (!best) return std::nullopt;
  if (best->png) return TIconImage{ImageFormat::Png, {best->image, best->image + best->length}};
  return TIconImage{ImageFormat::Ico, SingleImageIcon(*best)};
}

}  // namespace quardeln
