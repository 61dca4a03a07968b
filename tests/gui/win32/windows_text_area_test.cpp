// The text area on the real rich edit control, under Wine: text in and out, line
// arithmetic, which changes post events (program-made ones never do, typing does), the
// message filter's rules, locks, paste and the gadget's release. Input is sent to the
// control as real key and mouse messages; held modifier keys are set in the thread's
// keyboard state. Every test runs under a watchdog.
#include "gui/win32/windows_text_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "events/hooks.h"
#include "gui/api.h"
#include "gui/platform.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "tests/gui/win32/native_of.h"
#include "tests/system/watchdog.h"

namespace quardeln {
namespace {

using test::NativeOf;

using namespace std::chrono_literals;

const std::vector<std::u16string> kHelpLines = {
    u"Questo piccolo programma svolge la funzione di\r",
    u"un promemoria digitale molto semplice.\r",
    u"Una volta impostata l'ora voluta, riporta la finestra\r",
    u"del medesimo in primo piano su qualsiasi applicazione.\r",
    u"\r",
    u"Attenzione, Il processo una volta avviato pu\u00F2 essere interrotto\r",
    u"solo utilizzando il Task Manager di Windows (CTRL+ALT+CANC).",
};

// Every event emitted since the test began, in order.
std::vector<EventRef>& Recorded() {
  static std::vector<EventRef> events;
  return events;
}

ObjectRef Record(int32_t, ObjectRef data, const ObjectRef&) {
  if (auto event = std::dynamic_pointer_cast<TEvent>(data)) Recorded().push_back(event);
  return data;
}

int32_t CountOf(int32_t id, const ObjectRef& source) {
  int32_t count = 0;
  for (const EventRef& event : Recorded()) count += event->id == id && event->source == source;
  return count;
}

// A plain top-level window of the driver's class to hold the areas; registered like a
// window so the driver routes its controls' notifications to them.
class THostWindow final : public TWindowsGadget {
 public:
  static std::shared_ptr<THostWindow> Create() {
    auto host = std::make_shared<THostWindow>();
    HWND hwnd = CreateWindowExW(0, Wide(TWindowsGUIDriver::ClassName()), L"Tempra Help",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 298, 248, 390, 310, nullptr,
                                nullptr, DriverInstance(), nullptr);
    host->Register(GADGETCLASS_WINDOW, hwnd, nullptr, 0);
    return host;
  }
};

// Runs what is pending on this thread's message queue; bounded, since a caret blink
// timer can keep it from ever being empty.
void Pump() {
  MSG msg;
  for (int i = 0; i < 500 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Holds Ctrl and/or Shift in the thread's keyboard state, which GetKeyState reads.
class HeldKeys {
 public:
  explicit HeldKeys(int32_t mods) {
    GetKeyboardState(saved_);
    BYTE keys[256];
    GetKeyboardState(keys);
    if (mods & ModControl) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    if (mods & ModShift) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    SetKeyboardState(keys);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

// A key press as the control gets it from the keyboard: key down, its character, key up.
void Press(HWND hwnd, WPARAM key, WPARAM character = 0, int32_t mods = 0) {
  HeldKeys held(mods);
  SendMessageW(hwnd, WM_KEYDOWN, key, 1);
  if (character) SendMessageW(hwnd, WM_CHAR, character, 1);
  SendMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

void Type(HWND hwnd, const std::u16string& text) {
  for (char16_t c : text) SendMessageW(hwnd, WM_CHAR, c, 1);
}

// The filter's answer for one message, as the control would ask for it.
LRESULT Filter(TWindowsTextArea& area, UINT msg, WPARAM wParam, int32_t mods = 0,
               MSGFILTER* out = nullptr) {
  HeldKeys held(mods);
  MSGFILTER filter{};
  filter.nmhdr.hwndFrom = area.Hwnd();
  filter.nmhdr.code = EN_MSGFILTER;
  filter.msg = msg;
  filter.wParam = wParam;
  LRESULT result = area.OnNotify(0, reinterpret_cast<LPARAM>(&filter));
  if (out) *out = filter;
  return result;
}

std::u16string ClipboardText(HWND owner) {
  std::u16string text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(HWND owner, const std::u16string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* chars = static_cast<char16_t*>(GlobalLock(block));
  std::copy(text.begin(), text.end(), chars);
  chars[text.size()] = 0;
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

// One host window serves the whole suite: Wine takes seconds to take a visible
// top-level window down when there is no window manager.
class TextAreaTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Watchdog watchdog("the driver and the host window to start", 30s);
    static bool started = false;
    if (!started) {
      started = true;
      StartEventsModule();
      StartGuiModule(CreatePlatformGuiDriver());
      InsertHook(EventHookId, &Record, nullptr, 0);  // before the queue, if there is one
    }
    host_ = THostWindow::Create();
  }

  static void TearDownTestSuite() {
    Watchdog watchdog("the host window to go", 30s);
    host_->Free();
    host_.reset();
    Pump();
  }

  void SetUp() override { Recorded().clear(); }

  void TearDown() override {
    for (const auto& area : areas_) area->Free();
    Pump();
    Recorded().clear();
  }

  std::shared_ptr<TWindowsTextArea> NewArea(int32_t style = 0,
                                            const std::shared_ptr<THostWindow>& host = host_) {
    GadgetRef gadget = NewTextArea(5, 9, 373, 219, host, style);
    auto area = std::dynamic_pointer_cast<TWindowsTextArea>(gadget);
    EXPECT_TRUE(area && NativeOf(area) && area->idoc) << "no rich edit area was made";
    if (area) areas_.push_back(area);
    return area;
  }

  static std::shared_ptr<THostWindow> host_;
  std::vector<std::shared_ptr<TWindowsTextArea>> areas_;
  Watchdog watchdog_{"a text area test to finish", 30s};
};

std::shared_ptr<THostWindow> TextAreaTest::host_;

TEST_F(TextAreaTest, SevenAddedLinesComeBackAsSevenParagraphs) {
  auto area = NewArea();
  for (const std::u16string& line : kHelpLines) area->AddText(line);

  std::u16string expected;
  for (const std::u16string& line : kHelpLines) expected += line;
  std::replace(expected.begin(), expected.end(), u'\r', u'\n');
  EXPECT_EQ(area->GetText(), expected);
  EXPECT_EQ(area->CharCount(), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(area->AreaLen(TEXTAREA_LINES), 6);
  EXPECT_EQ(area->AreaText(6, 1, TEXTAREA_LINES), kHelpLines[6]);
  EXPECT_EQ(area->AreaText(4, 1, TEXTAREA_LINES), u"\n");
  // The caret sits after the added text, nothing selected.
  EXPECT_EQ(area->GetCursorPos(TEXTAREA_CHARS), area->CharCount());
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_CHARS), 0);
  Pump();
  EXPECT_TRUE(Recorded().empty()) << "adding text posted " << Recorded().size() << " events";
}

TEST_F(TextAreaTest, LineAndPositionArithmeticAtTheEdges) {
  auto area = NewArea();
  area->SetText(u"one\rtwo\rthree");
  const int32_t count = area->CharCount();
  ASSERT_EQ(count, 13);
  EXPECT_EQ(area->CharAt(-1), 0);
  EXPECT_EQ(area->CharAt(1), 4);
  EXPECT_EQ(area->CharAt(2), 8);
  EXPECT_EQ(area->CharAt(3), count);  // beyond the last line
  EXPECT_EQ(area->CharAt(100), count);
  EXPECT_EQ(area->LineAt(-5), 0);
  EXPECT_EQ(area->LineAt(5), 1);
  EXPECT_EQ(area->LineAt(count), 2);
  EXPECT_EQ(area->LineAt(count + 50), 2);

  EXPECT_EQ(area->AreaText(0, -1, TEXTAREA_CHARS), u"one\ntwo\nthree");
  EXPECT_EQ(area->AreaText(5, -1, TEXTAREA_CHARS), u"wo\nthree");
  EXPECT_EQ(area->AreaText(1, -1, TEXTAREA_LINES), u"two\nthree");
  EXPECT_EQ(area->AreaText(0, 2, TEXTAREA_LINES), u"one\ntwo\n");
  // Lengths that would carry the end past the 32-bit range end past the text like any other.
  EXPECT_EQ(area->AreaText(5, INT32_MAX, TEXTAREA_CHARS), area->AreaText(5, 50, TEXTAREA_CHARS));
  EXPECT_EQ(area->AreaText(1, INT32_MAX, TEXTAREA_LINES), u"two\nthree");
  EXPECT_EQ(area->AreaText(INT32_MAX, INT32_MAX, TEXTAREA_LINES), u"");

  area->ReplaceText(1, 1, u"2\r", TEXTAREA_LINES);
  EXPECT_EQ(area->GetText(), u"one\n2\nthree");
}

TEST_F(TextAreaTest, SelectionsInCharactersAndLines) {
  auto area = NewArea();
  area->SetText(u"aa\rbb\rcc\rdd");
  area->SetSelection(1, 2, TEXTAREA_LINES);
  EXPECT_EQ(area->GetCursorPos(TEXTAREA_LINES), 1);
  EXPECT_EQ(area->GetCursorPos(TEXTAREA_CHARS), 3);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_CHARS), 6);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_LINES), 2);
  area->SetSelection(4, -1, TEXTAREA_CHARS);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_CHARS), 7);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_LINES), 3);
  // A caret is no selection, wherever it stands in its line.
  area->SetSelection(2, 0, TEXTAREA_LINES);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_LINES), 0);
  area->SetSelection(7, 0, TEXTAREA_CHARS);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_LINES), 0);
  // Text replaced before the selection moves it along with its text.
  area->SetSelection(3, 2, TEXTAREA_CHARS);
  area->ReplaceText(0, 2, u"AAAA", TEXTAREA_CHARS);
  EXPECT_EQ(area->GetCursorPos(TEXTAREA_CHARS), 5);
  EXPECT_EQ(area->GetSelectionLength(TEXTAREA_CHARS), 2);
  EXPECT_EQ(area->GetText(), u"AAAA\nbb\ncc\ndd");
}

TEST_F(TextAreaTest, ProgramChangesPostNothingButTypingPostsOneActionPerChange) {
  auto area = NewArea();
  area->AddText(u"first\r");
  area->SetText(u"second\r");
  area->ReplaceText(0, 3, u"SEC", TEXTAREA_CHARS);
  area->SetSelection(0, 2, TEXTAREA_CHARS);
  area->SetStyle(255, 0, 0, 1, 0, 3, TEXTAREA_CHARS);
  area->SetTextColor(0, 0, 128);
  Pump();
  EXPECT_TRUE(Recorded().empty()) << "program-made changes posted " << Recorded().size();

  area->SetSelection(area->CharCount(), 0, TEXTAREA_CHARS);
  Type(NativeOf(area), u"abc");
  Pump();
  EXPECT_EQ(CountOf(GadgetAction, area), 3);
  for (const EventRef& event : Recorded()) {
    if (event->id == GadgetAction) {
      EXPECT_EQ(event->data, 0);
    }
  }
  EXPECT_EQ(area->GetText(), u"SECond\nabc");
}

TEST_F(TextAreaTest, NestedLocksHoldEventsBackUntilTheLastUnlock) {
  auto area = NewArea();
  area->LockText();
  area->LockText();
  Type(NativeOf(area), u"x");
  area->UnlockText();
  Type(NativeOf(area), u"y");
  EXPECT_EQ(CountOf(GadgetAction, area), 0);
  EXPECT_EQ(CountOf(GadgetSelect, area), 0);
  area->UnlockText();
  Type(NativeOf(area), u"z");
  EXPECT_EQ(CountOf(GadgetAction, area), 1);
  // An unlock too many must not leave the area silenced.
  area->UnlockText();
  EXPECT_EQ(area->LockDepth(), 0);
  Type(NativeOf(area), u"w");
  EXPECT_EQ(CountOf(GadgetAction, area), 2);
  EXPECT_EQ(area->GetText(), u"xyzw");
}

TEST_F(TextAreaTest, ReadOnlyAreaLetsOnlyNavigationSelectAllAndCopyThrough) {
  auto area = NewArea(TEXTAREA_READONLY);
  area->SetText(u"abc\rdef");
  area->SetSelection(0, 0, TEXTAREA_CHARS);
  for (WPARAM key = VK_PRIOR; key <= VK_DOWN; ++key) {
    EXPECT_EQ(Filter(*area, WM_KEYDOWN, key), 0) << "navigation key " << key;
  }
  EXPECT_EQ(Filter(*area, WM_KEYDOWN, 'A', ModControl), 0);
  EXPECT_EQ(Filter(*area, WM_KEYDOWN, 'C', ModControl), 0);
  for (WPARAM key : {WPARAM{VK_BACK}, WPARAM{VK_DELETE}, WPARAM{VK_INSERT}, WPARAM{'X'}}) {
    EXPECT_NE(Filter(*area, WM_KEYDOWN, key), 0) << "key " << key;
  }
  EXPECT_NE(Filter(*area, WM_KEYDOWN, 'V', ModControl), 0);
  EXPECT_NE(Filter(*area, WM_CHAR, 'q'), 0);

  // The same through the control itself.
  Press(NativeOf(area), VK_RIGHT);
  EXPECT_EQ(area->GetCursorPos(TEXTAREA_CHARS), 1);
  Press(NativeOf(area), VK_DELETE);
  Press(NativeOf(area), VK_BACK, '\b');
  Press(NativeOf(area), 'Q', 'q');
  SetClipboardText(NativeOf(host_), u"pasted");
  Press(NativeOf(area), 'V', 0x16, ModControl);
  EXPECT_EQ(area->GetText(), u"abc\ndef");
  Press(NativeOf(area), 'A', 0x01, ModControl);
  EXPECT_GE(area->GetSelectionLength(TEXTAREA_CHARS), area->CharCount());
  Press(NativeOf(area), 'C', 0x03, ModControl);
  EXPECT_NE(ClipboardText(NativeOf(host_)).find(u"def"), std::u16string::npos);
  Pump();
  EXPECT_EQ(CountOf(GadgetAction, area), 0);
}

TEST_F(TextAreaTest, EditableAreaSwallowsOnlyTheControlsOwnFormatShortcuts) {
  auto area = NewArea();
  for (WPARAM key : {WPARAM{'E'}, WPARAM{'L'}, WPARAM{'R'}}) {
    EXPECT_NE(Filter(*area, WM_KEYDOWN, key, ModControl), 0) << "Ctrl+" << char(key);
    EXPECT_EQ(Filter(*area, WM_KEYDOWN, key), 0) << char(key);
  }
  EXPECT_NE(Filter(*area, WM_KEYDOWN, VK_OEM_COMMA, ModControl | ModShift), 0);
  EXPECT_NE(Filter(*area, WM_KEYDOWN, VK_OEM_PERIOD, ModControl | ModShift), 0);
  EXPECT_EQ(Filter(*area, WM_KEYDOWN, VK_OEM_PERIOD, ModControl), 0);
  EXPECT_EQ(Filter(*area, WM_KEYDOWN, VK_DELETE), 0);
  EXPECT_EQ(Filter(*area, WM_CHAR, 'q'), 0);
}

TEST_F(TextAreaTest, KeyFilterSeesKeyDownAndKeyCharAndDecides) {
  auto area = NewArea(TEXTAREA_READONLY);  // a filter replaces the read-only rules
  std::vector<EventRef> seen;
  area->SetFilter(
      [&seen](const EventRef& event, const ObjectRef&) -> int32_t {
        seen.push_back(event);
        return (event->data >= '0' && event->data <= '9') ? 0 : 1;
      },
      nullptr);
  Press(NativeOf(area), '1', '1', ModShift);
  EXPECT_EQ(area->GetText(), u"");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0]->id, KeyDown);
  EXPECT_EQ(seen[0]->data, '1');
  EXPECT_EQ(seen[0]->mods, ModShift);
  EXPECT_EQ(seen[0]->source, area);
  EXPECT_EQ(seen[1]->id, KeyChar);
  EXPECT_EQ(seen[1]->data, '1');
  Press(NativeOf(area), 'A', 'a');
  EXPECT_EQ(area->GetText(), u"a");
  // The filter's events are not emitted.
  EXPECT_EQ(CountOf(KeyDown, area) + CountOf(KeyChar, area), 0);
  area->SetFilter(nullptr, nullptr);
}

TEST_F(TextAreaTest, RightClickMovesTheCaretFirstAndItsReleaseAsksForAMenu) {
  auto area = NewArea();
  area->SetText(u"some text");
  area->SetSelection(0, 0, TEXTAREA_CHARS);
  MSGFILTER out{};
  Filter(*area, WM_RBUTTONDOWN, MK_RBUTTON, 0, &out);
  EXPECT_EQ(out.msg, static_cast<UINT>(WM_LBUTTONDOWN));
  area->SetSelection(0, 4, TEXTAREA_CHARS);
  Filter(*area, WM_RBUTTONDOWN, MK_RBUTTON, 0, &out);
  EXPECT_EQ(out.msg, static_cast<UINT>(WM_RBUTTONDOWN));

  SendMessageW(NativeOf(area), WM_RBUTTONUP, 0, MAKELPARAM(12, 34));
  ASSERT_EQ(CountOf(GadgetMenu, area), 1);
  for (const EventRef& event : Recorded()) {
    if (event->id != GadgetMenu) continue;
    EXPECT_EQ(event->x, 12);
    EXPECT_EQ(event->y, 34);
  }
}

TEST_F(TextAreaTest, PasteEndsWithOneParagraphWhateverTheClipboardsLineEnd) {
  auto lone = NewArea();
  SetClipboardText(NativeOf(host_), u"one\n");
  lone->Activate(ACTION_PASTE);
  EXPECT_EQ(lone->GetText(), u"one\n");
  EXPECT_EQ(ClipboardText(NativeOf(host_)), u"one\r");

  auto pair = NewArea();
  SetClipboardText(NativeOf(host_), u"two\r\n");
  pair->Activate(ACTION_PASTE);
  EXPECT_EQ(pair->GetText(), u"two\n");
  EXPECT_EQ(pair->AreaLen(TEXTAREA_LINES), 1);
}

TEST_F(TextAreaTest, StyleColourAndFlagsLandOnTheirRangeOnly) {
  auto area = NewArea();
  area->SetText(u"hello\rworld");
  area->SetStyle(200, 100, 50, 1 | 4, 0, 5, TEXTAREA_CHARS);
  area->SetStyle(0, 0, 255, 2 | 8, 1, 1, TEXTAREA_LINES);
  auto format_at = [&](int32_t pos) {
    area->SetSelection(pos, 1, TEXTAREA_CHARS);
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    SendMessageW(NativeOf(area), EM_GETCHARFORMAT, SCF_SELECTION,
                 reinterpret_cast<LPARAM>(&format));
    return format;
  };
  CHARFORMAT2W hello = format_at(1);
  EXPECT_EQ(hello.crTextColor, RGB(200, 100, 50));
  EXPECT_EQ(hello.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT),
            static_cast<DWORD>(CFE_BOLD | CFE_UNDERLINE));
  CHARFORMAT2W world = format_at(7);
  EXPECT_EQ(world.crTextColor, RGB(0, 0, 255));
  EXPECT_EQ(world.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT),
            static_cast<DWORD>(CFE_ITALIC | CFE_STRIKEOUT));

  area->SetTextColor(10, 20, 30);  // all text, and bold and italic cleared
  CHARFORMAT2W after = format_at(1);
  EXPECT_EQ(after.crTextColor, RGB(10, 20, 30));
  EXPECT_EQ(after.dwEffects & (CFE_BOLD | CFE_ITALIC), 0u);
}

TEST_F(TextAreaTest, CtrlWheelDoesNotZoom) {
  auto area = NewArea();
  SendMessageW(NativeOf(area), EM_SETZOOM, 3, 1);
  SendMessageW(NativeOf(area), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  WPARAM numerator = 1;
  LPARAM denominator = 1;
  SendMessageW(NativeOf(area), EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
               reinterpret_cast<LPARAM>(&denominator));
  EXPECT_EQ(numerator, 0u);
  EXPECT_EQ(denominator, 0);
}

TEST_F(TextAreaTest, LosingTheFocusPostsAnEvent) {
  auto area = NewArea();
  SetFocus(NativeOf(area));
  SetFocus(NativeOf(host_));
  Pump();
  EXPECT_EQ(CountOf(GadgetLostFocus, area), 1);
}

TEST_F(TextAreaTest, TheDocumentIsReleasedWithTheGadgetOrItsWindow) {
  auto freed = NewArea();
  HWND hwnd = NativeOf(freed);
  freed->Free();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(freed->idoc);
  EXPECT_FALSE(freed->ole);

  auto own_host = THostWindow::Create();
  auto kid = NewArea(0, own_host);
  kid->AddText(u"text");
  own_host->Free();  // the area's window goes with its parent's
  EXPECT_FALSE(kid->idoc);
  EXPECT_FALSE(kid->ole);
  EXPECT_EQ(kid->GetText(), u"");  // no document: nothing to read, and no crash
}

}  // namespace
}  // namespace quardeln
