// The toolkit as a program meets it: every public header a program needs, and the one
// start-up call. A program includes this, calls StartQuardeln() first thing in main and
// links Quardeln::gui and Quardeln::platform. Tests that run on the windowless drivers
// start the modules themselves instead (see StartQuardeln for the order).
#pragma once

#include "events/event.h"
#include "events/keys.h"
#include "events/queue.h"
#include "graphics/graphics.h"
#include "gui/api.h"
#include "gui/font.h"
#include "gui/gui_driver.h"
#include "gui/hotkey.h"
#include "gui/icon_strip.h"
#include "gui/platform.h"
#include "pixmap/image_file.h"
#include "pixmap/pixmap.h"
#include "pixmap/platform.h"
#include "runtime/error.h"
#include "runtime/object.h"
#include "runtime/text.h"
#include "system/clock.h"
#include "system/link.h"
#include "system/platform.h"
#include "system/system_driver.h"
#include "system/timer.h"

namespace quardeln {

// Starts the toolkit on the platform's drivers, once, before anything else of it is used:
// each module after those it builds on, always in this order: events; the system driver
// with the event queue and the timers; the image decoder; the GUI with the platform's
// driver. Installing the decoder only names it: it first loads (WIC, gdk-pixbuf) when a
// program decodes its first picture, so a program that shows none pays nothing for it.
inline void StartQuardeln() {
  StartEventsModule();
  StartPlatformSystem();
  InstallPlatformImageDecoder();
  StartGuiModule(CreatePlatformGuiDriver());
}

}  // namespace quardeln
