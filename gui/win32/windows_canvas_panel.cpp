#include "gui/win32/windows_canvas_panel.h"

#include "events/event.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {

ObjectRef TWindowsCanvasPanel::AttachGraphics(int32_t) {
  if (_canvas) _canvas->Release();
  _canvas = std::make_shared<TGdiGraphics>(Hwnd());
  _canvas->SetDefaultFont(DefaultGuiFont);
  FitBuffer();
  return nullptr;
}

ObjectRef TWindowsCanvasPanel::CanvasGraphics() {
  return _canvas;
}

void TWindowsCanvasPanel::FitBuffer() {
  if (!_canvas || !Hwnd()) return;
  RECT client{};
  GetClientRect(Hwnd(), &client);
  _canvas->Resize(client.right, client.bottom, DpiOfWindow(Hwnd()));
}

void TWindowsCanvasPanel::NativeSized(HWND hwnd) {
  TWindowsPanel::NativeSized(hwnd);
  if (hwnd == Hwnd()) FitBuffer();
}

void TWindowsCanvasPanel::ReleaseNativeResources() {
  if (_canvas) _canvas->Release();
  TWindowsPanel::ReleaseNativeResources();
}

LRESULT TWindowsCanvasPanel::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      {
        const TPaintDc paint(Hwnd());
        if (_canvas && paint.get()) _canvas->PaintTo(paint.get(), paint.Dirty());
      }
      PostGuiEvent(GadgetPaint, 0, 0, 0, 0, nullptr);
      return 1;
    }
    default:
      return TWindowsPanel::WndProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace quardeln
