// The Windows GUI driver: makes gadgets on native windows and controls, routes native
// messages back to their gadgets (ClassWndProc) and watches the keyboard for hot keys.
// There is one driver per run; the driver-wide state below is created when it is
// constructed and lives until the end of the run. Everything runs on the GUI thread.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gui/gui_driver.h"
#include "gui/win32/hwnd_map.h"

namespace quardeln {

class TWindowsGadget;
class TWindowsDesktop;
class TWindowsFont;

// The driver's window class, registered by ClassName on first use.
inline constexpr const char16_t* kWindowClassName = u"QUARDELN_WINDOW_CLASS";
inline constexpr int kProgramIconResource = 101;
// The window extra bytes the dialog manager needs (DLGWINDOWEXTRA; mingw-w64's header
// gives the 32-bit size on 64-bit systems too).
inline constexpr int kDialogWindowExtra = sizeof(void*) == 8 ? 48 : 30;

class TWindowsGUIDriver final : public TOrvaneDriver {
 public:
  TWindowsGUIDriver();
  ~TWindowsGUIDriver() override;
  TWindowsGUIDriver(const TWindowsGUIDriver&) = delete;
  TWindowsGUIDriver& operator=(const TWindowsGUIDriver&) = delete;

  FontRef LoadFont(const std::u16string& name, int32_t size, int32_t style) override;
  GadgetRef CreateGadget(int32_t class_, const std::u16string& text, int32_t x, int32_t y,
                         int32_t w, int32_t h, const GadgetRef& group, int32_t style) override;
  GadgetRef ActiveGadget() override;
  int32_t RequestColor(int32_t red, int32_t green, int32_t blue) override;
  FontRef RequestFont(const FontRef& font) override;
  int32_t SetPointer(int32_t shape) override;
  IconStripRef LoadIconStrip(const ObjectRef& source) override;

  // ClassWndProc forgets the windows it runs for when they end. Any other window entered
  // (a gadget's tooltip window, a combo box's inner controls) goes with the gadget's own
  // window, which forgets it then. No watch sits on those windows: a comctl32 subclass
  // costs a property look-up, a wineserver call under Wine, at every message they get.
  static void RegisterHwnd(HWND hwnd, const std::shared_ptr<TWindowsGadget>& gadget);
  static void RemoveHwnd(HWND hwnd);
  static LRESULT CALLBACK ClassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
  static std::u16string ClassName();
  // 0 before version 6 of the common controls, 1 for 6.0, 2 for 6.1 and later.
  static int32_t CheckCommonControlVersion();
  static int32_t IsUsingTheme(HWND hwnd, const std::u16string& classList);
  static void CreateExplorerStyleGadgets(int32_t flag);
  // The owner of every dialog the driver opens.
  static HWND GetActiveHwnd();

  // Makes SharedTooltip; SharedTooltipWindow calls it on first use.
  static void CreateSharedTooltip();
};

// Driver-wide state.
extern std::shared_ptr<TWindowsDesktop> DriverDesktop;
extern std::shared_ptr<TWindowsFont> DefaultGuiFont;
extern HHOOK KeyboardHook;
extern HWND SharedTooltip;     // null until the first tooltip: SharedTooltipWindow makes it
extern ATOM WindowClassAtom;   // 0 until ClassName has registered the class
extern HCURSOR PointerCursor;  // 0: windows show their class cursor
// The window that last became active; weak, so a freed window does not stay alive.
extern std::weak_ptr<TWindowsGadget> ActiveWindowGadget;
extern int32_t RedrawOnLayout;  // 1 while no layout pass runs
extern int32_t ExplorerStyle;
extern int32_t CanvasCreated;
extern std::array<COLORREF, 16> CustomColours;
extern std::array<int32_t, 3> CommonControlVersion;  // major, minor, build

// The module instance the driver creates its windows with.
HINSTANCE DriverInstance();

// SharedTooltip, made on first use.
HWND SharedTooltipWindow();

// Started on first need, not with the driver: the common controls (every control but
// the driver's own windows), OLE (the HTML view's browser, the text area's clipboard and
// drag and drop) and the rich-edit library (text areas).
void EnsureCommonControls();
void EnsureOleStarted();
void EnsureRichEditLoaded();

}  // namespace quardeln
