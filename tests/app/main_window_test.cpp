#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_support.h"
#include "events/queue.h"
#include "gui/api.h"
#include "gui/gui_driver.h"
#include "gui/headless/headless_driver.h"
#include "gui/headless/user_actions.h"
#include "runtime/text.h"
#include "system/headless/headless_driver.h"
#include "system/system_driver.h"
#include "system/timer.h"

namespace tempra {
namespace {

using namespace quardeln;

struct Expected {
  GadgetRef MainWindow::*gadget;
  int32_t gadgetClass;
  std::u16string text;
  int32_t x, y, w, h;
  GadgetRef MainWindow::*group;  // null: the desktop
  int32_t style;
};

// Start-up at 07:08:09, in creation order.
const std::vector<Expected> kTable = {
    {&MainWindow::mainWindow, 1, u"Vornelt Tempra V0.5 - Italiano ", 287, 229, 395, 300, nullptr,
     1},
    {&MainWindow::alarmPanel, 3, u"Allarme", 155, 12, 85, 225, &MainWindow::mainWindow, 8},
    {&MainWindow::nowPanel, 3, u"Ora Attuale", 17, 12, 80, 225, &MainWindow::mainWindow, 8},
    {&MainWindow::alarmHoursField, 4, u"7", 40, 30, 30, 30, &MainWindow::alarmPanel, 0},
    {&MainWindow::alarmMinutesField, 4, u"8", 40, 95, 30, 30, &MainWindow::alarmPanel, 0},
    {&MainWindow::alarmSecondsField, 4, u"9", 40, 160, 30, 30, &MainWindow::alarmPanel, 0},
    {&MainWindow::nowHoursField, 4, u"7", 20, 30, 30, 30, &MainWindow::nowPanel, 0},
    {&MainWindow::nowMinutesField, 4, u"8", 20, 95, 30, 30, &MainWindow::nowPanel, 0},
    {&MainWindow::nowSecondsField, 4, u"9", 20, 160, 30, 30, &MainWindow::nowPanel, 0},
    {&MainWindow::hoursStepper, 13, u"", 5, 30, 30, 30, &MainWindow::alarmPanel, 10},
    {&MainWindow::minutesStepper, 13, u"", 5, 95, 30, 30, &MainWindow::alarmPanel, 10},
    {&MainWindow::secondsStepper, 13, u"", 5, 160, 30, 30, &MainWindow::alarmPanel, 10},
    {&MainWindow::nowLabel, 12, u"Ora Attuale", 30, 15, 58, 18, &MainWindow::mainWindow, 0},
    {&MainWindow::hoursLabel, 12, u"Ore", 115, 68, 28, 20, &MainWindow::mainWindow, 0},
    {&MainWindow::minutesLabel, 12, u"Minuti", 110, 135, 37, 25, &MainWindow::mainWindow, 0},
    {&MainWindow::secondsLabel, 12, u"Secondi", 105, 202, 42, 27, &MainWindow::mainWindow, 0},
    {&MainWindow::alarmLabel, 12, u"Allarme", 180, 15, 48, 17, &MainWindow::mainWindow, 0},
    {&MainWindow::activateButton, 2, u"Attiva", 280, 50, 75, 23, &MainWindow::mainWindow, 1},
    {&MainWindow::helpButton, 2, u"Aiuto", 280, 115, 75, 23, &MainWindow::mainWindow, 1},
    {&MainWindow::donateButton, 2, u"Dona", 280, 155, 75, 23, &MainWindow::mainWindow, 1},
    {&MainWindow::exitButton, 2, u"Uscita", 280, 195, 75, 23, &MainWindow::mainWindow, 1},
};

#ifndef _WIN32
// Where there is no Windows, the program runs on the windowless drivers.
TEST(TempraStartUp, StartModulesInstallsThePlatformDrivers) {
  StartModules();
  EXPECT_NE(std::dynamic_pointer_cast<THeadlessSystemDriver>(ActiveSystemDriver), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<THeadlessGuiDriver>(ActiveGuiDriver), nullptr);
  TimerRef timer = NewTimer(4.0f);
  EXPECT_NE(timer, nullptr);
  HaltTimer(timer);
}
#endif

using MainWindowTest = AppTest;

TEST_F(MainWindowTest, StartUpMakesTheTwentyOneGadgetsInOrder) {
  StartProgramAt(7, 8, 9);
  ASSERT_EQ(kTable.size(), 21u);
  NativeHandle previous = 0;
  for (const Expected& e : kTable) {
    HeadlessGadgetRef g = Headless(W().*e.gadget);
    ASSERT_NE(g, nullptr);
    SCOPED_TRACE(ToUtf8(e.text) + " of class " + std::to_string(e.gadgetClass));
    EXPECT_EQ(g->gadgetClass, e.gadgetClass);
    EXPECT_EQ(g->text, e.text);
    EXPECT_EQ((std::vector<int32_t>{g->xpos, g->ypos, g->width, g->height}),
              (std::vector<int32_t>{e.x, e.y, e.w, e.h}));
    EXPECT_EQ(g->Parent(), e.group ? W().*e.group : DesktopGadget());
    EXPECT_EQ(g->style, e.style);
    EXPECT_TRUE(g->shown);
    EXPECT_GT(g->handle, previous) << "made out of order";
    previous = g->handle;
  }
  EXPECT_FALSE(Headless(W().mainWindow)->minimised);
  ASSERT_EQ(platform_.IconRequests().size(), 1u);
  EXPECT_EQ(platform_.IconRequests()[0].window, Headless(W().mainWindow)->handle);
  EXPECT_EQ(platform_.IconRequests()[0].fileName, u"vico.ico");
}

TEST_F(MainWindowTest, FieldsHaveSixSeparateBoldFontsAndSteppersStartInRange) {
  StartProgramAt(7, 8, 9);
  const GadgetRef fields[] = {W().alarmHoursField, W().alarmMinutesField, W().alarmSecondsField,
                              W().nowHoursField,   W().nowMinutesField,   W().nowSecondsField};
  for (size_t i = 0; i < 6; ++i) {
    FontRef font = Headless(fields[i])->font;
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, W().fieldFonts[i]);
    EXPECT_EQ(font->name, u"MS Sans Serif");
    EXPECT_EQ(font->size, 14);
    EXPECT_EQ(font->style, FONT_BOLD);
    for (size_t j = 0; j < i; ++j) EXPECT_NE(font, W().fieldFonts[j]);
  }
  for (const GadgetRef& stepper : {W().hoursStepper, W().minutesStepper, W().secondsStepper}) {
    HeadlessGadgetRef s = Headless(stepper);
    EXPECT_EQ(s->rangeLow, 1);
    EXPECT_EQ(s->rangeHigh, 2);
    EXPECT_GE(s->position, 1);
    EXPECT_LE(s->position, 2);
  }
}

TEST_F(MainWindowTest, AttivaStartsDisabledAndAnyArrowEnablesIt) {
  StartProgramAt(7, 8, 9);
  EXPECT_TRUE(GadgetIsDisabled(W().activateButton));
  // A click on a disabled button reaches nobody.
  Click(W().activateButton);
  Then([this] { EXPECT_EQ(Headless(W().mainWindow)->activations.size(), 0u); });
  ClickArrow(W().secondsStepper, false);
  Then([this] {
    EXPECT_FALSE(GadgetIsDisabled(W().activateButton));
    EXPECT_EQ(GadgetGetText(W().alarmSecondsField), u"8");
    // The start-up panel keeps the start-up time.
    EXPECT_EQ(GadgetGetText(W().nowSecondsField), u"9");
  });
  Click(W().exitButton);
  EXPECT_EQ(RunMainLoop(), 0);
  EXPECT_EQ(system_->StepsLeft(), 0u);
}

// Each arrow click gives two actions (press and release); the value and the field are
// checked after every one.
class StepperTest : public AppTest {
 protected:
  void Arrow(const GadgetRef& stepper, bool up, const GadgetRef& field, const float& value,
             const std::vector<std::pair<float, std::u16string>>& expected) {
    for (size_t i = 0; i < expected.size(); ++i) {
      bool press = i % 2 == 0;
      Then([stepper, up, press] {
        press ? UserPressStepperArrow(stepper, up) : UserReleaseStepperArrow(stepper);
      });
      Then([field, &value, want = expected[i]] {
        EXPECT_EQ(value, want.first);
        EXPECT_EQ(GadgetGetText(field), want.second);
      });
    }
  }
  void Finish() {
    Click(W().exitButton);
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_EQ(system_->StepsLeft(), 0u);
  }
};

TEST_F(StepperTest, HoursWithFloorNine) {
  StartProgramAt(9, 30, 0);
  const float& hours = program_->Time().hours;
  Arrow(W().hoursStepper, false, W().alarmHoursField, hours, {{9.0f, u"9"}, {9.0f, u"9"}});
  for (int hour = 10; hour <= 23; ++hour) {
    std::u16string shown = IntText(hour);
    std::u16string before = IntText(hour - 1);
    Arrow(W().hoursStepper, true, W().alarmHoursField, hours,
          {{static_cast<float>(hour) - 0.5f, before}, {static_cast<float>(hour), shown}});
  }
  // Past 23 the hours come back to the floor, not to 0.
  Arrow(W().hoursStepper, true, W().alarmHoursField, hours, {{9.0f, u"9"}, {9.5f, u"9"}});
  Arrow(W().hoursStepper, false, W().alarmHoursField, hours, {{9.0f, u"9"}, {9.0f, u"9"}});
  Finish();
}

TEST_F(StepperTest, HoursWithFloorZeroWrapFreely) {
  StartProgramAt(0, 10, 0);
  const float& hours = program_->Time().hours;
  Arrow(W().hoursStepper, false, W().alarmHoursField, hours, {{0.0f, u"0"}, {0.0f, u"0"}});
  for (int hour = 1; hour <= 23; ++hour) {
    Arrow(W().hoursStepper, true, W().alarmHoursField, hours,
          {{static_cast<float>(hour) - 0.5f, IntText(hour - 1)},
           {static_cast<float>(hour), IntText(hour)}});
  }
  Arrow(W().hoursStepper, true, W().alarmHoursField, hours, {{0.0f, u"0"}, {0.5f, u"0"}});
  Finish();
}

TEST_F(StepperTest, HoursWithFloorTwentyThreeStay) {
  StartProgramAt(23, 0, 0);
  const float& hours = program_->Time().hours;
  Arrow(W().hoursStepper, true, W().alarmHoursField, hours, {{23.0f, u"23"}, {23.0f, u"23"}});
  Arrow(W().hoursStepper, false, W().alarmHoursField, hours, {{23.0f, u"23"}, {23.0f, u"23"}});
  Finish();
}

TEST_F(StepperTest, MinutesWrapUpAndSecondsStopAtZero) {
  StartProgramAt(9, 59, 0);
  const float& minutes = program_->Time().minutes;
  const float& seconds = program_->Time().seconds;
  Arrow(W().minutesStepper, true, W().alarmMinutesField, minutes, {{0.0f, u"0"}, {0.5f, u"0"}});
  Arrow(W().secondsStepper, false, W().alarmSecondsField, seconds, {{0.0f, u"0"}, {0.0f, u"0"}});
  Then([this] { EXPECT_EQ(program_->Time().targetText(), u"09:00:00"); });
  Finish();
}

TEST_F(StepperTest, TypedTextIsIgnoredAndOverwrittenByTheNextAction) {
  StartProgramAt(7, 8, 9);
  Type(W().alarmHoursField, u"12");
  Type(W().nowMinutesField, u"3");
  Then([this] {
    EXPECT_EQ(GadgetGetText(W().alarmHoursField), u"712");
    EXPECT_EQ(program_->Time().targetText(), u"07:08:09");
    EXPECT_TRUE(GadgetIsDisabled(W().activateButton));
  });
  // An action whose data is neither arrow changes nothing but still rewrites the field.
  Then([this] { EmitGadgetEvent(GadgetAction, W().hoursStepper, 0, 0, 0, 0, nullptr); });
  Then([this] {
    EXPECT_EQ(GadgetGetText(W().alarmHoursField), u"7");
    EXPECT_EQ(program_->Time().hours, 7.0f);
    EXPECT_FALSE(GadgetIsDisabled(W().activateButton));
  });
  Finish();
}

class ExitTest : public AppTest {
 protected:
  // Runs to the end and checks the exit sequence: the main window freed, one pump, exit
  // code 0, and every gadget of the main window released once the program lets go.
  void RunToExit() {
    std::vector<std::weak_ptr<TGadget>> gadgets;
    for (const Expected& e : kTable) gadgets.push_back(W().*e.gadget);
    std::weak_ptr<TGuiFont> font = W().fieldFonts[0];
    int32_t pollsBefore = system_->Polls();
    EXPECT_EQ(RunMainLoop(), kExitCode);
    EXPECT_EQ(system_->StepsLeft(), 0u);
    EXPECT_EQ(system_->Polls(), pollsBefore + 1);
    EXPECT_TRUE(Headless(W().mainWindow)->destroyed);
    EXPECT_TRUE(Headless(W().exitButton)->destroyed);
    EXPECT_EQ(OpenWindow(kMainWindowTitle), nullptr);
    program_.reset();
    TakeEvent();  // the active event lets go of its source
    for (const auto& gadget : gadgets) EXPECT_TRUE(gadget.expired());
    EXPECT_TRUE(font.expired());
  }
};

TEST_F(ExitTest, UscitaEndsTheProgram) {
  StartProgramAt(7, 8, 9);
  Click(W().exitButton);
  RunToExit();
}

TEST_F(ExitTest, CloseBoxEndsTheProgramLikeUscita) {
  StartProgramAt(7, 8, 9);
  ClickArrow(W().hoursStepper, true);
  CloseBox(W().mainWindow);
  RunToExit();
}

}  // namespace
}  // namespace tempra
