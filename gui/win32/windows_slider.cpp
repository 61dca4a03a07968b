#include "gui/win32/windows_slider.h"

#include <algorithm>

#include "events/event.h"
#include "gui/win32/control_util.h"

namespace quardeln {
namespace {

constexpr DWORD kSliderStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Interior ticks closer than this are dropped: they would blur into a bar.
constexpr LRESULT kMinimumTickSpacing = 4;

// Two 16-bit halves of an lParam, as the common controls read them.
LPARAM PackWords(int32_t low, int32_t high) {
  const auto lo = static_cast<DWORD>(static_cast<uint16_t>(low));
  const auto hi = static_cast<DWORD>(static_cast<uint16_t>(high));
  return static_cast<LPARAM>(lo | (hi << 16));
}

// The up-down control keeps its limits and position in 16 bits.
int32_t Signed16(int32_t value) {
  return static_cast<int16_t>(static_cast<uint16_t>(value));
}

}  // namespace

std::shared_ptr<TWindowsSlider> TWindowsSlider::Create(const GadgetRef& group, int32_t given) {
  const int32_t kind = SliderKind(given);
  if (kind != SLIDER_SCROLLBAR && kind != SLIDER_TRACKBAR && kind != SLIDER_STEPPER) return nullptr;
  auto slider = std::make_shared<TWindowsSlider>();
  slider->_slidertype = kind;
  slider->_ishorizontal = given & SLIDER_HORIZONTAL;
  slider->Build(group);
  return slider;
}

void TWindowsSlider::Build(const GadgetRef& group) {
  DWORD native = kSliderStyle;
  DWORD ex_style = 0;
  const char16_t* class_name = u"SCROLLBAR";
  switch (_slidertype) {
    case SLIDER_TRACKBAR:
      class_name = u"msctls_trackbar32";
      native |= WS_TABSTOP | TBS_AUTOTICKS;
      if (!_ishorizontal) native |= TBS_VERT;
      ex_style = WS_EX_COMPOSITED;
      break;
    case SLIDER_STEPPER:
      class_name = u"msctls_updown32";
      if (_ishorizontal) native |= UDS_HORZ;
      break;
    default:
      if (!_ishorizontal) native |= SBS_VERT;
      break;
  }
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(class_name, ex_style, native, container);
  Register(GADGETCLASS_SLIDER, hwnd, nullptr, 0);
  SetRange(5, 10);
}

int32_t TWindowsSlider::SetColor(int32_t r, int32_t g, int32_t b) {
  TWindowsGadget::SetColor(r, g, b);
  SetRange(_visible, _total);  // makes the control repaint with the new colours
  return 0;
}

int32_t TWindowsSlider::SetTextColor(int32_t r, int32_t g, int32_t b) {
  TWindowsGadget::SetTextColor(r, g, b);
  SetRange(_visible, _total);
  return 0;
}

int32_t TWindowsSlider::RefreshLook() {
  SetRange(_visible, _total);
  return TWindowsGadget::RefreshLook();
}

int32_t TWindowsSlider::SetRange(int32_t new_visible, int32_t new_total) {
  // A slider still being created stays silent until CreateGadget sensitizes it.
  const TQuietChange quiet(*this);
  _visible = new_visible;
  _total = new_total;
  ApplyRange();
  return 0;
}

void TWindowsSlider::ApplyRange() {
  switch (_slidertype) {
    case SLIDER_TRACKBAR:
      SendMessageW(Hwnd(), TBM_SETRANGE, TRUE, PackWords(_visible, _total));
      ThinTicks();
      break;
    case SLIDER_STEPPER: {
      const int32_t position = GetProp();
      SendMessageW(Hwnd(), UDM_SETRANGE, 0, PackWords(_total, _visible));
      KeepStepperInRange(position);
      break;
    }
    default: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_RANGE | SIF_PAGE;
      info.nMin = 0;
      info.nMax = _total - 1;
      info.nPage = static_cast<UINT>(_visible);
      SendMessageW(Hwnd(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
      break;
    }
  }
}

void TWindowsSlider::ThinTicks() {
  // The control has a tick at every value; TBM_GETTICPOS counts interior ticks only.
  const LRESULT first = SendMessageW(Hwnd(), TBM_GETTICPOS, 0, 0);
  const LRESULT count = SendMessageW(Hwnd(), TBM_GETNUMTICS, 0, 0);
  const LRESULT last = SendMessageW(Hwnd(), TBM_GETTICPOS, static_cast<WPARAM>(count - 3), 0);
  const int64_t gaps = int64_t{_total} - _visible - 2;
  if (first < 0 || last < 0 || gaps < 1) return;
  if ((last - first) / gaps < kMinimumTickSpacing) SendMessageW(Hwnd(), TBM_CLEARTICS, TRUE, 0);
}

void TWindowsSlider::KeepStepperInRange(int32_t position) {
  // The position stays where it was, or moves to the nearer new limit when it falls
  // outside, so that the first arrow click steps from a limit: with limits 1 and 2 the
  // up arrow reports 2 and the down arrow 1. The position is read before the range
  // changes because some up-down controls (Wine's) move it themselves.
  const int32_t low = std::min(Signed16(_visible), Signed16(_total));
  const int32_t high = std::max(Signed16(_visible), Signed16(_total));
  ApplyProp(std::clamp(position, low, high));
}

int32_t TWindowsSlider::SetProp(int32_t value) {
  const TQuietChange quiet(*this);
  ApplyProp(value);
  return 0;
}

void TWindowsSlider::ApplyProp(int32_t value) {
  switch (_slidertype) {
    case SLIDER_TRACKBAR: {
      LRESULT position = value;
      if (!_ishorizontal) {
        // The top end is the maximum.
        position = SendMessageW(Hwnd(), TBM_GETRANGEMAX, 0, 0) +
                   SendMessageW(Hwnd(), TBM_GETRANGEMIN, 0, 0) - value;
      }
      SendMessageW(Hwnd(), TBM_SETPOS, TRUE, position);
      break;
    }
    case SLIDER_STEPPER:
      SendMessageW(Hwnd(), UDM_SETPOS, 0, PackWords(value, 0));
      break;
    default: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_POS;
      info.nPos = value;
      SendMessageW(Hwnd(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
      break;
    }
  }
}

int32_t TWindowsSlider::GetProp() {
  switch (_slidertype) {
    case SLIDER_TRACKBAR: {
      const LRESULT position = SendMessageW(Hwnd(), TBM_GETPOS, 0, 0);
      if (_ishorizontal) return static_cast<int32_t>(position);
      return static_cast<int32_t>(SendMessageW(Hwnd(), TBM_GETRANGEMAX, 0, 0) +
                                  SendMessageW(Hwnd(), TBM_GETRANGEMIN, 0, 0) - position);
    }
    case SLIDER_STEPPER:
      return Signed16(static_cast<int32_t>(SendMessageW(Hwnd(), UDM_GETPOS, 0, 0) & 0xFFFF));
    default:
      return GetScrollPos(Hwnd(), SB_CTL);
  }
}

LRESULT TWindowsSlider::OnScroll(UINT msg, WPARAM wParam) {
  if (msg == WM_COMMAND) return 0;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  SendMessageW(Hwnd(), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
  const int32_t page = static_cast<int32_t>(info.nPage);
  int32_t position = info.nPos;
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      position -= 1;
      break;
    case SB_LINEDOWN:
      position += 1;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      position = info.nTrackPos;
      break;
    default:
      return 0;  // SB_TOP, SB_BOTTOM, SB_ENDSCROLL
  }
  SetScrollPos(Hwnd(), SB_CTL, position, TRUE);  // kept inside the range
  PostGuiEvent(GadgetAction, GetProp(), 0, 0, 0, nullptr);
  return 1;
}

LRESULT TWindowsSlider::OnCommand(UINT msg, WPARAM wParam) {
  if (_slidertype == SLIDER_SCROLLBAR) return OnScroll(msg, wParam);
  // Track bars and steppers have moved themselves: report where they are.
  PostGuiEvent(GadgetAction, GetProp(), 0, 0, 0, nullptr);
  return 1;
}

LRESULT TWindowsSlider::WndProc(HWND, UINT msg, WPARAM, LPARAM) {
  return msg == WM_ERASEBKGND ? 1 : 0;
}

}  // namespace quardeln
