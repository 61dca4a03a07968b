// A progress bar on the native "msctls_progress32" control, smooth, with the native
// range 0 to 100. SetValue takes a fraction from 0.0 to 1.0; the bar shows it as a whole
// percentage, truncated. SetColor colours the background, SetTextColor the bar.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsProgressBar final : public TWindowsGadget {
 public:
  TWindowsProgressBar() = default;

  // The style is not used.
  static std::shared_ptr<TWindowsProgressBar> Create(const GadgetRef& group, int32_t style);

  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  // Values below 0 (and NaN) show an empty bar, values above 1 a full one.
  int32_t SetValue(float value) override;
};

}  // namespace quardeln
