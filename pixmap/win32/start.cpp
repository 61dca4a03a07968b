// The Windows platform's image decoder: the Windows Imaging Component.
#include "pixmap/platform.h"
#include "pixmap/win32/wic_decoder.h"

namespace quardeln {

void InstallPlatformImageDecoder() {
  InstallImageDecoder(&DecodeWithWic);
}

}  // namespace quardeln
