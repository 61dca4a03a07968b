#include "gui/win32/windows_label.h"

#include "gui/win32/control_util.h"

namespace quardeln {
namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX | SS_NOTIFY;
static_assert(kLabelStyle == 0x54000180);

DWORD FrameStyle(int32_t frame) {
  switch (frame) {
    case LABEL_FRAME:
      return WS_BORDER;
    case LABEL_SUNKENFRAME:
      return SS_SUNKEN;
    case LABEL_ETCHEDFRAME:
      return SS_ETCHEDFRAME;
    default:
      return 0;
  }
}

DWORD AlignmentStyle(int32_t align) {
  switch (align) {
    case LABEL_RIGHT:
      return SS_RIGHT;
    case LABEL_CENTER:
      return SS_CENTER;
    default:
      return 0;  // left, and both bits together
  }
}

}  // namespace

std::shared_ptr<TWindowsLabel> TWindowsLabel::Create(const GadgetRef& group, int32_t given) {
  auto label = std::make_shared<TWindowsLabel>();
  label->Build(group, given);
  return label;
}

void TWindowsLabel::Build(const GadgetRef& group, int32_t given) {
  _style = given;
  DWORD native = kLabelStyle | FrameStyle(given & LABEL_FRAME_MASK);
  // The alignment bits share the static control's type field: added to the separator's
  // SS_ETCHEDFRAME they would make another (invalid) type. A separator has no text.
  if (!IsSeparator()) native |= AlignmentStyle(given & LABEL_ALIGN_MASK);
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"STATIC", 0, native, container);
  GiveDefaultFont(hwnd);
  Register(GADGETCLASS_LABEL, hwnd, nullptr, 0);
}

int32_t TWindowsLabel::SetArea(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (IsSeparator()) {
    if (w > h) {
      h = kSeparatorThickness;
    } else {
      w = kSeparatorThickness;
    }
  }
  return TWindowsGadget::SetArea(x, y, w, h);
}

int32_t TWindowsLabel::SetText(const std::u16string& text) {
  return TWindowsGadget::SetText(text);
}

LRESULT TWindowsLabel::WndProc(HWND, UINT msg, WPARAM, LPARAM) {
  return msg == WM_ERASEBKGND ? 1 : 0;
}

}  // namespace quardeln
