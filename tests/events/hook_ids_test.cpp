// The id pool is process-wide and cannot be refilled, so this runs in a program of its own.
#include <gtest/gtest.h>

#include "events/hooks.h"
#include "runtime/error.h"

namespace quardeln {
namespace {

TEST(HookIds, RunOutAfter255) {
  int32_t previous = NewHookId();
  EXPECT_EQ(previous, 0);
  while (previous < 255) {
    int32_t next = NewHookId();
    EXPECT_EQ(next, previous + 1);
    previous = next;
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      NewHookId();
      FAIL() << "id past 255 handed out";
    } catch (const RuntimeError& error) {
      EXPECT_STREQ(error.what(), "Too many hook ids");
    }
  }
}

}  // namespace
}  // namespace quardeln
