#include <gtest/gtest.h>

#include <vector>

#include "app_test_support.h"
#include "gui/api.h"

namespace tempra {
namespace {

using namespace quardeln;

class ActivationTest : public AppTest {
 protected:
  // Start-up at 08:00:00 and one click up on the hours: the target is 09:00:00.
  void StartWithTargetNine() {
    StartProgramAt(8, 0, 0);
    ClickArrow(W().hoursStepper, true);
    Then([this] { EXPECT_EQ(program_->Time().targetText(), u"09:00:00"); });
  }

  HeadlessGadgetRef Main() const { return AsHeadless(W().mainWindow); }

  // Checks at the next wait: the wait still runs with the window minimised.
  void ExpectWaiting(AlarmState state, const std::u16string& title) {
    Then([this, state, title] {
      EXPECT_EQ(program_->Alarm().state(), state);
      EXPECT_TRUE(Main()->minimised);
      EXPECT_EQ(Main()->text, title);
    });
  }

  void ExpectFired(size_t firings, const std::u16string& title) {
    Then([this, firings, title] {
      EXPECT_EQ(program_->Alarm().state(), AlarmState::Fired);
      ASSERT_EQ(platform_.FrontRequests().size(), firings);
      const auto& front = platform_.FrontRequests().back();
      EXPECT_EQ(front.window, Main()->handle);
      EXPECT_EQ((std::vector<int32_t>{front.x, front.y, front.w, front.h}),
                (std::vector<int32_t>{287, 229, 395, 300}));
      EXPECT_FALSE(Main()->minimised);
      EXPECT_TRUE(Main()->topmost);
      EXPECT_TRUE(Main()->foreground);
      EXPECT_EQ(Main()->text, title);
      EXPECT_TRUE(timers_->RunningIds().empty()) << "the activation's timer still runs";
    });
  }

  void Finish() {
    Click(W().exitButton);
    EXPECT_EQ(RunMainLoop(), kExitCode);
    EXPECT_EQ(system_->StepsLeft(), 0u);
  }
};

TEST_F(ActivationTest, FiresOnTheFirstTickAfterTheTargetSecond) {
  StartWithTargetNine();
  Click(W().activateButton);
  Then([this] {
    std::vector<int32_t> running = timers_->RunningIds();
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(timers_->PeriodOf(running[0]), 250);
  });
  Tick(8, 59, 59);
  ExpectWaiting(AlarmState::Idle, u"08:59:59");
  Tick(9, 0, 0);
  ExpectWaiting(AlarmState::Matched, u"09:00:00");
  Tick(9, 0, 0);
  ExpectWaiting(AlarmState::Matched, u"09:00:00");
  Tick(9, 0, 0);
  Then([this] { EXPECT_FALSE(Main()->topmost); });
  Tick(9, 0, 1);
  ExpectFired(1, u"09:00:01");
  Then([this] {
    // Minimised at every pass; restored by each tick after the one that matched.
    EXPECT_EQ(Main()->activations, (std::vector<int32_t>{4, 4, 4, 6, 4, 6, 4, 6}));
    // The alarm and the fields stay as they were.
    EXPECT_EQ(GadgetGetText(W().alarmHoursField), u"9");
    EXPECT_FALSE(GadgetIsDisabled(W().activateButton));
  });
  Finish();
}

TEST_F(ActivationTest, OtherEventsDuringTheWaitAreDropped) {
  StartWithTargetNine();
  Click(W().activateButton);
  // Before the first tick there is no clock text yet.
  CloseBox(W().mainWindow);
  ExpectWaiting(AlarmState::Idle, u"");
  Tick(8, 59, 59);
  Click(W().exitButton);
  CloseBox(W().mainWindow);
  ClickArrow(W().hoursStepper, true);
  Click(W().helpButton);
  Type(W().alarmMinutesField, u"5");
  ExpectWaiting(AlarmState::Idle, u"08:59:59");
  Then([this] {
    EXPECT_EQ(program_->Time().targetText(), u"09:00:00");
    EXPECT_EQ(GadgetGetText(W().alarmHoursField), u"9");
    EXPECT_EQ(OpenWindow(u"Tempra Help"), nullptr);
    EXPECT_FALSE(Main()->destroyed);
  });
  Tick(9, 0, 0);
  Tick(9, 0, 1);
  ExpectFired(1, u"09:00:01");
  Finish();
}

TEST_F(ActivationTest, ASecondActivationWaitsForItsOwnTarget) {
  StartWithTargetNine();
  Click(W().activateButton);
  Tick(9, 0, 0);
  Tick(9, 0, 1);
  ExpectFired(1, u"09:00:01");
  // A tick of the halted timer would reach nobody.
  Then([this] { timers_->TickAll(); });
  ClickArrow(W().minutesStepper, true);
  Click(W().activateButton);
  // Were the old state kept, this click would end the wait and then the program.
  Click(W().exitButton);
  Tick(9, 0, 2);
  ExpectWaiting(AlarmState::Idle, u"09:00:02");
  Then([this] { EXPECT_EQ(program_->Alarm().targetText(), u"09:01:00"); });
  Tick(9, 1, 0);
  Tick(9, 1, 1);
  ExpectFired(2, u"09:01:01");
  Finish();
}

TEST_F(ActivationTest, ATargetMissedByTheTicksWaitsOn) {
  StartWithTargetNine();
  Click(W().activateButton);
  Tick(8, 59, 59);
  Tick(9, 0, 1);  // no tick fell inside 09:00:00
  Tick(9, 0, 2);
  ExpectWaiting(AlarmState::Idle, u"09:00:02");
  Tick(9, 0, 0);  // the next day
  Tick(9, 0, 1);
  ExpectFired(1, u"09:00:01");
  Finish();
}

}  // namespace
}  // namespace tempra
