// The driver's look and input services on real windows: tooltips and their line ends,
// hot keys through the thread keyboard hook (fed with SendInput, since the hook only
// sees real keyboard input), control colours and parent backgrounds, pointer shapes,
// the colour and font requesters, and fonts.
#include <array>

#include "gui/win32/windows_font.h"
#include "tests/gui/win32/driver_test_support.h"
#include "tests/gui/win32/real_input.h"

namespace quardeln::test {
namespace {

using LookAndInputTest = DriverTest;

int ToolCount() {
  return static_cast<int>(SendMessageW(SharedTooltipWindow(), TTM_GETTOOLCOUNT, 0, 0));
}

std::u16string ToolText(HWND tool) {
  std::array<wchar_t, 256> buffer{};
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = buffer.data();
  SendMessageW(SharedTooltipWindow(), TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()));
}

TEST_F(LookAndInputTest, TooltipsKeepCrLfLineEndsInTheSharedWindow) {
  auto label = Child(L"STATIC", 0, GADGETCLASS_LABEL, 5, 5, 80, 20);
  auto other = Child(L"STATIC", 0, GADGETCLASS_LABEL, 5, 40, 80, 20);
  const int before = ToolCount();

  label->SetTooltip(u"a\nb");
  EXPECT_EQ(label->GetTooltip(), u"a\r\nb");
  EXPECT_EQ(label->IsSharedTool(), true);
  EXPECT_EQ(ToolCount(), before + 1);
  EXPECT_EQ(ToolText(NativeOf(label)), u"a\r\nb");

  label->SetTooltip(u"x\r\ny\r\n");  // an update: still one tool
  EXPECT_EQ(label->GetTooltip(), u"x\r\ny\r\n");
  EXPECT_EQ(ToolCount(), before + 1);
  EXPECT_EQ(ToolText(NativeOf(label)), u"x\r\ny\r\n");

  label->SetTooltip(u"");
  EXPECT_EQ(label->GetTooltip(), u"");
  EXPECT_EQ(label->IsSharedTool(), false);
  EXPECT_EQ(ToolCount(), before);
  other->SetTooltip(u"");  // never had one: nothing changes
  EXPECT_EQ(ToolCount(), before);

  other->SetTooltip(u"z");
  EXPECT_EQ(ToolCount(), before + 1);
  other->Free();
  EXPECT_EQ(ToolCount(), before);
  DriverDesktop->SetTooltip(u"never");
  EXPECT_EQ(DriverDesktop->GetTooltip(), u"");
}

// Lets the keys sent so far arrive and be handled.
void SettleKeys() {
  PumpFor(250);
}

bool BringToFront(HWND window, HWND focus) {
  SetForegroundWindow(window);
  SetFocus(focus);
  return PumpUntil([&] { return GetForegroundWindow() == window && GetFocus() == focus; });
}

TEST_F(LookAndInputTest, HotKeyEmitsOnPressAndSwallowsPressAndRelease) {
  const TestGadgetRef& window = Window();
  auto field = Child(L"EDIT", WS_TABSTOP, GADGETCLASS_TEXTFIELD, 5, 5, 200, 22);
  auto button = Child(L"BUTTON", WS_TABSTOP, GADGETCLASS_BUTTON, 5, 40, 80, 24);
  ASSERT_TRUE(BringToFront(NativeOf(window), NativeOf(field)))
      << "the test window cannot get focus";
  int keyMessages = 0;
  field->onMessage = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
    if ((msg == WM_KEYDOWN || msg == WM_KEYUP) && wParam == 'K') ++keyMessages;
    return 0;
  };

  button->SetHotKey('K', 0);
  SendInputs({KeyInput('K', false), KeyInput('K', true)});
  SettleKeys();
  EXPECT_EQ(CountEvents(GadgetAction, button), 1);
  EXPECT_EQ(keyMessages, 0);
  EXPECT_EQ(field->GetText(), u"");

  // Auto-repeat: every press emits, the release does not.
  SendInputs({KeyInput('K', false), KeyInput('K', false), KeyInput('K', true)});
  SettleKeys();
  EXPECT_EQ(CountEvents(GadgetAction, button), 3);

  // A disabled gadget lets its key through to the focused control.
  button->SetEnabled(0);
  SendInputs({KeyInput('K', false), KeyInput('K', true)});
  SettleKeys();
  EXPECT_EQ(CountEvents(GadgetAction, button), 3);
  EXPECT_EQ(field->GetText(), u"k");
  button->SetEnabled(1);

  // Modifiers must match; the new key replaces the old one.
  button->SetHotKey('J', ModControl);
  SendInputs(
      {KeyInput('J', false), KeyInput('J', true), KeyInput('K', false), KeyInput('K', true)});
  SettleKeys();
  EXPECT_EQ(CountEvents(GadgetAction, button), 3);
  EXPECT_EQ(field->GetText(), u"kjk");
  SendInputs({KeyInput(VK_CONTROL, false), KeyInput('J', false), KeyInput('J', true),
              KeyInput(VK_CONTROL, true)});
  SettleKeys();
  EXPECT_EQ(CountEvents(GadgetAction, button), 4);
  button->SetHotKey(0, 0);
  EXPECT_EQ(HotKeyFind('J', ModControl, reinterpret_cast<NativeHandle>(NativeOf(window))), nullptr);
}

TEST_F(LookAndInputTest, HotKeyOfAnotherWindowLetsTheKeyThrough) {
  const TestGadgetRef& first = Window();
  auto button = Child(L"BUTTON", WS_TABSTOP, GADGETCLASS_BUTTON, 5, 40, 80, 24);
  auto second = Keep(MakeWindow(500, 60, 300, 200));
  auto field = MakeChild(second, L"EDIT", WS_TABSTOP, GADGETCLASS_TEXTFIELD, 5, 5, 200, 22);
  button->SetHotKey('K', 0);
  ASSERT_TRUE(BringToFront(NativeOf(second), NativeOf(field)))
      << "the test window cannot get focus";
  SendInputs({KeyInput('K', false), KeyInput('K', true)});
  SettleKeys();
  EXPECT_EQ(CountEvents(GadgetAction, button), 0);
  EXPECT_EQ(field->GetText(), u"k");
  button->Free();  // removes its hot key
  EXPECT_EQ(HotKeyFind('K', 0, reinterpret_cast<NativeHandle>(NativeOf(first))), nullptr);
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  const TMemoryDc dc(nullptr, bitmap);
  return GetPixel(dc.get(), x, y);
}

// Paints a window's background with the colour (x, y, 0) at client point (x, y).
LRESULT PaintCoordinates(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  if (msg != WM_ERASEBKGND) return 0;
  RECT client{};
  GetClientRect(hwnd, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(static_cast<size_t>(client.right) * client.bottom);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      pixels[static_cast<size_t>(y) * client.right + x] = (uint32_t(x) << 16) | (uint32_t(y) << 8);
    }
  }
  SetDIBitsToDevice(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, 0, 0, 0,
                    client.bottom, pixels.data(), &info, DIB_RGB_COLORS);
  return 1;
}

TEST_F(LookAndInputTest, ParentBackgroundLinesUpInsideASunkenParent) {
  auto sunken = Child(nullptr, 0, GADGETCLASS_PANEL, 0, 0, 200, 150, WS_EX_CLIENTEDGE);
  sunken->onMessage = &PaintCoordinates;
  auto label = MakeChild(sunken, L"STATIC", 0, GADGETCLASS_LABEL, 30, 40, 20, 10);

  HBRUSH brush = label->CreateControlBrush(NativeOf(label), nullptr);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(brush, label->ControlBrush());
  EXPECT_EQ(PixelOf(label->ControlBrushBitmap(), 0, 0), RGB(30, 40, 0));
  EXPECT_EQ(PixelOf(label->ControlBrushBitmap(), 5, 3), RGB(35, 43, 0));

  {
    const TWindowDc screen;
    const UniqueBitmap target(CreateCompatibleBitmap(screen.get(), 20, 10));
    const TMemoryDc dc(screen.get(), target.get());
    EXPECT_EQ(TWindowsGadget::DrawParentBackground(dc.get(), NativeOf(label), 1),
              GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(30, 40, 0));
    EXPECT_EQ(GetPixel(dc.get(), 7, 2), RGB(37, 42, 0));
  }

  // With a colour of its own the control's brush is that colour.
  label->SetColor(9, 8, 7);
  EXPECT_EQ(label->CreateControlBrush(NativeOf(label), nullptr), label->BackBrush());
  EXPECT_EQ(label->ControlBrushBitmap(), nullptr);
}

TEST_F(LookAndInputTest, ControlColourMessagesFollowTheColourTable) {
  const TestGadgetRef& window = Window();
  auto field = Child(L"EDIT", WS_TABSTOP, GADGETCLASS_TEXTFIELD, 5, 5, 100, 22);
  auto label = Child(L"STATIC", 0, GADGETCLASS_LABEL, 5, 40, 100, 20);
  auto panel = Child(nullptr, 0, GADGETCLASS_PANEL, 150, 5, 100, 100);
  const TWindowDc windowDc(NativeOf(window));
  HDC dc = windowDc.get();
  auto ask = [&](UINT msg, HWND control) {
    return reinterpret_cast<HBRUSH>(SendMessageW(
        NativeOf(window), msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  };

  field->SetColor(10, 20, 30);
  field->SetTextColor(1, 2, 3);
  EXPECT_EQ(field->BackColour(), static_cast<int32_t>(RGB(10, 20, 30)));
  EXPECT_EQ(ask(WM_CTLCOLOREDIT, NativeOf(field)), field->BackBrush());
  EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));

  label->SetTextColor(200, 0, 0);
  HBRUSH labelBrush = ask(WM_CTLCOLORSTATIC, NativeOf(label));
  EXPECT_EQ(labelBrush, label->ControlBrush());
  EXPECT_NE(labelBrush, nullptr);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));

  ask(WM_CTLCOLORSTATIC, NativeOf(panel));  // a plain panel: default processing
  EXPECT_EQ(panel->ControlBrush(), nullptr);
}

TEST_F(LookAndInputTest, PointerShapesAndTheClassCursor) {
  const TestGadgetRef& window = Window();
  auto& driver = GuiDriver();
  HCURSOR wait = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));   // IDC_WAIT
  HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  driver.SetPointer(3);
  EXPECT_EQ(PointerCursor, wait);
  SetCursor(arrow);
  EXPECT_EQ(SendMessageW(NativeOf(window), WM_SETCURSOR, reinterpret_cast<WPARAM>(NativeOf(window)),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(GetCursor(), wait);
  driver.SetPointer(15);  // unknown shapes are the arrow
  EXPECT_EQ(PointerCursor, arrow);
  driver.SetPointer(0);
  EXPECT_EQ(PointerCursor, nullptr);
  EXPECT_EQ(GetCursor(), arrow);
}

// Answers the next system dialog of this thread with the command `id` once it shows.
int pendingAnswer = 0;
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM found) -> BOOL {
        std::array<wchar_t, 16> name{};
        GetClassNameW(hwnd, name.data(), static_cast<int>(name.size()));
        if (std::wstring(name.data()) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(pendingAnswer), 0);
}

void AnswerNextDialog(int id) {
  pendingAnswer = id;
  SetTimer(nullptr, 0, 100, &AnswerDialog);
}

TEST_F(LookAndInputTest, ColourRequesterTellsBlackFromCancel) {
  AnswerNextDialog(IDOK);
  EXPECT_EQ(static_cast<uint32_t>(GuiDriver().RequestColor(255, 0, 0)), 0xFFFF0000u);
  AnswerNextDialog(IDOK);
  EXPECT_EQ(static_cast<uint32_t>(GuiDriver().RequestColor(0, 0, 0)), 0xFF000000u);
  AnswerNextDialog(IDCANCEL);
  EXPECT_EQ(GuiDriver().RequestColor(0, 0, 0), 0);
}

TEST_F(LookAndInputTest, FontRequesterStartsFromTheGivenFont) {
  AnswerNextDialog(IDCANCEL);
  EXPECT_EQ(GuiDriver().RequestFont(nullptr), nullptr);
  FontRef start = TWindowsFont::Load(u"Tahoma", 10, FONT_BOLD);
  AnswerNextDialog(IDOK);
  FontRef chosen = GuiDriver().RequestFont(start);
  ASSERT_TRUE(chosen);
  EXPECT_NE(chosen->handle, 0);
  EXPECT_FALSE(chosen->name.empty());
  EXPECT_GT(chosen->size, 0);
  // Windows presets the chooser with the given face, size and weight; Wine's chooser
  // starts at the first face of its list whatever it is given, so that is not checked.
}

LOGFONTW LogFontOf(const FontRef& font) {
  LOGFONTW logFont{};
  GetObjectW(reinterpret_cast<HFONT>(font->handle), sizeof logFont, &logFont);
  return logFont;
}

TEST_F(LookAndInputTest, LoadedFontsHaveTheCharacterHeightOfTheirPoints) {
  EXPECT_EQ(FontHeightOfPoints(14, 96), -18);
  EXPECT_EQ(FontHeightOfPoints(10, 96), -13);  // 13.33 truncated toward zero
  EXPECT_EQ(FontHeightOfPoints(1, 50), 0);

  FontRef bold = GuiFontLoad(u"MS Sans Serif", 14, 1, 0, 0);
  ASSERT_TRUE(std::dynamic_pointer_cast<TWindowsFont>(bold));
  EXPECT_EQ(bold->name, u"MS Sans Serif");
  EXPECT_EQ(bold->size, 14);
  EXPECT_EQ(bold->style, FONT_BOLD);
  LOGFONTW logFont = LogFontOf(bold);
  EXPECT_EQ(logFont.lfHeight, FontHeightOfPoints(14, ScreenDpiY()));
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_EQ(logFont.lfItalic, 0);
  EXPECT_EQ(logFont.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(logFont.lfQuality, ANTIALIASED_QUALITY);

  FontRef slanted = GuiDriver().LoadFont(u"Tahoma", 10, FONT_ITALIC | FONT_UNDERLINE);
  logFont = LogFontOf(slanted);
  EXPECT_EQ(logFont.lfHeight, FontHeightOfPoints(10, ScreenDpiY()));
  EXPECT_EQ(logFont.lfWeight, FW_DONTCARE);
  EXPECT_EQ(logFont.lfItalic, 1);
  EXPECT_EQ(logFont.lfUnderline, 1);
  EXPECT_EQ(logFont.lfStrikeOut, 0);

  auto field = Child(L"EDIT", WS_TABSTOP, GADGETCLASS_TEXTFIELD, 5, 5, 100, 22);
  field->SetFont(slanted);
  EXPECT_EQ(SendMessageW(NativeOf(field), WM_GETFONT, 0, 0), static_cast<LRESULT>(slanted->handle));
  field->SetFont(std::make_shared<TGuiFont>());  // not a native font: the system font
  EXPECT_EQ(SendMessageW(NativeOf(field), WM_GETFONT, 0, 0), 0);
}

}  // namespace
}  // namespace quardeln::test
