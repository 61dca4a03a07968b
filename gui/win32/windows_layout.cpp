// Geometry of Windows gadgets. Kids are moved in one deferred batch per layout pass and
// without redraw; the outermost pass redraws the gadget once at its end. A gadget's own
// kids are laid out when its native window reports its new size (WM_SIZE), not here.
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"
#include "runtime/temporary_change.h"
#include "system/win32/win32_dpi.h"

#include <utility>

namespace quardeln {

int32_t TWindowsGadget::SetArea(int32_t x, int32_t y, int32_t w, int32_t h) {
  SetRect(x, y, w, h);
  Rethink();
  return 0;
}

int32_t TWindowsGadget::Rethink() {
  return QueueResize(_hwnd, xpos, ypos, width, height);
}

int32_t TWindowsGadget::LayoutKids() {
  StartResize();
  const TTemporaryChange nested(RedrawOnLayout, 0);  // inner passes leave the redraw to it
  try {
    TGadget::LayoutKids();
  } catch (...) {
    CloseResizeBatch();  // the next pass must not add to a batch left open
    throw;
  }
  EndResize();
  if (nested.Old() == 1 && !kids.empty()) {
    RedrawWindow(_hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
  return 0;
}

int32_t TWindowsGadget::StartResize() {
  if (!hdwpStruct && !kids.empty()) {
    hdwpStruct = BeginDeferWindowPos(static_cast<int>(kids.size()));
  }
  return 0;
}

int32_t TWindowsGadget::QueueResize(HWND hwnd, int32_t ux, int32_t uy, int32_t uw, int32_t uh) {
  const int32_t dpi = DpiOfWindow(hwnd);
  const int32_t x = ToNative(ux, dpi);
  const int32_t y = ToNative(uy, dpi);
  const int32_t w = ToNative(uw, dpi);
  const int32_t h = ToNative(uh, dpi);
  auto group = std::dynamic_pointer_cast<TWindowsGadget>(Parent());
  // A window that does not exist would make DeferWindowPos drop the whole batch.
  if (group && group->hdwpStruct && IsWindow(hwnd) &&
      GetParent(hwnd) == reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT))) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (RedrawOnLayout == 0) flags |= SWP_NOREDRAW;
    group->hdwpStruct = DeferWindowPos(group->hdwpStruct, hwnd, nullptr, x, y, w, h, flags);
    return 0;
  }
  MoveWindow(hwnd, x, y, w, h, RedrawOnLayout ? TRUE : FALSE);
  HasResized();
  return 0;
}

// Ending the batch sends the kids WM_SIZE, which may start nested passes; none of them
// may see this batch as still open.
bool TWindowsGadget::CloseResizeBatch() {
  HDWP batch = std::exchange(hdwpStruct, nullptr);
  if (!batch) return false;
  EndDeferWindowPos(batch);
  return true;
}

int32_t TWindowsGadget::EndResize() {
  if (!CloseResizeBatch()) return 0;
  const GadgetKids snapshot = kids;
  for (const GadgetRef& kid : snapshot) {
    if (auto windowsKid = std::dynamic_pointer_cast<TWindowsGadget>(kid)) windowsKid->HasResized();
  }
  return 0;
}

int32_t TWindowsGadget::HasResized() {
  return 0;
}

namespace {

template <typename Operation>
void ForEachWindowsKid(const GadgetKids& kids, Operation operation) {
  const GadgetKids snapshot = kids;
  for (const GadgetRef& kid : snapshot) {
    if (auto windowsKid = std::dynamic_pointer_cast<TWindowsGadget>(kid)) operation(*windowsKid);
  }
}

}  // namespace

int32_t TWindowsGadget::RefreshLook() {
  ForEachWindowsKid(kids, [](TWindowsGadget& kid) { kid.RefreshLook(); });
  return 0;
}

int32_t TWindowsGadget::StartDoubleBuffer() {
  ForEachWindowsKid(kids, [](TWindowsGadget& kid) { kid.StartDoubleBuffer(); });
  return 0;
}

int32_t TWindowsGadget::EndDoubleBuffer() {
  ForEachWindowsKid(kids, [](TWindowsGadget& kid) { kid.EndDoubleBuffer(); });
  return 0;
}

namespace {

// The gadget's rectangle shrunk to the client area its native window would have there,
// measured in pixels and given back in units.
RECT ClientRectOf(HWND hwnd, int32_t x, int32_t y, int32_t w, int32_t h) {
  const int32_t dpi = DpiOfWindow(hwnd);
  RECT rect{ToNative(x, dpi), ToNative(y, dpi), ToNative(x, dpi) + ToNative(w, dpi),
            ToNative(y, dpi) + ToNative(h, dpi)};
  SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
  const int32_t left = FromNative(rect.left, dpi);
  const int32_t top = FromNative(rect.top, dpi);
  return {left, top, left + FromNative(rect.right - rect.left, dpi),
          top + FromNative(rect.bottom - rect.top, dpi)};
}

}  // namespace

int32_t TWindowsGadget::ClientWidth() {
  const RECT rect = ClientRectOf(_hwnd, xpos, ypos, width, height);
  return rect.right - rect.left;
}

int32_t TWindowsGadget::ClientHeight() {
  const RECT rect = ClientRectOf(_hwnd, xpos, ypos, width, height);
  return rect.bottom - rect.top;
}

}  // namespace quardeln
