// The native platform's image decoder: gdk-pixbuf.
#include "pixmap/native/pixbuf_decoder.h"
#include "pixmap/platform.h"

namespace quardeln {

void InstallPlatformImageDecoder() {
  InstallImageDecoder(&DecodeWithPixbuf);
}

}  // namespace quardeln
