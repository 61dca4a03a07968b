#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
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

// Asleep or stalled over the target: no tick saw it, the first one after fires.
TEST_F(ActivationTest, ATickPastAnUnseenTargetFiresAtOnce) {
  StartWithTargetNine();
  Click(W().activateButton);
  Tick(8, 59, 59);
  Then([this] {
    // The computer may sleep now: it is to wake at the target, which it is not yet.
    const auto& wakes = system_->Inner().WakeRequests();
    ASSERT_EQ(wakes.size(), 1u);
    EXPECT_EQ(wakes[0]->due, FirstInstantAt({2026, 5, 12, 9, 0, 0}));
    EXPECT_FALSE(wakes[0]->withdrawn);
    EXPECT_EQ(system_->Inner().KeepAwakeCalls(), 0);
  });
  Tick(9, 0, 1);
  ExpectFired(1, u"09:00:01");
  Then([this] {
    EXPECT_TRUE(system_->Inner().WakeRequests()[0]->withdrawn);
    EXPECT_EQ(system_->Inner().KeepAwakeCalls(), 1);
  });
  Finish();
}

TEST_F(ActivationTest, AClockSetBackWaitsForTheTargetAndOneSetDaysAheadFires) {
  StartWithTargetNine();
  Click(W().activateButton);
  Tick(8, 59, 55);
  TickAfter(-20);
  ExpectWaiting(AlarmState::Idle, u"08:59:35");
  Tick(9, 0, 0);
  Tick(9, 0, 1);
  ExpectFired(1, u"09:00:01");

  ClickArrow(W().minutesStepper, true);
  Click(W().activateButton);
  Tick(9, 0, 2);
  Tick({2026, 5, 15, 9, 0, 2});
  ExpectFired(2, u"09:00:02");
  Finish();
}

TEST_F(ActivationTest, ATargetEarlierThanTheActivationIsTomorrows) {
  StartProgramAt(8, 30, 0);
  ClickArrow(W().minutesStepper, false);
  Click(W().activateButton);
  Then([this] { EXPECT_EQ(program_->Alarm().target(), (TLocalTime{2026, 5, 13, 8, 29, 0})); });
  Tick(8, 30, 1);
  Tick({2026, 5, 13, 8, 28, 59});
  ExpectWaiting(AlarmState::Idle, u"08:28:59");
  Tick({2026, 5, 13, 8, 29, 0});
  Tick({2026, 5, 13, 8, 29, 1});
  ExpectFired(1, u"08:29:01");
  Finish();
}

// The C library's environment calls; the Windows one names them differently.
void SetZone(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone ? zone : "");
#else
  if (zone) {
    setenv("TZ", zone, 1);
  } else {
    unsetenv("TZ");
  }
#endif
}

// New York's rules: the clocks go from 02:00 to 03:00 on 14 March 2027 and from 02:00
// back to 01:00 on 7 November 2027.
class DaylightSavingTest : public ActivationTest {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows C library reads no transition rules from TZ";
#endif
    if (const char* zone = std::getenv("TZ")) previousZone_ = zone;
    SetZone("EST5EDT,M3.2.0,M11.1.0");
    tzset();
    ActivationTest::SetUp();
  }
  void TearDown() override {
    if (IsSkipped()) return;
    ActivationTest::TearDown();
    SetZone(previousZone_ ? previousZone_->c_str() : nullptr);
    tzset();
  }

  // Start-up at `start` and one click up on the hours.
  void StartAnHourBefore(const TLocalTime& start) {
    StartProgramAt(start);
    ClickArrow(W().hoursStepper, true);
    Click(W().activateButton);
  }

  std::time_t WakeDue() const {
    return system_->Inner().WakeRequests().at(0)->due;
  }

 private:
  std::optional<std::string> previousZone_;
};

TEST_F(DaylightSavingTest, ATargetInTheSkippedHourFiresAtTheJump) {
  StartAnHourBefore({2027, 3, 14, 1, 30, 0});  // the target 02:30:00 never shows
  Tick({2027, 3, 14, 1, 59, 59});
  ExpectWaiting(AlarmState::Idle, u"01:59:59");
  Then([this] { EXPECT_EQ(WakeDue(), Now() + 1) << "the computer wakes at the jump"; });
  TickAfter(1);
  ExpectFired(1, u"03:00:00");
  Finish();
}

TEST_F(DaylightSavingTest, ATargetInTheRepeatedHourFiresAtItsFirstPass) {
  StartAnHourBefore({2027, 11, 7, 0, 30, 0});  // the target 01:30:00 shows twice
  Tick({2027, 11, 7, 1, 29, 59});
  Then([this] {
    EXPECT_EQ(LocalTimeAt(Now() + 3600), (TLocalTime{2027, 11, 7, 1, 29, 59}))
        << "the clock is in the first pass of the hour";
    EXPECT_EQ(WakeDue(), Now() + 1);
  });
  TickAfter(1);
  ExpectWaiting(AlarmState::Matched, u"01:30:00");
  TickAfter(1);
  ExpectFired(1, u"01:30:01");
  Finish();
}

}  // namespace
}  // namespace tempra
