// A label gadget on a native "STATIC": text shown as it is (an ampersand stays an
// ampersand), with no frame, a frame, a sunken frame or as an etched separator 4 pixels
// thick, aligned left, right or centred. Labels post no events.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsLabel final : public TWindowsGadget {
 public:
  static constexpr int32_t kSeparatorThickness = 4;

  TWindowsLabel() = default;

  static std::shared_ptr<TWindowsLabel> Create(const GadgetRef& group, int32_t style);

  // A separator keeps its length and becomes 4 pixels thick across it.
  // Its text stands on the parent's background.
  ColourRule ControlColourRule() override { return ColourRule::kTransparent; }
  int32_t SetArea(int32_t x, int32_t y, int32_t w, int32_t h) override;
  int32_t SetText(const std::u16string& text) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Build(const GadgetRef& group, int32_t given);
  bool IsSeparator() const { return (_style & LABEL_FRAME_MASK) == LABEL_ETCHEDFRAME; }

  int32_t _style = 0;  // creation style
};

}  // namespace quardeln
