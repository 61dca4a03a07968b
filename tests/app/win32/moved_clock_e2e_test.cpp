// The real tempra.exe on a clock moved from outside while its alarm waits: jumped over
// the target, set back before it, and across the start of daylight saving with the target
// in the skipped hour. The program's clock is the system's plus an offset in a file this
// test rewrites; its zone is New York's (EST5EDT), which this process takes too, so both
// read the same local time from the same instant.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "main_window_controls.h"
#include "tempra_driver.h"

namespace tempra::e2e {
namespace {

constexpr wchar_t kZone[] = L"EST5EDT";
constexpr int kLeadSeconds = 8;  // how far ahead of start-up the alarm is set

bool IsTopmost(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

int ShownNumber(HWND field) {
  const std::wstring text = WindowText(field);
  return text.empty() ? -1 : std::stoi(text);
}

class MovedClockE2E : public testing::Test {
 protected:
  void SetUp() override {
    _wputenv((std::wstring(L"TZ=") + kZone).c_str());
    _tzset();
    offsetFile_ = Environment(L"TEMPRA_FAKE_CLOCK_FILE");
    ASSERT_FALSE(offsetFile_.empty()) << "TEMPRA_FAKE_CLOCK_FILE is not set";
    Shift(0);
  }

  // From now on the program's clock is the system's plus `seconds`.
  void Shift(std::time_t seconds) {
    FILE* file = _wfopen(WindowsPath(offsetFile_).c_str(), L"w");
    ASSERT_NE(file, nullptr) << "cannot write the clock's offset";
    std::fprintf(file, "%+lld\n", static_cast<long long>(seconds));
    std::fclose(file);
    offset_ = seconds;
  }
  // The program's clock reads `instant` now.
  void ShiftTo(std::time_t instant) { Shift(offset_ + instant - ProgramNow()); }
  std::time_t ProgramNow() const { return std::time(nullptr) + offset_; }

  MovedClock Clock() const { return {offsetFile_, kZone}; }

  // The alarm set `lead` seconds past the program's start-up time with the seconds
  // stepper; returns the target as an instant of the program's clock.
  static std::time_t SetAlarmAhead(MainControls& c, int lead, std::time_t startedBy) {
    std::tm target = *std::localtime(&startedBy);
    target.tm_hour = ShownNumber(c.alarmFields[0]);
    target.tm_min = ShownNumber(c.alarmFields[1]);
    target.tm_sec = ShownNumber(c.alarmFields[2]) + lead;
    target.tm_isdst = -1;
    EXPECT_LE(target.tm_sec, 59) << "the seconds stepper wraps without carrying";
    for (int i = 0; i < lead; ++i) c.StepperClick(2, Arrow::Up);
    EXPECT_EQ(ShownNumber(c.alarmFields[2]), target.tm_sec);
    return std::mktime(&target);
  }

  // Presses "Attiva" and waits until the program waits minimised with its clock shown.
  static void Activate(const MainControls& c, const TempraProcess& tempra) {
    PressButton(c.attiva);
    HWND main = tempra.Main();
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) && WindowText(main).size() == 8; }))
        << "not waiting";
  }

  // Watches until the window is topmost or `deadlineMs` passes; the seconds after `from`
  // (on the monotonic clock) at which it fired, or a negative value when it did not.
  static double FiredAfter(HWND main, ULONGLONG from, DWORD deadlineMs) {
    if (!WaitUntil([&] { return IsTopmost(main); }, deadlineMs)) return -1.0;
    return static_cast<double>(GetTickCount64() - from) / 1000.0;
  }

  std::wstring offsetFile_;
  std::time_t offset_ = 0;
};

TEST_F(MovedClockE2E, AJumpOverTheTargetFiresAtOnce) {
  ShiftTo(ProgramNow() - ProgramNow() % 60);  // a minute just begun: room to set ahead
  TempraProcess tempra(MakeFolder(L"e2e-clock"), Clock());
  ASSERT_TRUE(tempra.Main());
  MainControls c = FindMainControls(tempra.Main());
  ASSERT_TRUE(c.Complete());
  const std::time_t target = SetAlarmAhead(c, kLeadSeconds, ProgramNow());
  Activate(c, tempra);
  ASSERT_LT(ProgramNow(), target) << "the target passed before the jump";
  EXPECT_FALSE(IsTopmost(tempra.Main()));

  const ULONGLONG jump = GetTickCount64();
  Shift(offset_ + 600);
  const double fired = FiredAfter(tempra.Main(), jump, 10000);
  EXPECT_GE(fired, 0.0) << "the alarm waits for tomorrow";
  EXPECT_LE(fired, 2.0);
}

TEST_F(MovedClockE2E, AClockSetBackFiresAtTheTargetNotBefore) {
  ShiftTo(ProgramNow() - ProgramNow() % 60);
  TempraProcess tempra(MakeFolder(L"e2e-clock"), Clock());
  ASSERT_TRUE(tempra.Main());
  MainControls c = FindMainControls(tempra.Main());
  ASSERT_TRUE(c.Complete());
  const std::time_t target = SetAlarmAhead(c, kLeadSeconds, ProgramNow());
  Activate(c, tempra);
  ASSERT_LT(ProgramNow(), target);

  Shift(offset_ - 20);
  // Up in the second after the target, which the clock now reaches 20 s later.
  bool early = false;
  const bool fired = WaitUntil(
      [&] {
        if (ProgramNow() < target && IsTopmost(tempra.Main())) early = true;
        return IsTopmost(tempra.Main());
      },
      static_cast<DWORD>(target - ProgramNow() + 10) * 1000);
  const std::time_t firedAt = ProgramNow();
  EXPECT_FALSE(early) << "fired before the target";
  ASSERT_TRUE(fired) << "did not fire";
  EXPECT_GE(firedAt, target);
  EXPECT_LE(firedAt, target + 2);
}

TEST_F(MovedClockE2E, DaylightSavingBeginningOverTheTargetFiresAtTheJump) {
  // 14 March 2027, New York: 02:00 EST (07:00 UTC) becomes 03:00 EDT.
  std::tm change{};
  change.tm_year = 127;
  change.tm_mon = 2;
  change.tm_mday = 14;
  change.tm_hour = 7;
  const std::time_t jump = _mkgmtime(&change);
  ShiftTo(jump - 70);
  TempraProcess tempra(MakeFolder(L"e2e-clock"), Clock());
  ASSERT_TRUE(tempra.Main());
  MainControls c = FindMainControls(tempra.Main());
  ASSERT_TRUE(c.Complete());
  ASSERT_EQ(ShownNumber(c.alarmFields[0]), 1);
  c.StepperClick(0, Arrow::Up);  // 02:58 or 02:59, an hour the clock skips today
  ASSERT_EQ(ShownNumber(c.alarmFields[0]), 2);
  Activate(c, tempra);
  ASSERT_LT(ProgramNow(), jump - 2) << "the jump came too soon";

  ShiftTo(jump - 2);
  const ULONGLONG start = GetTickCount64();
  bool early = false;
  const bool fired = WaitUntil(
      [&] {
        if (ProgramNow() < jump && IsTopmost(tempra.Main())) early = true;
        return IsTopmost(tempra.Main());
      },
      10000);
  const double after = static_cast<double>(GetTickCount64() - start) / 1000.0 - 2.0;
  EXPECT_FALSE(early) << "fired before the jump";
  ASSERT_TRUE(fired) << "the alarm waits for tomorrow";
  EXPECT_LE(after, 2.5) << "fired " << after << " s after the jump";
  EXPECT_EQ(WindowText(tempra.Main()).substr(0, 6), L"03:00:");
}

}  // namespace
}  // namespace tempra::e2e
