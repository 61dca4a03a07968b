// What a user can do to the windowless driver's gadgets, for tests: each action posts
// the events the native control would post, and only when a user could reach the
// control (not destroyed, enabled, in no disabled group). Each returns whether the
// action could be done. Call them on the main thread, as the native pump would.
#pragma once

#include <string>

#include "gui/gadget.h"

namespace quardeln {

// A click on a button: a check box flips, a radio button is checked; GadgetAction with
// the button's state (1 checked, 0 clear; push buttons 0).
bool UserPressButton(const GadgetRef& button);

// The halves of a click on a stepper arrow. Pressing moves the position one step toward
// the upper (up) or lower limit, within the range; pressing and releasing each post
// GadgetAction with the position.
bool UserPressStepperArrow(const GadgetRef& stepper, bool up);
bool UserReleaseStepperArrow(const GadgetRef& stepper);
bool UserClickStepperArrow(const GadgetRef& stepper, bool up);  // press, then release

// Typing into a text field or text area, one character at a time: one GadgetAction per
// change of the text.
bool UserTypeText(const GadgetRef& field, const std::u16string& typed);

// The close box of a window: WindowClose; the window stays until the program frees it.
bool UserPressCloseBox(const GadgetRef& window);

}  // namespace quardeln
