// The Windows platform seam of the reminder on real windows: the icon file in the
// current folder (missing, not an icon, a real icon), the topmost placement, and the
// taskbar flash when the system refuses the foreground.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "app/win32/windows_platform.h"

namespace tempra {
namespace {

constexpr char kIconFile[] = "vico.ico";

// A 16x16, 32-bit icon file with one image, all of it opaque blue.
std::vector<char> SmallIconFile() {
  constexpr int kSize = 16;
  const uint32_t pixels = kSize * kSize * 4;
  const uint32_t mask = kSize * 4;  // rows of 32 bits
  const uint32_t image = 40 + pixels + mask;
  std::vector<char> file;
  auto put = [&file](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
  };
  put(0, 2), put(1, 2), put(1, 2);                          // icon directory, one image
  put(kSize, 1), put(kSize, 1), put(0, 1), put(0, 1);       // size, no palette
  put(1, 2), put(32, 2), put(image, 4), put(6 + 16, 4);     // planes, bits, bytes, offset
  put(40, 4), put(kSize, 4), put(kSize * 2, 4), put(1, 2);  // bitmap header
  put(32, 2), put(0, 4), put(pixels + mask, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  for (int i = 0; i < kSize * kSize; ++i) put(0xff0000ffu, 4);  // BGRA
  for (uint32_t i = 0; i < mask; ++i) put(0, 1);
  return file;
}

void WriteFile(const char* name, const std::vector<char>& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A hidden top-level window of a plain class, in a folder of its own as current folder.
class WindowsPlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, previousFolder_);
    CreateDirectoryW(L"platform-test", nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(L"platform-test"));
    DeleteFileA(kIconFile);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &PlainProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TempraPlatformTest";
    RegisterClassW(&windowClass);  // fails harmlessly from the second case on
    window_ = CreateWindowExW(0, L"TempraPlatformTest", L"test", WS_OVERLAPPEDWINDOW, 10, 10, 200,
                              150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window_);
  }

  void TearDown() override {
    if (window_) DestroyWindow(window_);
    DeleteFileA(kIconFile);
    SetCurrentDirectoryW(previousFolder_);
  }

  quardeln::NativeHandle Handle() const {
    return reinterpret_cast<quardeln::NativeHandle>(window_);
  }
  LRESULT BigIcon() const { return SendMessageW(window_, WM_GETICON, ICON_BIG, 0); }

  WindowsAppPlatform platform_;
  HWND window_ = nullptr;
  wchar_t previousFolder_[MAX_PATH] = {};
};

TEST_F(WindowsPlatformTest, OnlyARealIconFileBecomesTheWindowsLargeIcon) {
  platform_.SetWindowIconFromFile(Handle(), u"vico.ico");
  EXPECT_EQ(BigIcon(), 0) << "no file, no icon";

  // The shell answers 1 for a file that is not an icon; that is no handle to set.
  WriteFile(kIconFile, std::vector<char>(300, 'x'));
  platform_.SetWindowIconFromFile(Handle(), u"vico.ico");
  EXPECT_EQ(BigIcon(), 0) << "not an icon, no icon";

  WriteFile(kIconFile, SmallIconFile());
  platform_.SetWindowIconFromFile(Handle(), u"vico.ico");
  const LRESULT icon = BigIcon();
  ASSERT_NE(icon, 0);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(icon), &info));
  EXPECT_TRUE(info.fIcon);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  // A later failed extraction leaves the icon the window has.
  DeleteFileA(kIconFile);
  platform_.SetWindowIconFromFile(Handle(), u"vico.ico");
  EXPECT_EQ(BigIcon(), icon);
}

TEST_F(WindowsPlatformTest, BringToFrontTopmostShowsThePlacedWindowOnTop) {
  ASSERT_FALSE(IsWindowVisible(window_));
  platform_.BringToFrontTopmost(Handle(), 40, 50, 300, 220);
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 220);
  EXPECT_EQ(GetForegroundWindow(), window_);
}

// A system with the foreground lock: the user works in another window, which keeps the
// foreground. Flash requests are recorded, and passed on so the real call runs too.
HWND g_userWindow = nullptr;
std::vector<FLASHWINFO> g_flashes;

BOOL WINAPI RefuseForeground(HWND) {
  return FALSE;
}
HWND WINAPI UserForeground() {
  return g_userWindow;
}
BOOL WINAPI RecordFlash(PFLASHWINFO info) {
  g_flashes.push_back(*info);
  return FlashWindowEx(info);
}

TEST_F(WindowsPlatformTest, ARefusedForegroundFlashesTheTaskbarButtonUntilTheUserComes) {
  g_flashes.clear();
  WindowsAppPlatform granted(
      ForegroundCalls{&SetForegroundWindow, &GetForegroundWindow, &RecordFlash});
  granted.BringToFrontTopmost(Handle(), 40, 50, 300, 220);
  EXPECT_TRUE(g_flashes.empty()) << "the window came to the foreground: nothing to flash";

  g_userWindow = GetDesktopWindow();
  WindowsAppPlatform locked(ForegroundCalls{&RefuseForeground, &UserForeground, &RecordFlash});
  locked.BringToFrontTopmost(Handle(), 40, 50, 300, 220);
  ASSERT_EQ(g_flashes.size(), 1u);
  EXPECT_EQ(g_flashes[0].hwnd, window_);
  EXPECT_EQ(g_flashes[0].dwFlags, static_cast<DWORD>(FLASHW_ALL | FLASHW_TIMERNOFG));
  EXPECT_EQ(g_flashes[0].cbSize, sizeof(FLASHWINFO));
  EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "topmost all the same";
}

}  // namespace
}  // namespace tempra
