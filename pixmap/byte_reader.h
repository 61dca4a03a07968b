// Little- and big-endian numbers read from file bytes, for the header checks of the image
// formats. The caller has checked that the bytes are there.
#pragma once

#include <cstdint>

namespace quardeln {

inline uint32_t ReadLe16(const uint8_t* p) {
  return p[0] | uint32_t{p[1]} << 8;
}

inline uint32_t ReadLe32(const uint8_t* p) {
  return ReadLe16(p) | ReadLe16(p + 2) << 16;
}

inline uint32_t ReadBe32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

}  // namespace quardeln
