#include "app/headless/headless_platform.h"

#include "gui/headless/headless_gadget.h"

namespace tempra {

void HeadlessAppPlatform::SetWindowIconFromFile(NativeHandle window,
                                                const std::u16string& fileName) {
  iconRequests_.push_back({window, fileName});
}

void HeadlessAppPlatform::BringToFrontTopmost(NativeHandle window, int32_t x, int32_t y, int32_t w,
                                              int32_t h) {
  frontRequests_.push_back({window, x, y, w, h});
  if (auto gadget = quardeln::HeadlessGadgetFromHandle(window)) {
    gadget->SetRect(x, y, w, h);
    gadget->shown = true;
    gadget->topmost = true;
    gadget->foreground = true;
  }
}

}  // namespace tempra
