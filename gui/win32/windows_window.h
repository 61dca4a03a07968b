// A window gadget: a top-level native window of the driver's class with an optional
// title bar, sizing frame, menu bar and status bar. It reports moves, size changes,
// activation, close requests and dropped files as events, except while the driver
// moves it itself (_suppressresizeevents). With a status bar the kids live in a client
// child window above the bar; otherwise in _hwnd. Closing only asks: the window stays
// until the program frees it.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsWindow final : public TWindowsGadget {
 public:
  TWindowsWindow() = default;

  HWND StatusBar() const { return _status; }   // null without a status bar
  HMENU CreatedBar() const { return _hmenu; }  // the bar made at creation while still ours
  // The smallest size it takes, from SetMinimumSize.
  int32_t MinimumWidth() const { return _minwidth; }
  int32_t MinimumHeight() const { return _minheight; }

  ObjectRef popupextra;  // extra of the pop-up menu being tracked

  // A new window inside (owned by) `group`'s native window; null group: no owner.
  static std::shared_ptr<TWindowsWindow> Create(const GadgetRef& group, int32_t style);

  int32_t DoLayout() override;  // a window is never laid out by its parent
  int32_t Rethink() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t Activate(int32_t action) override;
  int32_t State() override;
  int32_t SetAlpha(float alpha) override;
  int32_t SetText(const std::u16string& text) override;     // unchanged titles are left alone
  int32_t SetTooltip(const std::u16string& text) override;  // windows take no tooltip
  int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags) override;
  int32_t SetStatus(const std::u16string& text) override;
  GadgetRef GetMenu() override;
  int32_t PopupMenu(const GadgetRef& menu, ObjectRef extra) override;
  int32_t UpdateMenu() override;
  int32_t SetMinimumSize(int32_t w, int32_t h) override;
  int32_t SetMaximumSize(int32_t w, int32_t h) override;
  int32_t RethinkClient() override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void NativeSized(HWND) override {}  // its WndProc sizes it and lays out its kids
  bool IsTopLevelWindow() const override { return true; }
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;

  // Visits child windows in the system's order; stops at the first tab stop, which it
  // stores in *reinterpret_cast<HWND*>(lParam).
  static BOOL CALLBACK EnumChildProc(HWND hwnd, LPARAM lParam);
  int32_t HandleMenuEvent(UINT msg, WPARAM key);
  // With the client-coordinates style, turns a client rectangle (and the status bar
  // below it) into the outer window rectangle and returns 1; otherwise 0, unchanged.
  int32_t ConvertToContainerDimensions(int32_t& x, int32_t& y, int32_t& w, int32_t& h);

 private:
  bool _showwhenplaced = false;  // made hidden to be shown at its first placement

  struct Placement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
  };
  struct Size {
    int32_t w = 0;
    int32_t h = 0;
  };
  Size _minsize;  // as the program gave them, in units
  Size _maxsize{-1, -1};
  PixmapRef _iconpixmap;  // the icon's picture, shown again at a new DPI

  void Build(const GadgetRef& group, int32_t given);
  void CreateStatusBar();
  int32_t StatusHeight() const;
  bool HasMenuBar() const;
  // Where the window is now, in the terms the toolkit uses (outer or client rectangle).
  Placement CurrentPlacement() const;
  Placement NativePlacement() const;  // the same in pixels
  // The outer rectangle in pixels of a placement in units (client or outer, by the style).
  RECT NativeOuterRect(int32_t x, int32_t y, int32_t w, int32_t h) const;
  void AdjustFrame(RECT& client) const;  // a client rectangle grown by the frame
  LRESULT OnDpiChanged(int32_t dpi, const RECT* suggested);
  LRESULT OnEraseBackground(HWND hwnd, HDC dc);
  LRESULT OnSize(WPARAM wParam);
  LRESULT OnMove();
  LRESULT OnMinMaxInfo(MINMAXINFO* info) const;
  LRESULT OnDropFiles(HDROP drop);
  void SetCompositedWhileSizing(bool on);
  void ReleaseNativeResources() override;  // frees the menu tree with the window

  int32_t _style = 0;   // WINDOW_* flags given at creation
  int32_t _wstyle = 0;  // native style made from them
  int32_t _xstyle = 0;  // native extended style made from them
  int32_t _minwidth = 0;
  int32_t _minheight = 0;
  int32_t _maxwidth = -1;  // -1: no maximum
  int32_t _maxheight = -1;
  GadgetRef _menu;                    // root of the menu tree, made on first GetMenu
  HMENU _hmenu = nullptr;             // the bar made at creation, when asked for; the window's
  HWND _status = nullptr;             // status bar, or null
  int32_t _suppressresizeevents = 0;  // 1 while the driver itself moves the window
};

}  // namespace quardeln
