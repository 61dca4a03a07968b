#include "gui/win32/system_link.h"

#include "system/win32/win32_system_driver.h"

namespace quardeln {

void TranslateGadgetInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          const GadgetRef& source) {
  TranslateNativeEvent(hwnd, msg, wParam, lParam, source);
}

void ForgetDestroyedWindow(HWND hwnd) {
  ForgetPointerWindow(hwnd);
}

void DeferNativeFailure(std::exception_ptr failure) {
  DeferCallbackFailure(std::move(failure));
}

}  // namespace quardeln
