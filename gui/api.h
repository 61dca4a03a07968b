// The application's GUI interface: one creation function per gadget class and thin
// operation functions. Creation goes through ActiveGuiDriver; the operations call the
// gadget's virtual operations and never touch a native control themselves. Arguments are
// passed on unchecked, except that a null gadget raises a run-time error.
// Item functions take (text, flags, icon, tip, extra); the gadget operations take
// (text, tip, icon, extra, flags).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gui/font.h"
#include "gui/gadget.h"
#include "gui/gadget_classes.h"
#include "gui/hotkey.h"
#include "gui/icon_strip.h"

namespace quardeln {

// The message of the run-time error raised for a null gadget argument.
inline constexpr const char* kNullGadgetMessage = "Attempt to access a null gadget";

// Creation. Each returns the new gadget, or null when the driver makes none.
GadgetRef DesktopGadget();
GadgetRef NewWindow(const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                    const GadgetRef& group = nullptr, int32_t style = WINDOW_TITLEBAR);
GadgetRef NewButton(const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                    const GadgetRef& group, int32_t style = BUTTON_PUSH);
GadgetRef NewPanel(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                   int32_t style = 0, const std::u16string& title = {});
GadgetRef NewTextField(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                       int32_t style = 0);
GadgetRef NewTextArea(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style = 0);
GadgetRef NewComboBox(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style = 0);
GadgetRef NewListBox(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                     int32_t style = 0);
GadgetRef NewTabber(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                    int32_t style = 0);
// A toolbar with one button per icon of the strip made from `source`.
GadgetRef NewToolbar(const ObjectRef& source, int32_t x, int32_t y, int32_t w, int32_t h,
                     const GadgetRef& group, int32_t style = 0);
GadgetRef NewTreeView(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style = 0);
GadgetRef NewHtmlView(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                      int32_t style = 0);
GadgetRef NewLabel(const std::u16string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                   const GadgetRef& group, int32_t style = 0);
GadgetRef NewSlider(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                    int32_t style = 0);
GadgetRef NewProgressBar(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                         int32_t style = 0);
GadgetRef NewCanvas(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetRef& group,
                    int32_t style = 0);
GadgetRef NewMenu(const std::u16string& text, int32_t tag, const GadgetRef& parent,
                  int32_t hotkey = 0, int32_t mods = 0);

// NewCanvas hands the graphics' DefaultGraphicsFlags (graphics/graphics.h) to AttachGraphics.

// Common operations.
int32_t GadgetFree(const GadgetRef& g);
int32_t GadgetClientWidth(const GadgetRef& g);
int32_t GadgetClientHeight(const GadgetRef& g);
int32_t GadgetLeft(const GadgetRef& g);
int32_t GadgetTop(const GadgetRef& g);
int32_t GadgetGetWidth(const GadgetRef& g);
int32_t GadgetGetHeight(const GadgetRef& g);
GadgetRef GadgetGetGroup(const GadgetRef& g);
int32_t GadgetShow(const GadgetRef& g);
int32_t GadgetHide(const GadgetRef& g);
int32_t GadgetEnable(const GadgetRef& g);
int32_t GadgetDisable(const GadgetRef& g);
int32_t GadgetIsHidden(const GadgetRef& g);
int32_t GadgetIsDisabled(const GadgetRef& g);
int32_t GadgetSetShape(const GadgetRef& g, int32_t x, int32_t y, int32_t w, int32_t h);
int32_t GadgetSetLayout(const GadgetRef& g, int32_t left, int32_t right, int32_t top,
                        int32_t bottom);
int32_t GadgetSetSensitivity(const GadgetRef& g, int32_t flags);
int32_t GadgetGetSensitivity(const GadgetRef& g);
int32_t GadgetFocus(const GadgetRef& g);
int32_t GadgetCut(const GadgetRef& g);
int32_t GadgetCopy(const GadgetRef& g);
int32_t GadgetPaste(const GadgetRef& g);
int32_t GadgetPrint(const GadgetRef& g);
int32_t GadgetRedraw(const GadgetRef& g);
GadgetRef FocusedGadget();
int32_t GadgetSetColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b,
                        int32_t background = 1);
int32_t GadgetSetTextColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b);
int32_t GadgetSetAlpha(const GadgetRef& g, float alpha);
int32_t GadgetSetPixmap(const GadgetRef& g, const PixmapRef& pixmap, int32_t flags = 0);
int32_t GadgetSetText(const GadgetRef& g, const std::u16string& text);
std::u16string GadgetGetText(const GadgetRef& g);
int32_t GadgetSetTip(const GadgetRef& g, const std::u16string& tip);
std::u16string GadgetGetTip(const GadgetRef& g);
int32_t GadgetSetFont(const GadgetRef& g, const FontRef& font);
int32_t GadgetSetHotKey(const GadgetRef& g, int32_t key, int32_t mods = 0);
int32_t GadgetSetFilter(const GadgetRef& g, EventFilter filter, ObjectRef context = nullptr);
int32_t GadgetSetIconStrip(const GadgetRef& g, const IconStripRef& strip);
NativeHandle GadgetQuery(const GadgetRef& g, int32_t which);

// Windows, menus, buttons, panels, text fields.
GadgetRef WindowGetMenu(const GadgetRef& g);
int32_t WindowUpdateMenu(const GadgetRef& g);
int32_t WindowPopupMenu(const GadgetRef& g, const GadgetRef& menu, ObjectRef extra = nullptr);
// WindowActivate is taken by the event id of that name.
int32_t ActivateWindow(const GadgetRef& g);
int32_t WindowSetStatus(const GadgetRef& g, const std::u16string& text);
// The smallest and largest size the user can give the window, in the window's own terms:
// the client area for a window made with WINDOW_CLIENTCOORDS (the driver adds the frame,
// menu bar and status bar), the outer frame otherwise. A maximum below the minimum is
// no maximum.
int32_t WindowSetMinSize(const GadgetRef& g, int32_t w, int32_t h);
int32_t WindowSetMaxSize(const GadgetRef& g, int32_t w, int32_t h);
int32_t WindowMinimise(const GadgetRef& g);
int32_t WindowMaximise(const GadgetRef& g);
int32_t WindowRestore(const GadgetRef& g);
int32_t WindowIsMinimised(const GadgetRef& g);
int32_t WindowIsMaximised(const GadgetRef& g);
int32_t MenuFree(const GadgetRef& g);
int32_t MenuSetText(const GadgetRef& g, const std::u16string& text);
std::u16string MenuGetText(const GadgetRef& g);
int32_t MenuCheck(const GadgetRef& g);
int32_t MenuUncheck(const GadgetRef& g);
int32_t MenuEnable(const GadgetRef& g);
int32_t MenuDisable(const GadgetRef& g);
int32_t MenuIsChecked(const GadgetRef& g);
int32_t MenuIsEnabled(const GadgetRef& g);
int32_t ButtonSetState(const GadgetRef& g, int32_t state);
int32_t ButtonGetState(const GadgetRef& g);  // -1 mixed, 1 checked, 0 clear
int32_t PanelSetColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b);
int32_t PanelSetPixmap(const GadgetRef& g, const PixmapRef& pixmap, int32_t flags = 0);
std::u16string TextFieldGetText(const GadgetRef& g);

// Text areas; pos and length count characters or lines according to units.
int32_t TextAreaSetText(const GadgetRef& g, const std::u16string& text, int32_t pos, int32_t length,
                        int32_t units);
int32_t TextAreaAddText(const GadgetRef& g, const std::u16string& text);
std::u16string TextAreaGetText(const GadgetRef& g, int32_t pos, int32_t length, int32_t units);
int32_t TextAreaGetLength(const GadgetRef& g, int32_t units);
int32_t TextAreaLock(const GadgetRef& g);
int32_t TextAreaUnlock(const GadgetRef& g);
int32_t TextAreaSetTabs(const GadgetRef& g, int32_t tabs);
int32_t TextAreaSetFont(const GadgetRef& g, const FontRef& font);
int32_t TextAreaSetColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b,
                          int32_t background = 1);
int32_t TextAreaGetCursor(const GadgetRef& g, int32_t units);
int32_t TextAreaGetSelectionLength(const GadgetRef& g, int32_t units);
int32_t TextAreaFormat(const GadgetRef& g, int32_t r, int32_t g2, int32_t b, int32_t flags,
                       int32_t pos, int32_t length, int32_t units);
int32_t TextAreaSelect(const GadgetRef& g, int32_t pos, int32_t length, int32_t units);
int32_t TextAreaCharOfLine(const GadgetRef& g, int32_t line);
int32_t TextAreaLineOfChar(const GadgetRef& g, int32_t index);

// Items of list boxes, combo boxes, tabbers and toolbars.
int32_t GadgetClearItems(const GadgetRef& g);
int32_t GadgetAddItem(const GadgetRef& g, const std::u16string& text, int32_t flags = 0,
                      int32_t icon = -1, const std::u16string& tip = {}, ObjectRef extra = nullptr);
int32_t GadgetInsertItem(const GadgetRef& g, int32_t index, const std::u16string& text,
                         int32_t flags = 0, int32_t icon = -1, const std::u16string& tip = {},
                         ObjectRef extra = nullptr);
int32_t GadgetModifyItem(const GadgetRef& g, int32_t index, const std::u16string& text,
                         int32_t flags = 0, int32_t icon = -1, const std::u16string& tip = {},
                         ObjectRef extra = nullptr);
int32_t GadgetRemoveItem(const GadgetRef& g, int32_t index);
int32_t GadgetEnableItem(const GadgetRef& g, int32_t index);
int32_t GadgetDisableItem(const GadgetRef& g, int32_t index);
int32_t GadgetSelectItem(const GadgetRef& g, int32_t index);
int32_t GadgetDeselectItem(const GadgetRef& g, int32_t index);
int32_t GadgetToggleItem(const GadgetRef& g, int32_t index);
int32_t GadgetSelectedItem(const GadgetRef& g);
std::vector<int32_t> GadgetSelectedItems(const GadgetRef& g);
int32_t GadgetItemCount(const GadgetRef& g);
std::u16string GadgetGetItemText(const GadgetRef& g, int32_t index);
int32_t GadgetGetItemIcon(const GadgetRef& g, int32_t index);
ObjectRef GadgetGetItemExtra(const GadgetRef& g, int32_t index);
int32_t GadgetGetItemFlags(const GadgetRef& g, int32_t index);
// Gives the toolbar's items their tips in order; an absent element is skipped without
// using up an item.
int32_t ToolbarSetTips(const GadgetRef& g, const std::vector<std::optional<std::u16string>>& tips);

// Tree views, HTML views, sliders, progress bars, canvases.
GadgetRef TreeViewAddNode(const std::u16string& text, const GadgetRef& node, int32_t icon = -1);
GadgetRef TreeViewInsertNode(int32_t index, const std::u16string& text, const GadgetRef& node,
                             int32_t icon = -1);
int32_t TreeViewModifyNode(const GadgetRef& node, const std::u16string& text, int32_t icon = -1);
int32_t TreeViewClear(const GadgetRef& tree);  // frees every node under the root
GadgetRef TreeViewRoot(const GadgetRef& tree);
GadgetRef TreeViewGetSelected(const GadgetRef& tree);
int32_t TreeViewCountKids(const GadgetRef& node);
int32_t TreeViewSelectNode(const GadgetRef& node);
int32_t TreeViewExpandNode(const GadgetRef& node);
int32_t TreeViewCollapseNode(const GadgetRef& node);
int32_t TreeViewFreeNode(const GadgetRef& node);
int32_t HtmlViewNavigate(const GadgetRef& g, const std::u16string& url);
int32_t HtmlViewGoBack(const GadgetRef& g);
int32_t HtmlViewGoForward(const GadgetRef& g);
int32_t HtmlViewGetStatus(const GadgetRef& g);
std::u16string HtmlViewGetURL(const GadgetRef& g);
std::u16string HtmlViewRunScript(const GadgetRef& g, const std::u16string& script);
int32_t SliderSetRange(const GadgetRef& g, int32_t a, int32_t b);
int32_t SliderSetValue(const GadgetRef& g, int32_t value);
int32_t SliderGetValue(const GadgetRef& g);
// The filled fraction, 0 (empty) to 1 (full); the bar shows whole percents, truncated,
// and a value outside 0..1 shows as empty or full.
int32_t ProgressBarSetValue(const GadgetRef& g, float value);
// The canvas's graphics context, to draw on with AsGraphics(CanvasGetGraphics(g))->...;
// null for a gadget that is no canvas.
ObjectRef CanvasGetGraphics(const GadgetRef& g);

// Colour chooser and pointer.
// The colour last confirmed in the chooser, 0xFF000000 + red * 65536 + green * 256 + blue;
// 0 until a colour has been picked.
extern int32_t LastPickedColour;
int32_t ColourPick(int32_t r, int32_t g2, int32_t b);  // 1 when a colour was chosen
int32_t PickedRed();
int32_t PickedGreen();
int32_t PickedBlue();
int32_t PointerSet(int32_t shape);

}  // namespace quardeln
