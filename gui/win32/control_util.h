// Small helpers the window, panel and control gadgets share: handing texts to the wide
// Win32 calls and creating a native child window at position and size 0 (CreateGadget
// places it afterwards), optionally with the driver's default font, and keeping a gadget
// quiet while the program changes its control.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <string>

#include "gui/win32/windows_gadget.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {

// A text as the W calls take it; char16_t and wchar_t are both UTF-16 on Windows.
inline LPCWSTR Wide(const std::u16string& text) {
  return reinterpret_cast<LPCWSTR>(text.c_str());
}

// A child window of `class_name` inside `parent`, empty text, with the given styles and
// control id (0 for none).
HWND CreateChildWindow(const std::u16string& class_name, DWORD ex_style, DWORD style, HWND parent,
                       intptr_t control_id = 0);

// An opacity 0.0 to 1.0 as a byte: alpha * 255 truncated toward zero, low 8 bits; a
// value no 32-bit integer holds counts as 0.
BYTE AlphaByte(float alpha);

// Gives a control the driver's default GUI font, redrawing it.
void GiveDefaultFont(HWND hwnd);

// Gives a list or tree control the "Explorer" visual theme, where the common controls
// report their version and the theme function exists; elsewhere nothing changes.
void UseExplorerTheme(HWND hwnd);

// Holds a control's redraw off while the program changes its items, until the message
// loop runs again (a message posted to the control brings it back) or something needs the
// control's layout first: under Wine a list or tree control repaints and lays itself out
// again at every item change, which costs far more than the change itself.
class TDeferredRedraw {
 public:
  // Turns the redraw of `hwnd` off, once per batch; leaves it on when the message that
  // would bring it back cannot be posted.
  void Defer(HWND hwnd);
  // Turns it back on; false when it was on.
  bool Resume(HWND hwnd);
  bool Deferred() const { return deferred_; }
  void Forget() { deferred_ = false; }  // the control is gone
  // The message Defer posts, which the control's gadget answers with Resume.
  static UINT ResumeMessage();

 private:
  bool deferred_ = false;
  bool wasVisible_ = false;  // WS_VISIBLE when the redraw went off
};

// Keeps a gadget quiet for one program-made change of its native control and puts back
// the state it found, however the change ends, so a change made during creation does not
// sensitize it early. The one way to silence a gadget for a while; a null gadget (a
// control whose gadget is gone) is left alone.
class TQuietChange {
 public:
  explicit TQuietChange(TWindowsGadget& gadget) : TQuietChange(&gadget) {}
  explicit TQuietChange(TWindowsGadget* gadget) : gadget_(gadget) {
    if (!gadget_) return;
    was_ = gadget_->IsSensitive();
    gadget_->DeSensitize();
  }
  ~TQuietChange() {
    if (gadget_ && was_) gadget_->Sensitize();
  }
  TQuietChange(const TQuietChange&) = delete;
  TQuietChange& operator=(const TQuietChange&) = delete;

 private:
  TWindowsGadget* gadget_;
  int32_t was_ = 0;
};

}  // namespace quardeln
