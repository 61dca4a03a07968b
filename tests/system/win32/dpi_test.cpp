// Units of 1/96 inch against pixels: exact at 96, halves rounded away from zero (left of
// the primary screen too), and a value taken to pixels and back is the value given.
#include <gtest/gtest.h>

#include "system/win32/win32_dpi.h"

namespace quardeln {
namespace {

TEST(Dpi, UnitsGoToPixelsAndBackUnchanged) {
  for (int32_t units : {0, 1, 17, 155, 287, -1, -287, 32767}) {
    EXPECT_EQ(ToNative(units, 96), units);
    EXPECT_EQ(FromNative(units, 96), units);
    for (int32_t dpi : {120, 144, 168, 192, 288}) {
      EXPECT_EQ(FromNative(ToNative(units, dpi), dpi), units) << units << " at " << dpi;
    }
  }
  EXPECT_EQ(ToNative(155, 144), 233);  // 232.5
  EXPECT_EQ(ToNative(-155, 144), -233);
  EXPECT_EQ(FromNative(233, 144), 155);  // 155.33
}

}  // namespace
}  // namespace quardeln
