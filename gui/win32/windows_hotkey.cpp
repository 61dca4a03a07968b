// Hot keys of gadgets and the thread keyboard hook that fires them. A gadget's hot key
// belongs to its window: it fires only while that window is in the foreground, and not
// while the gadget is disabled. A fired key is swallowed, press and release alike.
#include "gui/win32/system_link.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {
namespace {

bool KeyHeld(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x8000) != 0;
}

bool SourceIsDisabledGadget(const EventRef& event) {
  auto gadget = std::dynamic_pointer_cast<TGadget>(event->source);
  return gadget && (gadget->State() & GADGETSTATE_DISABLED) != 0;
}

}  // namespace

int32_t CurrentModifiers() {
  int32_t mods = 0;
  if (KeyHeld(VK_SHIFT)) mods |= ModShift;
  if (KeyHeld(VK_CONTROL)) mods |= ModControl;
  if (KeyHeld(VK_MENU)) mods |= ModAlt;
  if (KeyHeld(VK_LWIN) || KeyHeld(VK_RWIN)) mods |= ModSystem;
  return mods;
}

HWND OwnerWindowHwnd(const GadgetRef& gadget) {
  for (GadgetRef at = gadget; at; at = at->Parent()) {
    auto windowsGadget = std::dynamic_pointer_cast<TWindowsGadget>(at);
    if (windowsGadget && windowsGadget->IsTopLevelWindow()) {
      return reinterpret_cast<HWND>(windowsGadget->Query(QUERY_NATIVE));
    }
  }
  return nullptr;
}

int32_t TWindowsGadget::SetHotKey(int32_t key, int32_t mods) {
  EventRef event = TEvent::Create(GadgetAction, Self(), 0, 0, 0, 0, nullptr);
  if (HotKeyRef old = _hotkey.lock()) HotKeyRemove(old);
  _hotkey.reset();
  if (key != 0) {
    const auto owner = reinterpret_cast<NativeHandle>(OwnerWindowHwnd(Self()));
    _hotkey = HotKeyRegister(key, mods, std::move(event), owner);
  }
  return 0;
}

namespace {

// 1 when the key is a hot key's and is swallowed.
bool HandleHotKey(WPARAM wParam, LPARAM lParam) {
  const auto foreground = reinterpret_cast<NativeHandle>(GetForegroundWindow());
  EventRef event = HotKeyFind(static_cast<int32_t>(wParam), CurrentModifiers(), foreground);
  if (!event || SourceIsDisabledGadget(event)) return false;
  const bool released = (static_cast<uint64_t>(lParam) & 0x80000000u) != 0;
  if (!released) SendEvent(event);  // auto-repeats are presses too
  return true;
}

}  // namespace

LRESULT CALLBACK TWindowsGUIDriver::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0) {
    try {
      if (HandleHotKey(wParam, lParam)) return 1;
    } catch (...) {
      DeferNativeFailure(std::current_exception());
      return 1;  // the key was a hot key's: still swallowed
    }
  }
  return CallNextHookEx(KeyboardHook, code, wParam, lParam);
}

}  // namespace quardeln
