// The platform seam of image decoding: each platform's decoder library has one start-up
// file that defines this function (WIC in pixmap/win32/start.cpp, gdk-pixbuf in
// pixmap/native/start.cpp). Program start-up calls it once; portable code names no platform.
#pragma once

namespace quardeln {

// Installs the platform's image decoder (InstallImageDecoder).
void InstallPlatformImageDecoder();

}  // namespace quardeln
