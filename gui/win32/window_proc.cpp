// ClassWndProc: the one window procedure of the driver's own windows and of every
// subclassed native control. Notifications a control sends its parent go to the
// control's own gadget; everything else reaches the window's gadget (WndProc) and then
// the control's own procedure or the default one.
#include "events/event.h"
#include "gui/win32/system_link.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {
namespace {

WindowsGadgetRef GadgetOfParam(LPARAM lParam) {
  return GadgetOfHwnd(reinterpret_cast<HWND>(lParam));
}

// The common tail: the gadget's WndProc, then the control's saved procedure (only for
// the window it was saved from, never for a client window), else the default.
LRESULT Forward(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (WindowsGadgetRef gadget = GadgetOfHwnd(hwnd)) {
    const LRESULT handled = gadget->WndProc(hwnd, msg, wParam, lParam);
    if (handled != 0) return handled;
    if (gadget->PreviousProc() && hwnd == gadget->Hwnd()) {
      return CallWindowProcW(gadget->PreviousProc(), hwnd, msg, wParam, lParam);
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void OnNativeSize(HWND hwnd) {
  if (WindowsGadgetRef gadget = GadgetOfHwnd(hwnd)) gadget->NativeSized(hwnd);
}

LRESULT OnControlColour(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (WindowsGadgetRef gadget = GadgetOfParam(lParam)) {
    HBRUSH brush =
        gadget->ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    if (brush) return reinterpret_cast<LRESULT>(brush);
  }
  return Forward(hwnd, msg, wParam, lParam);
}

LRESULT OnCommandMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A control's notification names the control; menus and accelerators have no lParam.
  WindowsGadgetRef gadget = lParam ? GadgetOfParam(lParam) : GadgetOfHwnd(hwnd);
  if (!gadget && lParam) {
    WindowsGadgetRef owner = GadgetOfHwnd(GetParent(reinterpret_cast<HWND>(lParam)));
    if (owner && owner->HearsInnerWindows()) gadget = owner;
  }
  // Inner controls of a native control (a combo box's edit) talk to that control, which
  // must still hear them: also those entered in the map for the control's own gadget,
  // which hears the control's notification to its parent instead.
  const bool inner = gadget && lParam && reinterpret_cast<HWND>(lParam) != hwnd &&
                     gadget == GadgetOfHwnd(hwnd) && GadgetOfParam(lParam) == gadget;
  if (!gadget || inner) return Forward(hwnd, msg, wParam, lParam);
  return gadget->OnCommand(msg, wParam);
}

LRESULT OnNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  WindowsGadgetRef gadget = header ? GadgetOfHwnd(header->hwndFrom) : nullptr;
  if (!gadget) return Forward(hwnd, msg, wParam, lParam);
  if (header->code == TTN_GETDISPINFOW && !gadget->TooltipText().empty()) {
    reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText =
        const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(gadget->TooltipText().c_str()));
  }
  return gadget->OnNotify(wParam, lParam);
}

bool IsKeyMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP ||
         msg == WM_CHAR || msg == WM_SYSCHAR;
}

bool IsMouseMessage(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
         msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP ||
         msg == WM_MOUSELEAVE || msg == WM_MOUSEWHEEL;
}

// Raw input of gadgets that ask for it goes to the system driver's translator.
void PassInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowsGadgetRef gadget = GadgetOfHwnd(hwnd);
  if (!gadget || gadget->sensitivity == 0) return;
  const bool keys = (gadget->sensitivity & SENSE_KEYS) != 0;
  const bool mouse = (gadget->sensitivity & SENSE_MOUSE) != 0;
  if (IsKeyMessage(msg)) {
    if (keys) TranslateGadgetInput(hwnd, msg, wParam, lParam, gadget);
  } else if (IsMouseMessage(msg)) {
    if (mouse) TranslateGadgetInput(hwnd, msg, wParam, lParam, gadget);
  } else if (msg == WM_MOUSEMOVE) {
    // The system repeats WM_MOUSEMOVE without movement; only real moves are events.
    if (mouse && gadget->CursorMovedTo(lParam))
      TranslateGadgetInput(hwnd, msg, wParam, lParam, gadget);
  }
}

}  // namespace

namespace {

LRESULT Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      OnNativeSize(hwnd);
      return Forward(hwnd, msg, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return OnControlColour(hwnd, msg, wParam, lParam);
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return OnCommandMessage(hwnd, msg, wParam, lParam);
    case WM_NOTIFY:
      return OnNotifyMessage(hwnd, msg, wParam, lParam);
    case WM_SETCURSOR:
      if (PointerCursor) {
        SetCursor(PointerCursor);
        return TRUE;
      }
      return Forward(hwnd, msg, wParam, lParam);
    case WM_ACTIVATEAPP:
      EmitGadgetEvent(wParam ? AppResume : AppSuspend, nullptr, 0, 0, 0, 0, nullptr);
      return 0;
    case WM_NCDESTROY: {
      const LRESULT result = Forward(hwnd, msg, wParam, lParam);
      // The handle may be reused by the next window made: it must not find this gadget.
      ForgetDestroyedWindow(hwnd);
      if (WindowsGadgetRef gadget = GadgetOfHwnd(hwnd)) gadget->NativeWindowGone(hwnd);
      return result;
    }
    default:
      PassInput(hwnd, msg, wParam, lParam);
      return Forward(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK TWindowsGUIDriver::ClassWndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                 LPARAM lParam) {
  try {
    return Route(hwnd, msg, wParam, lParam);
  } catch (...) {
    DeferNativeFailure(std::current_exception());
    return 0;
  }
}

}  // namespace quardeln
