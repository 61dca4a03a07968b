// A slider gadget in one of three kinds: a scroll bar ("SCROLLBAR"), a track bar
// ("msctls_trackbar32") or a stepper (an up-down control without a buddy window). Each
// reports the position after every move as GadgetAction. SetRange(visible, total) means
// per kind: page and range 0..total-1, minimum..maximum, lower..upper limit; the last
// arguments are kept and re-applied by RefreshLook. A vertical track bar has its maximum
// at the top. Range and position set by the program post nothing.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsSlider final : public TWindowsGadget {
 public:
  TWindowsSlider() = default;

  // The arguments of the last SetRange.
  int32_t Visible() const { return _visible; }
  int32_t Total() const { return _total; }

  // Null for a style whose kind is none of the three.
  static std::shared_ptr<TWindowsSlider> Create(const GadgetRef& group, int32_t style);

  // Its track stands on the parent's background.
  ColourRule ControlColourRule() override { return ColourRule::kTransparent; }
  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetRange(int32_t visible, int32_t total) override;
  int32_t SetProp(int32_t value) override;
  int32_t GetProp() override;
  int32_t RefreshLook() override;  // re-applies the range, then the kids'
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;

 private:
  void Build(const GadgetRef& group);
  void ApplyRange();
  void ThinTicks();
  // The position from before a range change, kept inside the new limits.
  void KeepStepperInRange(int32_t position);
  void ApplyProp(int32_t value);
  // The scroll bar's answer to a scroll code; 0 when the code is not a move.
  LRESULT OnScroll(UINT msg, WPARAM wParam);

  int32_t _slidertype = SLIDER_SCROLLBAR;  // SLIDER_SCROLLBAR, _TRACKBAR or _STEPPER
  int32_t _ishorizontal = 0;
  int32_t _visible = 0;  // arguments of the last SetRange
  int32_t _total = 0;
};

}  // namespace quardeln
