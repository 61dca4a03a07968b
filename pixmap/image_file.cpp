#include "pixmap/image_file.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <type_traits>
#include <vector>

#include "pixmap/icon_file.h"
#include "pixmap/image_decoder.h"
#include "pixmap/image_structure.h"
#include "runtime/text.h"

namespace quardeln {
namespace {

// The same byte order without the alpha byte; other formats stay as they are.
int32_t OpaqueFormat(int32_t format) {
  if (format == PF_BGRA8888) return PF_BGR888;
  if (format == PF_RGBA8888) return PF_RGB888;
  return format;
}

// For the four-byte formats, whose alpha is the last byte.
bool EveryPixelOpaque(const TPixmap& pixmap) {
  for (int32_t y = 0; y < pixmap.Height(); ++y) {
    const uint8_t* row = pixmap.PixelPtr(0, y);
    for (int32_t x = 0; x < pixmap.Width(); ++x) {
      if (row[4 * x + 3] != 0xFF) return false;
    }
  }
  return true;
}

PixmapRef WithoutOpaqueAlpha(PixmapRef pixmap) {
  const int32_t opaque = OpaqueFormat(pixmap->Format());
  if (opaque == pixmap->Format() || !EveryPixelOpaque(*pixmap)) return pixmap;
  return pixmap->Convert(opaque);
}

PixmapRef Decode(const uint8_t* data, size_t size, ImageFormat format) {
  const ImageDecoder decoder = InstalledImageDecoder();
  if (!decoder) return nullptr;
  PixmapRef pixmap = decoder(data, size, format);
  if (!pixmap || !ImageSizeAllowed(pixmap->Width(), pixmap->Height())) return nullptr;
  return WithoutOpaqueAlpha(std::move(pixmap));
}

// Windows names files in UTF-16 already; elsewhere names are bytes, by convention UTF-8.
std::filesystem::path FilePath(const std::u16string& name) {
  using Unit = std::filesystem::path::value_type;
  if constexpr (std::is_same_v<Unit, wchar_t> && sizeof(wchar_t) == sizeof(char16_t)) {
    return std::filesystem::path(std::wstring(name.begin(), name.end()));
  } else {
    return std::filesystem::path(ToUtf8(name));
  }
}

// The whole file, or none when it cannot be read or is empty. A file over the cap is
// refused on its size, before any of it is read; a special file has no size and is
// never opened, so a pipe cannot block the caller.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size == 0 || size > kMaxImageFileBytes) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  std::ifstream file(path, std::ios::binary);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

PixmapRef LoadPixmapFromMemory(const uint8_t* data, size_t size) {
  if (!data) return nullptr;
  const std::optional<ImageFormat> format = SniffImageFormat(data, size);
  if (!format) return nullptr;
  if (*format != ImageFormat::Ico) {
    return StructureSound(*format, data, size) ? Decode(data, size, *format) : nullptr;
  }
  const std::optional<TIconImage> image = PickIconImage(data, size);
  return image ? Decode(image->bytes.data(), image->bytes.size(), image->format) : nullptr;
}

PixmapRef LoadPixmapFromFile(const std::u16string& path) {
  // A name with a NUL in it would open the file its first part names.
  if (path.empty() || path.find(u'\0') != std::u16string::npos) return nullptr;
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(FilePath(path));
  return bytes ? LoadPixmapFromMemory(bytes->data(), bytes->size()) : nullptr;
}

}  // namespace quardeln
