// Creation functions, the colour chooser and the pointer: everything that goes through
// the driver rather than through a gadget.
#include "gui/api.h"
#include "gui/api_detail.h"
#include "gui/gui_driver.h"

namespace quardeln {

int32_t LastPickedColour = 0;

namespace {

GadgetRef Create(int32_t class_, const std::u16string& text, int32_t x, int32_t y, int32_t w,
                 int32_t h, const GadgetRef& group, int32_t style) {
  return GuiDriver().CreateGadget(class_, text, x, y, w, h, group, style);
}

// The near edge that centres `size` in (start, extent); the halving truncates toward zero.
int32_t Centred(int32_t start, int32_t extent, int32_t size) {
  return static_cast<int32_t>(start + (int64_t{extent} - size) / 2);
}

}  // namespace

GadgetRef DesktopGadget() {
  return Create(GADGETCLASS_DESKTOP, {}, 0, 0, 0, 0, nullptr, 0);
}

GadgetRef NewWindow(const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                    const GadgetRef& group, int32_t style) {
  if (style & WINDOW_CENTER) {
    if (group) {
      x = Centred(group->xpos, group->width, w);
      y = Centred(group->ypos, group->height, h);
    } else {
      x = Centred(0, detail::Use(DesktopGadget()).width, w);
      y = Centred(0, detail::Use(DesktopGadget()).height, h);
    }
  }
  return Create(GADGETCLASS_WINDOW, text, x, y, w, h, group, style);
}

GadgetRef NewButton(const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                    const GadgetRef& group, int32_t style) {
  return Create(GADGETCLASS_BUTTON, text, x, y, w, h, group, style);
}

GadgetRef NewPanel(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                   int32_t style, const std::u16string& title) {
  return Create(GADGETCLASS_PANEL, title, x, y, w, h, group, style);
}

GadgetRef NewTextField(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                       int32_t style) {
  return Create(GADGETCLASS_TEXTFIELD, {}, x, y, w, h, group, style);
}

GadgetRef NewTextArea(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style) {
  return Create(GADGETCLASS_TEXTAREA, {}, x, y, w, h, group, style);
}

GadgetRef NewComboBox(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style) {
  return Create(GADGETCLASS_COMBOBOX, {}, x, y, w, h, group, style);
}

GadgetRef NewListBox(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                     int32_t style) {
  return Create(GADGETCLASS_LISTBOX, {}, x, y, w, h, group, style);
}

GadgetRef NewTabber(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                    int32_t style) {
  return Create(GADGETCLASS_TABBER, {}, x, y, w, h, group, style);
}

GadgetRef NewToolbar(const ObjectRef& source, int32_t x, int32_t y, int32_t w, int32_t h,
                     const GadgetRef& group, int32_t style) {
  GadgetRef toolbar = Create(GADGETCLASS_TOOLBAR, {}, x, y, w, h, group, style);
  if (!toolbar) return nullptr;
  IconStripRef strip = IconStripLoad(source);
  if (!strip) return toolbar;
  toolbar->SetIconStrip(strip);
  for (int32_t i = 0; i < strip->count; ++i) GadgetAddItem(toolbar, {}, 0, i, {}, nullptr);
  return toolbar;
}

GadgetRef NewTreeView(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style) {
  return Create(GADGETCLASS_TREEVIEW, {}, x, y, w, h, group, style);
}

GadgetRef NewHtmlView(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style) {
  return Create(GADGETCLASS_HTMLVIEW, {}, x, y, w, h, group, style);
}

GadgetRef NewLabel(const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                   const GadgetRef& group, int32_t style) {
  return Create(GADGETCLASS_LABEL, text, x, y, w, h, group, style);
}

GadgetRef NewSlider(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                    int32_t style) {
  return Create(GADGETCLASS_SLIDER, {}, x, y, w, h, group, style);
}

GadgetRef NewProgressBar(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                         int32_t style) {
  return Create(GADGETCLASS_PROGBAR, {}, x, y, w, h, group, style);
}

GadgetRef NewCanvas(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                    int32_t style) {
  GadgetRef canvas = Create(GADGETCLASS_CANVAS, {}, x, y, w, h, group, style);
  if (canvas) canvas->AttachGraphics(DefaultGraphicsFlags);
  return canvas;
}

GadgetRef NewMenu(const std::u16string& text, int32_t tag, const GadgetRef& parent, int32_t hotkey,
                  int32_t mods) {
  GadgetRef menu = Create(GADGETCLASS_MENU, text, 0, 0, 0, 0, parent, tag);
  if (menu && hotkey != 0) GadgetSetHotKey(menu, hotkey, mods);
  return menu;
}

GadgetRef FocusedGadget() {
  return GuiDriver().ActiveGadget();
}

int32_t ColourPick(int32_t r, int32_t g2, int32_t b) {
  const int32_t colour = GuiDriver().RequestColor(r, g2, b);
  if (colour == 0) return 0;
  LastPickedColour = colour;
  return 1;
}

int32_t PickedRed() {
  return (LastPickedColour >> 16) & 0xFF;
}
int32_t PickedGreen() {
  return (LastPickedColour >> 8) & 0xFF;
}
int32_t PickedBlue() {
  return LastPickedColour & 0xFF;
}

int32_t PointerSet(int32_t shape) {
  return GuiDriver().SetPointer(shape);
}

}  // namespace quardeln
