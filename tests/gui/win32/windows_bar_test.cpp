// Icon strips, toolbars and tabbers through the real driver under Wine: the image list a
// strip makes, the toolbar's buttons, separators, ids and tips, the tabber's placeholder
// tab, its client area and the events of both, with real mouse clicks where a user acts.
#include "gui/api.h"
#include "gui/win32/windows_icon_strip.h"
#include "gui/win32/windows_tabber.h"
#include "gui/win32/windows_tool_bar.h"
#include "pixmap/pixmap.h"
#include "tests/gui/win32/gadget_test_support.h"
#include "tests/gui/win32/real_input.h"

namespace quardeln::test {
namespace {

// A strip of square icons of 16 pixels, icon i filled with colours[i].
PixmapRef PlainStripOf(const std::vector<uint32_t>& colours, int32_t format = PF_RGBA8888) {
  PixmapRef pixmap = TPixmap::Create(16 * static_cast<int32_t>(colours.size()), 16, format);
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < pixmap->Width(); ++x) {
      pixmap->WritePixel(x, y, colours[static_cast<size_t>(x / 16)]);
    }
  }
  return pixmap;
}

// As PlainStripOf, each icon with a dot in its middle, so that none is blank.
PixmapRef StripOf(const std::vector<uint32_t>& colours) {
  PixmapRef pixmap = PlainStripOf(colours);
  for (size_t i = 0; i < colours.size(); ++i) {
    pixmap->WritePixel(static_cast<int32_t>(i) * 16 + 8, 8, colours[i] ^ 0x00FFFFFF);
  }
  return pixmap;
}

void RealClick(HWND hwnd, POINT at) {
  RealMouse(hwnd, at, true);
}

POINT CentreOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class WindowsBarTest : public DriverTest {
 protected:
  // Real clicks reach the suite's window only while it is in front.
  void BringWindowToFront() {
    SetWindowPos(NativeOf(Window()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(NativeOf(Window()));
    PumpPending();
  }
  void TearDown() override {
    SetWindowPos(NativeOf(Window()), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DriverTest::TearDown();
  }
  std::vector<EventRef> ActionsOf(const GadgetRef& gadget, size_t wanted, int ms = 2000) {
    PumpUntil([&] { return EventsOf(GadgetAction, gadget).size() >= wanted; }, ms);
    PumpFor(100);  // nothing more may come
    return EventsOf(GadgetAction, gadget);
  }
};

// ---- icon strips ----

TEST_F(WindowsBarTest, StripCutsSquareIconsAndFindsBlankOnes) {
  PixmapRef pixmap = PlainStripOf({0xFF102030, 0xFF405060, 0xFF708090});
  pixmap->WritePixel(16 + 15, 15, 0xFF405061);  // one pixel of icon 1 differs
  auto strip = std::dynamic_pointer_cast<TWindowsIconStrip>(IconStripLoad(pixmap));
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->count, 3);
  ASSERT_TRUE(strip->ImageList());
  EXPECT_EQ(ImageList_GetImageCount(strip->ImageList()), 3);
  int w = 0;
  int h = 0;
  ImageList_GetIconSize(strip->ImageList(), &w, &h);
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 16);
  EXPECT_EQ(strip->IsBlankIcon(0), 1);
  EXPECT_EQ(strip->IsBlankIcon(1), 0);
  EXPECT_EQ(strip->IsBlankIcon(2), 1);

  EXPECT_FALSE(IconStripLoad(TPixmap::Create(15, 16, PF_RGBA8888))) << "no whole icon";
  EXPECT_FALSE(IconStripLoad(nullptr));
}

TEST_F(WindowsBarTest, StripWithoutAlphaMasksPureWhite) {
  PixmapRef pixmap = PlainStripOf({0xFFFFFFFF, 0xFFFFFFFF}, PF_RGB888);
  pixmap->WritePixel(20, 5, 0xFFC00000);  // one red pixel in icon 1
  IconStripRef strip = IconStripLoad(pixmap);
  HIMAGELIST list = ImageListOf(strip);
  ASSERT_TRUE(list);

  // Drawn over green: white lets the green through, the red pixel stays.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const TMemoryDc dc(nullptr, canvas.get());
  RECT all{0, 0, 16, 16};
  FillRect(dc.get(), &all, UniqueBrush(CreateSolidBrush(RGB(0, 200, 0))).get());
  ImageList_Draw(list, 1, dc.get(), 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  EXPECT_EQ(pixels[5 * 16 + 4] & 0xFFFFFF, 0xC00000u);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x00C800u);
  EXPECT_EQ(pixels[15 * 16 + 15] & 0xFFFFFF, 0x00C800u);
}

// ---- toolbars ----

std::shared_ptr<TWindowsToolBar> AsToolBar(const GadgetRef& gadget) {
  return std::dynamic_pointer_cast<TWindowsToolBar>(gadget);
}

TEST_F(WindowsBarTest, NewToolbarMakesOneButtonPerIconAcrossItsGroup) {
  auto toolbar = AsToolBar(
      Keep(NewToolbar(StripOf({0xFF0000FF, 0xFF00FF00, 0xFFFF0000}), 50, 60, 10, 10, Window())));
  ASSERT_TRUE(toolbar);
  EXPECT_EQ(SendMessageW(NativeOf(toolbar), TB_BUTTONCOUNT, 0, 0), 3);
  EXPECT_EQ(toolbar->ItemCount(), 3);
  EXPECT_EQ(toolbar->Parent(), Window());
  const RECT placed = RectInParent(NativeOf(toolbar));
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(placed.right, Window()->ClientWidth());
  EXPECT_GE(placed.bottom - placed.top, 16) << "as tall as its buttons";
  EXPECT_EQ(toolbar->height, placed.bottom - placed.top);
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();

  EXPECT_EQ(AsToolBar(Keep(NewToolbar(nullptr, 0, 0, 0, 0, Window())))->ItemCount(), 0);
}

TEST_F(WindowsBarTest, ClickedButtonReportsTheIndexItHasNowAndSeparatorsNever) {
  auto toolbar = AsToolBar(
      Keep(NewToolbar(StripOf({0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF808080, 0xFF000000}), 0, 0,
                      0, 0, Window())));
  ASSERT_TRUE(toolbar);
  auto extra = std::make_shared<TObject>();
  GadgetModifyItem(toolbar, 4, u"", 0, 4, u"", extra);
  BringWindowToFront();
  auto clickButton = [&](int32_t index) {
    RecordedEvents().clear();
    RECT rect{};
    SendMessageW(NativeOf(toolbar), TB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    RealClick(NativeOf(toolbar), CentreOf(rect));
    return ActionsOf(toolbar, 1, index == 1 ? 500 : 2000);
  };

  // The last button moves down one place, then up two behind two separators.
  GadgetRemoveItem(toolbar, 0);
  std::vector<EventRef> actions = clickButton(3);
  ASSERT_EQ(actions.size(), 1u) << DescribeRecorded();
  EXPECT_EQ(actions[0]->data, 3);
  EXPECT_EQ(actions[0]->extra, extra);

  GadgetInsertItem(toolbar, 0, u"", 0, -2);
  GadgetInsertItem(toolbar, 0, u"", 0, -2);
  actions = clickButton(5);
  ASSERT_EQ(actions.size(), 1u) << DescribeRecorded();
  EXPECT_EQ(actions[0]->data, 5);
  EXPECT_EQ(actions[0]->extra, extra);

  EXPECT_TRUE(clickButton(1).empty()) << DescribeRecorded();
}

TEST_F(WindowsBarTest, ButtonTipsAreToolsOfTheToolbarsTooltipWindow) {
  auto toolbar = AsToolBar(
      Keep(NewToolbar(StripOf({0xFF0000FF, 0xFF00FF00, 0xFFFF0000}), 0, 0, 0, 0, Window())));
  ASSERT_TRUE(toolbar && toolbar->Tooltips());
  EXPECT_EQ(SendMessageW(NativeOf(toolbar), TB_GETTOOLTIPS, 0, 0),
            reinterpret_cast<LRESULT>(toolbar->Tooltips()));
  ToolbarSetTips(toolbar, {u"Apri", std::nullopt, u"", u"Salva"});
  GadgetRemoveItem(toolbar, 0);  // "Salva" is now on button 1, id 2

  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = NativeOf(toolbar);
  tool.uId = 2;
  tool.lpszText = text;
  ASSERT_TRUE(
      SendMessageW(toolbar->Tooltips(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_STREQ(text, L"Salva");
  RECT button{};
  SendMessageW(NativeOf(toolbar), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&button));
  EXPECT_TRUE(EqualRect(&tool.rect, &button));
  tool.uId = 1;
  EXPECT_FALSE(
      SendMessageW(toolbar->Tooltips(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
      << "a button without a tip has no tool";
}

// Toolbar messages (TB_*) and tools added or deleted (the toolbar's own updates of its
// tooltip's rectangles are not the driver's).
int ToolMessages = 0;

LRESULT CALLBACK CountToolMessages(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR tooltip, DWORD_PTR) {
  const bool tools = msg == TTM_ADDTOOLW || msg == TTM_DELTOOLW || msg == TTM_GETTOOLCOUNT;
  if (tooltip ? tools : (msg >= WM_USER && msg < WM_APP)) {
    ++ToolMessages;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowsBarTest, AddingAButtonOrItsTipTouchesNoOtherButton) {
  auto toolbar = AsToolBar(Keep(NewToolbar(nullptr, 0, 0, 0, 0, Window())));
  const HWND hwnd = reinterpret_cast<HWND>(toolbar->Query(QUERY_NATIVE));
  const auto tips = reinterpret_cast<HWND>(SendMessageW(hwnd, TB_GETTOOLTIPS, 0, 0));
  ASSERT_TRUE(SetWindowSubclass(hwnd, &CountToolMessages, 0, 0));
  ASSERT_TRUE(SetWindowSubclass(tips, &CountToolMessages, 1, 0));
  constexpr int kButtons = 40;
  constexpr int kMessagesPerButton = 12;  // the same for the 1st button and the 40th
  ToolMessages = 0;
  for (int i = 0; i < kButtons; ++i) GadgetAddItem(toolbar, u"", 0, i, u"suggerimento");
  EXPECT_LE(ToolMessages, kButtons * kMessagesPerButton);
  ToolMessages = 0;
  ToolbarSetTips(toolbar, std::vector<std::optional<std::u16string>>(kButtons, u"nuovo"));
  EXPECT_LE(ToolMessages, kButtons * kMessagesPerButton);
  RemoveWindowSubclass(hwnd, &CountToolMessages, 0);
  RemoveWindowSubclass(tips, &CountToolMessages, 1);
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = hwnd;
  tool.uId = kButtons;
  tool.lpszText = text;
  ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_STREQ(text, L"nuovo");
}

TEST_F(WindowsBarTest, CheckingADisabledButtonKeepsItDisabled) {
  auto toolbar =
      AsToolBar(Keep(NewToolbar(StripOf({0xFF0000FF, 0xFF00FF00}), 0, 0, 0, 0, Window())));
  GadgetDisableItem(toolbar, 1);
  GadgetSelectItem(toolbar, 1);
  EXPECT_EQ(toolbar->ItemState(1), ITEMSTATE_SELECTED | ITEMSTATE_DISABLED);
  EXPECT_FALSE(SendMessageW(NativeOf(toolbar), TB_ISBUTTONENABLED, 2, 0));
  GadgetEnableItem(toolbar, 1);
  EXPECT_EQ(toolbar->ItemState(1), ITEMSTATE_SELECTED);
  EXPECT_EQ(GadgetSelectedItem(toolbar), 1);
  EXPECT_EQ(toolbar->ItemState(7), 0) << "no such button";
}

// ---- tabbers ----

std::shared_ptr<TWindowsTabber> AsTabber(const GadgetRef& gadget) {
  return std::dynamic_pointer_cast<TWindowsTabber>(gadget);
}

std::u16string TabText(HWND tabber, int32_t index) {
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(tabber, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

TEST_F(WindowsBarTest, PlaceholderTabStandsInWheneverThereIsNoRealTab) {
  auto tabber = AsTabber(Keep(NewTabber(10, 40, 300, 200, Window())));
  ASSERT_TRUE(tabber);
  EXPECT_EQ(SendMessageW(NativeOf(tabber), TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(TabText(NativeOf(tabber), 0), u"");
  EXPECT_EQ(tabber->ItemCount(), 0);
  EXPECT_EQ(GadgetSelectedItem(tabber), -1);

  GadgetAddItem(tabber, u"Uno");
  EXPECT_EQ(SendMessageW(NativeOf(tabber), TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(TabText(NativeOf(tabber), 0), u"Uno");

  GadgetRemoveItem(tabber, 0);
  EXPECT_EQ(SendMessageW(NativeOf(tabber), TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(TabText(NativeOf(tabber), 0), u"");
  EXPECT_EQ(GadgetSelectedItem(tabber), -1) << "the placeholder is never an item";

  GadgetAddItem(tabber, u"Due");
  GadgetAddItem(tabber, u"Tre");
  ASSERT_EQ(SendMessageW(NativeOf(tabber), TCM_GETITEMCOUNT, 0, 0), 2) << "started clean";
  EXPECT_EQ(TabText(NativeOf(tabber), 0), u"Due");
  GadgetClearItems(tabber);
  EXPECT_EQ(SendMessageW(NativeOf(tabber), TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(TabText(NativeOf(tabber), 0), u"");
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsBarTest, ClickedTabPostsActionWithItsIndexAndExtra) {
  auto tabber = AsTabber(Keep(NewTabber(10, 40, 360, 120, Window())));
  std::vector<ObjectRef> extras;
  for (const char16_t* text : {u"Alfa", u"Beta", u"Gamma", u"Delta"}) {
    extras.push_back(std::make_shared<TObject>());
    GadgetAddItem(tabber, text, 0, -1, u"", extras.back());
  }
  BringWindowToFront();
  auto clickTab = [&](int32_t index) {
    RECT rect{};
    SendMessageW(NativeOf(tabber), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    RealClick(NativeOf(tabber), CentreOf(rect));
  };
  clickTab(2);
  std::vector<EventRef> actions = ActionsOf(tabber, 1);
  ASSERT_EQ(actions.size(), 1u) << DescribeRecorded();
  EXPECT_EQ(actions[0]->data, 2);
  EXPECT_EQ(actions[0]->extra, extras[2]);

  // Removing a tab in front of the selected one moves the selection with its tab; the
  // tab that now stands at the old index is still another tab to click.
  GadgetRemoveItem(tabber, 0);
  RecordedEvents().clear();
  PumpFor(static_cast<int>(GetDoubleClickTime()) + 50);  // a second click, not a double one
  clickTab(2);
  actions = ActionsOf(tabber, 1);
  ASSERT_EQ(actions.size(), 1u) << DescribeRecorded();
  EXPECT_EQ(actions[0]->data, 2);
  EXPECT_EQ(actions[0]->extra, extras[3]);
}

TEST_F(WindowsBarTest, TabUnderTheMouseShowsItsTip) {
  auto tabber = AsTabber(Keep(NewTabber(10, 40, 360, 120, Window())));
  GadgetAddItem(tabber, u"Alfa", 0, -1, u"Prima");
  GadgetAddItem(tabber, u"Beta", 0, -1, u"Seconda");
  GadgetAddItem(tabber, u"Gamma");
  BringWindowToFront();
  auto pointAt = [&](int32_t index) {
    RECT rect{};
    SendMessageW(NativeOf(tabber), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    RealMouse(NativeOf(tabber), CentreOf(rect), false);
  };
  pointAt(0);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tabber->Tooltips()) != 0; }))
      << "no tip shown";
  EXPECT_EQ(tabber->TipBuffer(), u"Prima");
  pointAt(1);
  EXPECT_TRUE(PumpUntil([&] { return tabber->TipBuffer() == u"Seconda"; })) << "the tip stayed";
  pointAt(2);
  EXPECT_TRUE(PumpUntil([&] { return tabber->TipBuffer().empty(); })) << "a tab without a tip";
}

TEST_F(WindowsBarTest, KidsSitInTheDisplayAreaBelowTheTabs) {
  auto tabber = AsTabber(Keep(NewTabber(10, 40, 300, 200, Window())));
  GadgetAddItem(tabber, u"Pagina");
  RECT display{0, 0, 300, 200};
  SendMessageW(NativeOf(tabber), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  ASSERT_GT(display.top, 0) << "below the tab row";
  EXPECT_EQ(tabber->ClientWidth(), display.right - display.left);
  EXPECT_EQ(tabber->ClientHeight(), display.bottom - display.top);
  EXPECT_EQ(reinterpret_cast<HWND>(tabber->Query(QUERY_NATIVE_CLIENT)), tabber->ClientHwnd());
  RECT client = RectInParent(tabber->ClientHwnd());
  EXPECT_TRUE(EqualRect(&client, &display));

  GadgetRef kid = Keep(NewButton(u"Dentro", 0, 0, 60, 20, tabber));
  const HWND kidHwnd = reinterpret_cast<HWND>(kid->Query(QUERY_NATIVE));
  EXPECT_EQ(GetParent(kidHwnd), tabber->ClientHwnd());
  RECT kidRect = WindowRectOf(kidHwnd);
  MapWindowPoints(nullptr, NativeOf(tabber), reinterpret_cast<POINT*>(&kidRect), 2);
  EXPECT_EQ(kidRect.left, display.left);
  EXPECT_EQ(kidRect.top, display.top);

  // A new size moves the client area with it.
  GadgetSetShape(tabber, 10, 40, 200, 150);
  display = {0, 0, 200, 150};
  SendMessageW(NativeOf(tabber), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  client = RectInParent(tabber->ClientHwnd());
  EXPECT_TRUE(EqualRect(&client, &display));
}

TEST_F(WindowsBarTest, ScrollArrowsOfAFullTabRowStillScrollIt) {
  auto tabber = AsTabber(Keep(NewTabber(10, 40, 150, 100, Window())));
  for (int i = 0; i < 8; ++i) GadgetAddItem(tabber, u"Scheda lunga");
  HWND arrows = FindWindowExW(NativeOf(tabber), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_TRUE(arrows) << "the tab row does not fit";
  BringWindowToFront();
  RECT first{};
  SendMessageW(NativeOf(tabber), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  const RECT arrowRect = ClientRectOf(arrows);
  RealClick(arrows, {arrowRect.right * 3 / 4, arrowRect.bottom / 2});  // the right arrow
  RECT now = first;
  EXPECT_TRUE(PumpUntil([&] {
    SendMessageW(NativeOf(tabber), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&now));
    return now.left != first.left;
  })) << "the tabs did not scroll";
}

}  // namespace
}  // namespace quardeln::test
