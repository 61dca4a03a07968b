#include "app/main_window.h"

#include "gui/api.h"
#include "system/clock.h"

namespace tempra {
namespace {

using namespace quardeln;

constexpr int32_t kFieldSize = 30;
constexpr int32_t kHoursRow = 30;
constexpr int32_t kMinutesRow = 95;
constexpr int32_t kSecondsRow = 160;
constexpr int32_t kAlarmFieldX = 40;
constexpr int32_t kNowFieldX = 20;
constexpr int32_t kStepperX = 5;
constexpr int32_t kButtonX = 280;
constexpr int32_t kButtonWidth = 75;
constexpr int32_t kButtonHeight = 23;
// The stepper's two positions: 2 is the upper arrow, 1 the lower (kStepUp, kStepDown).
constexpr int32_t kStepperLow = kStepDown;
constexpr int32_t kStepperHigh = kStepUp;
// A vertical stepper; the bit of value 2 means nothing to a slider.
constexpr int32_t kStepperStyle = SLIDER_STEPPER | 2;

constexpr char16_t kFieldFontFace[] = u"MS Sans Serif";
constexpr int32_t kFieldFontSize = 14;

// A text field of its own font, showing `text`.
GadgetRef NewTimeField(int32_t x, int32_t y, const GadgetRef& panel, const std::u16string& text,
                       FontRef& font) {
  font = GuiFontLoad(kFieldFontFace, kFieldFontSize, 1, 0, 0);
  GadgetRef field = NewTextField(x, y, kFieldSize, kFieldSize, panel, 0);
  GadgetSetText(field, text);
  GadgetSetFont(field, font);
  return field;
}

GadgetRef NewStepper(int32_t y, const GadgetRef& panel) {
  GadgetRef stepper = NewSlider(kStepperX, y, kFieldSize, kFieldSize, panel, kStepperStyle);
  SliderSetRange(stepper, kStepperLow, kStepperHigh);
  return stepper;
}

GadgetRef NewPushButton(const std::u16string& text, int32_t y, const GadgetRef& window) {
  return NewButton(text, kButtonX, y, kButtonWidth, kButtonHeight, window, BUTTON_PUSH);
}

void BuildFields(MainWindow& w, const AlarmTime& time) {
  const std::u16string hours = time.fieldText(TimeUnit::Hours);
  const std::u16string minutes = time.fieldText(TimeUnit::Minutes);
  const std::u16string seconds = time.fieldText(TimeUnit::Seconds);
  w.alarmHoursField = NewTimeField(kAlarmFieldX, kHoursRow, w.alarmPanel, hours, w.fieldFonts[0]);
  w.alarmMinutesField =
      NewTimeField(kAlarmFieldX, kMinutesRow, w.alarmPanel, minutes, w.fieldFonts[1]);
  w.alarmSecondsField =
      NewTimeField(kAlarmFieldX, kSecondsRow, w.alarmPanel, seconds, w.fieldFonts[2]);
  w.nowHoursField = NewTimeField(kNowFieldX, kHoursRow, w.nowPanel, hours, w.fieldFonts[3]);
  w.nowMinutesField = NewTimeField(kNowFieldX, kMinutesRow, w.nowPanel, minutes, w.fieldFonts[4]);
  w.nowSecondsField = NewTimeField(kNowFieldX, kSecondsRow, w.nowPanel, seconds, w.fieldFonts[5]);
}

void BuildLabelsAndButtons(MainWindow& w) {
  w.nowLabel = NewLabel(u"Ora Attuale", 30, 15, 58, 18, w.mainWindow, LABEL_LEFT);
  w.hoursLabel = NewLabel(u"Ore", 115, 68, 28, 20, w.mainWindow, LABEL_LEFT);
  w.minutesLabel = NewLabel(u"Minuti", 110, 135, 37, 25, w.mainWindow, LABEL_LEFT);
  w.secondsLabel = NewLabel(u"Secondi", 105, 202, 42, 27, w.mainWindow, LABEL_LEFT);
  w.alarmLabel = NewLabel(u"Allarme", 180, 15, 48, 17, w.mainWindow, LABEL_LEFT);
  w.activateButton = NewPushButton(u"Attiva", 50, w.mainWindow);
  w.helpButton = NewPushButton(u"Aiuto", 115, w.mainWindow);
  w.donateButton = NewPushButton(u"Dona", 155, w.mainWindow);
  w.exitButton = NewPushButton(u"Uscita", 195, w.mainWindow);
}

}  // namespace

MainWindow BuildMainWindow(AlarmTime& time, AppPlatform& platform) {
  MainWindow w;
  w.mainWindow = NewWindow(kMainWindowTitle, 287, 229, 395, 300, nullptr, WINDOW_TITLEBAR);
  platform.SetWindowIconFromFile(GadgetQuery(w.mainWindow, QUERY_NATIVE), kIconFileName);
  w.alarmPanel = NewPanel(155, 12, 85, 225, w.mainWindow, PANEL_GROUP, u"Allarme");
  w.nowPanel = NewPanel(17, 12, 80, 225, w.mainWindow, PANEL_GROUP, u"Ora Attuale");
  time.initialiseFromClock(ClockText());
  BuildFields(w, time);
  w.hoursStepper = NewStepper(kHoursRow, w.alarmPanel);
  w.minutesStepper = NewStepper(kMinutesRow, w.alarmPanel);
  w.secondsStepper = NewStepper(kSecondsRow, w.alarmPanel);
  BuildLabelsAndButtons(w);
  // Nothing to activate until the user has touched a stepper.
  GadgetDisable(w.activateButton);
  return w;
}

}  // namespace tempra
