// Nothing native outlives its gadget: a window filled with a gadget of every class, each
// carrying what it can (pictures, a font, tooltips, hot keys, items, icon strips, nodes,
// menus with pictures and shortcuts), is made and ended by freeing the window, a few
// hundred times (a canvas's graphics kept beyond it, as a program may keep them).
// Afterwards every live count is where it started, the handle map holds
// no more windows than before, and the handles recorded on the way report deleted.
#include <utility>
#include <vector>

#include "gui/api.h"
#include "gui/hotkey.h"
#include "gui/win32/windows_button.h"
#include "gui/win32/windows_font.h"
#include "gui/win32/windows_icon_strip.h"
#include "gui/win32/windows_menu.h"
#include "gui/win32/windows_panel.h"
#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

constexpr int kCycles = 200;

PixmapRef Picture(int32_t w, int32_t h) {
  PixmapRef pixmap = TPixmap::Create(w, h, PF_BGRA8888);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x)
      pixmap->WritePixel(x, y, x % 16 < 8 ? 0xFF3366CCu : 0x80FFFFFFu);
  }
  return pixmap;
}

struct LiveCounts {
  std::vector<int64_t> kinds;
  size_t windows = 0;

  static LiveCounts Now() {
    LiveCounts counts;
    for (int kind = 0; kind < static_cast<int>(NativeKind::kCount); ++kind) {
      counts.kinds.push_back(LiveNativeCount(static_cast<NativeKind>(kind)));
    }
    counts.windows = HwndMap.size();
    return counts;
  }
};

// Handles made during the cycles, checked once everything has gone.
struct Recorded {
  std::vector<HGDIOBJ> gdiObjects;
  std::vector<HMENU> menus;
  std::vector<HWND> windows;
  std::vector<int32_t> menuKeys;
  // Kept past the window, as a program may: its buffer must still go with the canvas.
  GraphicsRef canvasGraphics;
};

// A hidden window with everything in it; the window is returned, every other reference
// is dropped before returning.
GadgetRef FilledWindow(Recorded& recorded) {
  GadgetRef window =
      NewWindow(u"leak", 10, 10, 500, 400, nullptr,
                WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_MENU | WINDOW_STATUS | WINDOW_HIDDEN);
  GadgetSetPixmap(window, Picture(16, 16), GADGETPIXMAP_ICON);
  WindowSetStatus(window, u"status");
  const FontRef font = GuiFontLoad(u"Arial", 11, 1, 0, 0);
  recorded.gdiObjects.push_back(std::static_pointer_cast<TWindowsFont>(font)->Native());
  const IconStripRef strip = IconStripLoad(Picture(48, 16));
  recorded.windows.push_back(reinterpret_cast<HWND>(GadgetQuery(window, QUERY_NATIVE)));

  GadgetRef panel = NewPanel(0, 0, 500, 300, window, PANEL_SUNKEN, u"");
  PanelSetColour(panel, 200, 220, 240);
  PanelSetPixmap(panel, Picture(32, 32), 0);
  recorded.gdiObjects.push_back(std::static_pointer_cast<TWindowsPanel>(panel)->Picture());
  GadgetRef group = NewPanel(5, 5, 200, 120, panel, PANEL_GROUP, u"Group");
  GadgetRef canvas = NewCanvas(210, 5, 60, 60, panel, 0);
  recorded.canvasGraphics = AsGraphics(CanvasGetGraphics(canvas));
  TGraphics& g = *recorded.canvasGraphics;
  g.SetFont(font);
  g.DrawString(u"text", 0, 0);
  g.SetAlpha(0.5f);  // through the blending surface
  g.FillOval(0, 0, 30, 30);
  g.DrawPixmap(Picture(8, 8), 5, 5, 20, 20);
  g.Present();

  GadgetRef button = NewButton(u"Button", 5, 5, 100, 24, group, BUTTON_PUSH);
  GadgetSetPixmap(button, Picture(16, 16), GADGETPIXMAP_ICON);
  GadgetSetFont(button, font);
  GadgetSetTip(button, u"tip");
  GadgetSetHotKey(button, 'B', ModControl);
  GadgetRef label = NewLabel(u"Label", 5, 35, 100, 20, group, 2);
  GadgetSetFont(label, font);
  GadgetSetTextColour(label, 200, 0, 0);
  GadgetRef field = NewTextField(5, 60, 100, 20, group, 0);
  GadgetSetColour(field, 255, 255, 200, 1);
  GadgetSetTip(field, u"field tip");
  NewTextArea(280, 5, 200, 60, panel, 0);
  NewSlider(280, 70, 100, 20, panel, SLIDER_TRACKBAR | SLIDER_HORIZONTAL);
  NewProgressBar(280, 95, 100, 16, panel, 0);

  GadgetRef list = NewListBox(5, 130, 120, 80, panel, 0);
  GadgetRef combo = NewComboBox(130, 130, 120, 24, panel, 1);
  GadgetRef tabber = NewTabber(260, 130, 200, 80, panel, 0);
  for (const GadgetRef& gadget : {list, combo, tabber}) {
    GadgetSetIconStrip(gadget, strip);
    for (int i = 0; i < 3; ++i) GadgetAddItem(gadget, u"item", 0, i, u"item tip", nullptr);
  }
  GadgetRef toolbar = NewToolbar(strip, 0, 0, 0, 0, window, 0);
  GadgetModifyItem(toolbar, 0, u"", 0, 0, u"tool tip", nullptr);
  GadgetRef tree = NewTreeView(5, 215, 200, 80, panel, 0);
  GadgetSetIconStrip(tree, strip);
  GadgetRef node = TreeViewAddNode(u"node", TreeViewRoot(tree), 0);
  TreeViewAddNode(u"leaf", node, 1);
  NewHtmlView(260, 215, 200, 80, panel, 0);

  GadgetRef file = NewMenu(u"File", 1, window, 0, 0);
  GadgetRef open = NewMenu(u"Open", 2, file, 'O', ModControl);
  GadgetSetPixmap(open, Picture(16, 16), GADGETPIXMAP_ICON);
  NewMenu(u"", 3, file, 0, 0);
  GadgetRef more = NewMenu(u"More", 4, file, 0, 0);
  NewMenu(u"Deeper", 5, more, 'D', ModControl | ModShift);
  WindowUpdateMenu(window);
  recorded.menus.push_back(GetMenu(recorded.windows.back()));
  for (const GadgetRef& menu : {file, open, more}) {
    auto windowsMenu = std::static_pointer_cast<TWindowsMenu>(menu);
    recorded.menuKeys.push_back(windowsMenu->Key());
    if (windowsMenu->NativeMenu()) recorded.menus.push_back(windowsMenu->NativeMenu());
  }
  recorded.gdiObjects.push_back(std::static_pointer_cast<TWindowsMenu>(open)->Picture());
  return window;
}

TEST(WindowsLeakTest, FreeingAFilledWindowLeavesNothingNativeBehind) {
  Watchdog watchdog("FreeingAFilledWindowLeavesNothingNativeBehind", 240);
  StartDriverOnce();
  // The first round makes what lives for the run (OLE, the rich-edit library, the driver's
  // class and caches), so that the counts measure the rounds after it.
  Recorded warmUp;
  GadgetFree(FilledWindow(warmUp));
  PumpPending();
  const LiveCounts before = LiveCounts::Now();

  // Only the last round's handles are checked: a deleted handle's value may be given to
  // an object of a later round.
  Recorded recorded;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    Recorded round;
    GadgetFree(FilledWindow(round));
    PumpPending();
    recorded = std::move(round);
  }

  const LiveCounts after = LiveCounts::Now();
  for (size_t kind = 0; kind < before.kinds.size(); ++kind) {
    EXPECT_EQ(after.kinds[kind], before.kinds[kind]) << "native kind " << kind;
  }
  EXPECT_EQ(after.windows, before.windows);
  for (HGDIOBJ object : recorded.gdiObjects) EXPECT_EQ(GetObjectType(object), 0u);
  for (HMENU menu : recorded.menus) EXPECT_FALSE(IsMenu(menu));
  for (HWND hwnd : recorded.windows) EXPECT_FALSE(IsWindow(hwnd));
  for (int32_t key : recorded.menuKeys) EXPECT_EQ(TWindowsMenu::GetMenuFromKey(key), nullptr);
  EXPECT_EQ(recorded.canvasGraphics->Width(), 0);
  const auto window = reinterpret_cast<NativeHandle>(recorded.windows.front());
  EXPECT_EQ(HotKeyFind('B', ModControl, window), nullptr);
  EXPECT_EQ(HotKeyFind('O', ModControl, 0), nullptr);
}

}  // namespace
}  // namespace quardeln::test
