// quardeln-gallery.exe: starts the toolkit's modules, builds the gallery and runs it. An
// error that escapes is shown in a message box, and the program then ends with 1.
#include <exception>

#include "events/event.h"
#include "examples/gallery/gallery.h"
#include "gui/gui_driver.h"
#include "gui/platform.h"
#include "pixmap/platform.h"
#include "runtime/text.h"
#include "system/platform.h"
#include "system/system_driver.h"

namespace {

using namespace quardeln;

constexpr int kFailureExitCode = 1;

// Each module after those it builds on: events, the system driver (which starts the event
// queue) with its timers, the image decoder, then the GUI with the platform's driver.
void StartModules() {
  StartEventsModule();
  StartPlatformSystem();
  InstallPlatformImageDecoder();
  StartGuiModule(CreatePlatformGuiDriver());
}

}  // namespace

int main() {
  try {
    StartModules();
    gallery::Gallery gallery;
    gallery.Build();
    return gallery.Run();
  } catch (const std::exception& error) {
    Notify(FromUtf8(error.what()), 1);
    return kFailureExitCode;
  }
}
