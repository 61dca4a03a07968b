// The picture decoders of the native build on any bytes: LoadPixmapFromMemory with the
// platform's decoder (gdk-pixbuf) installed. Whatever the bytes, the answer is null or a
// pixmap within the size caps whose first and last pixels can be read.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "pixmap/image_decoder.h"
#include "pixmap/image_file.h"
#include "pixmap/platform.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quardeln::InstallPlatformImageDecoder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quardeln;
  using fuzz::Check;
  const PixmapRef pixmap = LoadPixmapFromMemory(data, size);
  if (!pixmap) return 0;
  const int32_t w = pixmap->Width();
  const int32_t h = pixmap->Height();
  Check(ImageSizeAllowed(w, h), "a decoded picture is within the size caps");
  Check(pixmap->Format() >= PF_I8 && pixmap->Format() <= PF_BGRA8888,
        "a decoded picture has a pixel format");
  // Under the address sanitizer a pixel outside the pixmap's memory ends the run.
  pixmap->ReadPixel(0, 0);
  pixmap->ReadPixel(w - 1, h - 1);
  return 0;
}
