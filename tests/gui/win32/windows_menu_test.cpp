// Menus and the progress bar through the real driver and the program's API, under Wine:
// menu bars and pop-ups chosen with real keyboard input, shortcut texts and keys, the
// state kept while a menu is closed, and the native menus and pictures a window and its
// menus leave behind (nothing) however they end.
#include <cmath>
#include <thread>

#include "gui/api.h"
#include "gui/hotkey.h"
#include "gui/win32/windows_menu.h"
#include "gui/win32/windows_progress_bar.h"
#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "system/platform.h"
#include "tests/gui/win32/gadget_test_support.h"
#include "tests/gui/win32/real_input.h"

namespace quardeln::test {
namespace {

WindowsMenuRef AsMenu(const GadgetRef& gadget) {
  return std::dynamic_pointer_cast<TWindowsMenu>(gadget);
}

// The caption of an open menu item as the native menu shows it.
std::u16string Caption(const GadgetRef& gadget) {
  WindowsMenuRef menu = AsMenu(gadget);
  wchar_t text[64] = {};
  GetMenuStringW(menu->ParentMenu(), static_cast<UINT>(menu->Position()), text, 64, MF_BYPOSITION);
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

void Tap(WORD virtualKey) {
  SendInputs({KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

// One shown window with a menu bar for the suite: under Wine taking a shown top-level
// window off the screen costs seconds. Each test leaves its bar empty again.
class WindowsMenuTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartDriverOnce();
    StartPlatformSystem();  // a pop-up's choice arrives through the system driver's pump
    window_ = std::dynamic_pointer_cast<TWindowsWindow>(
        NewWindow(u"Menu", 60, 60, 360, 240, nullptr, WINDOW_TITLEBAR | WINDOW_MENU));
  }
  static void TearDownTestSuite() {
    GadgetFree(window_);
    window_.reset();
    PumpPending();
  }
  void SetUp() override {
    PumpPending();
    RecordedEvents().clear();
  }
  void TearDown() override {
    for (const GadgetRef& menu : GadgetKids(WindowGetMenu(window_)->kids)) {
      MenuFree(menu);
    }
    WindowUpdateMenu(window_);
    PumpPending();
    RecordedEvents().clear();
  }
  static bool BringToFront() {
    SetForegroundWindow(NativeOf(window_));
    return PumpUntil([] { return GetForegroundWindow() == NativeOf(window_); });
  }

  static inline std::shared_ptr<TWindowsWindow> window_;
  Watchdog watchdog_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

// Runs first in this program: it checks the first key handed out.
TEST_F(WindowsMenuTest, ChoiceInTheBarCarriesTheTagOfTheFirstMenu) {
  GadgetRef file = NewMenu(u"&File", 1, window_);
  ASSERT_TRUE(AsMenu(file));
  EXPECT_EQ(AsMenu(file)->Key(), 101);
  EXPECT_EQ(file->Parent(), WindowGetMenu(window_));
  GadgetRef open = NewMenu(u"Apri", 7, file);
  NewMenu(u"", 0, file);
  NewMenu(u"Chiudi", 8, file);
  WindowUpdateMenu(window_);
  HMENU bar = GetMenu(NativeOf(window_));
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  HMENU items = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(items), 3);
  EXPECT_EQ(GetMenuItemID(items, 0), static_cast<UINT>(AsMenu(open)->Key()));
  EXPECT_TRUE(GetMenuState(items, 1, MF_BYPOSITION) & MF_SEPARATOR) << "an empty text";

  ASSERT_TRUE(BringToFront()) << "the test window cannot get the focus";
  Tap(VK_MENU);
  Tap(VK_DOWN);
  Tap(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(MenuAction, open).empty(); })) << DescribeRecorded();
  const std::vector<EventRef> chosen = EventsOf(MenuAction, open);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0]->data, 7) << "the tag, not the key " << AsMenu(open)->Key();
  EXPECT_EQ(chosen[0]->extra, nullptr);
}

TEST_F(WindowsMenuTest, ShortcutsNameTheirKeysAndFireFromTheKeyboard) {
  GadgetRef file = NewMenu(u"File", 1, window_);
  GadgetRef save = NewMenu(u"Salva", 5, file, 'S', ModShift | ModControl);
  WindowUpdateMenu(window_);
  EXPECT_EQ(Caption(save), u"Salva\tCtrl+Shift+S");
  GadgetSetHotKey(save, VK_F1, ModAlt);
  EXPECT_EQ(Caption(save), u"Salva\tAlt+F1") << "shown at once while open";
  GadgetSetHotKey(save, VK_F12, ModShift | ModControl | ModAlt);
  EXPECT_EQ(Caption(save), u"Salva\tAlt+Ctrl+Shift+F12");
  GadgetSetHotKey(save, VK_NUMPAD0, 0);
  EXPECT_EQ(Caption(save), u"Salva\tNum 0");
  GadgetSetHotKey(save, VK_PAUSE, 0);
  EXPECT_EQ(Caption(save), u"Salva") << "a key without a name";
  EventRef pause = HotKeyFind(VK_PAUSE, 0, 0);
  ASSERT_TRUE(pause) << "still registered";
  EXPECT_EQ(pause->source, save);
  EXPECT_EQ(HotKeyFind(VK_NUMPAD0, 0, 0), nullptr) << "the old key is gone";

  GadgetSetHotKey(save, 'S', ModShift | ModControl);
  ASSERT_TRUE(BringToFront()) << "the test window cannot get the focus";
  SendInputs({KeyInput(VK_CONTROL, false), KeyInput(VK_SHIFT, false), KeyInput('S', false),
              KeyInput('S', true), KeyInput(VK_SHIFT, true), KeyInput(VK_CONTROL, true)});
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(MenuAction, save).empty(); })) << DescribeRecorded();
  EXPECT_EQ(EventsOf(MenuAction, save)[0]->data, 5);

  // A disabled item's shortcut lets the key through.
  MenuDisable(save);
  SendInputs({KeyInput(VK_CONTROL, false), KeyInput(VK_SHIFT, false), KeyInput('S', false),
              KeyInput('S', true), KeyInput(VK_SHIFT, true), KeyInput(VK_CONTROL, true)});
  PumpFor(250);
  EXPECT_EQ(EventsOf(MenuAction, save).size(), 1u);
}

TEST_F(WindowsMenuTest, StateSetWhileClosedShowsOnceTheBarIsRebuilt) {
  GadgetRef file = NewMenu(u"File", 1, window_);
  GadgetRef grey = NewMenu(u"Grigio", 2, file);
  GadgetRef tick = NewMenu(u"Spunta", 3, file);
  MenuDisable(grey);
  MenuCheck(tick);
  EXPECT_EQ(MenuIsEnabled(grey), 0);
  EXPECT_EQ(MenuIsChecked(tick), 1);
  WindowUpdateMenu(window_);
  HMENU items = GetSubMenu(GetMenu(NativeOf(window_)), 0);
  ASSERT_NE(items, nullptr);
  EXPECT_TRUE(GetMenuState(items, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(items, 1, MF_BYPOSITION) & MF_CHECKED);
  MenuEnable(grey);  // open: at once
  MenuUncheck(tick);
  EXPECT_FALSE(GetMenuState(items, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(items, 1, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(WindowsMenuTest, PopupChoiceReachesTheProgramWithItsExtra) {
  GadgetRef popup = NewMenu(u"", 0, nullptr);
  NewMenu(u"Uno", 1, popup);
  GadgetRef two = NewMenu(u"Due", 2, popup);
  ASSERT_TRUE(BringToFront()) << "the test window cannot get the focus";
  const int64_t menus = LiveNativeCount(NativeKind::kMenu);
  const ObjectRef extra = NewText(u"riga 3");
  // The keys wait in the queue until the pop-up's own loop takes them.
  std::thread chooser([] {
    Sleep(200);
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
  });
  WindowPopupMenu(window_, popup, extra);
  chooser.join();
  const std::vector<EventRef> chosen = EventsOf(MenuAction, two);
  ASSERT_EQ(chosen.size(), 1u) << DescribeRecorded();
  EXPECT_EQ(chosen[0]->data, 2);
  EXPECT_EQ(chosen[0]->extra, extra);
  EXPECT_EQ(window_->popupextra, nullptr);
  EXPECT_EQ(AsMenu(popup)->NativeMenu(), nullptr);
  EXPECT_EQ(LiveNativeCount(NativeKind::kMenu), menus) << "the pop-up is destroyed";
  MenuFree(popup);
}

TEST_F(WindowsMenuTest, TheBarsOwnMenuPoppedUpLeavesTheBarsItemsWorking) {
  GadgetRef file = NewMenu(u"File", 1, window_);
  GadgetRef grey = NewMenu(u"Grigio", 2, file);
  GadgetRef tick = NewMenu(u"Spunta", 3, file);
  WindowUpdateMenu(window_);
  ASSERT_TRUE(BringToFront()) << "the test window cannot get the focus";
  std::thread dismisser([] {
    Sleep(200);
    Tap(VK_ESCAPE);
  });
  WindowPopupMenu(window_, WindowGetMenu(window_), nullptr);
  dismisser.join();
  MenuDisable(grey);
  MenuCheck(tick);
  HMENU items = GetSubMenu(GetMenu(NativeOf(window_)), 0);
  ASSERT_NE(items, nullptr);
  EXPECT_TRUE(GetMenuState(items, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(items, 1, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(WindowsMenuTest, ProgressBarShowsWholePercentagesWithinItsRange) {
  GadgetRef bar = NewProgressBar(10, 10, 200, 20, window_);
  ASSERT_TRUE(std::dynamic_pointer_cast<TWindowsProgressBar>(bar));
  const HWND hwnd = reinterpret_cast<HWND>(GadgetQuery(bar, QUERY_NATIVE));
  auto position = [hwnd] { return SendMessageW(hwnd, PBM_GETPOS, 0, 0); };
  ProgressBarSetValue(bar, 0.5f);
  EXPECT_EQ(position(), 50);
  ProgressBarSetValue(bar, 1.0f);
  EXPECT_EQ(position(), 100);
  ProgressBarSetValue(bar, 7.5f);
  EXPECT_EQ(position(), 100);
  ProgressBarSetValue(bar, -0.2f);
  EXPECT_EQ(position(), 0);
  ProgressBarSetValue(bar, 0.3f);
  ProgressBarSetValue(bar, std::nanf(""));
  EXPECT_EQ(position(), 0);
  GadgetFree(bar);
}

// What one window and its menus made: native menus, pictures, keys.
struct Made {
  std::vector<HMENU> menus;
  std::vector<HBITMAP> pictures;
  std::vector<int32_t> keys;
  std::vector<std::weak_ptr<TGadget>> gadgets;
};

void Note(Made& made, const GadgetRef& menu) {
  made.keys.push_back(AsMenu(menu)->Key());
  made.gadgets.push_back(menu);
  if (HMENU own = AsMenu(menu)->NativeMenu()) made.menus.push_back(own);
  if (HBITMAP picture = AsMenu(menu)->Picture()) made.pictures.push_back(picture);
}

::testing::AssertionResult AllDestroyed(const std::vector<HMENU>& menus) {
  for (HMENU menu : menus) {
    if (IsMenu(menu)) return ::testing::AssertionFailure() << "a native menu is left";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult NothingLeft(const Made& made) {
  if (!AllDestroyed(made.menus)) return AllDestroyed(made.menus);
  for (HBITMAP picture : made.pictures) {
    if (GetObjectType(picture) != 0) return ::testing::AssertionFailure() << "a picture is left";
  }
  for (int32_t key : made.keys) {
    if (TWindowsMenu::GetMenuFromKey(key)) return ::testing::AssertionFailure() << "key " << key;
  }
  for (const auto& gadget : made.gadgets) {
    if (!gadget.expired()) return ::testing::AssertionFailure() << "a menu is still held";
  }
  if (HotKeyFind('S', ModControl, 0)) return ::testing::AssertionFailure() << "a shortcut is left";
  return ::testing::AssertionSuccess();
}

// Every native handle is released exactly once whichever way the menus end: freed one by
// one before their window, or with it.
TEST_F(WindowsMenuTest, MenusAndTheirWindowLeaveNothingBehind) {
  const int64_t menus = LiveNativeCount(NativeKind::kMenu);
  const int64_t bitmaps = LiveNativeCount(NativeKind::kBitmap);
  PixmapRef picture = TPixmap::Create(40, 40, PF_RGBA8888);
  for (int cycle = 0; cycle < 200 && !HasFailure(); ++cycle) {
    Made made;
    GadgetRef window =
        NewWindow(u"", 0, 0, 200, 150, nullptr, WINDOW_TITLEBAR | WINDOW_MENU | WINDOW_HIDDEN);
    const HWND hwnd = reinterpret_cast<HWND>(GadgetQuery(window, QUERY_NATIVE));
    made.menus.push_back(GetMenu(hwnd));  // the bar made with the window
    GadgetRef file = NewMenu(u"File", 1, window);
    GadgetRef recent = NewMenu(u"Recenti", 2, file);
    GadgetRef first = NewMenu(u"Uno", 3, recent, 'O', ModControl);
    GadgetRef save = NewMenu(u"Salva", 4, file, 'S', ModControl);
    GadgetSetPixmap(first, picture, GADGETPIXMAP_ICON);
    GadgetSetPixmap(save, picture, GADGETPIXMAP_ICON);
    WindowUpdateMenu(window);
    made.menus.push_back(GetMenu(hwnd));
    for (const GadgetRef& menu : {file, recent}) made.menus.push_back(AsMenu(menu)->NativeMenu());
    WindowUpdateMenu(window);  // the old bar goes with its submenus
    ASSERT_EQ(LiveNativeCount(NativeKind::kMenu), menus) << "the window's bar is the window's";
    ASSERT_TRUE(AllDestroyed(made.menus)) << "after a rebuild, cycle " << cycle;
    made.menus = {GetMenu(hwnd)};
    for (const GadgetRef& menu : {WindowGetMenu(window), file, recent, first, save}) {
      Note(made, menu);
    }
    ASSERT_EQ(made.pictures.size(), 2u);
    if (cycle % 2 == 0) {
      MenuFree(file);
      MenuFree(WindowGetMenu(window));
    }
    GadgetFree(window);
    window.reset();
    file.reset();
    recent.reset();
    first.reset();
    save.reset();
    EXPECT_TRUE(NothingLeft(made)) << "cycle " << cycle;
  }
  EXPECT_EQ(LiveNativeCount(NativeKind::kMenu), menus);
  EXPECT_EQ(LiveNativeCount(NativeKind::kBitmap), bitmaps);
}

}  // namespace
}  // namespace quardeln::test
