// The text area's side of the native notifications: change and selection events, the
// message filter that shapes mouse and key input (read-only areas, the key filter, the
// control's own shortcuts turned off), the zoom reset, lost focus and the resize repaint.
#include "gui/win32/windows_text_area.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {

namespace {

int32_t LowSigned(LPARAM value) {
  return static_cast<int16_t>(LOWORD(value));
}
int32_t HighSigned(LPARAM value) {
  return static_cast<int16_t>(HIWORD(value));
}

// Keys a read-only area still lets through: page up and down, end, home, the arrows.
bool IsNavigationKey(WPARAM key) {
  return key >= VK_PRIOR && key <= VK_DOWN;
}

}  // namespace

LRESULT TWindowsTextArea::OnCommand(UINT msg, WPARAM wParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !busy && !_locked) {
    PostGuiEvent(GadgetAction, 0, 0, 0, 0, nullptr);
  }
  return 0;
}

LRESULT TWindowsTextArea::OnNotify(WPARAM /*wParam*/, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  switch (header->code) {
    case EN_SELCHANGE:
      if (!busy && !_locked) PostGuiEvent(GadgetSelect, 0, 0, 0, 0, nullptr);
      return 0;
    case EN_MSGFILTER:
      return OnMessageFilter(*reinterpret_cast<MSGFILTER*>(lParam));
    default:
      return 0;
  }
}

// A nonzero answer makes the control ignore the message; the control takes the message
// as the filter leaves it, which is how a right click becomes a left one.
LRESULT TWindowsTextArea::OnMessageFilter(MSGFILTER& filter) {
  switch (filter.msg) {
    case WM_RBUTTONDOWN:
      // With nothing selected a right click first moves the caret.
      SendMessageW(Hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr2));
      if (cr2.cpMin == cr2.cpMax) {
        filter.msg = WM_LBUTTONDOWN;
        filter.wParam = (filter.wParam & ~static_cast<WPARAM>(MK_RBUTTON)) | MK_LBUTTON;
      }
      return 0;
    case WM_RBUTTONUP:
      PostGuiEvent(GadgetMenu, 0, 0, FromNative(LowSigned(filter.lParam), DpiOfWindow(Hwnd())),
                   FromNative(HighSigned(filter.lParam), DpiOfWindow(Hwnd())), nullptr);
      return 0;
    case WM_KEYDOWN:
      return SwallowsKey(filter.wParam) ? 1 : 0;
    case WM_CHAR:
      return SwallowsChar(filter.wParam) ? 1 : 0;
    default:
      return 0;
  }
}

bool TWindowsTextArea::SwallowsKey(WPARAM key) {
  int32_t mods = CurrentModifiers();
  bool control = (mods & ModControl) != 0;
  // The control's own alignment (Ctrl+E, L, R) and font size (Ctrl+Shift+comma, full
  // stop) shortcuts would change the text behind the program's back.
  if (control && (key == 'E' || key == 'L' || key == 'R')) return true;
  if (control && (mods & ModShift) && (key == VK_OEM_COMMA || key == VK_OEM_PERIOD)) return true;
  if (HasFilter()) {
    return CallFilter(MakeEvent(KeyDown, Self(), static_cast<int32_t>(key), mods)) == 0;
  }
  if (!readonly) return false;
  if (IsNavigationKey(key)) return false;
  return !(control && (key == 'A' || key == 'C'));
}

bool TWindowsTextArea::SwallowsChar(WPARAM code) {
  if (HasFilter()) {
    return CallFilter(MakeEvent(KeyChar, Self(), static_cast<int32_t>(code), CurrentModifiers())) ==
           0;
  }
  return readonly != 0;
}

LRESULT TWindowsTextArea::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEWHEEL:
      // Ctrl+wheel would zoom the text; the area keeps its size.
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        SendMessageW(Hwnd(), EM_SETZOOM, 0, 0);
        return 1;
      }
      return 0;
    case WM_DESTROY:
      // The window can go with its parent, before any Free: the document goes with it.
      ReleaseInterfaces();
      return 0;
    case WM_KILLFOCUS:
      PostGuiEvent(GadgetLostFocus, 0, 0, 0, 0, nullptr);
      return 0;
    case WM_SIZE: {
      // The control sizes itself first; the repaint nudge needs its new view.
      LRESULT result =
          PreviousProc() ? CallWindowProcW(PreviousProc(), hwnd, msg, wParam, lParam) : 0;
      RefreshScrolledView();
      return result ? result : 1;
    }
    default:
      return 0;
  }
}

// A scrolled control does not always repaint its view after a size change; moving the
// scroll position away and back makes it.
void TWindowsTextArea::RefreshScrolledView() {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(Hwnd(), OBJID_VSCROLL, &info)) return;
  if (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) return;
  POINT at{};
  SendMessageW(Hwnd(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&at));
  if (at.x == 0 && at.y == 0) return;
  POINT nudged{at.x + 1, at.y + 1};
  SendMessageW(Hwnd(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&nudged));
  SendMessageW(Hwnd(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&at));
}

}  // namespace quardeln
