// A single-line text field on a native "EDIT", plain or password, white by default.
// Every change the user makes posts one GadgetAction; losing the focus posts
// GadgetLostFocus. A text the program sets keeps the selection and posts nothing. An
// event filter sees each key (KeyDown, then KeyChar) first and may swallow it.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsTextField final : public TWindowsGadget {
 public:
  TWindowsTextField() = default;

  bool IsBusy() const { return _busy != 0; }  // while the program sets the text

  static std::shared_ptr<TWindowsTextField> Create(const GadgetRef& group, int32_t style);

  ColourRule ControlColourRule() override { return ColourRule::kField; }
  int32_t Activate(int32_t action) override;
  int32_t SetText(const std::u16string& text) override;
  std::u16string GetText() override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;

 private:
  void Build(const GadgetRef& group, int32_t given);
  // 1 when the event filter lets the key through (or there is none), 0 to swallow it.
  int32_t FilterKey(int32_t id, WPARAM code);

  int32_t _busy = 0;  // 1 while the program sets the text
};

}  // namespace quardeln
