// Pieces shared by the tests of the window, panel and control gadgets: gadgets made
// through the real driver (CreateGadget), the recorded events of one kind and source,
// and pixels painted into an off-screen bitmap.
#pragma once

#include "tests/gui/win32/driver_test_support.h"
//
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_driver.h"
#include "runtime/text.h"

namespace quardeln::test {

// A gadget made as the program makes it, cast to its driver class.
template <typename G>
std::shared_ptr<G> Make(int32_t class_, const std::u16string& text, int32_t x, int32_t y, int32_t w,
                        int32_t h, const GadgetRef& group, int32_t style) {
  return std::dynamic_pointer_cast<G>(
      GuiDriver().CreateGadget(class_, text, x, y, w, h, group, style));
}

// The events with this id and source, in the order they were emitted.
inline std::vector<EventRef> EventsOf(int32_t id, const GadgetRef& source) {
  std::vector<EventRef> found;
  for (const EventRef& event : RecordedEvents()) {
    if (event->id == id && event->source == source) found.push_back(event);
  }
  return found;
}

// The recorded events as text, for failure messages.
inline std::string DescribeRecorded() {
  std::string text;
  for (const EventRef& event : RecordedEvents()) text += ToUtf8(event->ToString()) + "; ";
  return text;
}

inline RECT ClientRectOf(HWND hwnd) {
  RECT rect{};
  GetClientRect(hwnd, &rect);
  return rect;
}

inline RECT WindowRectOf(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

inline LONG StyleOf(HWND hwnd) {
  return GetWindowLongW(hwnd, GWL_STYLE);
}
inline LONG ExStyleOf(HWND hwnd) {
  return GetWindowLongW(hwnd, GWL_EXSTYLE);
}

// What a window paints as its background (WM_ERASEBKGND), captured off screen: a 32-bit
// top-down bitmap of the window's size, read back as 0xRRGGBB.
class ErasedPixels {
 public:
  explicit ErasedPixels(HWND hwnd) {
    const RECT rect = WindowRectOf(hwnd);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
    const TMemoryDc dc(TWindowDc().get(), bitmap_.get());
    // Nothing left to paint on screen, so that the erase sees no update region.
    ValidateRect(hwnd, nullptr);
    answer_ = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    GdiFlush();
  }
  ErasedPixels(const ErasedPixels&) = delete;
  ErasedPixels& operator=(const ErasedPixels&) = delete;

  LRESULT answer() const { return answer_; }
  uint32_t At(int32_t x, int32_t y) const {
    return bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF;
  }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  UniqueBitmap bitmap_;
  uint32_t* bits_ = nullptr;
  LRESULT answer_ = 0;
};

// Each channel of two 0xRRGGBB colours within `tolerance` of the other.
inline bool NearColour(uint32_t a, uint32_t b, int tolerance = 3) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF);
    const int cb = static_cast<int>((b >> shift) & 0xFF);
    if (ca - cb > tolerance || cb - ca > tolerance) return false;
  }
  return true;
}

}  // namespace quardeln::test
