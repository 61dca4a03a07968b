#include "gui/headless/headless_driver.h"

#include "gui/font.h"
#include "gui/icon_strip.h"
#include "pixmap/pixmap.h"

namespace quardeln {
namespace {

constexpr int32_t kLastGadgetClass = GADGETCLASS_CANVAS;

bool IsSupportedSliderKind(int32_t style) {
  int32_t kind = SliderKind(style);
  return kind == SLIDER_SCROLLBAR || kind == SLIDER_TRACKBAR || kind == SLIDER_STEPPER;
}

}  // namespace

THeadlessGuiDriver::THeadlessGuiDriver()
    : desktop_(std::make_shared<THeadlessGadget>(GADGETCLASS_DESKTOP, 0)) {
  RegisterHeadlessHandle(desktop_);
  desktop_->SetShape(0, 0, kHeadlessDesktopWidth, kHeadlessDesktopHeight);
}

FontRef THeadlessGuiDriver::LoadFont(const std::u16string& name, int32_t size, int32_t style) {
  auto font = std::make_shared<TGuiFont>();
  font->name = name;
  font->size = size;
  font->style = style;
  font->handle = ++loadedFonts_;
  return font;
}

HeadlessGadgetRef THeadlessGuiDriver::Construct(int32_t class_, int32_t style) const {
  if (class_ < GADGETCLASS_WINDOW || class_ > kLastGadgetClass) return nullptr;
  if (class_ == GADGETCLASS_SLIDER && !IsSupportedSliderKind(style)) return nullptr;
  auto gadget = std::make_shared<THeadlessGadget>(class_, style);
  if (class_ == GADGETCLASS_WINDOW) gadget->shown = !(style & WINDOW_HIDDEN);
  // A group box is built hidden and shown once placed.
  if (class_ == GADGETCLASS_PANEL && (style & PANEL_GROUP)) gadget->shown = false;
  if (class_ == GADGETCLASS_SLIDER) gadget->SetRange(5, 10);
  return gadget;
}

GadgetRef THeadlessGuiDriver::CreateGadget(int32_t class_, const std::u16string& text, int32_t x,
                                           int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                                           int32_t style) {
  if (class_ == GADGETCLASS_DESKTOP) return desktop_;
  GadgetRef parent = class_ == GADGETCLASS_WINDOW && !group ? desktop_ : group;
  HeadlessGadgetRef gadget = Construct(class_, style);
  if (!gadget) return nullptr;
  RegisterHeadlessHandle(gadget);
  gadget->SetText(text);
  if (parent) gadget->_setparent(parent, -1);
  // Menus and tree nodes are placed by their parents; a toolbar sizes itself.
  bool placed = class_ != GADGETCLASS_MENU && class_ != GADGETCLASS_NODE;
  if (placed && class_ != GADGETCLASS_TOOLBAR) gadget->SetShape(x, y, w, h);
  if (class_ == GADGETCLASS_PANEL && (style & PANEL_GROUP)) gadget->SetShow(1);
  gadget->Sensitize();
  return gadget;
}

GadgetRef THeadlessGuiDriver::ActiveGadget() {
  return HeadlessFocus();
}

int32_t THeadlessGuiDriver::RequestColor(int32_t, int32_t, int32_t) {
  return 0;
}

FontRef THeadlessGuiDriver::RequestFont(const FontRef&) {
  return nullptr;
}

int32_t THeadlessGuiDriver::SetPointer(int32_t shape) {
  pointer_ = shape;
  return 0;
}

IconStripRef THeadlessGuiDriver::LoadIconStrip(const ObjectRef& source) {
  auto pixmap = std::dynamic_pointer_cast<TPixmap>(source);
  if (!pixmap || IconCountOf(*pixmap) == 0) return nullptr;
  auto strip = std::make_shared<TIconStrip>();
  strip->pixmap = pixmap;
  strip->count = IconCountOf(*pixmap);
  return strip;
}

}  // namespace quardeln
