#include "app/program.h"

#include "app/help_windows.h"
#include "events/event.h"
#include "events/queue.h"
#include "gui/api.h"
#include "gui/gui_driver.h"
#include "gui/platform.h"
#include "pixmap/platform.h"
#include "system/platform.h"
#include "system/system_driver.h"

namespace tempra {

using namespace quardeln;

void StartModules() {
  StartEventsModule();
  StartPlatformSystem();
  InstallPlatformImageDecoder();
  StartGuiModule(CreatePlatformGuiDriver());
}

void TempraProgram::Start() {
  window_ = BuildMainWindow(time_, platform_);
}

int32_t TempraProgram::RunMainLoop() {
  for (;;) {
    int32_t id = AwaitEvent();
    // A close box of any window ends the program, as "Uscita" does.
    if (id == WindowClose) return Exit();
    if (id == GadgetAction && Dispatch(ActiveEventSource()) == Next::Exit) return Exit();
  }
}

TempraProgram::Next TempraProgram::Dispatch(const ObjectRef& source) {
  const MainWindow& w = window_;
  if (!source) return Next::Continue;
  if (source == w.hoursStepper) Step(TimeUnit::Hours, w.alarmHoursField);
  if (source == w.minutesStepper) Step(TimeUnit::Minutes, w.alarmMinutesField);
  if (source == w.secondsStepper) Step(TimeUnit::Seconds, w.alarmSecondsField);
  if (source == w.activateButton) activation_.activate(w.mainWindow, time_, platform_);
  if (source == w.helpButton) RunHelpWindow();
  if (source == w.donateButton) RunDonationWindow();
  return source == w.exitButton ? Next::Exit : Next::Continue;
}

// Every stepper action enables "Attiva" and rewrites the field, changed or not.
void TempraProgram::Step(TimeUnit unit, const GadgetRef& field) {
  GadgetEnable(window_.activateButton);
  time_.step(unit, ActiveEventData());
  GadgetSetText(field, time_.fieldText(unit));
}

int32_t TempraProgram::Exit() {
  GadgetFree(window_.mainWindow);
  // Lets the platform finish what the removal set off.
  PumpSystemEvents();
  return kExitCode;
}

int32_t RunTempra(AppPlatform& platform) {
  StartModules();
  TempraProgram program(platform);
  program.Start();
  return program.RunMainLoop();
}

}  // namespace tempra
