// The one place the driver asks for a gadget of a given class: the driver keeps the
// creation steps common to all classes (text, parent, shape, sensitizing) and calls this
// for the class-specific construction only. Each class's Create builds its native windows
// inside the group's Query(2) and ends with Register.
#pragma once

#include <cstdint>
#include <string>

#include "gui/gadget.h"
#include "gui/icon_strip.h"

namespace quardeln {

// A new gadget of `class_` made with `style` inside `group` (null when none), or null
// when the class is not supported (or its style is not, e.g. an unknown slider kind).
// The driver calls it for GADGETCLASS_WINDOW (group: the desktop when none was given),
// GADGETCLASS_BUTTON to GADGETCLASS_PROGBAR, GADGETCLASS_MENU and GADGETCLASS_NODE
// (returned to the caller at once, so their `text` is theirs to use), and for a canvas
// with GADGETCLASS_PANEL and the style's bits 2 and 4 added. `text` is set afterwards
// through SetText for every class but menus and nodes.
GadgetRef NewWindowsGadgetOfClass(int32_t class_, const std::u16string& text,
                                  const GadgetRef& group, int32_t style);

// The driver's icon strip for a pixmap or loadable source; null when none can be made.
IconStripRef NewWindowsIconStrip(const ObjectRef& source);

}  // namespace quardeln
