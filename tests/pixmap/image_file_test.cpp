#include "pixmap/image_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "pixmap/image_decoder.h"
#include "pixmap/platform.h"
#include "tests/pixmap/test_images.h"

#if defined(__SANITIZE_ADDRESS__)
// An allocation a decoder makes for an absurd image fails the test run instead of
// passing unseen; the largest image within the caps needs 128 MiB.
extern "C" const char* __asan_default_options() {
  return "max_allocation_size_mb=256";
}
#endif

namespace quardeln {
namespace {

namespace fs = std::filesystem;
using test::IconPatternPixel;
using test::TestImagePath;

PixmapRef Load(std::string_view name) {
  return LoadPixmapFromFile(TestImagePath(name));
}

// Each row of `rows` gives one row of pixels as 0xAARRGGBB.
void ExpectPixels(const PixmapRef& pixmap, const std::vector<std::vector<uint32_t>>& rows) {
  ASSERT_NE(pixmap, nullptr);
  ASSERT_EQ(pixmap->Height(), static_cast<int32_t>(rows.size()));
  ASSERT_EQ(pixmap->Width(), static_cast<int32_t>(rows[0].size()));
  for (int32_t y = 0; y < pixmap->Height(); ++y) {
    for (int32_t x = 0; x < pixmap->Width(); ++x) {
      EXPECT_EQ(pixmap->ReadPixel(x, y), rows[y][x]) << "at " << x << "," << y;
    }
  }
}

void ExpectIconPattern(const PixmapRef& pixmap, int32_t width, int32_t height) {
  ASSERT_NE(pixmap, nullptr);
  ASSERT_EQ(pixmap->Width(), width);
  ASSERT_EQ(pixmap->Height(), height);
  EXPECT_TRUE(pixmap->HasAlpha());
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      EXPECT_EQ(pixmap->ReadPixel(x, y), IconPatternPixel(x, y)) << "at " << x << "," << y;
    }
  }
}

bool Opaque24Bit(const PixmapRef& pixmap) {
  return pixmap && !pixmap->HasAlpha() && BytesPerPixel(pixmap->Format()) == 3;
}

class ImageFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InstallPlatformImageDecoder();
    // Test programs run side by side (each test case, each build): a folder of its own.
    folder_ = fs::temp_directory_path() /
              ("quardeln-image-test-" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
  }
  static void TearDownTestSuite() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // A file of the test's own, holding `bytes`.
  static fs::path WriteFile(const fs::path& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string ReadImage(std::string_view name) {
    std::ifstream file(fs::path(TestImagePath(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  static inline fs::path folder_;
};

TEST_F(ImageFile, PngKeepsRealTransparencyAndDropsOpaqueAlpha) {
  const PixmapRef alpha = Load("alpha.png");
  ExpectPixels(alpha,
               {{0xFFFF0000u, 0x8000FF00u, 0x000000FFu}, {0xFF0A141Eu, 0xC828323Cu, 0xFF46505Au}});
  EXPECT_TRUE(alpha->HasAlpha());

  const PixmapRef opaque = Load("opaque.png");
  ExpectPixels(opaque, {{0xFFC86432u, 0xFF010203u}, {0xFFFAFBFCu, 0xFF000000u}});
  EXPECT_TRUE(Opaque24Bit(opaque));
}

TEST_F(ImageFile, BmpGifAndJpegGiveOpaquePixmaps) {
  const PixmapRef bmp = Load("colour.bmp");
  ExpectPixels(bmp,
               {{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu}, {0xFF112233u, 0xFF445566u, 0xFF778899u}});
  EXPECT_TRUE(Opaque24Bit(bmp));

  const PixmapRef gif = Load("palette.gif");
  ExpectPixels(gif,
               {{0xFF000000u, 0xFFFFFFFFu, 0xFFFF0000u}, {0xFF0000FFu, 0xFFFF0000u, 0xFFFFFFFFu}});
  EXPECT_TRUE(Opaque24Bit(gif));
  EXPECT_NE(Load("frame.gif"), nullptr);  // a frame smaller than the picture

  // One flat block of grey; decoders may round it by a step.
  const PixmapRef jpeg = Load("grey.jpg");
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->Width(), 8);
  EXPECT_EQ(jpeg->Height(), 8);
  EXPECT_TRUE(Opaque24Bit(jpeg));
  const uint32_t pixel = jpeg->ReadPixel(5, 3);
  for (int shift : {0, 8, 16}) EXPECT_NEAR((pixel >> shift) & 0xFF, 0x60, 1) << pixel;
}

TEST_F(ImageFile, IconGivesItsLargestThenDeepestImage) {
  ExpectIconPattern(Load("icon.ico"), 4, 4);      // the 4x4 32-bit one of four images
  ExpectIconPattern(Load("png-icon.ico"), 5, 3);  // a PNG inside the icon
  ExpectIconPattern(Load("mixed.ico"), 2, 2);     // the image over the caps passed over
}

TEST_F(ImageFile, DamagedOrAbsurdFilesGiveNull) {
  for (const char* name :
       {"truncated.png", "truncated.bmp", "corrupt.png", "bad-header.png", "corrupt.ico",
        "short.ico", "huge.png", "huge.bmp", "huge.ico", "huge-palette.bmp"}) {
    EXPECT_EQ(Load(name), nullptr) << name;
  }
  const std::string text = "plain text, no image";
  EXPECT_EQ(LoadPixmapFromMemory(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
            nullptr);
  EXPECT_EQ(LoadPixmapFromMemory(nullptr, 0), nullptr);
}

TEST_F(ImageFile, FilesThatCannotBeHadGiveNull) {
  EXPECT_EQ(Load("missing.png"), nullptr);
  EXPECT_EQ(LoadPixmapFromFile(TestImagePath("")), nullptr);  // the folder
  EXPECT_EQ(LoadPixmapFromFile(u""), nullptr);
  EXPECT_EQ(LoadPixmapFromFile(WriteFile("empty.png", "").u16string()), nullptr);
  // A good image up front, then more than the cap allows: refused unread.
  const fs::path large = WriteFile("large.png", ReadImage("alpha.png"));
  fs::resize_file(large, kMaxImageFileBytes + 1);
  EXPECT_EQ(LoadPixmapFromFile(large.u16string()), nullptr);
  // The name of a good file with a NUL and more after it.
  EXPECT_EQ(LoadPixmapFromFile(TestImagePath("alpha.png") + u'\0' + u"x"), nullptr);
}

TEST_F(ImageFile, PictureSourcesNameFilesInAnyCharacters) {
  const fs::path path = WriteFile(u8"perch\u00e9-\u56fe.png", ReadImage("opaque.png"));
  const PixmapRef pixmap = LoadPixmap(NewText(path.u16string()));
  ASSERT_NE(pixmap, nullptr);
  EXPECT_EQ(pixmap->ReadPixel(1, 0), 0xFF010203u);
}

TEST_F(ImageFile, NothingLoadsWithoutADecoder) {
  InstallImageDecoder(nullptr);
  EXPECT_EQ(Load("alpha.png"), nullptr);
  InstallPlatformImageDecoder();
  EXPECT_NE(Load("alpha.png"), nullptr);
}

}  // namespace
}  // namespace quardeln
