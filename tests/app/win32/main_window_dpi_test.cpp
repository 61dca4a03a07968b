// The main window at the screen's DPI, built in-process as tempra.exe builds it: every
// native rectangle is the gadget's rectangle in units times dpi / 96, the field fonts have
// the same physical size at every DPI, every field's, label's and button's text fits in
// its control, and a live window told of a new DPI (WM_DPICHANGED) takes the new DPI over.
// Runs at 96 in the usual prefix and at 144 and 192 in one of its own, whose DPI
// TEMPRA_TEST_DPI names.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "app/win32/windows_platform.h"
#include "gui/api.h"
#include "system/system_driver.h"
#include "tests/gui/win32/dpi_test_support.h"
#include "tests/gui/win32/native_of.h"

namespace tempra {
namespace {

using namespace quardeln;
using quardeln::test::NativeOf;
using quardeln::test::PlacedRect;
using quardeln::test::PrefixDpi;
using quardeln::test::TextRoomNeeded;

UINT DpiOf(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto forWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return forWindow ? forWindow(hwnd) : 96;
}

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

class MainWindowDpiTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { StartModules(); }

  void SetUp() override { w_ = BuildMainWindow(time_, platform_); }
  void TearDown() override {
    GadgetFree(w_.mainWindow);
    PumpSystemEvents();
  }

  std::vector<std::pair<const char*, GadgetRef>> Gadgets() const {
    return {{"alarmPanel", w_.alarmPanel},
            {"nowPanel", w_.nowPanel},
            {"alarmHoursField", w_.alarmHoursField},
            {"alarmMinutesField", w_.alarmMinutesField},
            {"alarmSecondsField", w_.alarmSecondsField},
            {"nowHoursField", w_.nowHoursField},
            {"nowMinutesField", w_.nowMinutesField},
            {"nowSecondsField", w_.nowSecondsField},
            {"hoursStepper", w_.hoursStepper},
            {"minutesStepper", w_.minutesStepper},
            {"secondsStepper", w_.secondsStepper},
            {"nowLabel", w_.nowLabel},
            {"hoursLabel", w_.hoursLabel},
            {"minutesLabel", w_.minutesLabel},
            {"secondsLabel", w_.secondsLabel},
            {"alarmLabel", w_.alarmLabel},
            {"activateButton", w_.activateButton},
            {"helpButton", w_.helpButton},
            {"donateButton", w_.donateButton},
            {"exitButton", w_.exitButton}};
  }

  // The whole window as it must look at `dpi`.
  void ExpectShownAt(int32_t dpi) {
    const double k = dpi / 96.0;
    const RECT frame = PlacedRect(NativeOf(w_.mainWindow));
    EXPECT_NEAR(frame.left, 287 * k, 3);
    EXPECT_NEAR(frame.top, 229 * k, 3);
    EXPECT_NEAR(frame.right - frame.left, 395 * k, 3);
    EXPECT_NEAR(frame.bottom - frame.top, 300 * k, 3);
    for (const auto& [name, gadget] : Gadgets()) {
      const RECT r = PlacedRect(NativeOf(gadget));
      EXPECT_NEAR(r.left, GadgetLeft(gadget) * k, 2) << name;
      EXPECT_NEAR(r.top, GadgetTop(gadget) * k, 2) << name;
      EXPECT_NEAR(r.right - r.left, GadgetGetWidth(gadget) * k, 2) << name;
      EXPECT_NEAR(r.bottom - r.top, GadgetGetHeight(gadget) * k, 2) << name;
    }
    // 14 points, bold: 18 pixels at 96, the same physical size on every screen.
    for (const GadgetRef& field : {w_.alarmHoursField, w_.nowSecondsField}) {
      EXPECT_NEAR(FontHeight(NativeOf(field)), -18 * k, 0.5);
    }
    ExpectTextsFit();
  }

  void ExpectTextsFit() {
    for (const auto& [name, gadget] : Gadgets()) {
      if (gadget == w_.alarmPanel || gadget == w_.nowPanel || GadgetGetText(gadget).empty()) {
        continue;
      }
      HWND control = NativeOf(gadget);
      RECT client{};
      GetClientRect(control, &client);
      const auto margins = static_cast<DWORD>(SendMessageW(control, EM_GETMARGINS, 0, 0));
      const RECT text = TextRoomNeeded(control, DT_SINGLELINE);
      EXPECT_LE(text.right, client.right - LOWORD(margins) - HIWORD(margins))
          << name << ": client " << client.right << ", margins " << LOWORD(margins) << " and "
          << HIWORD(margins);
      EXPECT_LE(text.bottom, client.bottom) << name;
    }
  }

  AlarmTime time_;
  WindowsAppPlatform platform_;
  MainWindow w_;
};

TEST_F(MainWindowDpiTest, EveryGadgetIsScaledToTheScreensDpiAndItsTextFits) {
  const int32_t dpi = PrefixDpi();
  ASSERT_EQ(DpiOf(NativeOf(w_.mainWindow)), static_cast<UINT>(dpi)) << "the prefix's LogPixels";
  // The program sees its own numbers, whatever the screen.
  EXPECT_EQ(GadgetGetWidth(w_.mainWindow), 395);
  EXPECT_EQ(GadgetClientWidth(w_.alarmPanel), 85 - 8);
  ExpectShownAt(dpi);
}

TEST_F(MainWindowDpiTest, AWindowToldOfANewDpiRescalesEveryGadgetAndFont) {
  if (PrefixDpi() != 96) GTEST_SKIP() << "moves a window from 96 to 144 dpi";
  HWND main = NativeOf(w_.mainWindow);
  RECT suggested{287 * 3 / 2, 229 * 3 / 2, (287 + 395) * 3 / 2, (229 + 300) * 3 / 2};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  PumpSystemEvents();
  EXPECT_EQ(GadgetLeft(w_.mainWindow), 287);
  EXPECT_EQ(GadgetGetWidth(w_.mainWindow), 395);
  ExpectShownAt(144);
  // The labels' default font grew with them.
  EXPECT_LT(FontHeight(NativeOf(w_.nowLabel)), -11);
}

}  // namespace
}  // namespace tempra
