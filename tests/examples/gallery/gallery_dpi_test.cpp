// The gallery's pages at the screen's DPI, built in-process into a window placed by its
// client area, with a status bar: every gadget's native rectangle is its rectangle in
// units times dpi / 96, and the text of every label, field and push button fits in its
// control. Runs at 96 in the usual prefix and at 144 in one of its own (TEMPRA_TEST_DPI).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "events/event.h"
#include "examples/gallery/gallery.h"
#include "gui/gui_driver.h"
#include "gui/platform.h"
#include "pixmap/platform.h"
#include "system/platform.h"
#include "system/system_driver.h"
#include "tests/gui/win32/dpi_test_support.h"
#include "tests/gui/win32/native_of.h"

namespace gallery {
namespace {

using namespace quardeln;
using quardeln::test::NativeOf;
using quardeln::test::PlacedRect;
using quardeln::test::PrefixDpi;
using quardeln::test::TextRoomNeeded;

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// Labels, fields and push buttons show their text on one line in their own font.
bool ShowsPlainText(HWND hwnd) {
  const std::wstring name = ClassOf(hwnd);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if (_wcsicmp(name.c_str(), L"Button") == 0) return (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
  if (_wcsicmp(name.c_str(), L"Edit") == 0) return (style & ES_MULTILINE) == 0;
  return _wcsicmp(name.c_str(), L"Static") == 0;
}

// A label wraps its text at its width; fields and buttons show one line.
void ExpectTextFits(HWND control, const std::string& name) {
  if (GetWindowTextLengthW(control) == 0) return;
  RECT client{};
  GetClientRect(control, &client);
  const auto margins = static_cast<DWORD>(SendMessageW(control, EM_GETMARGINS, 0, 0));
  const bool wraps = _wcsicmp(ClassOf(control).c_str(), L"Static") == 0;
  const RECT needed =
      TextRoomNeeded(control, wraps ? DT_WORDBREAK : DT_SINGLELINE, wraps ? client.right : 0);
  EXPECT_LE(needed.right, client.right - LOWORD(margins) - HIWORD(margins)) << name;
  EXPECT_LE(needed.bottom, client.bottom) << name;
}

// Every gadget below `group`, its rectangle and its text.
void ExpectKidsShownAt(const GadgetRef& group, const GadgetNames& names, double k) {
  for (const GadgetRef& kid : group->kids) {
    HWND hwnd = NativeOf(kid);
    if (!hwnd) continue;
    const std::u16string name16 = names.Of(kid);
    std::string name(name16.begin(), name16.end());
    if (name.empty()) {
      // Unnamed: by its text (ASCII in the gallery).
      wchar_t text[64] = {};
      const int length = GetWindowTextW(hwnd, text, 64);
      for (int i = 0; i < length; ++i) name.push_back(static_cast<char>(text[i]));
    }
    const RECT r = PlacedRect(hwnd);
    EXPECT_NEAR(r.left, GadgetLeft(kid) * k, 2) << name;
    EXPECT_NEAR(r.top, GadgetTop(kid) * k, 2) << name;
    EXPECT_NEAR(r.right - r.left, GadgetGetWidth(kid) * k, 2) << name;
    // A closed combo box is as tall as its font makes it, whatever it is given.
    if (ClassOf(hwnd).find(L"ComboBox") == std::wstring::npos) {
      EXPECT_NEAR(r.bottom - r.top, GadgetGetHeight(kid) * k, 2) << name;
    }
    if (ShowsPlainText(hwnd)) ExpectTextFits(hwnd, name);
    ExpectKidsShownAt(kid, names, k);
  }
}

uint32_t Shown(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

// The canvas's graphics measure it in units and draw on its pixels: a rectangle from unit
// 10 starts at pixel 10 k, and a fill of the whole canvas reaches its last pixel.
void ExpectCanvasDrawsInPixels(const GadgetRef& canvas, double k) {
  const GraphicsRef g = AsGraphics(CanvasGetGraphics(canvas));
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Width(), GadgetGetWidth(canvas));
  EXPECT_EQ(g->Height(), GadgetGetHeight(canvas));
  g->Clear(255, 255, 255);
  g->SetColor(255, 0, 0);
  g->FillRect(10, 10, 10, 10);
  g->Present();
  HWND hwnd = NativeOf(canvas);
  const int first = static_cast<int>(10 * k + 0.5);
  const int last = static_cast<int>(20 * k + 0.5) - 1;
  EXPECT_EQ(Shown(hwnd, first, first), RGB(255, 0, 0));
  EXPECT_EQ(Shown(hwnd, last, last), RGB(255, 0, 0));
  EXPECT_EQ(Shown(hwnd, first - 1, first), RGB(255, 255, 255));
  EXPECT_EQ(Shown(hwnd, last + 1, last), RGB(255, 255, 255));
  g->FillRect(0, 0, g->Width(), g->Height());
  g->Present();
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(Shown(hwnd, client.right - 1, client.bottom - 1), RGB(255, 0, 0));
}

TEST(GalleryDpi, EveryGadgetOfThePagesIsScaledAndItsTextFits) {
  StartEventsModule();
  StartPlatformSystem();
  InstallPlatformImageDecoder();
  StartGuiModule(CreatePlatformGuiDriver());
  GadgetNames names;
  GadgetRef window =
      NewWindow(u"Gallery at DPI", 20, 20, 640, 480, nullptr,
                WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_STATUS | WINDOW_CLIENTCOORDS);
  GadgetRef tabber = names.Add(NewTabber(8, 8, 624, 464, window), u"tabber");
  for (const char16_t* tab : {u"Lists", u"Text", u"Controls"}) {
    GadgetAddItem(tabber, tab, 0, -1, u"", NewText(tab));
  }
  const GadgetRef lists = BuildListsPage(tabber, nullptr, names).panel;
  const GadgetRef text = BuildTextPage(tabber, names).panel;
  const ControlsPage controls = BuildControlsPage(tabber, names);
  PumpSystemEvents();

  const double k = PrefixDpi() / 96.0;
  RECT client{};
  GetClientRect(NativeOf(window), &client);
  EXPECT_NEAR(client.right, 640 * k, 2);
  EXPECT_EQ(GadgetClientWidth(window), 640);
  ExpectKidsShownAt(window, names, k);
  // The canvas's page alone on show, as the gallery shows it.
  GadgetHide(lists);
  GadgetHide(text);
  PumpSystemEvents();
  ExpectCanvasDrawsInPixels(controls.canvas, k);
  GadgetFree(window);
  PumpSystemEvents();
}

}  // namespace
}  // namespace gallery
