#include "pixmap/win32/wic_decoder.h"

#include "runtime/win32/native_owner.h"
//
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "pixmap/image_file.h"
#include "tests/pixmap/test_images.h"

namespace quardeln {
namespace {

using test::TestImagePath;

// Runs `work` on a thread of its own, as a caller in another apartment would; a thread
// that has not finished after 20 s ends the program, since no test may hang.
template <typename Work>
auto OnNewThread(Work work) {
  std::packaged_task<decltype(work())()> task(std::move(work));
  auto result = task.get_future();
  std::thread thread(std::move(task));
  if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    std::fprintf(stderr, "watchdog: a decode on its own thread did not finish within 20 s\n");
    std::fflush(stderr);
    std::_Exit(124);
  }
  thread.join();
  return result.get();
}

bool Decodes() {
  return LoadPixmapFromFile(TestImagePath("alpha.png")) != nullptr;
}

class WicDecoder : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallImageDecoder(&DecodeWithWic);
    liveBefore_ = LiveNativeCount(NativeKind::kComInterface);
  }
  // Good files or bad, every interface the decoder took has been released.
  void TearDown() override { EXPECT_EQ(LiveNativeCount(NativeKind::kComInterface), liveBefore_); }

 private:
  int64_t liveBefore_ = 0;
};

TEST_F(WicDecoder, StartsComOnlyForTheDecodeOnAFreshThread) {
  const HRESULT after = OnNewThread([] {
    EXPECT_TRUE(Decodes());
    // Left uninitialised: the thread may still choose the multithreaded apartment.
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result)) CoUninitialize();
    return result;
  });
  EXPECT_EQ(after, S_OK);
}

TEST_F(WicDecoder, DecodesInTheApartmentTheThreadAlreadyHas) {
  const HRESULT inMultithreaded = OnNewThread([] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_TRUE(Decodes());
    // Still in the multithreaded apartment.
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    CoUninitialize();
    CoUninitialize();
    return result;
  });
  EXPECT_EQ(inMultithreaded, S_FALSE);

  const HRESULT inSingleThreaded = OnNewThread([] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_TRUE(Decodes());
    // The decode's own start was balanced, the thread's is still there.
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CoUninitialize();
    CoUninitialize();
    return result;
  });
  EXPECT_EQ(inSingleThreaded, S_FALSE);
}

TEST_F(WicDecoder, BadFilesReleaseWhatTheyTook) {
  for (const char* name : {"truncated.png", "corrupt.png", "huge.png", "huge.bmp"}) {
    EXPECT_EQ(LoadPixmapFromFile(TestImagePath(name)), nullptr) << name;
  }
}

}  // namespace
}  // namespace quardeln
