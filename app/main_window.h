// The main window: its 21 gadgets, made once at start-up in a fixed order and kept for
// the whole run, and the six fonts of its text fields (never freed). The alarm fields
// show the alarm time, the "Ora Attuale" fields the time of start-up; "Attiva" starts
// disabled.
#pragma once

#include <array>
#include <string>

#include "app/alarm_time.h"
#include "app/platform_seam.h"
#include "gui/font.h"
#include "gui/gadget.h"

namespace tempra {

using quardeln::FontRef;
using quardeln::GadgetRef;

inline constexpr char16_t kMainWindowTitle[] = u"Vornelt Tempra V0.5 - Italiano ";
inline constexpr char16_t kIconFileName[] = u"vico.ico";

struct MainWindow {
  GadgetRef mainWindow;
  GadgetRef alarmPanel;
  GadgetRef nowPanel;
  GadgetRef alarmHoursField;
  GadgetRef alarmMinutesField;
  GadgetRef alarmSecondsField;
  GadgetRef nowHoursField;
  GadgetRef nowMinutesField;
  GadgetRef nowSecondsField;
  GadgetRef hoursStepper;
  GadgetRef minutesStepper;
  GadgetRef secondsStepper;
  GadgetRef nowLabel;
  GadgetRef hoursLabel;
  GadgetRef minutesLabel;
  GadgetRef secondsLabel;
  GadgetRef alarmLabel;
  GadgetRef activateButton;
  GadgetRef helpButton;
  GadgetRef donateButton;
  GadgetRef exitButton;
  std::array<FontRef, 6> fieldFonts;  // one per text field, in creation order
};

// Makes the main window as at start-up. Reads the clock once and starts `time` from it,
// so both panels show the same moment.
MainWindow BuildMainWindow(AlarmTime& time, AppPlatform& platform);

}  // namespace tempra
