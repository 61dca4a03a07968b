#include "gui/win32/windows_panel.h"

#include <algorithm>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_canvas_panel.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_graphic.h"
#include "gui/win32/windows_group_box.h"

namespace quardeln {
namespace {

constexpr DWORD kPanelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kPanelStyle == 0x56000000);

int32_t Width(const RECT& r) {
  return r.right - r.left;
}
int32_t Height(const RECT& r) {
  return r.bottom - r.top;
}

}  // namespace

std::shared_ptr<TWindowsPanel> TWindowsPanel::Create(const GadgetRef& group, int32_t given) {
  std::shared_ptr<TWindowsPanel> panel;
  if (given & PANEL_GROUP) {
    panel = std::make_shared<TWindowsGroupBox>();
  } else if (given & PANEL_NOERASE) {
    panel = std::make_shared<TWindowsCanvasPanel>();
  } else {
    panel = std::make_shared<TWindowsPanel>();
  }
  panel->Build(group, given);
  if (given & PANEL_ACTIVE) panel->sensitivity = SENSE_MOUSE | SENSE_KEYS;
  return panel;
}

void TWindowsPanel::Build(const GadgetRef& group, int32_t given) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  if (given & PANEL_SUNKEN) ex_style |= WS_EX_CLIENTEDGE;
  HWND hwnd = CreateChildWindow(TWindowsGUIDriver::ClassName(), ex_style, kPanelStyle, container);
  Register(GADGETCLASS_PANEL, hwnd, nullptr, 0);
}

int32_t TWindowsPanel::SetAlpha(float alpha) {
  _alpha = alpha;
  Activate(ACTION_REDRAW);
  return 0;
}

int32_t TWindowsPanel::SetPixmap(const PixmapRef& pixmap, int32_t flags) {
  UniqueBitmap& bitmap = BackgroundPicture();
  bitmap.reset();
  _bitmapwidth = 0;
  _bitmapheight = 0;
  _hasalpha = 0;
  // A picture without area has nothing to show, and no bitmap can be made of it.
  if (pixmap && pixmap->Width() > 0 && pixmap->Height() > 0) {
    const int32_t format = pixmap->Format();
    if (format == PF_RGBA8888 || format == PF_BGRA8888) {
      // A 32-bit picture the system refuses is no reason to stop: 24 bits without alpha do.
      bitmap.reset(TWindowsGraphic::TryPreMultipliedBitmapFromPixmap32(pixmap));
      _hasalpha = bitmap ? 1 : 0;
    }
    if (!bitmap) bitmap.reset(TWindowsGraphic::BitmapFromPixmap24(pixmap));
    _bitmapflags = flags;
    _bitmapwidth = pixmap->Width();
    _bitmapheight = pixmap->Height();
  }
  Activate(ACTION_REDRAW);
  return 0;
}

RECT TWindowsPanel::PictureRect(int32_t layout, int32_t w, int32_t h, int32_t bw, int32_t bh) {
  if (bw <= 0 || bh <= 0) return {0, 0, 0, 0};
  switch (layout) {
    case PANELPIXMAP_CENTER: {
      const int32_t x = (w - bw) / 2;
      const int32_t y = (h - bh) / 2;
      return {x, y, x + bw, y + bh};
    }
    case PANELPIXMAP_FIT:
    case PANELPIXMAP_FITWIDTH: {
      const float sx = static_cast<float>(w) / static_cast<float>(bw);
      const float sy = static_cast<float>(h) / static_cast<float>(bh);
      const float scale = layout == PANELPIXMAP_FIT ? std::min(sx, sy) : sx;
      const auto dw = static_cast<int32_t>(scale * static_cast<float>(bw));
      const auto dh = static_cast<int32_t>(scale * static_cast<float>(bh));
      const int32_t x = (w - dw) / 2;
      const int32_t y = (h - dh) / 2;
      return {x, y, x + dw, y + dh};
    }
    case PANELPIXMAP_STRETCH:
      return {0, 0, w, h};
    default:
      return {0, 0, bw, bh};
  }
}

void TWindowsPanel::DrawPictureAt(HDC target, HDC picture, const RECT& place) {
  const int32_t w = Width(place);
  const int32_t h = Height(place);
  if (_hasalpha) {
    const BLENDFUNCTION per_pixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(target, place.left, place.top, w, h, picture, 0, 0, _bitmapwidth, _bitmapheight,
               per_pixel);
  } else if (w == _bitmapwidth && h == _bitmapheight) {
    BitBlt(target, place.left, place.top, w, h, picture, 0, 0, SRCCOPY);
  } else {
    StretchBlt(target, place.left, place.top, w, h, picture, 0, 0, _bitmapwidth, _bitmapheight,
               SRCCOPY);
  }
}

void TWindowsPanel::DrawPicture(HDC target, int32_t w, int32_t h) {
  const TMemoryDc picture(target, BackgroundPicture().get());
  const int32_t layout = _bitmapflags & PANELPIXMAP_LAYOUT_MASK;
  if (layout == PANELPIXMAP_TILE) {
    for (int32_t y = 0; y < h; y += _bitmapheight) {
      for (int32_t x = 0; x < w; x += _bitmapwidth) {
        DrawPictureAt(target, picture.get(), {x, y, x + _bitmapwidth, y + _bitmapheight});
      }
    }
    return;
  }
  if (layout > PANELPIXMAP_FITWIDTH) return;  // 5 to 7 are no layouts
  if (layout != PANELPIXMAP_CENTER) SetStretchBltMode(target, COLORONCOLOR);
  DrawPictureAt(target, picture.get(), PictureRect(layout, w, h, _bitmapwidth, _bitmapheight));
}

void TWindowsPanel::FillBackground(HDC target, HWND hwnd, const RECT& update) {
  // A group box's inner area always shows what lies behind the box.
  if (BackBrush() && hwnd != ClientHwnd()) {
    FillRect(target, &update, BackBrush());
  } else {
    DrawParentBackground(target, hwnd, 0);
  }
}

LRESULT TWindowsPanel::PaintBackground(HDC dc, HWND hwnd) {
  RECT clip{};
  GetClipBox(dc, &clip);
  RECT window{};
  GetWindowRect(hwnd, &window);
  const int32_t w = Width(window);
  const int32_t h = Height(window);
  RECT update{};
  if (!GetUpdateRect(hwnd, &update, FALSE)) {
    update = IsRectEmpty(&clip) ? RECT{0, 0, w, h} : clip;
  }
  const bool picture = BackgroundPicture() && _bitmapwidth > 0 && _bitmapheight > 0;
  if (hwnd == ClientHwnd() || (!picture && _alpha >= 1.0f)) {
    FillBackground(dc, hwnd, update);
    return 1;
  }
  // Own painting goes off screen first, so that it can be laid over the parent at once.
  const UniqueBitmap offscreen(CreateCompatibleBitmap(dc, w, h));
  {
    const TMemoryDc memory(dc, offscreen.get());
    FillBackground(memory.get(), hwnd, update);
    if (picture) DrawPicture(memory.get(), w, h);
    if (_alpha >= 1.0f) {
      BitBlt(dc, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
    } else {
      DrawParentBackground(dc, hwnd, 0);
      const BLENDFUNCTION constant{AC_SRC_OVER, 0, AlphaByte(_alpha), 0};
      AlphaBlend(dc, update.left, update.top, Width(update), Height(update), memory.get(),
                 update.left, update.top, Width(update), Height(update), constant);
    }
  }
  return 1;
}

LRESULT TWindowsPanel::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_ERASEBKGND:
      return PaintBackground(reinterpret_cast<HDC>(wParam), hwnd);
    case WM_LBUTTONDOWN:
      // The click still goes on to default processing and, when active, to the events.
      SetFocus(Hwnd());
      return 0;
    default:
      return 0;
  }
}

}  // namespace quardeln
