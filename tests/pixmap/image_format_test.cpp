#include "pixmap/image_decoder.h"

#include <gtest/gtest.h>

#include <string>

namespace quardeln {
namespace {

std::optional<ImageFormat> Sniff(const std::string& bytes) {
  return SniffImageFormat(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(ImageFormat, MagicBytesNameTheFormat) {
  using namespace std::string_literals;
  EXPECT_EQ(Sniff("\x89PNG\r\n\x1a\n rest"s), ImageFormat::Png);
  EXPECT_EQ(Sniff("BM"s), ImageFormat::Bmp);
  EXPECT_EQ(Sniff("\0\0\1\0\1\0"s), ImageFormat::Ico);
  EXPECT_EQ(Sniff("\xFF\xD8\xFF\xE0"s), ImageFormat::Jpeg);
  EXPECT_EQ(Sniff("GIF87a"s), ImageFormat::Gif);
  EXPECT_EQ(Sniff("GIF89a"s), ImageFormat::Gif);

  EXPECT_EQ(Sniff("\x89PNG\r\n\x1a"s), std::nullopt);  // cut short
  EXPECT_EQ(Sniff("\0\0\2\0\1\0"s), std::nullopt);     // a cursor file
  EXPECT_EQ(Sniff("GIF88a"s), std::nullopt);
  EXPECT_EQ(Sniff("B"s), std::nullopt);
  EXPECT_EQ(Sniff(""s), std::nullopt);
}

TEST(ImageFormat, CapsBoundEachSideAndThePixelCount) {
  EXPECT_TRUE(ImageSizeAllowed(1, 1));
  EXPECT_TRUE(ImageSizeAllowed(16384, 2048));  // exactly 1 << 25 pixels
  EXPECT_TRUE(ImageSizeAllowed(1, 16384));
  EXPECT_FALSE(ImageSizeAllowed(16384, 2049));
  EXPECT_FALSE(ImageSizeAllowed(8193, 4096));
  EXPECT_FALSE(ImageSizeAllowed(16385, 1));
  EXPECT_FALSE(ImageSizeAllowed(1, 16385));
  EXPECT_FALSE(ImageSizeAllowed(0, 5));
  EXPECT_FALSE(ImageSizeAllowed(5, -1));
  EXPECT_FALSE(ImageSizeAllowed(int64_t{1} << 40, int64_t{1} << 40));
}

}  // namespace
}  // namespace quardeln
