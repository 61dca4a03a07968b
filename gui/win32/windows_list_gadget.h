// The base of the list-style gadgets that show their items on one native control each:
// list box, combo box, tabber and toolbar. It keeps the icon strip whose image list the
// control shows (released with the control), the selected index as last seen, flips a
// toggle item before an event about it goes out, and holds the control's redraw off while
// the program changes items in a row, until the message loop runs again.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>

#include "gui/win32/control_util.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsListGadget : public TWindowsGadget {
 public:
  // The item selected as last seen; -1 for none.
  int32_t SelectedIndex() const { return _selected; }
  // A toggle item flips first; an index the gadget does not have (a stale notification)
  // toggles nothing.
  int32_t PostGuiEvent(int32_t id, int32_t data, int32_t mods, int32_t x, int32_t y,
                       ObjectRef extra) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  const IconStripRef& Icons() const { return _icons; }
  void KeepIcons(const IconStripRef& strip) { _icons = strip; }
  void KeepSelected(int32_t index) { _selected = index; }
  // The selection moves down with the items behind an insertion at `index`, and leaves
  // with a removed item or moves up with the items behind it.
  void SelectionInserted(int32_t index);
  void SelectionRemoved(int32_t index);

  // Turns the control's redraw off until the message loop runs again.
  void DeferRedraw();
  // Turns it back on and draws the changes (through RedrawResumed); nothing when it was on.
  void ResumeRedraw();
  bool RedrawDeferred() const { return _redraw.Deferred(); }
  // What is drawn once the redraw is back on; a class with layout of its own to catch up
  // on does that first.
  virtual void RedrawResumed();
  void DrawPendingChanges() override;  // the item changes made so far
  void ReleaseNativeResources() override;

 private:
  IconStripRef _icons;      // the strip whose image list the control shows, or null
  int32_t _selected = -1;   // the selected item as last seen; -1 none
  TDeferredRedraw _redraw;  // item changes are drawn together
};

}  // namespace quardeln
