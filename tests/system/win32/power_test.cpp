// Wake requests on a real waitable timer: due at the given instant of the system's UTC
// clock, and cancelled and closed when the request goes.
#include <gtest/gtest.h>

#include <ctime>

#include "runtime/win32/native_owner.h"
#include "system/system_driver.h"
#include "system/win32/win32_power.h"
#include "win32_test_support.h"

namespace quardeln::win32test {
namespace {

constexpr DWORD kSlackMs = 1500;

// The same timer, reachable after the request has closed its own handle.
UniqueKernelObject Duplicate(HANDLE timer) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), timer, GetCurrentProcess(), &copy, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return UniqueKernelObject(copy);
}

TEST_F(Win32Test, AWakeRequestIsDueAtItsInstantAndGoesWithItsHolder) {
  const int64_t handles = LiveNativeCount(NativeKind::kKernelObject);
  // Whole seconds: the next one starts within a second, so due in one to two seconds.
  ObjectRef wake = WakeSystemAt(std::time(nullptr) + 2);
  auto* timer = dynamic_cast<TWin32WakeTimer*>(wake.get());
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(WaitForSingleObject(timer->Timer(), 900), static_cast<DWORD>(WAIT_TIMEOUT))
      << "due too early: an interval, or the wrong epoch";
  EXPECT_EQ(WaitForSingleObject(timer->Timer(), 2000 + kSlackMs), WAIT_OBJECT_0);

  ObjectRef later = WakeSystemAt(std::time(nullptr) + 2);
  UniqueKernelObject watch = Duplicate(dynamic_cast<TWin32WakeTimer&>(*later).Timer());
  later.reset();
  EXPECT_EQ(WaitForSingleObject(watch.get(), 3000 + kSlackMs), static_cast<DWORD>(WAIT_TIMEOUT))
      << "a withdrawn request still fired";
  watch.reset();
  wake.reset();
  EXPECT_EQ(LiveNativeCount(NativeKind::kKernelObject), handles);
  EXPECT_NE(KeepSystemAwake(), 0);
}

}  // namespace
}  // namespace quardeln::win32test
