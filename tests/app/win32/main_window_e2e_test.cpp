// The main window of the real tempra.exe, driven from outside: what start-up shows, the
// steppers, the two ways out, and an alarm set a few seconds ahead firing.
#include <windows.h>

#include <commctrl.h>

#include <cwctype>
#include <string>

#include "main_window_controls.h"
#include "tempra_driver.h"

namespace tempra::e2e {
namespace {

constexpr int kLeadSeconds = 5;  // how far ahead the alarm is set

int ShownNumber(HWND field) {
  const std::wstring text = WindowText(field);
  return text.empty() ? -1 : std::stoi(text);
}

// The window's title is the clock: "HH:MM:SS".
bool IsClockText(const std::wstring& text) {
  if (text.size() != 8 || text[2] != L':' || text[5] != L':') return false;
  for (size_t i : {0, 1, 3, 4, 6, 7}) {
    if (!iswdigit(text[i])) return false;
  }
  return true;
}

bool IsTopmost(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(MainWindowE2E, StartUpShowsTheClockAndOneClickStepsOneSecond) {
  const int before = LocalSecondOfDay();
  TempraProcess tempra(MakeFolder(L"e2e-plain"));
  const int after = LocalSecondOfDay();
  ASSERT_TRUE(tempra.Main());
  MainControls c = FindMainControls(tempra.Main());
  ASSERT_TRUE(c.Complete());

  // Both panels show the moment of start-up, without leading zeros.
  const int h = ShownNumber(c.nowFields[0]);
  const int m = ShownNumber(c.nowFields[1]);
  const int s = ShownNumber(c.nowFields[2]);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(WindowText(c.alarmFields[i]), WindowText(c.nowFields[i])) << "field " << i;
    EXPECT_EQ(WindowText(c.nowFields[i]), std::to_wstring(ShownNumber(c.nowFields[i])));
  }
  const int shown = h * 3600 + m * 60 + s;
  if (after >= before) {  // not across midnight
    EXPECT_GE(shown, before);
    EXPECT_LE(shown, after);
  }
  EXPECT_FALSE(IsWindowEnabled(c.attiva)) << "\"Attiva\" must wait for a stepper";
  // The up arrow reports the upper end of the range 1..2 only from a position inside it.
  const LRESULT position = Ask(c.steppers[2], UDM_GETPOS32);
  EXPECT_TRUE(position == 1 || position == 2)
      << "the seconds stepper starts at " << position << ", outside its range 1..2, so the "
      << "first click on its up arrow reports 1, a step down";

  // Pressing the up arrow is half a step: not shown, but "Attiva" comes alive; the
  // release is the other half.
  ASSERT_TRUE(c.StepperHalfClick(2, Arrow::Up, Half::Press));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(c.attiva) != FALSE; }));
  EXPECT_EQ(ShownNumber(c.alarmFields[2]), s == 59 ? 0 : s);  // 59.5 wraps at once
  ASSERT_TRUE(c.StepperHalfClick(2, Arrow::Up, Half::Release));
  c.Settle();
  EXPECT_EQ(ShownNumber(c.alarmFields[2]), s == 59 ? 0 : s + 1);
  // The down arrow takes it back; the start-up fields never move.
  c.StepperClick(2, Arrow::Down);
  EXPECT_EQ(ShownNumber(c.alarmFields[2]), s == 59 ? 0 : s);
  EXPECT_EQ(ShownNumber(c.nowFields[2]), s);
  EXPECT_EQ(ShownNumber(c.alarmFields[0]), h);
  EXPECT_EQ(ShownNumber(c.alarmFields[1]), m);
}

// The icon file is read at start-up; whether the window got it cannot be seen from
// another process under Wine (WM_GETICON answers 0 there), so this only shows that a
// real vico.ico in the current folder does not disturb the program.
TEST(MainWindowE2E, UscitaEndsTheProgramWithExitCodeZero) {
  const std::wstring folder = MakeFolder(L"e2e-icon");
  const std::wstring icon = WindowsPath(Environment(L"TEMPRA_TEST_ICON"));
  ASSERT_TRUE(CopyFileW(icon.c_str(), (folder + L"\\vico.ico").c_str(), FALSE))
      << "cannot copy the icon (TEMPRA_TEST_ICON)";
  TempraProcess tempra(folder);
  ASSERT_TRUE(tempra.Main());
  MainControls c = FindMainControls(tempra.Main());
  ASSERT_TRUE(c.Complete());
  PressButton(c.uscita);
  EXPECT_EQ(tempra.WaitForExit(), 0u);
}

TEST(MainWindowE2E, TheCloseBoxEndsTheProgramWithExitCodeZero) {
  TempraProcess tempra(MakeFolder(L"e2e-plain"));
  ASSERT_TRUE(tempra.Main());
  PostMessageW(tempra.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(tempra.WaitForExit(), 0u);
}

// Sets the alarm kLeadSeconds ahead with the seconds stepper; returns the target as a
// second of the day, or -1 when the minute ran out first.
int SetAlarmAhead(MainControls& c) {
  const ULONGLONG end = GetTickCount64() + kActionDeadlineMs * 2;
  for (;;) {
    const int now = LocalSecondOfDay();
    const int wanted = now % 60 + kLeadSeconds;
    const int seconds = ShownNumber(c.alarmFields[2]);
    if (wanted > 59 || GetTickCount64() > end) return -1;
    if (seconds >= wanted) return now - now % 60 + seconds;
    c.StepperClick(2, Arrow::Up);
  }
}

TEST(MainWindowE2E, AttivaWaitsMinimisedAndFiresTopmostInFront) {
  // The seconds stepper wraps at 59 without carrying into the minutes: start early
  // enough in a minute to set the alarm ahead within it.
  WaitUntil([] { return LocalSecondOfDay() % 60 < 30; }, 40000);
  TempraProcess tempra(MakeFolder(L"e2e-plain"));
  ASSERT_TRUE(tempra.Main());
  MainControls c = FindMainControls(tempra.Main());
  ASSERT_TRUE(c.Complete());
  const int target = SetAlarmAhead(c);
  ASSERT_GE(target, 0) << "could not set the alarm ahead within the minute";
  ASSERT_EQ(ShownNumber(c.alarmFields[0]) * 3600 + ShownNumber(c.alarmFields[1]) * 60,
            target - target % 60)
      << "the alarm's hour and minute are those of start-up";
  ASSERT_GT(target, LocalSecondOfDay()) << "the alarm is no longer ahead";

  PressButton(c.attiva);
  HWND main = tempra.Main();
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; })) << "not minimised";
  EXPECT_TRUE(WaitUntil([&] { return IsClockText(WindowText(main)); }))
      << "title: " << testing::PrintToString(WindowText(main));

  // Until the target second has come the window stays down; it comes up for good
  // (topmost) in the second after.
  bool upEarly = false;
  const DWORD wait = static_cast<DWORD>(target - LocalSecondOfDay() + 15) * 1000;
  const bool fired = WaitUntil(
      [&] {
        if (!IsIconic(main) && LocalSecondOfDay() < target) upEarly = true;
        return IsTopmost(main);
      },
      wait);
  const int firedAt = LocalSecondOfDay();
  ASSERT_TRUE(fired) << "the alarm did not fire";
  EXPECT_FALSE(upEarly) << "the window came up before the target time";
  EXPECT_GE(firedAt, target + 1);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }));
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_TRUE(IsClockText(WindowText(main)));

  // The main loop has resumed: "Uscita" works again.
  PressButton(c.uscita);
  EXPECT_EQ(tempra.WaitForExit(), 0u);
}

}  // namespace
}  // namespace tempra::e2e
