// The numbers shared by the toolkit core, its drivers and applications: gadget class
// numbers, creation style flags per class, Activate action codes, gadget and item state
// bits, item flags, Query selectors, sensitivity bits and layout edge rules.
// Values are fixed; drivers and applications compare against them directly.
#pragma once

#include <cstdint>

namespace quardeln {

// Gadget classes: the first argument of TOrvaneDriver::CreateGadget.
inline constexpr int32_t GADGETCLASS_DESKTOP = 0;
inline constexpr int32_t GADGETCLASS_WINDOW = 1;
inline constexpr int32_t GADGETCLASS_BUTTON = 2;
inline constexpr int32_t GADGETCLASS_PANEL = 3;
inline constexpr int32_t GADGETCLASS_TEXTFIELD = 4;
inline constexpr int32_t GADGETCLASS_TEXTAREA = 5;
inline constexpr int32_t GADGETCLASS_COMBOBOX = 6;
inline constexpr int32_t GADGETCLASS_LISTBOX = 7;
inline constexpr int32_t GADGETCLASS_TOOLBAR = 8;
inline constexpr int32_t GADGETCLASS_TABBER = 9;
inline constexpr int32_t GADGETCLASS_TREEVIEW = 10;
inline constexpr int32_t GADGETCLASS_HTMLVIEW = 11;
inline constexpr int32_t GADGETCLASS_LABEL = 12;
inline constexpr int32_t GADGETCLASS_SLIDER = 13;
inline constexpr int32_t GADGETCLASS_PROGBAR = 14;
inline constexpr int32_t GADGETCLASS_MENU = 15;
inline constexpr int32_t GADGETCLASS_NODE = 16;
inline constexpr int32_t GADGETCLASS_CANVAS = 17;

// Window styles (bits).
inline constexpr int32_t WINDOW_TITLEBAR = 1;       // title bar with system menu; else a pop-up
inline constexpr int32_t WINDOW_RESIZABLE = 2;      // sizing frame (with 1: min/max boxes)
inline constexpr int32_t WINDOW_MENU = 4;           // menu bar
inline constexpr int32_t WINDOW_STATUS = 8;         // status bar
inline constexpr int32_t WINDOW_TOOL = 16;          // small caption, no task-bar entry
inline constexpr int32_t WINDOW_CLIENTCOORDS = 32;  // the rectangle is the client area
inline constexpr int32_t WINDOW_HIDDEN = 64;        // created hidden
inline constexpr int32_t WINDOW_ACCEPTFILES = 128;  // accepts dropped files
inline constexpr int32_t WINDOW_CENTER = 512;       // centred by NewWindow before creation

// Button styles: a kind in the low three bits, plus a flag.
inline constexpr int32_t BUTTON_KIND_MASK = 7;
inline constexpr int32_t BUTTON_PUSH = 1;  // 0 is a push button too
inline constexpr int32_t BUTTON_CHECKBOX = 2;
inline constexpr int32_t BUTTON_RADIO = 3;
// Enter pressed in a text field presses the BUTTON_OK button of the same group, Escape
// its BUTTON_CANCEL button: the button emits its GadgetAction as for a click (a text area
// keeps Enter for itself). Add BUTTON_DEFAULT to show the user which one Enter presses.
inline constexpr int32_t BUTTON_OK = 4;
inline constexpr int32_t BUTTON_CANCEL = 5;
inline constexpr int32_t BUTTON_DEFAULT = 8;  // default-button look on a push button

// Panel styles (bits).
inline constexpr int32_t PANEL_SUNKEN = 1;
inline constexpr int32_t PANEL_ACTIVE = 2;   // reports mouse and keys (sensitivity 3)
inline constexpr int32_t PANEL_NOERASE = 4;  // the canvas kind: no background erase
inline constexpr int32_t PANEL_GROUP = 8;    // group box captioned with the panel's text

inline constexpr int32_t TEXTFIELD_PASSWORD = 1;

inline constexpr int32_t TEXTAREA_WORDWRAP = 1;
inline constexpr int32_t TEXTAREA_READONLY = 2;

inline constexpr int32_t COMBOBOX_EDITABLE = 1;

// Label styles: a frame kind in the low three bits, an alignment in bits 8 and 16.
inline constexpr int32_t LABEL_FRAME_MASK = 7;
inline constexpr int32_t LABEL_FRAME = 1;
inline constexpr int32_t LABEL_SUNKENFRAME = 2;
inline constexpr int32_t LABEL_ETCHEDFRAME = 3;
inline constexpr int32_t LABEL_ALIGN_MASK = 24;
inline constexpr int32_t LABEL_LEFT = 0;
inline constexpr int32_t LABEL_RIGHT = 8;
inline constexpr int32_t LABEL_CENTER = 16;

// Slider styles: bit 1 horizontal; the kind is the style without bits 1 and 2.
inline constexpr int32_t SLIDER_HORIZONTAL = 1;
inline constexpr int32_t SLIDER_SCROLLBAR = 0;
inline constexpr int32_t SLIDER_TRACKBAR = 4;
inline constexpr int32_t SLIDER_STEPPER = 8;

// The slider kind of a style: the low 16 bits with the bits of value 1 and 2 cleared.
// Only SLIDER_SCROLLBAR, SLIDER_TRACKBAR and SLIDER_STEPPER are supported kinds.
constexpr int32_t SliderKind(int32_t style) {
  return style & 0xFFFC;
}

// Activate action codes.
inline constexpr int32_t ACTION_FOCUS = 0;
inline constexpr int32_t ACTION_CUT = 1;
inline constexpr int32_t ACTION_COPY = 2;
inline constexpr int32_t ACTION_PASTE = 3;
inline constexpr int32_t ACTION_MINIMISE = 4;
inline constexpr int32_t ACTION_MAXIMISE = 5;
inline constexpr int32_t ACTION_RESTORE = 6;
inline constexpr int32_t ACTION_SELECT = 7;
inline constexpr int32_t ACTION_EXPAND = 8;
inline constexpr int32_t ACTION_COLLAPSE = 9;
inline constexpr int32_t ACTION_BACK = 10;
inline constexpr int32_t ACTION_FORWARD = 11;
inline constexpr int32_t ACTION_PRINT = 12;
inline constexpr int32_t ACTION_REDRAW = 13;

// Gadget state bits, as State() reports them.
inline constexpr int32_t GADGETSTATE_MINIMISED = 1;
inline constexpr int32_t GADGETSTATE_MAXIMISED = 2;
inline constexpr int32_t GADGETSTATE_DISABLED = 4;
inline constexpr int32_t GADGETSTATE_HIDDEN = 8;
inline constexpr int32_t GADGETSTATE_CHECKED = 16;
inline constexpr int32_t GADGETSTATE_MIXED = 64;  // always together with CHECKED

// Item flags (TGadgetItem::flags) and item state bits (ItemState).
inline constexpr int32_t ITEMFLAG_PRESELECT = 1;
inline constexpr int32_t ITEMFLAG_TOGGLING = 2;
inline constexpr int32_t ITEMSTATE_DISABLED = 4;
inline constexpr int32_t ITEMSTATE_SELECTED = 16;

// SelectItem operations.
inline constexpr int32_t SELECT_OFF = 0;
inline constexpr int32_t SELECT_ON = 1;
inline constexpr int32_t SELECT_TOGGLE = 2;

// Query selectors.
inline constexpr int32_t QUERY_NATIVE = 1;
inline constexpr int32_t QUERY_NATIVE_CLIENT = 2;

// Sensitivity bits: which raw input a gadget reports as events.
inline constexpr int32_t SENSE_MOUSE = 1;
inline constexpr int32_t SENSE_KEYS = 2;

// Layout edge rules (lockl, lockr, lockt, lockb).
inline constexpr int32_t LOCK_CENTRE = 0;
inline constexpr int32_t LOCK_EDGE = 1;
inline constexpr int32_t LOCK_SCALE = 2;

// SetPixmap flags: a panel picture's layout in the low three bits; bit 8 gives a
// window, button or menu its icon image, bit 16 shows a button's image without its text.
inline constexpr int32_t PANELPIXMAP_TILE = 0;
inline constexpr int32_t PANELPIXMAP_CENTER = 1;
inline constexpr int32_t PANELPIXMAP_FIT = 2;
inline constexpr int32_t PANELPIXMAP_STRETCH = 3;
inline constexpr int32_t PANELPIXMAP_FITWIDTH = 4;
inline constexpr int32_t PANELPIXMAP_LAYOUT_MASK = 7;
inline constexpr int32_t GADGETPIXMAP_ICON = 8;
inline constexpr int32_t GADGETPIXMAP_NOTEXT = 16;

// GUI font style bits.
inline constexpr int32_t FONT_BOLD = 1;
inline constexpr int32_t FONT_ITALIC = 2;
inline constexpr int32_t FONT_UNDERLINE = 4;

}  // namespace quardeln
