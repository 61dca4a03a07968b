// The reminder as a whole: module start-up, the main window, the main event loop and the
// exit sequence. The loop dispatches stepper actions to the alarm time, "Attiva" to the
// activation, "Aiuto" and "Dona" to their windows, and ends on "Uscita" or any window's
// close box by freeing the main window and pumping once. A platform's entry point calls
// RunTempra and ends the process with its result.
#pragma once

#include <cstdint>

#include "app/activation.h"
#include "app/alarm_time.h"
#include "app/main_window.h"
#include "app/platform_seam.h"
#include "runtime/object.h"

namespace tempra {

inline constexpr int32_t kExitCode = 0;

// Starts the toolkit's modules in dependency order: events, the system module with the
// platform's system driver (which starts the event queue) and timers, the platform's
// image decoder, then the GUI with the platform's GUI driver.
void StartModules();

class TempraProgram {
 public:
  explicit TempraProgram(AppPlatform& platform) : platform_(platform) {}
  TempraProgram(const TempraProgram&) = delete;
  TempraProgram& operator=(const TempraProgram&) = delete;

  void Start();  // builds the main window; the modules must have started
  // Runs until "Uscita" or a close box, then the exit sequence; returns the exit code.
  int32_t RunMainLoop();

  const MainWindow& Gadgets() const { return window_; }
  const AlarmTime& Time() const { return time_; }
  const Activation& Alarm() const { return activation_; }

 private:
  enum class Next { Continue, Exit };

  Next Dispatch(const quardeln::ObjectRef& source);
  void Step(TimeUnit unit, const quardeln::GadgetRef& field);
  int32_t Exit();

  AppPlatform& platform_;
  AlarmTime time_;
  MainWindow window_;
  Activation activation_;
};

// The whole program: StartModules, Start, RunMainLoop.
int32_t RunTempra(AppPlatform& platform);

}  // namespace tempra
