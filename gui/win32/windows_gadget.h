// The base of every Windows gadget: one native window (_hwnd), optionally an inner
// window that holds the kids (_hwndclient), and the shared operations on them. A gadget
// is always owned by a shared_ptr before its Create runs, because Register enters it in
// HwndMap. Events go out only through PostGuiEvent, and only while _sensitive is 1, so
// changes the program makes itself never come back as user events.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/hotkey.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

class TWindowsGadget;
using WindowsGadgetRef = std::shared_ptr<TWindowsGadget>;

// COLORREF of three components 0 to 255: red | green << 8 | blue << 16.
COLORREF ColourOf(int32_t red, int32_t green, int32_t blue);

class TWindowsGadget : public TGadget {
 public:
  TWindowsGadget();
  ~TWindowsGadget() override;
  TWindowsGadget(const TWindowsGadget&) = delete;
  TWindowsGadget& operator=(const TWindowsGadget&) = delete;

  // The native windows: the gadget's own, the one its kids go into (null when they go
  // into the own one) and its tooltip window of SetupToolTips (null when none).
  HWND Hwnd() const { return _hwnd; }
  HWND ClientHwnd() const { return _hwndclient; }
  HWND Tooltips() const { return _tooltips; }
  // The control's own procedure before subclassing; null for the driver's windows.
  WNDPROC PreviousProc() const { return _proc; }
  int32_t IsSensitive() const { return _sensitive; }
  // The GADGETCLASS_* it was created as, set by CreateGadget.
  int32_t CreatedClass() const { return gadgetclass; }
  // The text handed to the shared tooltip; empty when none.
  const std::u16string& TooltipText() const { return _wstrTooltip; }
  // Colours as COLORREF, -1 while not set, and the solid brush of the background colour.
  int32_t TextColour() const { return _textcolor; }
  int32_t BackColour() const { return _backcolor; }
  HBRUSH BackBrush() const { return _brush.get(); }
  // The last parent-background brush of CreateControlBrush and the bitmap behind it.
  HBRUSH ControlBrush() const { return _hbrush.get(); }
  HBITMAP ControlBrushBitmap() const { return _hbitmap.get(); }
  bool ShowsImage() const { return static_cast<bool>(_iconBitmap); }
  bool IsSharedTool() const { return _toolAdded != 0; }           // a tool of SharedTooltip
  bool ResizeBatchOpen() const { return hdwpStruct != nullptr; }  // between Start/EndResize
  // Whether the mouse stands elsewhere than at the last move passed on (a WM_MOUSEMOVE's
  // lParam); the new place is kept. The system repeats moves without movement.
  bool CursorMovedTo(LPARAM position);

  // TGadget operations, in its slot order.
  int32_t SetArea(int32_t x, int32_t y, int32_t w, int32_t h) override;
  int32_t LayoutKids() override;
  NativeHandle Query(int32_t which) override;
  int32_t Free() override;
  int32_t Rethink() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t Activate(int32_t action) override;
  int32_t State() override;
  int32_t SetText(const std::u16string& text) override;
  std::u16string GetText() override;
  int32_t SetFont(const FontRef& font) override;
  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTooltip(const std::u16string& text) override;
  std::u16string GetTooltip() override;
  int32_t SetShow(int32_t flag) override;
  int32_t SetEnabled(int32_t flag) override;
  int32_t SetHotKey(int32_t key, int32_t mods) override;

  // Binds the gadget to its native windows; every Create ends with it. Windows of a
  // class other than the driver's are subclassed so their messages reach ClassWndProc.
  virtual int32_t Register(int32_t gadgetClass, HWND hwnd, HWND hwndclient, int32_t tooltips);
  virtual int32_t SetupToolTips();
  virtual int32_t isControl();  // WS_CHILD and WS_TABSTOP
  virtual int32_t RethinkClient();
  // Per-class message handlers: nonzero means handled, and is the procedure's result.
  virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
  virtual LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnCommand(UINT msg, WPARAM wParam);
  virtual HBRUSH CreateControlBrush(HWND hwnd, HDC dc);
  virtual HBRUSH DrawBackground(HDC dc, HWND hwnd);
  static HBRUSH DrawParentBackground(HDC dc, HWND hwnd, int32_t noTheme);
  virtual int32_t IsParentTo(const GadgetRef& gadget);
  virtual int32_t Sensitize();
  virtual int32_t DeSensitize();
  virtual int32_t PostGuiEvent(int32_t id, int32_t data, int32_t mods, int32_t x, int32_t y,
                               ObjectRef extra);
  virtual int32_t StartResize();
  virtual int32_t QueueResize(HWND hwnd, int32_t x, int32_t y, int32_t w, int32_t h);
  virtual int32_t EndResize();
  virtual int32_t HasResized();
  // Recurses into the kids. A slider overrides it to re-apply its range first.
  virtual int32_t RefreshLook();
  virtual int32_t StartDoubleBuffer();
  virtual int32_t EndDoubleBuffer();

  // How the driver answers WM_CTLCOLOR* for this gadget's control.
  enum class ColourRule {
    kForward,      // no brush: default processing
    kTransparent,  // transparent text, text colour, the parent's background as brush
    kField,        // text colour; the own background brush when there is one
  };
  // Forwarded here; labels, buttons, sliders and group boxes are transparent, text fields
  // and combo boxes fields.
  virtual ColourRule ControlColourRule();
  // The colour table's answer for `dc` of this gadget's control; null means forward.
  HBRUSH ControlColour(HDC dc, HWND control);

  // The native window of this gadget's HwndMap entry `hwnd` is being destroyed (with its
  // parent, or by Free): forget that handle so a later window reusing it is not taken
  // for this gadget.
  void NativeWindowGone(HWND hwnd);

  WindowsGadgetRef WindowsSelf();

  // The window procedure met a WM_SIZE of `hwnd`, one of this gadget's windows: the own
  // window rethinks its client, the client window lays out the kids. A window gadget,
  // which sizes itself in its WndProc, does nothing here.
  virtual void NativeSized(HWND hwnd);
  // Whether command messages from windows inside the control that the driver does not know
  // (a tab control's scroll arrows) are this gadget's to hear.
  virtual bool HearsInnerWindows() const { return false; }
  // Whether this is a top-level window, whose focus decides where the hot keys of the
  // gadgets inside it fire.
  virtual bool IsTopLevelWindow() const { return false; }

 protected:
  void KeepTextColour(int32_t colour) { _textcolor = colour; }
  void KeepBackColour(int32_t colour) { _backcolor = colour; }
  // The background picture of a panel, and an image the gadget shows (a bitmap or icon).
  UniqueBitmap& BackgroundPicture() { return _bitmap; }
  TUniqueImage& ShownImage() { return _iconBitmap; }
  // The window the parent-background brush of ControlColour is cut for, given the control
  // the colour message came from: the gadget's own window.
  virtual HWND ColourBrushWindow(HWND control);

  // Draws changes a control holds back (a list filled with its redraw off) before anything
  // that needs its look or layout: Activate, State and SetShow call it first.
  virtual void DrawPendingChanges() {}

  // Lets go of everything native the gadget holds besides its windows (brushes, bitmaps,
  // images, its hot key, its font): called when Free ends the gadget and when its native
  // window is destroyed with a parent, so nothing outlives the window. A class with
  // native resources of its own overrides it and calls this one.
  virtual void ReleaseNativeResources();

 private:
  int32_t _sensitive = 0;  // 1 when events may be posted
  int32_t _class = 0;      // class id given to Register
  HWND _hwnd = nullptr;
  HWND _hwndclient = nullptr;  // holds the kids; null when they go into _hwnd
  HWND _tooltips = nullptr;    // per-gadget tooltip window of SetupToolTips
  WNDPROC _proc = nullptr;     // the control's own procedure before subclassing
  // The registry holds the hot key (and through its event this gadget); the gadget only
  // looks at it, so there is no cycle. Free removes it.
  std::weak_ptr<THotKey> _hotkey;
  LPARAM _oldcursorlp = 0;  // last WM_MOUSEMOVE position passed on
  UniqueBrush _brush;       // solid brush of _backcolor
  int32_t _textcolor = -1;  // COLORREF, -1 when not set
  int32_t _backcolor = -1;
  UniqueBrush _hbrush;          // last parent-background brush of CreateControlBrush
  UniqueBitmap _hbitmap;        // the bitmap behind _hbrush
  UniqueBitmap _bitmap;         // background picture (panels)
  TUniqueImage _iconBitmap;     // an image shown by the gadget: a bitmap or an icon
  std::u16string _wstrTooltip;  // as handed to the tooltip control; empty when none
  int32_t _toolAdded = 0;       // 1 while registered as a tool with SharedTooltip
  HDWP hdwpStruct = nullptr;    // open deferred-move batch for the kids

  bool CloseResizeBatch();  // ends an open batch; false when none was open
  FontRef _font;            // keeps the font given with SetFont alive while the control uses it
};

// 1 shift + 2 control + 4 alt + 8 either Windows key, as held now (GetKeyState).
int32_t CurrentModifiers();
// Query(1) of the first window gadget met walking up from `gadget` (itself included), or 0.
HWND OwnerWindowHwnd(const GadgetRef& gadget);

}  // namespace quardeln
