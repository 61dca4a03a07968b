#include "gui/win32/windows_progress_bar.h"

#include <cmath>

#include "gui/win32/control_util.h"

namespace quardeln {
namespace {

// trunc(value * 100); a fraction outside 0..1 (or no number at all) must not wrap the
// control's range or turn into an undefined conversion.
int32_t ProgressPosition(float value) {
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return 100;
  return static_cast<int32_t>(std::trunc(value * 100.0f));
}

}  // namespace

std::shared_ptr<TWindowsProgressBar> TWindowsProgressBar::Create(const GadgetRef& group,
                                                                 int32_t /*style*/) {
  auto bar = std::make_shared<TWindowsProgressBar>();
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"msctls_progress32", 0,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | PBS_SMOOTH, container);
  bar->Register(GADGETCLASS_PROGBAR, hwnd, nullptr, 0);
  return bar;
}

int32_t TWindowsProgressBar::SetValue(float value) {
  SendMessageW(Hwnd(), PBM_SETPOS, static_cast<WPARAM>(ProgressPosition(value)), 0);
  return 0;
}

int32_t TWindowsProgressBar::SetColor(int32_t r, int32_t g, int32_t b) {
  KeepBackColour(static_cast<int32_t>(ColourOf(r, g, b)));
  SendMessageW(Hwnd(), PBM_SETBKCOLOR, 0, static_cast<LPARAM>(BackColour()));
  return 0;
}

int32_t TWindowsProgressBar::SetTextColor(int32_t r, int32_t g, int32_t b) {
  KeepTextColour(static_cast<int32_t>(ColourOf(r, g, b)));
  SendMessageW(Hwnd(), PBM_SETBARCOLOR, 0, static_cast<LPARAM>(TextColour()));
  return 0;
}

}  // namespace quardeln
