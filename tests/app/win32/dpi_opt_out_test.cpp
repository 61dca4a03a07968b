// A program that keeps the system's scaling (KeepSystemDpiScaling before the driver
// starts) is placed in pixels as given, whatever the screen's DPI: run at 144 dpi.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/main_window.h"
#include "app/program.h"
#include "app/win32/windows_platform.h"
#include "gui/api.h"
#include "gui/platform.h"

namespace tempra {
namespace {

using namespace quardeln;

RECT WindowRectOf(const GadgetRef& gadget) {
  RECT rect{};
  GetWindowRect(reinterpret_cast<HWND>(GadgetQuery(gadget, QUERY_NATIVE)), &rect);
  return rect;
}

TEST(DpiOptOut, AProgramKeepingTheSystemsScalingIsPlacedInItsOwnPixels) {
  KeepSystemDpiScaling();
  StartModules();
  AlarmTime time;
  WindowsAppPlatform platform;
  const MainWindow w = BuildMainWindow(time, platform);
  const RECT frame = WindowRectOf(w.mainWindow);
  EXPECT_EQ(frame.left, 287);
  EXPECT_EQ(frame.right - frame.left, 395);
  const RECT panel = WindowRectOf(w.alarmPanel);
  EXPECT_EQ(panel.right - panel.left, 85);
  EXPECT_EQ(panel.bottom - panel.top, 225);
  GadgetFree(w.mainWindow);
}

}  // namespace
}  // namespace tempra
