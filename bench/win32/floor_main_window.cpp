// A plain Win32 program that builds tempra.exe's main window: the same 22 native
// controls with the same classes, styles, texts, places and fonts, the program's icon,
// and version 6 of the common controls through its manifest; then it pumps messages. The
// floor against which tempra.exe's start-up is measured.
#include <windows.h>
//
#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kClassName[] = L"FLOOR_MAIN_WINDOW";
constexpr int kProgramIcon = 101;

constexpr DWORD kMainStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kGroupBoxStyle = kChildStyle | WS_CLIPCHILDREN | BS_GROUPBOX;
constexpr DWORD kPanelClientStyle = kChildStyle | WS_CLIPCHILDREN;
constexpr DWORD kFieldStyle = kChildStyle | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kStepperStyle = kChildStyle | WS_CLIPCHILDREN;
constexpr DWORD kLabelStyle = kChildStyle | SS_NOPREFIX | SS_NOTIFY;
constexpr DWORD kButtonStyle = kChildStyle | WS_TABSTOP | BS_MULTILINE;
static_assert(kFieldStyle == 0x54010080);
static_assert(kLabelStyle == 0x54000180);
static_assert(kButtonStyle == 0x54012000);

// A group panel's children sit in a client window inside the frame.
constexpr int kGroupLeft = 4;
constexpr int kGroupTop = 16;
constexpr int kGroupWidthLoss = 8;
constexpr int kGroupHeightLoss = 20;

constexpr int kFieldSize = 30;
constexpr int kRows[] = {30, 95, 160};

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY && !GetParent(hwnd)) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterWindowClass() {
  WNDCLASSW windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = Instance();
  windowClass.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(kProgramIcon));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
}

HWND Child(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* text, int x, int y,
           int w, int h, HWND parent, HFONT font) {
  HWND hwnd = CreateWindowExW(exStyle, className, text, style, x, y, w, h, parent, nullptr,
                              Instance(), nullptr);
  if (font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return hwnd;
}

// A framed group with its caption; returns the client window its children go in.
HWND GroupPanel(const wchar_t* caption, int x, int y, int w, int h, HWND window, HFONT font) {
  HWND frame =
      Child(L"BUTTON", WS_EX_CONTROLPARENT, kGroupBoxStyle, caption, x, y, w, h, window, font);
  return Child(kClassName, WS_EX_CONTROLPARENT, kPanelClientStyle, L"", kGroupLeft, kGroupTop,
               w - kGroupWidthLoss, h - kGroupHeightLoss, frame, nullptr);
}

HFONT FieldFont() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return CreateFontW(-(14 * dpi) / 72, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
}

// Hours, minutes and seconds of the clock, as the fields show them.
void ClockTexts(wchar_t (&texts)[3][8]) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const WORD parts[3] = {now.wHour, now.wMinute, now.wSecond};
  for (int i = 0; i < 3; ++i) wsprintfW(texts[i], L"%d", parts[i]);
}

void TimeFields(int x, HWND panel, const wchar_t (&texts)[3][8]) {
  for (int i = 0; i < 3; ++i) {
    Child(L"EDIT", WS_EX_CLIENTEDGE, kFieldStyle, texts[i], x, kRows[i], kFieldSize, kFieldSize,
          panel, FieldFont());
  }
}

// Made at size 0 and then placed: an up-down control made at its size narrows itself.
void Steppers(HWND panel) {
  for (int row : kRows) {
    HWND stepper = Child(UPDOWN_CLASSW, 0, kStepperStyle, L"", 0, 0, 0, 0, panel, nullptr);
    MoveWindow(stepper, 5, row, kFieldSize, kFieldSize, TRUE);
    SendMessageW(stepper, UDM_SETRANGE, 0, MAKELPARAM(2, 1));
  }
}

struct TLabel {
  const wchar_t* text;
  int x, y, w, h;
};
constexpr TLabel kLabels[] = {
    {L"Ora Attuale", 30, 15, 58, 18}, {L"Ore", 115, 68, 28, 20},     {L"Minuti", 110, 135, 37, 25},
    {L"Secondi", 105, 202, 42, 27},   {L"Allarme", 180, 15, 48, 17},
};
struct TButton {
  const wchar_t* text;
  int y;
};
constexpr TButton kButtons[] = {{L"Attiva", 50}, {L"Aiuto", 115}, {L"Dona", 155}, {L"Uscita", 195}};

void BuildMainWindow() {
  RegisterWindowClass();
  HWND window = CreateWindowExW(0, kClassName, L"Vornelt Tempra V0.5 - Italiano ", kMainStyle, 287,
                                229, 395, 300, nullptr, nullptr, Instance(), nullptr);
  HICON icon = ExtractIconA(Instance(), "vico.ico", 0);
  if (reinterpret_cast<UINT_PTR>(icon) > 1) {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND alarm = GroupPanel(L"Allarme", 155, 12, 85, 225, window, font);
  HWND now = GroupPanel(L"Ora Attuale", 17, 12, 80, 225, window, font);
  wchar_t texts[3][8];
  ClockTexts(texts);
  TimeFields(40, alarm, texts);
  TimeFields(20, now, texts);
  Steppers(alarm);
  for (const TLabel& label : kLabels) {
    Child(L"STATIC", 0, kLabelStyle, label.text, label.x, label.y, label.w, label.h, window, font);
  }
  HWND first = nullptr;
  for (const TButton& button : kButtons) {
    HWND made = Child(L"BUTTON", 0, kButtonStyle, button.text, 280, button.y, 75, 23, window, font);
    if (!first) first = made;
  }
  EnableWindow(first, FALSE);  // "Attiva" waits for a stepper
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  BuildMainWindow();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
