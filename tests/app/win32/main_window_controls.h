// The controls of tempra.exe's main window as a user sees them, found by class, text and
// place: the two group boxes with three fields each (hours, minutes, seconds from the top),
// the three steppers of "Allarme" and the four buttons; and stepper clicks that wait
// until the program has shown their result.
#pragma once

#include <windows.h>

#include <vector>

namespace tempra::e2e {

enum class Arrow { Up, Down };
enum class Half { Press, Release };

struct MainControls {
  HWND alarmGroup = nullptr;
  HWND nowGroup = nullptr;
  std::vector<HWND> alarmFields;  // hours, minutes, seconds
  std::vector<HWND> nowFields;
  std::vector<HWND> steppers;
  HWND attiva = nullptr;
  HWND aiuto = nullptr;
  HWND dona = nullptr;
  HWND uscita = nullptr;

  // Every control was found; the missing ones are reported as test failures.
  bool Complete() const;

  // Presses or releases the left button on an arrow of stepper `unit` (0 hours, 1
  // minutes, 2 seconds) and waits until the program has rewritten that unit's field,
  // which it does once per stepper action. False when it did not in time.
  bool StepperHalfClick(int unit, Arrow arrow, Half half);
  // Press and release; then Settle.
  void StepperClick(int unit, Arrow arrow);
  // Waits until the program has taken all it was sent.
  void Settle() const;

  HWND main = nullptr;
};

MainControls FindMainControls(HWND main);

}  // namespace tempra::e2e
