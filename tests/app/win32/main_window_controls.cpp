#include "main_window_controls.h"

#include <gtest/gtest.h>

#include "tempra_driver.h"

namespace tempra::e2e {
namespace {

HWND ExpectControl(HWND parent, const wchar_t* className, const wchar_t* text) {
  HWND found = FindControl(parent, className, text);
  if (!found)
    ADD_FAILURE() << "no " << testing::PrintToString(std::wstring(className)) << " "
                  << testing::PrintToString(std::wstring(text));
  return found;
}

std::vector<HWND> ExpectThree(HWND group, const wchar_t* className) {
  std::vector<HWND> found = group ? ControlsByClass(group, className) : std::vector<HWND>{};
  if (found.size() != 3) {
    ADD_FAILURE() << found.size() << " controls of class "
                  << testing::PrintToString(std::wstring(className)) << " in a group, not 3";
  }
  return found;
}

}  // namespace

MainControls FindMainControls(HWND main) {
  MainControls c;
  c.main = main;
  c.alarmGroup = ExpectControl(main, L"Button", L"Allarme");
  c.nowGroup = ExpectControl(main, L"Button", L"Ora Attuale");
  c.alarmFields = ExpectThree(c.alarmGroup, L"Edit");
  c.nowFields = ExpectThree(c.nowGroup, L"Edit");
  c.steppers = ExpectThree(c.alarmGroup, L"msctls_updown32");
  c.attiva = ExpectControl(main, L"Button", L"Attiva");
  c.aiuto = ExpectControl(main, L"Button", L"Aiuto");
  c.dona = ExpectControl(main, L"Button", L"Dona");
  c.uscita = ExpectControl(main, L"Button", L"Uscita");
  for (const wchar_t* label : {L"Ora Attuale", L"Ore", L"Minuti", L"Secondi", L"Allarme"}) {
    ExpectControl(main, L"Static", label);
  }
  return c;
}

bool MainControls::Complete() const {
  return alarmGroup && nowGroup && alarmFields.size() == 3 && nowFields.size() == 3 &&
         steppers.size() == 3 && attiva && aiuto && dona && uscita;
}

bool MainControls::StepperHalfClick(int unit, Arrow arrow, Half half) {
  HWND stepper = steppers[unit];
  HWND field = alarmFields[unit];
  RECT r{};
  GetClientRect(stepper, &r);
  const int x = r.right / 2;
  const int y = arrow == Arrow::Up ? r.bottom / 4 : r.bottom * 3 / 4;
  // Setting a field's text clears its modified flag: the sign that the program has
  // taken the stepper's action.
  Ask(field, EM_SETMODIFY, TRUE);
  if (half == Half::Press) {
    PostButtonDown(stepper, x, y);
  } else {
    PostButtonUp(stepper, x, y);
  }
  return WaitUntil([&] { return Ask(field, EM_GETMODIFY) == 0; });
}

void MainControls::StepperClick(int unit, Arrow arrow) {
  EXPECT_TRUE(StepperHalfClick(unit, arrow, Half::Press)) << "press not taken, unit " << unit;
  EXPECT_TRUE(StepperHalfClick(unit, arrow, Half::Release)) << "release not taken, unit " << unit;
  Settle();
}

void MainControls::Settle() const {
  // A message sent to the main window is answered only when the program pumps again,
  // after what was posted before it; a short pause lets queued actions be taken too.
  for (int i = 0; i < 3; ++i) {
    Ask(main, WM_NULL);
    Sleep(50);
  }
}

}  // namespace tempra::e2e
