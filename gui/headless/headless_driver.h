// The windowless GUI driver: the test stand-in on every platform and the program's GUI
// driver where there is no Windows. It makes THeadlessGadgets in the toolkit's creation
// order, fonts that remember what was asked, and choosers that answer as if cancelled.
// The desktop is one gadget of 1024 x 768, made with the driver.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gui/gui_driver.h"
#include "gui/headless/headless_gadget.h"

namespace quardeln {

inline constexpr int32_t kHeadlessDesktopWidth = 1024;
inline constexpr int32_t kHeadlessDesktopHeight = 768;

class THeadlessGuiDriver final : public TOrvaneDriver {
 public:
  THeadlessGuiDriver();

  FontRef LoadFont(const std::u16string& name, int32_t size, int32_t style) override;
  GadgetRef CreateGadget(int32_t class_, const std::u16string& text, int32_t x, int32_t y,
                         int32_t w, int32_t h, const GadgetRef& group, int32_t style) override;
  GadgetRef ActiveGadget() override;
  int32_t RequestColor(int32_t red, int32_t green, int32_t blue) override;
  FontRef RequestFont(const FontRef& font) override;
  int32_t SetPointer(int32_t shape) override;
  IconStripRef LoadIconStrip(const ObjectRef& source) override;

  // What the program did, for tests.
  int32_t Pointer() const { return pointer_; }
  int32_t LoadedFonts() const { return loadedFonts_; }

 private:
  HeadlessGadgetRef Construct(int32_t class_, int32_t style) const;

  HeadlessGadgetRef desktop_;
  int32_t pointer_ = 0;
  int32_t loadedFonts_ = 0;
};

}  // namespace quardeln
