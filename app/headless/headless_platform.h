// The reminder's platform seam without a window system: it records what the program
// asked, and marks a window that is brought to the front as shown, topmost and in the
// foreground on the windowless GUI driver's gadget, as the real platform would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/platform_seam.h"

namespace tempra {

class HeadlessAppPlatform final : public AppPlatform {
 public:
  struct IconRequest {
    NativeHandle window;
    std::u16string fileName;
  };
  struct FrontRequest {
    NativeHandle window;
    int32_t x, y, w, h;
  };

  void SetWindowIconFromFile(NativeHandle window, const std::u16string& fileName) override;
  void BringToFrontTopmost(NativeHandle window, int32_t x, int32_t y, int32_t w,
                           int32_t h) override;

  const std::vector<IconRequest>& IconRequests() const { return iconRequests_; }
  const std::vector<FrontRequest>& FrontRequests() const { return frontRequests_; }

 private:
  std::vector<IconRequest> iconRequests_;
  std::vector<FrontRequest> frontRequests_;
};

}  // namespace tempra
