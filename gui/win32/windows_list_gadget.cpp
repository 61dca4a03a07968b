#include "gui/win32/windows_list_gadget.h"

namespace quardeln {

int32_t TWindowsListGadget::PostGuiEvent(int32_t id, int32_t data, int32_t mods, int32_t x,
                                         int32_t y, ObjectRef extra) {
  if (data >= 0 && data < ItemCount() && (ItemFlags(data) & ITEMFLAG_TOGGLING)) {
    SelectItem(data, SELECT_TOGGLE);
  }
  return TWindowsGadget::PostGuiEvent(id, data, mods, x, y, std::move(extra));
}

LRESULT TWindowsListGadget::WndProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (hwnd != Hwnd() || msg != TDeferredRedraw::ResumeMessage()) return 0;
  ResumeRedraw();
  return 1;
}

void TWindowsListGadget::SelectionInserted(int32_t index) {
  if (_selected >= index) ++_selected;
}

void TWindowsListGadget::SelectionRemoved(int32_t index) {
  if (_selected == index) {
    _selected = -1;
  } else if (_selected > index) {
    --_selected;
  }
}

void TWindowsListGadget::DeferRedraw() {
  _redraw.Defer(Hwnd());
}

void TWindowsListGadget::ResumeRedraw() {
  if (_redraw.Resume(Hwnd())) RedrawResumed();
}

void TWindowsListGadget::RedrawResumed() {
  RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TWindowsListGadget::DrawPendingChanges() {
  ResumeRedraw();
}

void TWindowsListGadget::ReleaseNativeResources() {
  // The control is gone or going: the strip's image list may go with the last holder.
  _icons.reset();
  _redraw.Forget();
  TWindowsGadget::ReleaseNativeResources();
}

}  // namespace quardeln
