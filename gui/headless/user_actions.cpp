#include "gui/headless/user_actions.h"

#include <algorithm>

#include "gui/headless/headless_gadget.h"

namespace quardeln {
namespace {

// The gadget as a headless one of that class that a user could reach, or null.
HeadlessGadgetRef Reachable(const GadgetRef& gadget, int32_t gadgetClass) {
  HeadlessGadgetRef headless = AsHeadless(gadget);
  if (!headless || headless->gadgetClass != gadgetClass || !headless->TakesInput()) {
    return nullptr;
  }
  return headless;
}

HeadlessGadgetRef ReachableStepper(const GadgetRef& gadget) {
  HeadlessGadgetRef stepper = Reachable(gadget, GADGETCLASS_SLIDER);
  return stepper && stepper->IsSlider(SLIDER_STEPPER) ? stepper : nullptr;
}

}  // namespace

bool UserPressButton(const GadgetRef& gadget) {
  HeadlessGadgetRef button = Reachable(gadget, GADGETCLASS_BUTTON);
  if (!button) return false;
  int32_t kind = button->style & BUTTON_KIND_MASK;
  // A click never leads a check box into its third state.
  if (kind == BUTTON_CHECKBOX) button->checked = button->checked == 1 ? 0 : 1;
  if (kind == BUTTON_RADIO) button->checked = 1;
  button->PostGuiEvent(GadgetAction, button->checked);
  return true;
}

bool UserPressStepperArrow(const GadgetRef& gadget, bool up) {
  HeadlessGadgetRef stepper = ReachableStepper(gadget);
  if (!stepper) return false;
  int32_t upward = stepper->rangeHigh >= stepper->rangeLow ? 1 : -1;
  int32_t low = std::min(stepper->rangeLow, stepper->rangeHigh);
  int32_t high = std::max(stepper->rangeLow, stepper->rangeHigh);
  stepper->position = std::clamp(stepper->position + (up ? upward : -upward), low, high);
  stepper->PostGuiEvent(GadgetAction, stepper->position);
  return true;
}

bool UserReleaseStepperArrow(const GadgetRef& gadget) {
  HeadlessGadgetRef stepper = ReachableStepper(gadget);
  if (!stepper) return false;
  stepper->PostGuiEvent(GadgetAction, stepper->position);
  return true;
}

bool UserClickStepperArrow(const GadgetRef& gadget, bool up) {
  return UserPressStepperArrow(gadget, up) && UserReleaseStepperArrow(gadget);
}

bool UserTypeText(const GadgetRef& gadget, const std::u16string& typed) {
  HeadlessGadgetRef field = AsHeadless(gadget);
  if (!field || !field->TakesInput()) return false;
  bool textField = field->gadgetClass == GADGETCLASS_TEXTFIELD;
  bool textArea = field->gadgetClass == GADGETCLASS_TEXTAREA;
  if (!textField && !(textArea && !(field->style & TEXTAREA_READONLY))) return false;
  for (char16_t c : typed) field->NativeTextChanged(field->text + c);
  return true;
}

bool UserPressCloseBox(const GadgetRef& gadget) {
  HeadlessGadgetRef window = Reachable(gadget, GADGETCLASS_WINDOW);
  if (!window) return false;
  window->PostGuiEvent(WindowClose, 0);
  return true;
}

}  // namespace quardeln
