// Operations every gadget takes, and those of windows, menus, buttons, panels and text
// fields: each calls one gadget operation, some with a fixed argument or a state bit test.
#include "gui/api.h"
#include "gui/api_detail.h"

namespace quardeln {

using detail::Use;

namespace {
int32_t StateHas(const GadgetRef& g, int32_t bit) {
  return (Use(g).State() & bit) ? 1 : 0;
}
}  // namespace

int32_t GadgetFree(const GadgetRef& g) {
  return Use(g).Free();
}
int32_t GadgetClientWidth(const GadgetRef& g) {
  return Use(g).ClientWidth();
}
int32_t GadgetClientHeight(const GadgetRef& g) {
  return Use(g).ClientHeight();
}
int32_t GadgetLeft(const GadgetRef& g) {
  return Use(g).xpos;
}
int32_t GadgetTop(const GadgetRef& g) {
  return Use(g).ypos;
}
int32_t GadgetGetWidth(const GadgetRef& g) {
  return Use(g).width;
}
int32_t GadgetGetHeight(const GadgetRef& g) {
  return Use(g).height;
}
GadgetRef GadgetGetGroup(const GadgetRef& g) {
  return Use(g).Parent();
}
int32_t GadgetShow(const GadgetRef& g) {
  return Use(g).SetShow(1);
}
int32_t GadgetHide(const GadgetRef& g) {
  return Use(g).SetShow(0);
}
int32_t GadgetEnable(const GadgetRef& g) {
  return Use(g).SetEnabled(1);
}
int32_t GadgetDisable(const GadgetRef& g) {
  return Use(g).SetEnabled(0);
}
int32_t GadgetIsHidden(const GadgetRef& g) {
  return StateHas(g, GADGETSTATE_HIDDEN);
}
int32_t GadgetIsDisabled(const GadgetRef& g) {
  return StateHas(g, GADGETSTATE_DISABLED);
}

int32_t GadgetSetShape(const GadgetRef& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  return Use(g).SetShape(x, y, w, h);
}

int32_t GadgetSetLayout(const GadgetRef& g, int32_t left, int32_t right, int32_t top,
                        int32_t bottom) {
  return Use(g).SetLayout(left, right, top, bottom);
}

int32_t GadgetSetSensitivity(const GadgetRef& g, int32_t flags) {
  return Use(g).SetSensitivity(flags);
}
int32_t GadgetGetSensitivity(const GadgetRef& g) {
  return Use(g).GetSensitivity();
}

int32_t GadgetFocus(const GadgetRef& g) {
  return Use(g).Activate(ACTION_FOCUS);
}
int32_t GadgetCut(const GadgetRef& g) {
  return Use(g).Activate(ACTION_CUT);
}
int32_t GadgetCopy(const GadgetRef& g) {
  return Use(g).Activate(ACTION_COPY);
}
int32_t GadgetPaste(const GadgetRef& g) {
  return Use(g).Activate(ACTION_PASTE);
}
int32_t GadgetPrint(const GadgetRef& g) {
  return Use(g).Activate(ACTION_PRINT);
}
int32_t GadgetRedraw(const GadgetRef& g) {
  return Use(g).Activate(ACTION_REDRAW);
}

int32_t GadgetSetColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b, int32_t background) {
  return background != 0 ? Use(g).SetColor(r, g2, b) : Use(g).SetTextColor(r, g2, b);
}

int32_t GadgetSetTextColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b) {
  return Use(g).SetTextColor(r, g2, b);
}

int32_t GadgetSetAlpha(const GadgetRef& g, float alpha) {
  return Use(g).SetAlpha(alpha);
}

int32_t GadgetSetPixmap(const GadgetRef& g, const PixmapRef& pixmap, int32_t flags) {
  return Use(g).SetPixmap(pixmap, flags);
}

int32_t GadgetSetText(const GadgetRef& g, const std::u16string& text) {
  return Use(g).SetText(text);
}
std::u16string GadgetGetText(const GadgetRef& g) {
  return Use(g).GetText();
}
int32_t GadgetSetTip(const GadgetRef& g, const std::u16string& tip) {
  return Use(g).SetTooltip(tip);
}
std::u16string GadgetGetTip(const GadgetRef& g) {
  return Use(g).GetTooltip();
}
int32_t GadgetSetFont(const GadgetRef& g, const FontRef& font) {
  return Use(g).SetFont(font);
}
int32_t GadgetSetHotKey(const GadgetRef& g, int32_t key, int32_t mods) {
  return Use(g).SetHotKey(key, mods);
}
int32_t GadgetSetFilter(const GadgetRef& g, EventFilter filter, ObjectRef context) {
  return Use(g).SetFilter(std::move(filter), std::move(context));
}
int32_t GadgetSetIconStrip(const GadgetRef& g, const IconStripRef& strip) {
  return Use(g).SetIconStrip(strip);
}
NativeHandle GadgetQuery(const GadgetRef& g, int32_t which) {
  return Use(g).Query(which);
}

GadgetRef WindowGetMenu(const GadgetRef& g) {
  return Use(g).GetMenu();
}
int32_t WindowUpdateMenu(const GadgetRef& g) {
  return Use(g).UpdateMenu();
}
int32_t WindowPopupMenu(const GadgetRef& g, const GadgetRef& menu, ObjectRef extra) {
  return Use(g).PopupMenu(menu, std::move(extra));
}
int32_t ActivateWindow(const GadgetRef& g) {
  return Use(g).Activate(ACTION_FOCUS);
}
int32_t WindowSetStatus(const GadgetRef& g, const std::u16string& text) {
  return Use(g).SetStatus(text);
}
int32_t WindowSetMinSize(const GadgetRef& g, int32_t w, int32_t h) {
  return Use(g).SetMinimumSize(w, h);
}
int32_t WindowSetMaxSize(const GadgetRef& g, int32_t w, int32_t h) {
  return Use(g).SetMaximumSize(w, h);
}
int32_t WindowMinimise(const GadgetRef& g) {
  return Use(g).Activate(ACTION_MINIMISE);
}
int32_t WindowMaximise(const GadgetRef& g) {
  return Use(g).Activate(ACTION_MAXIMISE);
}
int32_t WindowRestore(const GadgetRef& g) {
  return Use(g).Activate(ACTION_RESTORE);
}
int32_t WindowIsMinimised(const GadgetRef& g) {
  return StateHas(g, GADGETSTATE_MINIMISED);
}
int32_t WindowIsMaximised(const GadgetRef& g) {
  return StateHas(g, GADGETSTATE_MAXIMISED);
}

int32_t MenuFree(const GadgetRef& g) {
  return Use(g).Free();
}
int32_t MenuSetText(const GadgetRef& g, const std::u16string& text) {
  return Use(g).SetText(text);
}
std::u16string MenuGetText(const GadgetRef& g) {
  return Use(g).GetText();
}
int32_t MenuCheck(const GadgetRef& g) {
  return Use(g).SetSelected(1);
}
int32_t MenuUncheck(const GadgetRef& g) {
  return Use(g).SetSelected(0);
}
int32_t MenuEnable(const GadgetRef& g) {
  return Use(g).SetEnabled(1);
}
int32_t MenuDisable(const GadgetRef& g) {
  return Use(g).SetEnabled(0);
}
int32_t MenuIsChecked(const GadgetRef& g) {
  return StateHas(g, GADGETSTATE_CHECKED);
}
int32_t MenuIsEnabled(const GadgetRef& g) {
  return 1 - StateHas(g, GADGETSTATE_DISABLED);
}

int32_t ButtonSetState(const GadgetRef& g, int32_t state) {
  return Use(g).SetSelected(state);
}

int32_t ButtonGetState(const GadgetRef& g) {
  const int32_t state = Use(g).State();
  if (state & GADGETSTATE_MIXED) return -1;
  return (state & GADGETSTATE_CHECKED) ? 1 : 0;
}

int32_t PanelSetColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b) {
  return Use(g).SetColor(r, g2, b);
}
int32_t PanelSetPixmap(const GadgetRef& g, const PixmapRef& pixmap, int32_t flags) {
  return GadgetSetPixmap(g, pixmap, flags);
}
std::u16string TextFieldGetText(const GadgetRef& g) {
  return Use(g).GetText();
}

}  // namespace quardeln
