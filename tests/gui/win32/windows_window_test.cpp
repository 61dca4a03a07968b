// Window gadgets on real top-level windows under Wine: the native styles of the style
// flags, client coordinates with a status bar, moves and sizes the program makes (silent)
// against those the system makes (events), minimise / maximise / restore, topmost and
// foreground, closing, dropped files, tracking sizes, opacity, icon, status text, focus.
#include "gui/win32/win32_api.h"
//
#include <shlobj.h>

#include <cstring>

#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

// Windows that need not be seen are made hidden: under Wine without a window manager,
// taking a shown top-level window off the screen costs seconds.
class WindowsWindowTest : public DriverTest {
 protected:
  std::shared_ptr<TWindowsWindow> NewWindow(int32_t style, int32_t x = 60, int32_t y = 50,
                                            int32_t w = 320, int32_t h = 240) {
    return Keep(Make<TWindowsWindow>(GADGETCLASS_WINDOW, u"Finestra", x, y, w, h, nullptr, style));
  }
};

constexpr int32_t kPlainTitled = WINDOW_TITLEBAR;
constexpr int32_t kFull = WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_MENU | WINDOW_STATUS;

TEST_F(WindowsWindowTest, StyleFlagsBecomeNativeStyles) {
  auto window = NewWindow(kFull | WINDOW_TOOL | WINDOW_ACCEPTFILES);
  ASSERT_TRUE(window);
  const HWND hwnd = NativeOf(window);
  const LONG style = StyleOf(hwnd);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);  // an overlapped window gets a caption
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_TRUE(ExStyleOf(hwnd) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ExStyleOf(hwnd) & WS_EX_ACCEPTFILES);
  ASSERT_NE(GetMenu(hwnd), nullptr);
  EXPECT_EQ(GetMenuItemCount(GetMenu(hwnd)), 1);
  ASSERT_NE(window->StatusBar(), nullptr);
  EXPECT_EQ(GetParent(window->StatusBar()), hwnd);
  ASSERT_NE(window->ClientHwnd(), nullptr);
  EXPECT_EQ(window->Query(QUERY_NATIVE_CLIENT),
            reinterpret_cast<NativeHandle>(window->ClientHwnd()));
  EXPECT_EQ(GadgetOfHwnd(window->ClientHwnd()), window);
  EXPECT_EQ(window->GetText(), u"Finestra");
  const RECT outer = WindowRectOf(hwnd);
  EXPECT_EQ(outer.left, 60);
  EXPECT_EQ(outer.top, 50);
  EXPECT_EQ(outer.right - outer.left, 320);
  EXPECT_EQ(outer.bottom - outer.top, 240);
  EXPECT_EQ(window->Parent(), DriverDesktop);
  EXPECT_EQ(window->State(), 0);

  auto popup = NewWindow(WINDOW_HIDDEN);
  EXPECT_TRUE(StyleOf(NativeOf(popup)) & WS_POPUP);
  EXPECT_FALSE(StyleOf(NativeOf(popup)) & WS_CAPTION);
  EXPECT_EQ(GetMenu(NativeOf(popup)), nullptr);
  EXPECT_EQ(popup->ClientHwnd(), nullptr);
  EXPECT_EQ(popup->Query(QUERY_NATIVE_CLIENT), reinterpret_cast<NativeHandle>(NativeOf(popup)));

  auto hidden = NewWindow(kPlainTitled | WINDOW_HIDDEN);
  EXPECT_FALSE(IsWindowVisible(NativeOf(hidden)));
  EXPECT_EQ(hidden->State(), GADGETSTATE_HIDDEN);
  EXPECT_FALSE(StyleOf(NativeOf(hidden)) & (WS_MINIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(RecordedEvents().empty()) << "creating windows posts nothing: " << DescribeRecorded();
}

TEST_F(WindowsWindowTest, ClientCoordinatesDescribeTheAreaAboveTheStatusBar) {
  auto window = NewWindow(WINDOW_TITLEBAR | WINDOW_STATUS | WINDOW_CLIENTCOORDS | WINDOW_HIDDEN,
                          100, 120, 200, 150);
  const HWND hwnd = NativeOf(window);
  const int32_t bar =
      WindowRectOf(window->StatusBar()).bottom - WindowRectOf(window->StatusBar()).top;
  ASSERT_GT(bar, 0);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  EXPECT_EQ(origin.x, 100);
  EXPECT_EQ(origin.y, 120);
  EXPECT_EQ(ClientRectOf(hwnd).right, 200);
  EXPECT_EQ(ClientRectOf(hwnd).bottom, 150 + bar);
  EXPECT_EQ(window->ClientWidth(), 200);
  EXPECT_EQ(window->ClientHeight(), 150);
  // The kids' window fills the client area above the bar.
  EXPECT_EQ(ClientRectOf(window->ClientHwnd()).right, 200);
  EXPECT_EQ(ClientRectOf(window->ClientHwnd()).bottom, 150);
  EXPECT_EQ(RectInParent(window->ClientHwnd()).top, 0);

  int32_t x = 10, y = 20, w = 30, h = 40;
  EXPECT_EQ(window->ConvertToContainerDimensions(x, y, w, h), 1);
  EXPECT_LT(x, 10);
  EXPECT_GT(h, 40 + bar);
  auto outer = NewWindow(kPlainTitled | WINDOW_HIDDEN);
  x = 10, y = 20, w = 30, h = 40;
  EXPECT_EQ(outer->ConvertToContainerDimensions(x, y, w, h), 0);
  EXPECT_EQ(x + y + w + h, 100);
  // Without client coordinates the client size comes from the frame.
  EXPECT_EQ(outer->ClientWidth(), ClientRectOf(NativeOf(outer)).right);
}

TEST_F(WindowsWindowTest, ProgramMovesAreSilentSystemMovesAreReported) {
  auto window = NewWindow(WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_HIDDEN);
  const HWND hwnd = NativeOf(window);
  window->SetShape(80, 90, 300, 200);
  PumpPending();
  EXPECT_TRUE(EventsOf(WindowMove, window).empty());
  EXPECT_TRUE(EventsOf(WindowSize, window).empty());

  // As the user dragging the left edge: both move and size, the move first.
  SetWindowPos(hwnd, nullptr, 70, 90, 310, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  PumpPending();
  const auto moves = EventsOf(WindowMove, window);
  const auto sizes = EventsOf(WindowSize, window);
  ASSERT_FALSE(moves.empty());
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(moves.back()->x, 70);
  EXPECT_EQ(moves.back()->y, 90);
  EXPECT_EQ(sizes[0]->x, 310);
  EXPECT_EQ(sizes[0]->y, 200);
  std::vector<int32_t> order;
  for (const EventRef& event : RecordedEvents()) {
    if (event->source == window) order.push_back(event->id);
  }
  EXPECT_EQ(order.front(), WindowMove) << DescribeRecorded();
  EXPECT_EQ(window->xpos, 70);
  EXPECT_EQ(window->width, 310);
}

TEST_F(WindowsWindowTest, ClientCoordinateWindowsReportTheirClientArea) {
  auto window = NewWindow(WINDOW_TITLEBAR | WINDOW_STATUS | WINDOW_CLIENTCOORDS | WINDOW_HIDDEN,
                          100, 100, 200, 150);
  const HWND hwnd = NativeOf(window);
  const RECT outer = WindowRectOf(hwnd);
  SetWindowPos(hwnd, nullptr, outer.left + 5, outer.top + 7, outer.right - outer.left + 20,
               outer.bottom - outer.top + 10, SWP_NOZORDER | SWP_NOACTIVATE);
  PumpPending();
  const auto moves = EventsOf(WindowMove, window);
  const auto sizes = EventsOf(WindowSize, window);
  ASSERT_FALSE(moves.empty());
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(moves.back()->x, 105);
  EXPECT_EQ(moves.back()->y, 107);
  EXPECT_EQ(sizes[0]->x, 220);
  EXPECT_EQ(sizes[0]->y, 160);
  EXPECT_EQ(window->width, 220);
  EXPECT_EQ(window->height, 160);
}

TEST_F(WindowsWindowTest, MinimiseMaximiseRestoreTopmostAndForeground) {
  auto window = NewWindow(WINDOW_TITLEBAR | WINDOW_RESIZABLE, 40, 40, 280, 190);
  const HWND hwnd = NativeOf(window);
  // A shown window moved by the program stays silent, also once the display has
  // caught up with the move.
  window->SetShape(50, 50, 300, 200);
  PumpFor(200);
  EXPECT_TRUE(EventsOf(WindowMove, window).empty()) << DescribeRecorded();
  EXPECT_TRUE(EventsOf(WindowSize, window).empty());
  window->Activate(ACTION_MINIMISE);
  PumpPending();
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_EQ(window->State() & GADGETSTATE_MINIMISED, GADGETSTATE_MINIMISED);
  EXPECT_TRUE(EventsOf(WindowMove, window).empty()) << "minimising posts nothing";
  EXPECT_TRUE(EventsOf(WindowSize, window).empty());

  window->Activate(ACTION_RESTORE);
  PumpPending();
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_EQ(window->State() & GADGETSTATE_MINIMISED, 0);
  EXPECT_FALSE(EventsOf(WindowMove, window).empty()) << "restoring moves the window back";
  EXPECT_EQ(window->xpos, 50);
  EXPECT_EQ(window->width, 300);

  window->Activate(ACTION_MAXIMISE);
  PumpPending();
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_EQ(window->State() & GADGETSTATE_MAXIMISED, GADGETSTATE_MAXIMISED);
  window->Activate(ACTION_RESTORE);
  PumpPending();
  EXPECT_FALSE(IsZoomed(hwnd));
  EXPECT_EQ(window->Activate(ACTION_BACK), 0);

  // What the alarm does when it fires.
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd);
  PumpPending();
  EXPECT_TRUE(ExStyleOf(hwnd) & WS_EX_TOPMOST);
  EXPECT_EQ(GetForegroundWindow(), hwnd);
}

TEST_F(WindowsWindowTest, ActivationIsReportedAndRemembered) {
  auto first = NewWindow(kPlainTitled, 40, 40, 200, 120);
  auto second = NewWindow(kPlainTitled, 300, 40, 200, 120);
  SetForegroundWindow(NativeOf(first));
  PumpPending();
  RecordedEvents().clear();
  SetForegroundWindow(NativeOf(second));
  PumpPending();
  EXPECT_EQ(EventsOf(WindowActivate, second).size(), 1u);
  EXPECT_EQ(ActiveWindowGadget.lock(), second);
  EXPECT_EQ(TWindowsGUIDriver::GetActiveHwnd(), NativeOf(second));
  // A minimised window that becomes active is not an activation the program hears of.
  first->Activate(ACTION_MINIMISE);
  PumpPending();
  RecordedEvents().clear();
  SetForegroundWindow(NativeOf(first));
  PumpPending();
  EXPECT_TRUE(IsIconic(NativeOf(first)));
  EXPECT_TRUE(EventsOf(WindowActivate, first).empty()) << DescribeRecorded();
}

TEST_F(WindowsWindowTest, CloseOnlyAsks) {
  auto window = NewWindow(kPlainTitled);
  const HWND hwnd = NativeOf(window);
  EXPECT_EQ(SendMessageW(hwnd, WM_CLOSE, 0, 0), 1);
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  PumpPending();
  EXPECT_EQ(EventsOf(WindowClose, window).size(), 2u);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

// A drop of the given paths at client point `at`, as the shell hands it over.
HGLOBAL MakeDrop(POINT at, const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const std::wstring& path : paths) chars += path.size() + 1;
  const size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = at;
  drop->fNC = FALSE;
  drop->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
  for (const std::wstring& path : paths) {
    std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    text += path.size() + 1;
  }
  *text = L'\0';
  GlobalUnlock(memory);
  return memory;
}

TEST_F(WindowsWindowTest, DroppedFilesPostOneEventEach) {
  auto window = NewWindow(kPlainTitled | WINDOW_ACCEPTFILES | WINDOW_HIDDEN);
  HGLOBAL drop = MakeDrop({10, 20}, {L"C:\\primo.txt", L"C:\\cartella\\secondo.ico"});
  SendMessageW(NativeOf(window), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  const auto accepted = EventsOf(WindowAccept, window);
  ASSERT_EQ(accepted.size(), 2u);
  EXPECT_EQ(accepted[0]->x, 10);
  EXPECT_EQ(accepted[0]->y, 20);
  ASSERT_TRUE(AsText(accepted[0]->extra));
  EXPECT_EQ(*AsText(accepted[0]->extra), u"C:\\primo.txt");
  EXPECT_EQ(*AsText(accepted[1]->extra), u"C:\\cartella\\secondo.ico");
  EXPECT_EQ(accepted[1]->y, 20);
}

TEST_F(WindowsWindowTest, TrackingSizesKeepTheMinimumAndASoundMaximum) {
  auto window = NewWindow(WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_HIDDEN);
  auto ask = [&] {
    MINMAXINFO info{};
    info.ptMinTrackSize = {1, 1};
    info.ptMaxTrackSize = {9999, 9999};
    SendMessageW(NativeOf(window), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  };
  window->SetMinimumSize(200, 100);
  MINMAXINFO info = ask();
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMinTrackSize.y, 100);
  EXPECT_EQ(info.ptMaxTrackSize.x, 9999) << "no maximum set: the system's stays";
  window->SetMaximumSize(150, 50);  // below the minimum: ignored
  EXPECT_EQ(ask().ptMaxTrackSize.x, 9999);
  window->SetMaximumSize(400, 300);
  info = ask();
  EXPECT_EQ(info.ptMaxTrackSize.x, 400);
  EXPECT_EQ(info.ptMaxTrackSize.y, 300);
  SendMessageW(NativeOf(window), WM_GETMINMAXINFO, 0, 0);  // no record: nothing to do

  // In client coordinates the sizes are client sizes, stored as frame sizes.
  auto client = NewWindow(WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_CLIENTCOORDS | WINDOW_HIDDEN);
  client->SetMinimumSize(200, 100);
  EXPECT_GT(client->MinimumWidth(), 200);
  EXPECT_GT(client->MinimumHeight(), 100);
}

TEST_F(WindowsWindowTest, StatusTextKeepsClearOfTheSizeGrip) {
  auto sizable = NewWindow(kFull | WINDOW_HIDDEN);
  sizable->SetStatus(u"Pronto");
  wchar_t text[64] = {};
  SendMessageW(sizable->StatusBar(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Pronto  ");
  auto fixed = NewWindow(WINDOW_TITLEBAR | WINDOW_STATUS | WINDOW_HIDDEN);
  fixed->SetStatus(u"Pronto");
  SendMessageW(fixed->StatusBar(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Pronto");
  auto without = NewWindow(kPlainTitled | WINDOW_HIDDEN);
  EXPECT_EQ(without->SetStatus(u"niente"), 0);
}

TEST_F(WindowsWindowTest, OpacityUsesALayeredWindowOnlyWhileTranslucent) {
  auto window = NewWindow(kPlainTitled | WINDOW_HIDDEN);
  const HWND hwnd = NativeOf(window);
  window->SetAlpha(0.5f);
  ASSERT_TRUE(ExStyleOf(hwnd) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 127);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  window->SetAlpha(1.0f);
  EXPECT_FALSE(ExStyleOf(hwnd) & WS_EX_LAYERED);
  window->SetAlpha(1e20f);  // no byte holds it: nothing breaks
}

TEST_F(WindowsWindowTest, IconComesFromAPixmapAndGoesWithNone) {
  auto window = NewWindow(kPlainTitled | WINDOW_HIDDEN);
  PixmapRef pixmap = TPixmap::Create(16, 16, PF_RGBA8888);
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) pixmap->WritePixel(x, y, 0xFFC00000);
  }
  EXPECT_EQ(window->SetPixmap(pixmap, 0), 0) << "only with the icon flag";
  EXPECT_EQ(SendMessageW(NativeOf(window), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(window->SetPixmap(pixmap, GADGETPIXMAP_ICON), 1);
  const LRESULT big = SendMessageW(NativeOf(window), WM_GETICON, ICON_BIG, 0);
  EXPECT_NE(big, 0);
  EXPECT_EQ(SendMessageW(NativeOf(window), WM_GETICON, ICON_SMALL, 0), big);
  EXPECT_EQ(window->SetPixmap(pixmap, GADGETPIXMAP_ICON), 1);  // replaces the first
  EXPECT_EQ(window->SetPixmap(nullptr, GADGETPIXMAP_ICON), 1);
  EXPECT_EQ(SendMessageW(NativeOf(window), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_FALSE(window->ShowsImage());
}

TEST_F(WindowsWindowTest, FocusGoesToTheFirstTabStop) {
  auto window = NewWindow(WINDOW_TITLEBAR | WINDOW_STATUS);
  auto label = Make<TWindowsGadget>(GADGETCLASS_LABEL, u"Ora", 5, 5, 60, 20, window, 0);
  auto panel = Make<TWindowsGadget>(GADGETCLASS_PANEL, u"", 5, 30, 200, 60, window, 0);
  auto field = Make<TWindowsGadget>(GADGETCLASS_TEXTFIELD, u"12", 5, 5, 60, 20, panel, 0);
  auto button = Make<TWindowsGadget>(GADGETCLASS_BUTTON, u"Attiva", 5, 100, 80, 24, window, 0);
  ASSERT_TRUE(label && panel && field && button);
  SetForegroundWindow(NativeOf(window));
  window->Activate(ACTION_FOCUS);
  EXPECT_EQ(GetFocus(), NativeOf(field)) << "found inside the panel, before the later button";

  auto empty = NewWindow(kPlainTitled);
  SetForegroundWindow(NativeOf(empty));
  empty->Activate(ACTION_FOCUS);
  EXPECT_EQ(GetFocus(), NativeOf(empty));
}

TEST_F(WindowsWindowTest, ResizingLaysOutTheKids) {
  auto window = NewWindow(
      WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_STATUS | WINDOW_CLIENTCOORDS | WINDOW_HIDDEN, 40,
      40, 300, 200);
  auto panel = Make<TWindowsGadget>(GADGETCLASS_PANEL, u"", 10, 10, 280, 180, window, 0);
  panel->SetLayout(LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  const RECT outer = WindowRectOf(NativeOf(window));
  SetWindowPos(NativeOf(window), nullptr, 0, 0, outer.right - outer.left + 100,
               outer.bottom - outer.top + 50, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  PumpPending();
  EXPECT_EQ(window->ClientWidth(), 400);
  EXPECT_EQ(ClientRectOf(window->ClientHwnd()).right, 400);
  EXPECT_EQ(ClientRectOf(window->ClientHwnd()).bottom, 250);
  EXPECT_EQ(panel->width, 380);
  EXPECT_EQ(panel->height, 230);
  EXPECT_EQ(ClientRectOf(NativeOf(panel)).right, 380);
}

TEST_F(WindowsWindowTest, CommandsWithoutAMenuAndABarWithoutAMenuTree) {
  auto window = NewWindow(kPlainTitled | WINDOW_MENU | WINDOW_HIDDEN);
  EXPECT_EQ(window->PopupMenu(nullptr, nullptr), 0);
  SendMessageW(NativeOf(window), WM_COMMAND, 1000000, 0);  // a menu command no menu owns
  ASSERT_EQ(RecordedEvents().size(), 1u);
  EXPECT_EQ(RecordedEvents()[0]->id, MenuAction);
  EXPECT_EQ(RecordedEvents()[0]->source, nullptr);
  SendMessageW(NativeOf(window), WM_COMMAND, 100, 0);  // not a menu key
  EXPECT_EQ(RecordedEvents().size(), 1u);
  window->UpdateMenu();  // an empty tree: no menu bar
  EXPECT_EQ(GetMenu(NativeOf(window)), nullptr);
  EXPECT_EQ(window->CreatedBar(), nullptr);
  window->UpdateMenu();
}

}  // namespace
}  // namespace quardeln::test
