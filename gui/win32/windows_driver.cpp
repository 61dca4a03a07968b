// The driver object: start-up of the native side (the desktop, the keyboard hook), gadget
// creation and the driver's class functions. The common controls, OLE, the rich-edit
// library and the shared tooltip window come with the first gadget that needs them: a
// program's first window shows sooner without them (loading the common controls costs
// about as much as showing a window; so does the tooltip, a top-level window of its own).
#include "gui/win32/windows_driver.h"

#include "gui/win32/gadget_factory.h"
#include "gui/win32/optional_api.h"
#include "gui/win32/windows_desktop.h"
#include "gui/win32/windows_font.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {

std::shared_ptr<TWindowsDesktop> DriverDesktop;
std::shared_ptr<TWindowsFont> DefaultGuiFont;
HHOOK KeyboardHook = nullptr;
HWND SharedTooltip = nullptr;
ATOM WindowClassAtom = 0;
HCURSOR PointerCursor = nullptr;
std::weak_ptr<TWindowsGadget> ActiveWindowGadget;
int32_t RedrawOnLayout = 1;
int32_t ExplorerStyle = 0;
int32_t CanvasCreated = 0;
std::array<COLORREF, 16> CustomColours{};
std::array<int32_t, 3> CommonControlVersion{};

HINSTANCE DriverInstance() {
  return GetModuleHandleW(nullptr);
}

void EnsureCommonControls() {
  // Once for the run: registers every class group of the common controls (and, with the
  // program's manifest, their version 6, which the system's own controls then use too).
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0x7FF;
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)loaded;
}

void EnsureOleStarted() {
  // Once for the run, on the GUI thread; OLE stays up until the process ends.
  static const bool started = SUCCEEDED(OleInitialize(nullptr));
  (void)started;
}

void EnsureRichEditLoaded() {
  // The text area's control class; the library stays loaded for the run.
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  (void)library;
}

TWindowsGUIDriver::TWindowsGUIDriver() {
  // Before any window or font: both are made for the DPI the process is aware of.
  DeclareDpiAwareness();
  ResolveOptionalEntryPoints();
  CustomColours.fill(RGB(255, 255, 255));
  DefaultGuiFont =
      TWindowsFont::FromStockFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 12, 0);
  HwndMap.clear();
  DriverDesktop = std::make_shared<TWindowsDesktop>();
  DriverDesktop->Create();
  KeyboardHook =
      SetWindowsHookExW(WH_KEYBOARD, &KeyboardProc, DriverInstance(), GetCurrentThreadId());
}

HWND SharedTooltipWindow() {
  if (!SharedTooltip) TWindowsGUIDriver::CreateSharedTooltip();
  return SharedTooltip;
}

TWindowsGUIDriver::~TWindowsGUIDriver() {
  if (SharedTooltip) DestroyWindow(SharedTooltip);
  SharedTooltip = nullptr;
  if (KeyboardHook) UnhookWindowsHookEx(KeyboardHook);
  KeyboardHook = nullptr;
}

void TWindowsGUIDriver::CreateSharedTooltip() {
  EnsureCommonControls();
  SharedTooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  GetDesktopWindow(), nullptr, DriverInstance(), nullptr);
  SendMessageW(SharedTooltip, TTM_SETMAXTIPWIDTH, 0, 300);  // long tips wrap
  SetWindowPos(SharedTooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

FontRef TWindowsGUIDriver::LoadFont(const std::u16string& name, int32_t size, int32_t style) {
  return TWindowsFont::Load(name, size, style);
}

FontRef TWindowsGUIDriver::RequestFont(const FontRef& font) {
  return TWindowsFont::Request(font);
}

IconStripRef TWindowsGUIDriver::LoadIconStrip(const ObjectRef& source) {
  return NewWindowsIconStrip(source);
}

GadgetRef TWindowsGUIDriver::ActiveGadget() {
  return GadgetOfHwnd(GetFocus());
}

namespace {

// The class-specific part of CreateGadget: the new gadget, or null.
GadgetRef ConstructGadget(int32_t class_, const std::u16string& text, const GadgetRef& group,
                          int32_t style) {
  if (class_ == GADGETCLASS_CANVAS) {
    CanvasCreated = 1;
    return NewWindowsGadgetOfClass(GADGETCLASS_PANEL, text, group,
                                   style | PANEL_NOERASE | PANEL_ACTIVE);
  }
  if (class_ < GADGETCLASS_WINDOW || class_ > GADGETCLASS_CANVAS) return nullptr;
  return NewWindowsGadgetOfClass(class_, text, group, style);
}

}  // namespace

GadgetRef TWindowsGUIDriver::CreateGadget(int32_t class_, const std::u16string& text, int32_t x,
                                          int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                                          int32_t style) {
  if (class_ == GADGETCLASS_DESKTOP) return DriverDesktop;
  GadgetRef parent = group;
  if (class_ == GADGETCLASS_WINDOW && !parent) parent = DriverDesktop;
  GadgetRef gadget = ConstructGadget(class_, text, parent, style);
  if (!gadget) return nullptr;
  gadget->gadgetclass = class_;
  if (class_ == GADGETCLASS_MENU || class_ == GADGETCLASS_NODE) return gadget;
  gadget->SetText(text);
  if (parent) gadget->_setparent(parent, -1);
  if (class_ != GADGETCLASS_TOOLBAR) gadget->SetShape(x, y, w, h);  // a tool bar sizes itself
  // Group boxes are made hidden and shown once placed.
  const bool isPanel = class_ == GADGETCLASS_PANEL || class_ == GADGETCLASS_CANVAS;
  if (isPanel && (style & PANEL_GROUP)) gadget->SetShow(1);
  if (auto windowsGadget = std::dynamic_pointer_cast<TWindowsGadget>(gadget)) {
    windowsGadget->Sensitize();
  }
  return gadget;
}

std::u16string TWindowsGUIDriver::ClassName() {
  static std::u16string name;
  if (!name.empty()) return name;
  name = kWindowClassName;
  WNDCLASSW windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = &ClassWndProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = kDialogWindowExtra;  // dialog navigation in these windows
  windowClass.hInstance = DriverInstance();
  windowClass.hIcon = LoadIconW(DriverInstance(), MAKEINTRESOURCEW(kProgramIconResource));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = reinterpret_cast<LPCWSTR>(name.c_str());
  WindowClassAtom = RegisterClassW(&windowClass);
  return name;
}

int32_t TWindowsGUIDriver::CheckCommonControlVersion() {
  static bool asked = false;
  if (!asked) {
    asked = true;
    if (HMODULE library = LoadLibraryW(L"comctl32.dll")) {
      auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
          reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
      DLLVERSIONINFO info{};
      info.cbSize = sizeof info;
      if (getVersion && SUCCEEDED(getVersion(&info))) {
        CommonControlVersion = {static_cast<int32_t>(info.dwMajorVersion),
                                static_cast<int32_t>(info.dwMinorVersion),
                                static_cast<int32_t>(info.dwBuildNumber)};
      }
      FreeLibrary(library);
    }
  }
  const int32_t major = CommonControlVersion[0];
  const int32_t minor = CommonControlVersion[1];
  if (major < 6) return 0;
  if (major == 6 && minor == 0) return 1;
  return 2;
}

int32_t TWindowsGUIDriver::IsUsingTheme(HWND hwnd, const std::u16string& classList) {
  if (!OpenThemeDataPtr) return 0;
  HANDLE theme = OpenThemeDataPtr(hwnd, reinterpret_cast<LPCWSTR>(classList.c_str()));
  if (!theme) return 0;
  if (CloseThemeDataPtr) CloseThemeDataPtr(theme);
  return 1;
}

void TWindowsGUIDriver::CreateExplorerStyleGadgets(int32_t flag) {
  ExplorerStyle = flag != 1 ? 1 : 0;
}

HWND TWindowsGUIDriver::GetActiveHwnd() {
  // A window freed since it was last active has no native window left to own dialogs.
  if (auto window = ActiveWindowGadget.lock(); window && window->Hwnd()) return window->Hwnd();
  return GetActiveWindow();
}

}  // namespace quardeln
