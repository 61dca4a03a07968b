// The committed test images (tests/pixmap/images, made by scripts/make-test-images.py),
// found through TEMPRA_TEST_IMAGES, the folder's path that the build passes in, and the
// pixels the script drew into them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text.h"

namespace quardeln::test {

inline std::u16string TestImagePath(std::string_view name) {
  std::string path = std::string(TEMPRA_TEST_IMAGES) + "/" + std::string(name);
#ifdef _WIN32
  // Under Wine the Unix file system is drive Z:.
  if (path.front() == '/') path = "Z:" + path;
#endif
  return FromUtf8(path);
}

// The icon images' pattern: every pixel different, the top-left one fully transparent.
inline uint32_t IconPatternPixel(int32_t x, int32_t y) {
  if (x == 0 && y == 0) return 0;
  return 0xFF0000C8u | static_cast<uint32_t>(16 * x) << 16 | static_cast<uint32_t>(16 * y) << 8;
}

}  // namespace quardeln::test
